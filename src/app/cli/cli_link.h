#pragma once

#include "core/param_image.h"

#include <optional>
#include <ostream>
#include <string>

namespace quorvel::cli {

enum class Transfer : std::uint8_t { Read, Verify, Program };

struct TransferOutcome {
    bool agreed = false;    // the unit and the image agree at the end
    bool readWhole = false; // a read stored every block, whatever its verify pass found
};

// Runs one transfer with the unit on `device`, the link session driven every 55 ms, with the
// status line on `err`.
[[nodiscard]] TransferOutcome runTransfer(Transfer transfer, const std::string& device, ParamImage& image,
                                          std::ostream& err);

// Prints each accepted monitor frame as the window's texts by label name, one block (or one JSON
// object per line) per frame. False when the unit never answered.
[[nodiscard]] bool runMonitor(const std::string& device, int frames, bool json, const ParamImage& image,
                              std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
