#pragma once

#include "core/message_texts.h"
#include "log/cell_overlay.h"

#include <string>

namespace quorvel {

// The hover text of a cell of the log overlay in a language: the samples and time in the cell,
// then its mean lambda and reading, one line for each part the overlay shows.
[[nodiscard]] std::string cellOverlayHint(const CellOverlayMark& mark, Language language);

} // namespace quorvel
