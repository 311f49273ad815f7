#include "ui/log/log_viewer.h"

#include "core/text_format.h"
#include "log/datalog_format.h"
#include "log/datalog_reader.h"
#include "ui/log/datalog_captions.h"
#include "ui/log/log_chart_view.h"
#include "ui/log/log_traces.h"

#include <QChart>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kColumnRole = Qt::UserRole;
constexpr int kDesignWidth = 1100;
constexpr int kDesignHeight = 650;
constexpr int kPanelWidth = 230;
constexpr int kSliderStepMs = 1000;
constexpr int kSliderPageMs = 10'000;
constexpr int kThresholdLowestMv = 1;
constexpr int kThresholdHighestMv = 1000;
constexpr int kMostSamples = 100'000;

QString seconds(double ms, int decimals)
{
    return QString::number(ms / 1000.0, 'f', decimals);
}

QSpinBox* spinBox(const char* name, int lowest, int highest, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(lowest, highest);
    box->setValue(value);
    return box;
}

QLabel* buddyLabel(const char* name, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

LogViewer::LogViewer(Language language, UserMessages& messages, LogFilePrompt askLogFile, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_language(language)
    , m_messages(messages)
    , m_askLogFile(std::move(askLogFile))
{
    setObjectName("FormLogViewer");

    m_openButton = new QPushButton(this);
    m_openButton->setObjectName("ButtonLogOpen");
    connect(m_openButton, &QPushButton::clicked, this, &LogViewer::askAndOpen);
    m_summary = new QLabel(this);
    m_summary->setObjectName("LabelLogInfo");
    auto* top = new QHBoxLayout;
    top->addWidget(m_openButton);
    top->addWidget(m_summary, 1);

    // Animations and OpenGL stay off: a redraw is then one paint of the points handed over.
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->setAlignment(Qt::AlignTop);
    m_chartView = new LogChartView(m_chart, this);
    m_chartView->setRenderHint(QPainter::Antialiasing, false);
    m_traces = std::make_unique<LogTraces>(*m_chart);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildChannelPanel());
    splitter->addWidget(m_chartView);
    splitter->addWidget(buildCursorPanel());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kPanelWidth, kDesignWidth - 2 * kPanelWidth, kPanelWidth});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addWidget(buildPlaybackBar());

    connectGestures();
    connect(m_chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (static_cast<int>(area.width()) != m_drawnColumns)
            redraw();
    });
    resize(kDesignWidth, kDesignHeight);
    setLanguage(language);
    updateEnabled();
}

LogViewer::~LogViewer() = default;

QWidget* LogViewer::buildChannelPanel()
{
    auto* panel = new QWidget(this);
    auto* channels = new QGroupBox(panel);
    channels->setObjectName("GroupBoxLogChannels");
    m_channels = new QListWidget(channels);
    m_channels->setObjectName("ListLogChannels");
    (new QVBoxLayout(channels))->addWidget(m_channels);
    connect(m_channels, &QListWidget::itemChanged, this, [this] { applyChannels(); });

    auto* overlay = new QGroupBox(panel);
    overlay->setObjectName("GroupBoxLogOverlay");
    const CellStatisticsOptions defaults;
    m_cellHits = new QCheckBox(overlay);
    m_cellHits->setObjectName("CheckBoxLogCellHits");
    m_cellHits->setChecked(true);
    m_lambda = new QCheckBox(overlay);
    m_lambda->setObjectName("CheckBoxLogLambda");
    m_lambda->setChecked(true);
    m_threshold =
        spinBox("EditLogThreshold", kThresholdLowestMv, kThresholdHighestMv, defaults.lambdaThresholdMv, overlay);
    m_minimumSamples = spinBox("EditLogMinSamples", 1, kMostSamples, defaults.minimumSamples, overlay);
    m_suggestButton = new QPushButton(overlay);
    m_suggestButton->setObjectName("ButtonSuggestCorrections");
    auto* form = new QFormLayout(overlay);
    form->addRow(m_cellHits);
    form->addRow(m_lambda);
    form->addRow(buddyLabel("LabelLogThreshold", m_threshold, overlay), m_threshold);
    form->addRow(buddyLabel("LabelLogMinSamples", m_minimumSamples, overlay), m_minimumSamples);
    form->addRow(m_suggestButton);
    for (QCheckBox* box : {m_cellHits, m_lambda})
        connect(box, &QCheckBox::toggled, this, [this] { overlayChanged(); });
    for (QSpinBox* box : {m_threshold, m_minimumSamples})
        connect(box, &QSpinBox::valueChanged, this, [this] { overlayChanged(); });
    connect(m_suggestButton, &QPushButton::clicked, this, [this] {
        if (m_suggestHandler)
            m_suggestHandler();
    });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(channels, 1);
    layout->addWidget(overlay);
    return panel;
}

