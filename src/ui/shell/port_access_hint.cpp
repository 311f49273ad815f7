#include "ui/shell/port_access_hint.h"

#include "core/text_format.h"
#include "texts/window_texts.h"

#include <utility>

namespace quorvel {

PortAccessHint::PortAccessHint(UserMessages& messages, const LanguageTable& texts, LastFailure lastFailure,
                               ShowHint showHint)
    : m_messages(messages)
    , m_texts(texts)
    , m_lastFailure(std::move(lastFailure))
    , m_showHint(std::move(showHint))
{
}

void PortAccessHint::showMessage(std::string_view text)
{
    if (text != m_texts.text(SerialPort::kTextComOpeningError)) {
        m_messages.showMessage(text);
        return;
    }
    const std::string why = reason(m_lastFailure());
    m_messages.showMessage(std::string(text) + "\n\n" + why);
    m_showHint(why);
}

std::string PortAccessHint::reason(const PortOpenFailure& failure) const
{
    const std::string_view format = WindowTexts::text(WindowTexts::openFailureKey(failure.reason), m_texts.language());
    return formatText(format, failure.device.c_str());
}

} // namespace quorvel
