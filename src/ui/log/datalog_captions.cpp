#include "ui/log/datalog_captions.h"

#include "log/datalog_format.h"
#include "ui/binding/hint_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace quorvel {
namespace {

QWidget* carrier(QWidget& root, std::string_view name)
{
    const QString wanted = qtText(name);
    if (root.objectName() == wanted)
        return &root;
    return root.findChild<QWidget*>(wanted);
}

void applyCaption(QWidget& widget, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(&widget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(&widget))
        group->setTitle(text);
    else
        widget.setWindowTitle(text);
}

} // namespace

std::vector<std::string_view> applyDatalogCaptions(QWidget& root, Language language)
{
    std::vector<std::string_view> found;
    for (const CaptionRow& row : DatalogTexts::controls()) {
        if (row.kind == CaptionKind::MenuCaption)
            continue;
        QWidget* widget = carrier(root, row.control);
        if (widget == nullptr)
            continue;
        const std::string_view text = textIn(row.texts, language);
        if (row.kind == CaptionKind::Hint)
            showHint(*widget, text);
        else
            applyCaption(*widget, qtText(text));
        found.push_back(row.control);
    }
    return found;
}

QString datalogText(DatalogMessage message, Language language)
{
    return qtText(DatalogTexts::message(message, language));
}

QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString channelCaption(const DatalogColumn& column, Language language)
{
    QString caption = qtText(DatalogTexts::channel(column.name, language).value_or(column.name));
    const std::string_view unit = displayUnit(column.unit);
    if (!unit.empty())
        caption += QStringLiteral(" [") + qtText(unit) + QLatin1Char(']');
    return caption;
}

} // namespace quorvel