QWidget* LogViewer::buildCursorPanel()
{
    auto* panel = new QWidget(this);
    auto* caption = new QLabel(panel);
    caption->setObjectName("LabelLogCursor");
    m_cursorTime = new QLabel(panel);
    m_cursorTime->setObjectName("LabelLogCursorTime");
    m_values = new QTableWidget(0, 2, panel);
    m_values->setObjectName("TableLogCursor");
    m_values->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_values->setSelectionMode(QAbstractItemView::NoSelection);
    m_values->verticalHeader()->hide();
    m_values->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_values->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auto* heading = new QHBoxLayout;
    heading->addWidget(caption);
    heading->addWidget(m_cursorTime, 1, Qt::AlignRight);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading);
    layout->addWidget(m_values, 1);
    return panel;
}

QWidget* LogViewer::buildPlaybackBar()
{
    auto* bar = new QWidget(this);
    m_playButton = new QPushButton(bar);
    m_playButton->setObjectName("ButtonLogPlay");
    m_pauseButton = new QPushButton(bar);
    m_pauseButton->setObjectName("ButtonLogPause");
    m_speedBox = new QComboBox(bar);
    m_speedBox->setObjectName("ComboBoxLogSpeed");
    for (double speed : kSpeeds)
        m_speedBox->addItem(QString::number(speed) + QChar(0x00D7), speed);
    m_speedBox->setCurrentIndex(static_cast<int>(std::ranges::find(kSpeeds, 1.0) - kSpeeds.begin()));
    m_slider = new QSlider(Qt::Horizontal, bar);
    m_slider->setObjectName("SliderLogPosition");
    m_slider->setSingleStep(kSliderStepMs);
    m_slider->setPageStep(kSliderPageMs);
    m_timeLabel = buddyLabel("LabelLogTime", m_slider, bar);
    m_position = new QLabel(bar);
    m_position->setObjectName("LabelLogPosition");

    connect(m_playButton, &QPushButton::clicked, this, &LogViewer::play);
    connect(m_pauseButton, &QPushButton::clicked, this, &LogViewer::pause);
    connect(m_speedBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_speed = kSpeeds[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(kSpeeds.size()) - 1))];
        if (m_clock)
            m_clock->setSpeed(m_speed);
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (m_log && !m_log->empty())
            moveTo(m_log->timesMs().front() + static_cast<double>(value));
    });

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_playButton);
    layout->addWidget(m_pauseButton);
    layout->addWidget(buddyLabel("LabelLogSpeed", m_speedBox, bar));
    layout->addWidget(m_speedBox);
    layout->addWidget(m_timeLabel);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_position);
    return bar;
}

void LogViewer::connectGestures()
{
    ChartGestures gestures;
    gestures.zoom = [this](double factor, double at) {
        m_window.zoom(factor, at);
        redraw();
    };
    gestures.pan = [this](double fraction) {
        m_window.pan(fraction);
        redraw();
    };
    gestures.pick = [this](double fraction) { moveTo(m_window.timeAt(std::clamp(fraction, 0.0, 1.0))); };
    gestures.zoomTo = [this](double from, double to) {
        m_window.show(m_window.timeAt(std::clamp(from, 0.0, 1.0)), m_window.timeAt(std::clamp(to, 0.0, 1.0)));
        redraw();
    };
    gestures.zoomAll = [this] {
        m_window.showAll();
        redraw();
    };
    m_chartView->setGestures(std::move(gestures));
}

