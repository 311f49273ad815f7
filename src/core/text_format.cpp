#include "core/text_format.h"

#include <cctype>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace quorvel {
namespace {

// Made once and kept for the life of the program; a locale that cannot be made leaves the
// formatting in the locale of the moment.
#ifdef _WIN32
_locale_t cLocale()
{
    static const _locale_t c = _create_locale(LC_NUMERIC, "C");
    return c;
}
#else
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
#endif

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

int printInCLocale(char* out, std::size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
#ifdef _WIN32
    const int length =
        out == nullptr ? _vscprintf_l(format, cLocale(), args) : _vsnprintf_l(out, size, format, cLocale(), args);
#else
    // Per thread, so nothing else in the program sees the switch.
    const locale_t previous = uselocale(cLocale());
    const int length = std::vsnprintf(out, size, format, args);
    uselocale(previous);
#endif
    va_end(args);
    return length;
}

} // namespace quorvel
