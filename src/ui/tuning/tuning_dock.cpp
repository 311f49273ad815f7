#include "ui/tuning/tuning_dock.h"

#include "core/text_format.h"
#include "log/tuning_keys.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "texts/tuning_texts.h"
#include "ui/binding/text_lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {
namespace {

constexpr std::array<std::string_view, 8> kLabelKeys = {"TuningTarget",    "TuningBand", "TuningRpmWindow",
                                                        "TuningTpsWindow", "TuningHold", "TuningStep",
                                                        "TuningMaxChange", "TuningMap"};
constexpr double kDefaultStepPercent = 2.0;
constexpr int kDefaultMaxChangePercent = 10;

QColor findingColour(PreflightSeverity severity)
{
    return severity == PreflightSeverity::Blocks ? QColor(170, 0, 0) : QColor(90, 90, 90);
}

} // namespace

TuningDock::TuningDock(PageName pageName, Language language, QWidget* parent)
    : QDockWidget(parent)
    , m_pageName(std::move(pageName))
    , m_language(language)
{
    setObjectName("DockWidgetTuning");
    build();
    applyTexts();
}

QString TuningDock::text(std::string_view key) const
{
    return keyedText(TuningTexts::texts(), key, m_language);
}

void TuningDock::build()
{
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* form = new QFormLayout;
    buildFields(*form);
    buildSession(*form);
    layout->addLayout(form);

    m_checksHeading = new QLabel(body);
    m_findings = new QListWidget(body);
    m_findings->setObjectName("ListTuningChecks");
    m_findings->setWordWrap(true);
    m_fix = new QPushButton(body);
    m_fix->setObjectName("ButtonTuningFix");
    m_fix->setEnabled(false);
    layout->addWidget(m_checksHeading);
    layout->addWidget(m_findings, 1);
    layout->addWidget(m_fix);

    auto* run = new QHBoxLayout;
    m_start = new QPushButton(body);
    m_start->setObjectName("ButtonTuningStart");
    m_apply = new QPushButton(body);
    m_apply->setObjectName("ButtonTuningApply");
    m_apply->setEnabled(false);
    run->addWidget(m_start);
    run->addWidget(m_apply);
    layout->addLayout(run);
    m_everyPass = new QCheckBox(body);
    m_everyPass->setObjectName("CheckBoxTuningApplyEveryPass");
    m_progress = new QLabel(body);
    m_progress->setObjectName("LabelTuningProgress");
    m_status = new QLabel(body);
    m_status->setObjectName("LabelTuningStatus");
    m_status->setWordWrap(true);
    layout->addWidget(m_everyPass);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    setWidget(body);

    connect(m_findings, &QListWidget::currentRowChanged, this, [this](int row) {
        const auto at = static_cast<std::size_t>(row);
        m_fix->setEnabled(row >= 0 && at < m_shownFindings.size() && !m_running &&
                          m_shownFindings[at].fix.kind != PreflightFixKind::None);
    });
    connect(m_fix, &QPushButton::clicked, this, [this] {
        if (m_handlers.fix && m_findings->currentRow() >= 0)
            m_handlers.fix(m_findings->currentRow());
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        if (m_handlers.startStop)
            m_handlers.startStop();
    });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (m_handlers.apply)
            m_handlers.apply();
    });
    connect(m_everyPass, &QCheckBox::toggled, this, [this](bool on) {
        if (m_handlers.applyEveryPass)
            m_handlers.applyEveryPass(on);
    });
}

void TuningDock::buildFields(QFormLayout& form)
{
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const Field& field = *FieldTable::byName(kFields[i]);
        auto* spin = new QSpinBox;
        spin->setObjectName(QStringLiteral("SpinTuning") + qText(kFields[i]));
        spin->setRange(field.minimum, field.maximum);
        spin->setSingleStep(field.step);
        // A value goes to the tune when it is confirmed, not at every key typed: one undo step.
        spin->setKeyboardTracking(false);
        m_fields[i] = spin;
        m_labels[i] = new QLabel;
        form.addRow(m_labels[i], spin);
        connect(spin, &QSpinBox::valueChanged, this, [this, i](int value) {
            if (!m_showing && m_handlers.fieldEdited)
                m_handlers.fieldEdited(kFields[i], value);
        });
    }
}

