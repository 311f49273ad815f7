#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The text pieces of the .ign layout, shared by every file written in it.
inline constexpr std::string_view kIgnLineEnd = "\r\n";
inline constexpr std::string_view kIgnContinuation = "\r\n             "; // a line break and 13 spaces
inline constexpr int kIgnKeyWidth = 13;
inline constexpr int kIgnValuesPerMapLine = 15;

// A line break and the key padded with spaces to `width` (the values then start after it).
void appendIgnKey(std::string& out, std::string_view key, int width = kIgnKeyWidth);
// A value in its field of five characters and a space, "%5d ".
void appendIgnNumber(std::string& out, long long value);

} // namespace quorvel
