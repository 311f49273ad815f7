#pragma once

#include "core/message_texts.h"

#include <QDialog>

#include <string_view>

namespace quorvel {

// TFormAbout: the artwork, the build date and time, the unit program version this configurator
// speaks, and "OK" to close. The caption follows the language each time it is shown.
class TFormAbout final : public QDialog {
public:
    static constexpr int kDesignWidth = 547;
    static constexpr int kDesignHeight = 627;

    // The build stamp is given in the forms "Oct  6 2007" and "23:22:56".
    TFormAbout(Language language, std::string_view buildDate, std::string_view buildTime, QWidget* parent = nullptr);
};

// The date and time this program was built: the stamp the EXE line of the files carries too.
[[nodiscard]] std::string_view buildDate();
[[nodiscard]] std::string_view buildTime();

} // namespace quorvel
