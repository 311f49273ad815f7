#include "log/elapsed_text.h"

#include <cstdio>

namespace quorvel {

std::string elapsedText(std::chrono::milliseconds elapsed)
{
    const long long seconds = elapsed.count() > 0 ? elapsed.count() / 1000 : 0;
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 % 60;
    char text[32];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", hours, minutes, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld", minutes, seconds % 60);
    return text;
}

} // namespace quorvel
