#pragma once

#include <cstddef>

namespace quorvel {

// The largest input of each kind the program takes in. Each is far beyond what the program
// itself writes, and small enough that refusing costs nothing: a file or a paste beyond it is
// refused whole before it is read, never parsed for minutes or into gigabytes.
inline constexpr std::size_t kKiB = 1024;
inline constexpr std::size_t kMiB = 1024 * kKiB;

// A parameter file or backup is some 25 kB; an old map file less.
inline constexpr std::size_t kParameterFileLimit = 1 * kMiB;
// One map with its heads is some 2 kB of text, in a file or on the clipboard.
inline constexpr std::size_t kMapTextLimit = 256 * kKiB;
// The settings file is a few hundred bytes of this program's keys, plus what else the user
// keeps in it; the last image about 17 kB; the test marker a word.
inline constexpr std::size_t kSettingsFileLimit = 256 * kKiB;
inline constexpr std::size_t kLastImageLimit = 64 * kKiB;
inline constexpr std::size_t kTestMarkerLimit = 64 * kKiB;
// Fast logging writes some 30 MB an hour: this is a long day's riding.
inline constexpr std::size_t kDatalogLimit = 512 * kMiB;
// Whatever else is read whole (a comparison's files, a report).
inline constexpr std::size_t kDefaultReadLimit = 16 * kMiB;

} // namespace quorvel