void LogViewer::setLanguage(Language language)
{
    m_language = language;
    (void)applyDatalogCaptions(*this, language);
    m_traces->setTimeTitle(m_timeLabel->text());
    m_values->setHorizontalHeaderLabels(
        {datalogText(DatalogMessage::CursorChannel, language), datalogText(DatalogMessage::CursorValue, language)});
    if (m_log) {
        fillChannelList();
        applyChannels();
    }
    showSummary();
    updateTitle();
}

void LogViewer::askAndOpen()
{
    if (const auto file = m_askLogFile ? m_askLogFile() : std::nullopt)
        (void)open(*file);
}

bool LogViewer::open(const std::filesystem::path& file)
{
    DatalogRead read = readDatalog(file);
    if (!read.log) {
        const DatalogMessage message =
            read.problem == DatalogProblem::NotADatalog ? DatalogMessage::NotALog : DatalogMessage::CannotOpenLog;
        m_messages.showMessage(formatText(DatalogTexts::message(message, m_language), read.detail.c_str()));
        return false;
    }
    showLog(std::make_unique<Datalog>(std::move(*read.log)), file.filename().string());
    return true;
}

void LogViewer::showLog(std::unique_ptr<Datalog> log, std::string fileName)
{
    // The clock and the traces look into the log: both let go of the old one first.
    m_clock.reset();
    m_traces->setLog(nullptr);
    m_log = std::move(log);
    m_fileName = std::move(fileName);
    m_clock.emplace(m_log->timesMs());
    m_clock->setSpeed(m_speed);
    m_window = m_log->empty() ? TimeWindow() : TimeWindow(m_log->timesMs().front(), m_log->timesMs().back());
    m_traces->setLog(m_log.get());
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(0, static_cast<int>(m_log->durationMs()));
        m_slider->setValue(0);
    }
    fillChannelList();
    applyChannels();
    showSummary();
    updateTitle();
    updateEnabled();
    handOutDue(std::chrono::milliseconds(0));
    overlayChanged();
}