void TuningDock::buildSession(QFormLayout& form)
{
    m_step = new QDoubleSpinBox;
    m_step->setObjectName("SpinTuningStep");
    m_step->setRange(kSmallestStepPercent, 10.0);
    m_step->setSingleStep(0.5);
    m_step->setDecimals(1);
    m_step->setValue(kDefaultStepPercent);
    m_maxChange = new QSpinBox;
    m_maxChange->setObjectName("SpinTuningMaxChange");
    m_maxChange->setRange(1, 30);
    m_maxChange->setValue(kDefaultMaxChangePercent);
    m_map = new QComboBox;
    m_map->setObjectName("ComboTuningMap");
    for (MapId map : kMaps)
        m_map->addItem(QString(), static_cast<int>(map));
    const std::size_t first = kFields.size();
    for (std::size_t i = 0; i < 3; ++i)
        m_labels[first + i] = new QLabel;
    form.addRow(m_labels[first], m_step);
    form.addRow(m_labels[first + 1], m_maxChange);
    form.addRow(m_labels[first + 2], m_map);
    connect(m_map, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing && m_handlers.mapChosen)
            m_handlers.mapChosen();
    });
}

void TuningDock::setLanguage(Language language)
{
    m_language = language;
    applyTexts();
    showFindings(std::vector<PreflightFinding>(m_shownFindings));
}

void TuningDock::applyTexts()
{
    setWindowTitle(text("DockTuning"));
    for (std::size_t i = 0; i < kLabelKeys.size(); ++i)
        m_labels[i]->setText(text(kLabelKeys[i]));
    for (int i = 0; i < m_map->count(); ++i)
        m_map->setItemText(i, m_pageName(MapTable::of(kMaps.at(static_cast<std::size_t>(i))).page));
    m_checksHeading->setText(text("TuningChecks"));
    m_fix->setText(text("TuningFix"));
    m_start->setText(text(m_running ? "TuningStop" : "TuningStart"));
    m_apply->setText(text("TuningApply"));
    m_everyPass->setText(text("TuningApplyEveryPass"));
}

void TuningDock::showFields(const ParamImage& image)
{
    m_showing = true;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (!m_fields[i]->hasFocus())
            m_fields[i]->setValue(readShown(image, *FieldTable::byName(kFields[i])));
    }
    m_showing = false;
}

void TuningDock::showFindings(std::span<const PreflightFinding> findings)
{
    if (std::ranges::equal(findings, m_shownFindings) && m_findings->count() > 0)
        return;
    m_shownFindings.assign(findings.begin(), findings.end());
    const int selected = m_findings->currentRow();
    m_findings->clear();
    for (const PreflightFinding& finding : findings) {
        QString reason = text(textKey(finding.code));
        if (finding.verdict)
            reason = qText(formatText(reason.toStdString(), text(textKey(*finding.verdict)).toStdString().c_str()));
        auto* item = new QListWidgetItem(reason, m_findings);
        item->setForeground(findingColour(finding.severity));
    }
    if (findings.empty())
        new QListWidgetItem(text("TuningChecksClear"), m_findings);
    m_findings->setCurrentRow(std::min(selected, static_cast<int>(findings.size()) - 1));
}

void TuningDock::showRunning(bool running, bool mayStart)
{
    m_running = running;
    m_start->setText(text(running ? "TuningStop" : "TuningStart"));
    m_start->setEnabled(running || mayStart);
    m_map->setEnabled(!running);
    m_step->setEnabled(!running);
    m_maxChange->setEnabled(!running);
    m_findings->setEnabled(!running);
    if (running)
        m_fix->setEnabled(false);
}

void TuningDock::showProgress(const TuningProgress& progress, int proposals, bool running)
{
    m_progress->setText(running ? qText(formatText(TuningTexts::text("TuningProgress", m_language).value_or(""),
                                                   progress.held, progress.cells, progress.inBand))
                                : QString());
    m_apply->setEnabled(running && proposals > 0);
}

void TuningDock::showStatus(const QString& text)
{
    m_status->setText(text);
}

double TuningDock::stepPercent() const
{
    return m_step->value();
}

double TuningDock::maxChangePercent() const
{
    return m_maxChange->value();
}

MapId TuningDock::map() const
{
    return static_cast<MapId>(m_map->currentData().toInt());
}

void TuningDock::chooseMap(MapId map)
{
    m_showing = true;
    m_map->setCurrentIndex(m_map->findData(static_cast<int>(map)));
    m_showing = false;
}

bool TuningDock::applyEveryPass() const
{
    return m_everyPass->isChecked();
}

void TuningDock::endApplyEveryPass()
{
    const QSignalBlocker quiet(m_everyPass);
    m_everyPass->setChecked(false);
}

} // namespace quorvel
