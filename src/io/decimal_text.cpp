#include "io/decimal_text.h"

#include <algorithm>
#include <cctype>

namespace quorvel {
namespace {

// A spreadsheet copies a formula's result at full precision (13.799999999999999999): the
// fraction is kept to six places, rounded, which is finer than the step of any value of the
// unit. A whole part of more than twelve digits lies beyond every range and is read as 10^12,
// so that the range check names it instead of an overflow.
constexpr std::size_t kFractionPlaces = 6;
constexpr std::size_t kWholePlaces = 12;
constexpr std::int64_t kBeyondEveryRange = 1'000'000'000'000;
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
    if (!digitsOnly || whole.size() + fraction.size() == 0 || (markAt != std::string_view::npos && fraction.empty()))
        return {NumberFault::NotANumber, {}};
    if (mark == DecimalMark::Comma && fraction.size() == kThousandsGroup && !whole.empty() &&
        whole.size() <= kThousandsGroup && whole.front() != '0')
        return {NumberFault::Ambiguous, {}};

    const std::string_view significant = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    DecimalNumber number;
    if (significant.size() > kWholePlaces) {
        number.numerator = kBeyondEveryRange;
    } else {
        for (char c : significant)
            number.numerator = number.numerator * 10 + (c - '0');
        const std::string_view kept = fraction.substr(0, kFractionPlaces);
        for (char c : kept) {
            number.numerator = number.numerator * 10 + (c - '0');
            number.denominator *= 10;
        }
        if (fraction.size() > kFractionPlaces && fraction[kFractionPlaces] >= '5')
            ++number.numerator; // the first place dropped rounds half up
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
