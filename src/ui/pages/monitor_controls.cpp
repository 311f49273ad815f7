#include "ui/pages/monitor_controls.h"

#include "ui/pages/elided_label.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

namespace quorvel {
namespace {

constexpr int kGaugeHeight = 12;

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* makeControl(std::string_view name, QWidget& parent, int labelWidth)
{
    if (name.starts_with("CGauge")) {
        auto* gauge = new QProgressBar(&parent);
        gauge->setRange(0, 100);
        gauge->setValue(0);
        gauge->setTextVisible(false);
        gauge->setFixedHeight(kGaugeHeight);
        return gauge;
    }
    if (name.starts_with("CheckBox"))
        return new QCheckBox(&parent);
    // A port's device path can be longer than the panel is wide: its middle gives way.
    auto* label = name == "LabelCom" ? new ElidedLabel(&parent) : new QLabel(&parent);
    label->setMargin(1);
    label->setFixedSize(labelWidth, label->fontMetrics().height() + 2 * label->margin());
    return label;
}

} // namespace

void addMonitorControls(QWidget& parent, QBoxLayout& layout, std::span<const std::string_view> names, int labelWidth)
{
    for (const std::string_view name : names) {
        QWidget* control = makeControl(name, parent, labelWidth);
        control->setObjectName(qText(name));
        layout.addWidget(control);
    }
}

} // namespace quorvel
