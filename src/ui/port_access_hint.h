#pragma once

#include "core/user_messages.h"
#include "io/language_table.h"

#include <functional>
#include <string_view>

namespace quorvel {

// The messages of the port, passed on to the dialogs; once the user has acknowledged "Com
// opening error!" the status line says how to get access to a serial port, because on Linux the
// usual cause is a user outside the group that owns the device.
class PortAccessHint final : public UserMessages {
public:
    using ShowHint = std::function<void(std::string_view hint)>;

    PortAccessHint(UserMessages& messages, const LanguageTable& texts, ShowHint showHint);

    void showMessage(std::string_view text) override;

    // The hint in the language now in effect.
    [[nodiscard]] std::string_view hint() const;

private:
    UserMessages& m_messages;
    const LanguageTable& m_texts;
    ShowHint m_showHint;
};

} // namespace quorvel
