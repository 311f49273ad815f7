#pragma once

#include <string_view>

namespace quorvel {

// What the parts of TFormHlav read of the image by offset, and the window's own words before a
// language is applied. Shared by the files of the window only.
inline constexpr int kBikeOffset = 150;
inline constexpr int kGasOffset = 248; // N2O enabled (CheckBoxGas)
inline constexpr int kCylinderCountOffset = 406;
inline constexpr int kTestLabels = 8;
inline constexpr std::string_view kWindowTitle = "Programming of Quorvel_2007 unit";
inline constexpr std::string_view kDefaultFileName = "data.ign";

} // namespace quorvel
