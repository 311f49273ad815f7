#include "ui/log/suggest_corrections_dialog.h"

#include "core/text_format.h"
#include "texts/caption_table.h"
#include "texts/datalog_texts.h"
#include "ui/log/datalog_captions.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace quorvel {
namespace {

enum Column : int { Rpm, Load, Samples, MeanLambda, Mixture, Change, Now, Proposed, ColumnCount };

constexpr int kDesignWidth = 900;
constexpr int kDesignHeight = 560;
constexpr double kLargestStepPercent = 20.0;
constexpr double kLargestChangePercent = 50.0;
constexpr double kFastestThrottlePercentPerSecond = 1000.0;
constexpr int kThresholdHighestMv = 1000;
constexpr int kMostSamples = 100'000;

QDoubleSpinBox* percentBox(const char* name, double highest, double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(0.1, highest);
    box->setSingleStep(0.5);
    box->setValue(value);
    return box;
}

QSpinBox* countBox(const char* name, int highest, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, highest);
    box->setValue(value);
    return box;
}

QTableWidgetItem* numberItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString readingText(MixtureReading reading, Language language)
{
    return datalogText(reading == MixtureReading::Lean ? DatalogMessage::Lean : DatalogMessage::Rich, language);
}

} // namespace

SuggestCorrectionsDialog::SuggestCorrectionsDialog(const Datalog& log, const ParamImage& image, MapId map,
                                                   Language language, const CorrectionLimits& limits, QWidget* parent)
    : QDialog(parent)
    , m_log(log)
    , m_image(image)
    , m_map(map)
    , m_language(language)
    , m_longestGapMs(limits.longestGapMs)
{
    setObjectName("FormSuggestCorrections");
    setModal(true);

    auto* narrowBand = new QLabel(this);
    narrowBand->setObjectName("LabelSuggestNarrowBand");
    narrowBand->setWordWrap(true);
    auto* form = new QFormLayout;
    buildLimits(limits);
    const std::pair<const char*, QWidget*> rows[] = {
        {"LabelSuggestStep", m_step},
        {"LabelSuggestMaxChange", m_maxChange},
        {"LabelSuggestMinSamples", m_minimumSamples},
        {"LabelSuggestThreshold", m_threshold},
        {"LabelSuggestSteady", m_steady},
    };
    for (const auto& [name, box] : rows) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setBuddy(box);
        form->addRow(label, box);
    }

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName("TableSuggestCorrections");
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_table, &QTableWidget::itemChanged, this, [this] { chosenChanged(); });
    m_result = new QLabel(this);
    m_result->setObjectName("LabelSuggestResult");
    auto* preview = new QLabel(this);
    preview->setObjectName("LabelSuggestPreview");
    preview->setWordWrap(true);

    m_apply = new QPushButton(this);
    m_apply->setObjectName("ButtonSuggestApply");
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("ButtonSuggestCancel");
    cancel->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(narrowBand);
    layout->addLayout(form);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_result);
    layout->addWidget(preview);
    layout->addLayout(buttons);
    resize(kDesignWidth, kDesignHeight);

    m_proposals = suggestCorrections(m_log, m_image, m_map, this->limits());
    fillTable();
    setLanguage(language);
}

SuggestCorrectionsDialog::~SuggestCorrectionsDialog() = default;

void SuggestCorrectionsDialog::buildLimits(const CorrectionLimits& limits)
{
    m_step = percentBox("EditSuggestStep", kLargestStepPercent, limits.stepPercent, this);
    m_maxChange = percentBox("EditSuggestMaxChange", kLargestChangePercent, limits.maxChangePercent, this);
    m_minimumSamples = countBox("EditSuggestMinSamples", kMostSamples, limits.minimumSamples, this);
    m_threshold = countBox("EditSuggestThreshold", kThresholdHighestMv, limits.lambdaThresholdMv, this);
    m_steady =
        percentBox("EditSuggestSteady", kFastestThrottlePercentPerSecond, limits.steadyThrottlePercentPerSecond, this);
    for (QDoubleSpinBox* box : {m_step, m_maxChange, m_steady})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
    for (QSpinBox* box : {m_minimumSamples, m_threshold})
        connect(box, &QSpinBox::valueChanged, this, [this] { recompute(); });
}

CorrectionLimits SuggestCorrectionsDialog::limits() const
{
    CorrectionLimits limits;
    limits.stepPercent = m_step->value();
    limits.maxChangePercent = m_maxChange->value();
    limits.minimumSamples = m_minimumSamples->value();
    limits.lambdaThresholdMv = m_threshold->value();
    limits.steadyThrottlePercentPerSecond = m_steady->value();
    limits.longestGapMs = m_longestGapMs;
    return limits;
}

