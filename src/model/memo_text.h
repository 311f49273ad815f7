#pragma once

#include "core/param_image.h"

#include <string>
#include <string_view>

namespace quorvel {

// The memo sheet stored in the unit: image 2850..2998 hold up to 149 single-byte characters
// ended by a zero byte; image 2999 is always 0 so that a reader stops in any case.
inline constexpr int kMemoOffset = 2850;
inline constexpr int kMemoCapacity = 149;

// Stores the first 149 characters. A shorter text is followed by one zero byte; the bytes after
// that zero keep what they held, as the unit keeps them.
void storeMemo(ParamImage& image, std::string_view text);

// The memo up to its first zero byte, at most 149 characters.
[[nodiscard]] std::string memoText(const ParamImage& image);

} // namespace quorvel
