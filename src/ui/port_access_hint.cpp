#include "ui/port_access_hint.h"

#include "core/serial_port.h"

#include <array>
#include <utility>

namespace quorvel {
namespace {

// By Language: English, German, French, Czech.
constexpr std::array<std::string_view, 4> kHints{
    "No access to the serial port? On Linux join the group dialout "
    "(sudo usermod -aG dialout $USER) and log in again.",
    "Kein Zugriff auf die serielle Schnittstelle? Unter Linux der Gruppe dialout beitreten "
    "(sudo usermod -aG dialout $USER) und neu anmelden.",
    "Pas d'accès au port série ? Sous Linux, rejoindre le groupe dialout "
    "(sudo usermod -aG dialout $USER) puis se reconnecter.",
    "Žádný přístup k sériovému portu? V Linuxu se přidejte do skupiny dialout "
    "(sudo usermod -aG dialout $USER) a znovu se přihlaste.",
};

} // namespace

PortAccessHint::PortAccessHint(UserMessages& messages, const LanguageTable& texts, ShowHint showHint)
    : m_messages(messages)
    , m_texts(texts)
    , m_showHint(std::move(showHint))
{
}

void PortAccessHint::showMessage(std::string_view text)
{
    m_messages.showMessage(text);
    if (text == m_texts.text(SerialPort::kTextComOpeningError))
        m_showHint(hint());
}

std::string_view PortAccessHint::hint() const
{
    const auto index = static_cast<std::size_t>(m_texts.language());
    return index < kHints.size() ? kHints[index] : kHints.front();
}

} // namespace quorvel
