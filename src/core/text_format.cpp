#include "core/text_format.h"

#include <cctype>

namespace quorvel {
namespace {

// Length of the conversion that starts at format[at] (a '%'), or 0 when none starts there. The
// display formats never use the blank flag, so "% s" in a text is a percent sign and a word.
std::size_t conversionLength(std::string_view format, std::size_t at)
{
    std::size_t i = at + 1;
    if (i < format.size() && format[i] == '%')
        return 2;
    while (i < format.size() && std::string_view("-+#0").find(format[i]) != std::string_view::npos)
        ++i;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
        ++i;
    if (i < format.size() && format[i] == '.') {
        ++i;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
            ++i;
    }
    if (i < format.size() && std::string_view("dioxXufeEgGcs").find(format[i]) != std::string_view::npos)
        return i - at + 1;
    return 0;
}

} // namespace

std::string escapeLonePercents(std::string_view format)
{
    std::string out;
    out.reserve(format.size() + 4);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        const std::size_t length = conversionLength(format, i);
        if (length == 0) {
            out += "%%";
            continue;
        }
        out.append(format.substr(i, length));
        i += length - 1;
    }
    return out;
}

} // namespace quorvel
