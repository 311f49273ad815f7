#pragma once

#include "core/serial_port.h"
#include "core/user_messages.h"
#include "texts/language_table.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

// The messages of the port, passed on to the dialogs. "Com opening error!" says which device
// did not open and why (missing, held by another program, no permission: the group dialout on
// Linux), and once the user has acknowledged it the status line keeps that reason in view.
class PortAccessHint final : public UserMessages {
public:
    using ShowHint = std::function<void(std::string_view hint)>;
    using LastFailure = std::function<PortOpenFailure()>;

    PortAccessHint(UserMessages& messages, const LanguageTable& texts, LastFailure lastFailure, ShowHint showHint);

    void showMessage(std::string_view text) override;

    // Why `failure` happened, naming its device, in the language now in effect.
    [[nodiscard]] std::string reason(const PortOpenFailure& failure) const;

private:
    UserMessages& m_messages;
    const LanguageTable& m_texts;
    LastFailure m_lastFailure;
    ShowHint m_showHint;
};

} // namespace quorvel