void LogViewer::fillChannelList()
{
    const QSignalBlocker blocker(m_channels);
    m_channels->clear();
    const auto columns = m_log->columns();
    const bool keepsAChoice =
        std::ranges::any_of(m_chosen, [&](const std::string& name) { return m_log->columnIndex(name).has_value(); });
    for (std::size_t c = 0; c < columns.size(); ++c) {
        auto* item = new QListWidgetItem(channelCaption(columns[c], m_language), m_channels);
        item->setData(kColumnRole, static_cast<qulonglong>(c));
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setForeground(LogTraces::colourOf(c));
        const bool chosen = keepsAChoice ? std::ranges::find(m_chosen, columns[c].name) != m_chosen.end()
                                         : std::ranges::find(kFirstChannels, columns[c].name) != kFirstChannels.end();
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void LogViewer::applyChannels()
{
    if (!m_log)
        return;
    std::vector<LogTraces::Channel> channels;
    m_chosen.clear();
    for (int i = 0; i < m_channels->count(); ++i) {
        const QListWidgetItem* item = m_channels->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        const auto column = static_cast<std::size_t>(item->data(kColumnRole).toULongLong());
        channels.push_back({column, item->text()});
        m_chosen.push_back(m_log->columns()[column].name);
    }
    m_traces->setChannels(channels);
    m_values->setRowCount(static_cast<int>(channels.size()));
    for (std::size_t i = 0; i < channels.size(); ++i) {
        auto* name = new QTableWidgetItem(channels[i].name);
        name->setForeground(LogTraces::colourOf(channels[i].column));
        name->setData(kColumnRole, static_cast<qulonglong>(channels[i].column));
        m_values->setItem(static_cast<int>(i), 0, name);
        auto* value = new QTableWidgetItem;
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_values->setItem(static_cast<int>(i), 1, value);
    }
    redraw();
    showPosition();
}

int LogViewer::plotColumns() const
{
    const int plot = static_cast<int>(m_chart->plotArea().width());
    return plot > 0 ? plot : m_chartView->width();
}

void LogViewer::redraw()
{
    if (!m_log)
        return;
    m_drawnColumns = static_cast<int>(m_chart->plotArea().width());
    m_traces->show(m_window, plotColumns());
    if (m_clock)
        m_chartView->setCursorFraction(m_window.fractionOf(m_clock->positionMs()));
}

void LogViewer::showPosition()
{
    if (!m_clock || m_log->empty())
        return;
    const std::uint32_t position = m_clock->positionMs();
    const double start = m_log->timesMs().front();
    m_chartView->setCursorFraction(m_window.fractionOf(position));
    if (!m_slider->isSliderDown()) {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(static_cast<int>(position - start));
    }
    m_position->setText(seconds(position - start, 1) + QStringLiteral(" / ") + seconds(m_log->durationMs(), 1));
    m_cursorTime->setText(seconds(position - start, 2) + QStringLiteral(" s"));
    showValues(m_clock->currentRow());
}

void LogViewer::showValues(std::optional<std::size_t> row)
{
    for (int i = 0; i < m_values->rowCount(); ++i) {
        const auto column = static_cast<std::size_t>(m_values->item(i, 0)->data(kColumnRole).toULongLong());
        const DatalogColumn& channel = m_log->columns()[column];
        QString text;
        if (row) {
            text = QString::number(m_log->values(column)[*row], 'f', columnDecimals(channel.name));
            const std::string_view unit = displayUnit(channel.unit);
            if (!unit.empty())
                text += QLatin1Char(' ') + qtText(unit);
        }
        m_values->item(i, 1)->setText(text);
    }
}

void LogViewer::showSummary()
{
    if (!m_log) {
        m_summary->clear();
        return;
    }
    QString text = qtText(formatText(DatalogTexts::message(DatalogMessage::LogSummary, m_language), m_fileName.c_str(),
                                     static_cast<int>(m_log->rowCount()), m_log->durationMs() / 1000.0));
    if (m_log->skippedRows() > 0)
        text += QStringLiteral(" \u2014 ") +
                qtText(formatText(DatalogTexts::message(DatalogMessage::RowsLeftOut, m_language),
                                  static_cast<int>(m_log->skippedRows())));
    m_summary->setText(text);
}

void LogViewer::updateTitle()
{
    QString title = qtText(DatalogTexts::find("FormLogViewer", CaptionKind::Caption, m_language).value_or(""));
    if (m_log)
        title += QStringLiteral(" - ") + QString::fromStdString(m_fileName);
    setWindowTitle(title);
}

void LogViewer::updateEnabled()
{
    const bool hasRows = m_log && !m_log->empty();
    m_playButton->setEnabled(hasRows && !playing());
    m_pauseButton->setEnabled(playing());
    m_slider->setEnabled(hasRows);
    m_suggestButton->setEnabled(hasRows);
}

std::optional<CellOverlayOptions> LogViewer::overlayOptions() const
{
    if (!m_log || (!m_cellHits->isChecked() && !m_lambda->isChecked()))
        return std::nullopt;
    CellOverlayOptions options;
    options.timeInCells = m_cellHits->isChecked();
    options.lambdaByCell = m_lambda->isChecked();
    options.statistics.lambdaThresholdMv = m_threshold->value();
    options.statistics.minimumSamples = m_minimumSamples->value();
    return options;
}

CellStatisticsOptions LogViewer::statisticsOptions() const
{
    CellStatisticsOptions options;
    options.lambdaThresholdMv = m_threshold->value();
    options.minimumSamples = m_minimumSamples->value();
    return options;
}

void LogViewer::setStatisticsOptions(const CellStatisticsOptions& options)
{
    m_threshold->setValue(options.lambdaThresholdMv);
    m_minimumSamples->setValue(options.minimumSamples);
}

void LogViewer::overlayChanged() const
{
    if (m_overlayHandler)
        m_overlayHandler();
}

std::vector<std::string> LogViewer::chosenChannels() const
{
    return m_log ? m_chosen : std::vector<std::string>{};
}

void LogViewer::closeEvent(QCloseEvent* event)
{
    // Nothing would be left on screen to stop it with.
    pause();
    QWidget::closeEvent(event);
}

} // namespace quorvel
