#pragma once

#include <chrono>
#include <string>

namespace quorvel {

// A running time for the status line: "mm:ss", and "h:mm:ss" from the first hour on, so that a
// long ride never reads as a short one.
[[nodiscard]] std::string elapsedText(std::chrono::milliseconds elapsed);

} // namespace quorvel
