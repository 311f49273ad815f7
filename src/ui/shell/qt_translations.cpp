#include "ui/shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace quorvel {
namespace {

QString qtLocaleOf(Language language)
{
    switch (language) {
    case Language::German:
        return QStringLiteral("de");
    case Language::French:
        return QStringLiteral("fr");
    case Language::Czech:
        return QStringLiteral("cs");
    case Language::English:
        break;
    }
    return {};
}

} // namespace

QtTranslations::~QtTranslations()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

bool QtTranslations::apply(Language language)
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    const QString locale = qtLocaleOf(language);
    if (locale.isEmpty())
        return true;
    if (!m_translator.load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace quorvel
