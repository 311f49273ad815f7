#include "io/decimal_text.h"

#include <algorithm>
#include <cctype>

namespace quorvel {
namespace {

constexpr int kMostDigits = 15;
constexpr std::size_t kThousandsGroup = 3;

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A field that can only be meant as a number: the point of a caption ("Inj. 1") decides nothing.
bool looksNumeric(std::string_view field)
{
    return std::ranges::any_of(field, isDigit) && std::ranges::all_of(field, [](char c) {
               return isDigit(c) || std::string_view("+-., \t").find(c) != std::string_view::npos;
           });
}

} // namespace

DecimalRead readDecimal(std::string_view text, DecimalMark mark)
{
    text = trimmed(text);
    if (text.empty())
        return {NumberFault::Empty, {}};
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    const char markChar = mark == DecimalMark::Comma ? ',' : '.';
    const std::size_t markAt = text.find(markChar);
    const std::string_view whole = text.substr(0, markAt);
    const std::string_view fraction = markAt == std::string_view::npos ? std::string_view{} : text.substr(markAt + 1);
    const bool digitsOnly = std::ranges::all_of(whole, isDigit) && std::ranges::all_of(fraction, isDigit);
    const std::size_t digits = whole.size() + fraction.size();
    if (!digitsOnly || digits == 0 || digits > kMostDigits || (markAt != std::string_view::npos && fraction.empty()))
        return {NumberFault::NotANumber, {}};
    if (mark == DecimalMark::Comma && fraction.size() == kThousandsGroup && !whole.empty() &&
        whole.size() <= kThousandsGroup && whole.front() != '0')
        return {NumberFault::Ambiguous, {}};

    DecimalNumber number;
    for (char c : whole)
        number.numerator = number.numerator * 10 + (c - '0');
    for (char c : fraction) {
        number.numerator = number.numerator * 10 + (c - '0');
        number.denominator *= 10;
    }
    if (negative)
        number.numerator = -number.numerator;
    return {NumberFault::None, number};
}

DecimalMark decimalMarkOf(const std::vector<TextRow>& rows, char separator)
{
    if (separator == ',')
        return DecimalMark::Point;
    for (const TextRow& row : rows) {
        for (const std::string& field : row.fields) {
            if (looksNumeric(field) && field.find('.') != std::string::npos)
                return DecimalMark::Point;
        }
    }
    return DecimalMark::Comma;
}

} // namespace quorvel
