#pragma once

#include "texts/caption_table.h"

#include <array>
#include <span>

namespace quorvel {

// The caption rows of the features beyond the first window, each in a table of its own: the map
// editing, comparing and backups, the map views, the datalogs, the window's frame and live
// tuning. Together with the caption table they are every text the window applies by control name.
[[nodiscard]] std::array<std::span<const CaptionRow>, 6> featureCaptionRows();

// Controls of the dialogs and windows that are made when first asked for (or exist only while
// they are shown) and apply their own texts: the window's captions pass them by.
[[nodiscard]] bool isOwnDialogControl(std::string_view control);

} // namespace quorvel
