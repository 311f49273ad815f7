#include "ui/compare/compare_mark_look.h"

#include "core/text_format.h"
#include "texts/compare_texts.h"
#include "ui/binding/colour_palette.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <array>

namespace quorvel {
namespace {

// What a marked control had before, kept on the control itself so that whoever holds it can
// give it back.
constexpr auto kShownTip = "quorvelCompareTip";
constexpr auto kOwnTip = "quorvelOwnTip";
constexpr auto kOwnColours = "quorvelOwnTextColours";
constexpr auto kOwnBold = "quorvelOwnBold";

// The roles a control's text is drawn in: fields, captions of check boxes and group boxes,
// buttons and lists.
constexpr std::array kTextRoles = {QPalette::Text, QPalette::WindowText, QPalette::ButtonText};

void paintText(QWidget& control, const std::array<QColor, kTextRoles.size()>& colours)
{
    QPalette palette = control.palette();
    for (std::size_t i = 0; i < kTextRoles.size(); ++i)
        palette.setColor(kTextRoles[i], colours[i]);
    control.setPalette(palette);
}

void setBold(QWidget& control, bool bold)
{
    QFont font = control.font();
    font.setBold(bold);
    control.setFont(font);
}

} // namespace

QString compareToolTip(const CompareMark& mark, Language language, CompareSource source)
{
    const std::string_view key = source == CompareSource::File ? "CompareTooltip" : "CompareUnitTooltip";
    const std::string_view format = CompareTexts::text(key, language).value_or("%s / %s");
    return QString::fromStdString(formatText(format, mark.fileText.c_str(), mark.hereText.c_str()));
}

void markCompared(QWidget& control, const CompareMark& mark, Language language, CompareSource source)
{
    const QString tip = compareToolTip(mark, language, source);
    if (!isMarkedCompared(control)) {
        QVariantList colours;
        for (QPalette::ColorRole role : kTextRoles)
            colours.append(control.palette().color(role));
        control.setProperty(kOwnColours, colours);
        control.setProperty(kOwnBold, control.font().bold());
        control.setProperty(kOwnTip, control.toolTip());
        const QColor compare = ColourPalette::colour(ColourRole::Compare);
        paintText(control, {compare, compare, compare});
        setBold(control, true);
    } else if (control.toolTip() != control.property(kShownTip).toString()) {
        control.setProperty(kOwnTip, control.toolTip());
    }
    control.setProperty(kShownTip, tip);
    control.setToolTip(tip);
}

void unmarkCompared(QWidget& control)
{
    if (!isMarkedCompared(control))
        return;
    if (control.toolTip() == control.property(kShownTip).toString())
        control.setToolTip(control.property(kOwnTip).toString());
    const QVariantList colours = control.property(kOwnColours).toList();
    std::array<QColor, kTextRoles.size()> own;
    for (std::size_t i = 0; i < own.size(); ++i)
        own[i] = colours.value(static_cast<qsizetype>(i)).value<QColor>();
    paintText(control, own);
    setBold(control, control.property(kOwnBold).toBool());
    for (const char* name : {kShownTip, kOwnTip, kOwnColours, kOwnBold})
        control.setProperty(name, QVariant());
}

bool isMarkedCompared(const QWidget& control)
{
    return control.property(kShownTip).isValid();
}

} // namespace quorvel
