#include "io/ign_text.h"

#include <cstdio>

namespace quorvel {

void appendIgnKey(std::string& out, std::string_view key, int width)
{
    out += kIgnLineEnd;
    out += key;
    const auto padded = static_cast<std::size_t>(width);
    if (key.size() < padded)
        out.append(padded - key.size(), ' ');
}

void appendIgnNumber(std::string& out, long long value)
{
    char field[24];
    std::snprintf(field, sizeof field, "%5lld ", value);
    out += field;
}

} // namespace quorvel
