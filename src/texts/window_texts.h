#pragma once

#include "core/serial_line.h"
#include "texts/caption_table.h"
#include "texts/keyed_text.h"

#include <span>
#include <string_view>

namespace quorvel {

// The texts of the window's own frame in the four languages: the Com menu's virtual unit, the
// status line after a save, and why a serial port did not open. "StatusSaved" and the port
// reasons are printf formats taking the file or the device as text.
class WindowTexts {
public:
    [[nodiscard]] static std::span<const CaptionRow> captions();
    [[nodiscard]] static std::span<const KeyedText> texts();
    [[nodiscard]] static std::string_view text(std::string_view key, Language language);
    // The key of the sentence that tells why a port did not open.
    [[nodiscard]] static std::string_view openFailureKey(OpenFailure failure);
};

} // namespace quorvel
