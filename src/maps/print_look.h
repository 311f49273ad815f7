#pragma once

#include "core/control_view.h"
#include "core/message_texts.h"
#include "core/page_index.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// How long the date-and-time line stays in the status line after a print, in 55 ms ticks.
inline constexpr int kPrintMessageHoldTicks = 200;

// Editing widgets vanish from a printout. An up-down belongs to its edit field (one spin box in
// the window), so for an up-down only the spin buttons go and the value stays on paper.
enum class PrintHiding : std::uint8_t { Control, SpinButtons };

struct PrintHiddenControl {
    ControlKey key;
    PrintHiding hiding;
};

// The look of the window on paper. The window remembers the visibility of everything it changes
// and gives it back afterwards, so a print never shows a tab or label that was hidden before it.
struct PrintLook {
    std::vector<PrintHiddenControl> hidden;
    std::vector<ControlKey> whiteBackground; // besides the window itself
    std::string statusLine;                  // shown in `LabelHlaseni`, which is made visible
    std::array<bool, kPageCount> tabVisible; // only the tab of the current page
};

// Date and time come in the platform's short formats, already formatted by the caller.
[[nodiscard]] PrintLook printLook(const MessageTexts& texts, int currentPage, std::string_view date,
                                  std::string_view time);

// "Date and time of printing:  " (text 31), the date, four spaces and the time.
[[nodiscard]] std::string printStatusLine(const MessageTexts& texts, std::string_view date, std::string_view time);

} // namespace quorvel
