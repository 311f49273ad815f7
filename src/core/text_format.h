#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorvel {

// The display formats are printf formats in which a lone % (one that starts no conversion, as
// in "%4.1f %" or "[%]") stands for a percent sign. Returns the format with each lone % doubled,
// so that it can be handed to the printf family safely.
[[nodiscard]] std::string escapeLonePercents(std::string_view format);

// snprintf in the C locale. The display formats are the system's own: a decimal number shows
// a full stop whatever number format the user's desktop has set.
int printInCLocale(char* out, std::size_t size, const char* format, ...);

// Formats numbers and C strings with a display format (see escapeLonePercents).
template <typename... Args> [[nodiscard]] std::string formatText(std::string_view format, Args... args)
{
    static_assert(((std::is_arithmetic_v<Args> || std::is_same_v<Args, const char*>)&&...),
                  "display formats take numbers and C strings");
    static_assert(sizeof...(Args) > 0, "a text without arguments needs no format");
    const std::string safe = escapeLonePercents(format);
    const int size = printInCLocale(nullptr, 0, safe.c_str(), args...);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    printInCLocale(out.data(), out.size() + 1, safe.c_str(), args...);
    return out;
}

} // namespace quorvel
