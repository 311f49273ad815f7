#pragma once

#include "core/message_texts.h"

#include <QTranslator>

namespace quorvel {

// Qt's own texts in the chosen language: the buttons of the message boxes (Yes, No, Cancel),
// the file dialogs and the context menus of the edit fields. English needs none; for another
// language the translation Qt ships for it is installed, and replaced when the language changes.
class QtTranslations {
public:
    QtTranslations() = default;
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // False when the translation of `language` is not installed (Qt then speaks English).
    bool apply(Language language);

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace quorvel