void SuggestCorrectionsDialog::setLanguage(Language language)
{
    m_language = language;
    (void)applyDatalogCaptions(*this, language);
    const bool pressure = m_map == MapId::Iap;
    const DatalogColumn load = pressure ? DatalogColumn{"iap", "kPa"} : DatalogColumn{"throttle", "%"};
    QStringList headers = {channelCaption({"rpm", "rpm"}, language), channelCaption(load, language)};
    for (DatalogMessage header :
         {DatalogMessage::SuggestSamples, DatalogMessage::SuggestMeanLambda, DatalogMessage::SuggestReading,
          DatalogMessage::SuggestChange, DatalogMessage::SuggestNow, DatalogMessage::SuggestProposed})
        headers.append(datalogText(header, language));
    m_table->setHorizontalHeaderLabels(headers);
    for (std::size_t i = 0; i < m_proposals.size(); ++i) {
        if (QTableWidgetItem* mixture = m_table->item(static_cast<int>(i), Mixture))
            mixture->setText(readingText(m_proposals[i].reading, language));
    }
    showResult();
}

void SuggestCorrectionsDialog::setPreviewHandler(PreviewHandler handler)
{
    m_preview = std::move(handler);
    chosenChanged();
}

void SuggestCorrectionsDialog::recompute()
{
    m_proposals = suggestCorrections(m_log, m_image, m_map, limits());
    fillTable();
}

void SuggestCorrectionsDialog::fillTable()
{
    {
        const QSignalBlocker blocker(m_table);
        m_table->setRowCount(static_cast<int>(m_proposals.size()));
        for (std::size_t i = 0; i < m_proposals.size(); ++i) {
            const CellCorrection& proposal = m_proposals[i];
            const int row = proposal.element / kMapColumns;
            const int column = proposal.element % kMapColumns;
            const int load =
                m_map == MapId::Iap ? iapRow(m_image, row) : kThrottleRowPercent[static_cast<std::size_t>(row)];
            auto* rpm = numberItem(QString::number(axisPoint(m_image, m_map, column) * kAxisRpmStep));
            rpm->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            rpm->setCheckState(Qt::Checked);
            const int r = static_cast<int>(i);
            m_table->setItem(r, Rpm, rpm);
            m_table->setItem(r, Load, numberItem(QString::number(load)));
            m_table->setItem(r, Samples, numberItem(QString::number(proposal.samples)));
            m_table->setItem(r, MeanLambda, numberItem(QString::number(std::lround(proposal.meanLambdaMv))));
            m_table->setItem(r, Mixture, numberItem(readingText(proposal.reading, m_language)));
            m_table->setItem(r, Change, numberItem(QString::asprintf("%+.1f", proposal.changePercent)));
            m_table->setItem(r, Now, numberItem(QString::number(proposal.cellBefore)));
            m_table->setItem(r, Proposed, numberItem(QString::number(proposal.cellAfter)));
        }
    }
    chosenChanged();
}

std::vector<CellCorrection> SuggestCorrectionsDialog::chosenProposals() const
{
    std::vector<CellCorrection> chosen;
    for (std::size_t i = 0; i < m_proposals.size(); ++i) {
        if (m_table->item(static_cast<int>(i), Rpm)->checkState() == Qt::Checked)
            chosen.push_back(m_proposals[i]);
    }
    return chosen;
}

void SuggestCorrectionsDialog::chosenChanged()
{
    const std::vector<CellCorrection> chosen = chosenProposals();
    m_apply->setEnabled(!chosen.empty());
    showResult();
    if (m_preview)
        m_preview(chosen);
}

void SuggestCorrectionsDialog::showResult()
{
    int chosen = 0;
    for (int row = 0; row < m_table->rowCount(); ++row)
        chosen += m_table->item(row, Rpm)->checkState() == Qt::Checked ? 1 : 0;
    if (!takesCorrections(m_map)) {
        m_result->setText(datalogText(DatalogMessage::OnlyInjectionMaps, m_language));
    } else if (m_proposals.empty()) {
        m_result->setText(datalogText(DatalogMessage::NoSuggestions, m_language));
    } else {
        const MapLayout& map = MapTable::of(m_map);
        const std::string page(CaptionTable::pageTab(map.page, m_language).value_or(map.name));
        m_result->setText(
            qtText(formatText(DatalogTexts::message(DatalogMessage::CellsToChange, m_language), page.c_str(), chosen)));
    }
}

void SuggestCorrectionsDialog::done(int result)
{
    m_accepted = result == QDialog::Accepted ? chosenProposals() : std::vector<CellCorrection>{};
    if (m_preview)
        m_preview({});
    QDialog::done(result);
}

} // namespace quorvel
