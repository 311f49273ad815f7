#include "ui/maps/map_grid.h"

#include "core/page_index.h"
#include "maps/map_colour_scale.h"
#include "model/field_table.h"
#include "ui/binding/control_registry.h"
#include "ui/compare/compare_mark_look.h"
#include "ui/log/cell_overlay_hint.h"
#include "ui/maps/map_grid_delegate.h"
#include "ui/pages/field_spin_box.h"
#include "ui/pages/spin_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace quorvel {
namespace {

constexpr int kHeadWidth = 64;
constexpr int kCellWidth = 62;
constexpr int kRowHeight = 28;
constexpr std::array<std::string_view, 3> kServoModes{"R + T", "RPM", "TPS"};

QString controlName(std::string_view name, int index = -1)
{
    return QString::fromStdString(ControlKey{name, index}.objectName());
}

QCheckBox* makeBox(std::string_view name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(controlName(name));
    box->setFocusPolicy(Qt::ClickFocus); // no tab stop
    return box;
}

} // namespace

MapGrid::MapGrid(const ParamImage& image, const bool& showMs, QWidget* parent)
    : QWidget(parent)
    , m_image(image)
    , m_showMs(showMs)
    , m_model(new MapGridTableModel(this))
{
    setObjectName("GroupBoxMap_Uni");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* rpmCaption = new QLabel("RPM", this);
    rpmCaption->setObjectName("LabelRpm_Uni");
    column->addWidget(rpmCaption);
    auto* bevel = new QFrame(this);
    bevel->setObjectName("BevelTop_Uni");
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    column->addWidget(bevel);
    buildTable();
    column->addWidget(m_table);
    auto* spins = new QHBoxLayout;
    buildColumnSpins(*spins);
    column->addLayout(spins);
    auto* options = new QHBoxLayout;
    buildOptions(*options);
    column->addLayout(options);
    m_extrasRow = new QHBoxLayout;
    buildExtras();
    column->addLayout(m_extrasRow);
    column->addStretch(1);
    m_model->setEditHandler([this] { forward(m_handlers.cellEdited); });
    m_model->setCellHandler([this](GridCell cell, DecimalNumber value) {
        if (!m_showing && m_handlers.cellTyped)
            m_handlers.cellTyped(cell, value);
    });
}

void MapGrid::buildTable()
{
    m_table = new QTableView(this);
    m_table->setObjectName("TableMap_Uni");
    m_table->setModel(m_model);
    m_table->setItemDelegate(new MapGridDelegate(m_table));
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { takeSelectionFromTable(); });
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setMinimumSectionSize(kHeadWidth / 2);
    m_table->verticalHeader()->setMinimumSectionSize(kRowHeight / 2);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    m_table->setColumnWidth(MapGridTableModel::kHeadColumn, kHeadWidth);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A block of cells, by mouse drag, Shift+click or Shift+arrows; the heads are not selectable.
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (m_handlers.contextMenu)
            m_handlers.contextMenu(m_table->viewport()->mapToGlobal(at));
    });
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    fitTable();
}

// The table is as large as what it shows, so a one-row map leaves no empty box behind it.
void MapGrid::fitTable()
{
    const int frame = 2 * m_table->frameWidth();
    int width = frame;
    for (int column = 0; column < m_model->columnCount(); ++column)
        width += m_table->isColumnHidden(column) ? 0 : m_table->columnWidth(column);
    int height = frame;
    for (int row = 0; row < m_model->rowCount(); ++row)
        height += m_table->isRowHidden(row) ? 0 : m_table->rowHeight(row);
    m_table->setFixedSize(width, height);
}

void MapGrid::buildColumnSpins(QHBoxLayout& row)
{
    row.setSpacing(0);
    row.addSpacing(kHeadWidth + m_table->frameWidth());
    for (int c = 0; c < MapGridModel::kColumns; ++c) {
        // A box as wide as the column keeps each spin under its column when columns hide.
        auto* box = new QWidget(this);
        box->setFixedWidth(kCellWidth);
        auto* centre = new QHBoxLayout(box);
        centre->setContentsMargins(0, 0, 0, 0);
        auto* spin = new SpinButton(box);
        spin->setObjectName(controlName("CSpinButtonColumn_Uni", c));
        spin->setStepHandler([this, c](StepDirection direction) {
            if (m_handlers.columnSpin)
                m_handlers.columnSpin(c, direction);
        });
        centre->addWidget(spin, 0, Qt::AlignHCenter);
        m_columnSpinBoxes.at(static_cast<std::size_t>(c)) = box;
        row.addWidget(box);
    }
    row.addStretch(1);
}

void MapGrid::buildOptions(QHBoxLayout& row)
{
    auto* coupling = new QLabel("  1->2->3  ", this);
    coupling->setObjectName("LabelJet123_Uni");
    QFont large = coupling->font();
    large.setPointSize(14);
    coupling->setFont(large);
    row.addWidget(coupling);

    m_tps = makeBox("CheckBoxTps_Uni", "TPS", this);
    m_servoEnable = makeBox("CheckBoxServoEnable", "Servo enable", this);
    m_percent = makeBox("CheckBoxProcenta", "Procent", this);
    m_servoModes = new QGroupBox(this);
    m_servoModes->setObjectName("RadioGroupServoMode");
    m_servoModeButtons = new QButtonGroup(m_servoModes);
    auto* modes = new QHBoxLayout(m_servoModes);
    modes->setContentsMargins(4, 0, 4, 0);
    for (int item = 0; item < static_cast<int>(kServoModes.size()); ++item) {
        const std::string_view caption = kServoModes.at(static_cast<std::size_t>(item));
        auto* button =
            new QRadioButton(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())), m_servoModes);
        button->setFocusPolicy(Qt::ClickFocus);
        m_servoModeButtons->addButton(button, item);
        modes->addWidget(button);
    }
    m_stepMotor = makeBox("CheckBoxStepMotor", "Step motor", this);
    m_ms = makeBox("CheckBoxZobrMs_Uni", "Ms", this);
    m_colours = makeBox("CheckBoxColours_Uni", "Colours", this);
    m_legendLow = new QLabel(this);
    m_legendLow->setObjectName("LabelColoursLow_Uni");
    m_legendHigh = new QLabel(this);
    m_legendHigh->setObjectName("LabelColoursHigh_Uni");
    for (QLabel* end : {m_legendLow, m_legendHigh}) {
        end->setMargin(2);
        end->hide();
    }
    m_all = makeBox("CheckBoxAll_Uni", "All", this);
    auto* tools = new SpinButton(this);
    tools->setObjectName("CSpinButtonTools_Uni");
    tools->setStepHandler([this](StepDirection direction) {
        if (m_handlers.tools)
            m_handlers.tools(direction);
    });
    for (QWidget* control : std::initializer_list<QWidget*>{m_tps, m_servoEnable, m_percent, m_servoModes, m_stepMotor})
        row.addWidget(control);
    row.addStretch(1);
    row.addWidget(m_legendLow);
    row.addWidget(m_legendHigh);
    row.addWidget(m_colours);
    row.addWidget(m_ms);
    row.addWidget(tools);
    row.addWidget(m_all);

    connect(m_tps, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_handlers.fieldEdited)
            m_handlers.fieldEdited("CheckBoxTps_Uni", -1, checked ? 1 : 0);
        forward(m_handlers.optionToggled);
    });
    connect(m_ms, &QCheckBox::clicked, this, [this] {
        forward(m_handlers.optionToggled);
        // The box is a view option: the keys go on stepping the cells.
        m_table->setFocus();
    });
    connect(m_all, &QCheckBox::clicked, this, [this] { forward(m_handlers.allToggled); });
    connect(m_colours, &QCheckBox::clicked, this, [this](bool checked) {
        setValueColours(checked);
        if (m_handlers.coloursToggled)
            m_handlers.coloursToggled(checked);
    });
    connect(m_servoEnable, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_handlers.servoEnable)
            m_handlers.servoEnable(checked);
    });
    connect(m_percent, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_handlers.percent)
            m_handlers.percent(checked);
    });
    connect(m_servoModeButtons, &QButtonGroup::idClicked, this, [this](int item) {
        if (m_handlers.servoMode)
            m_handlers.servoMode(item);
    });
    connect(m_stepMotor, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_handlers.fieldEdited)
            m_handlers.fieldEdited("CheckBoxStepMotor", -1, checked ? 1 : 0);
        forward(m_handlers.cellEdited);
    });
}

void MapGrid::registerItems(ControlRegistry& registry)
{
    constexpr int kCells = MapGridModel::kRows * MapGridModel::kColumns;
    for (std::string_view cell : {"EditMap_Uni", "UpDownMap_Uni", "LabelMs_Uni"})
        registry.addGridItems(*this, cell, kCells);
    for (std::string_view head : {"EditRpm_Uni", "UpDownRpm_Uni"})
        registry.addGridItems(*this, head, MapGridModel::kColumns);
    for (std::string_view row : {"LabelRow_Uni", "EditRow_Uni", "UpDownRow_Uni"})
        registry.addGridItems(*this, row, MapGridModel::kRows);
    registry.addGridItem(*this, "LabelRowAxis_Uni");
}

void MapGrid::setHandlers(MapGridHandlers handlers)
{
    m_handlers = std::move(handlers);
}

void MapGrid::forward(const std::function<void()>& action)
{
    if (!m_showing && action)
        action();
}

void MapGrid::showMapPage(int page, const MapPageValues& values)
{
    const bool newPage = page != m_model->grid().page();
    const GridLayout layout = GridLayout::of(gridLayoutMode(m_image, page, m_showMs));
    m_model->grid().load(page, values, layout, m_image);
    m_model->reload();
    if (newPage) {
        arrangeExtras(page);
        // A block chosen on one map means nothing on another.
        m_table->selectionModel()->clearSelection();
        m_selection.clear();
    }
    showFieldValues();
    // The scale's ends follow the values on screen, edits and other maps included.
    showLegend();
}

void MapGrid::showFieldValues()
{
    m_showing = true;
    const MapGridModel& grid = m_model->grid();
    for (int k = 0; k < kExtraFields; ++k) {
        if (const FieldValue* value = grid.aux("UpDownExtra_Uni", k)) {
            QSpinBox& spin = *m_extras.at(static_cast<std::size_t>(k));
            const Field& target = *value->target.field;
            spin.setRange(target.minimum, target.maximum);
            spin.setSingleStep(std::max(1, target.step));
            spin.setValue(value->shown);
        }
    }
    const auto checkFrom = [&grid](QCheckBox& box, std::string_view control) {
        if (const FieldValue* value = grid.aux(control))
            box.setChecked(value->shown != 0);
    };
    checkFrom(*m_tps, "CheckBoxTps_Uni");
    checkFrom(*m_servoEnable, "CheckBoxServoEnable");
    checkFrom(*m_percent, "CheckBoxProcenta");
    checkFrom(*m_stepMotor, "CheckBoxStepMotor");
    if (const FieldValue* mode = grid.aux("RadioGroupServoMode")) {
        if (QAbstractButton* button = m_servoModeButtons->button(mode->shown))
            button->setChecked(true);
    }
    m_ms->setChecked(m_showMs);
    m_showing = false;
}

MapPageValues MapGrid::mapPageValues() const
{
    return m_model->grid().values();
}

void MapGrid::showLayout(const GridLayout& layout, bool rowHeads)
{
    MapGridModel& grid = m_model->grid();
    if (grid.layout() != layout) {
        grid.setLayout(layout, m_image);
        m_model->reload();
    }
    m_selection.setLayout(layout);
    m_table->setRowHidden(MapGridTableModel::kHeadRow, !layout.rpmFields);
    m_table->setColumnHidden(MapGridTableModel::kHeadColumn, !rowHeads);
    for (int r = 0; r < MapGridModel::kRows; ++r)
        m_table->setRowHidden(r + 1, grid.isRowHidden(r));
    for (int c = 0; c < MapGridModel::kColumns; ++c) {
        m_table->setColumnHidden(c + 1, grid.isColumnHidden(c));
        m_columnSpinBoxes.at(static_cast<std::size_t>(c))->setVisible(!grid.isColumnHidden(c));
    }
    fitTable();
}

void MapGrid::takeSelectionFromTable()
{
    int top = MapGridModel::kRows;
    int bottom = -1;
    int left = MapGridModel::kColumns;
    int right = -1;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) {
        const int row = index.row() - 1;
        const int column = index.column() - 1;
        if (row < 0 || column < 0 || m_table->isRowHidden(index.row()) || m_table->isColumnHidden(index.column()))
            continue;
        top = std::min(top, row);
        bottom = std::max(bottom, row);
        left = std::min(left, column);
        right = std::max(right, column);
    }
    if (bottom < 0) {
        m_selection.clear();
    } else {
        m_selection.press(GridCell{top, left});
        m_selection.extendTo(GridCell{bottom, right});
    }
    if (m_handlers.selectionChanged)
        m_handlers.selectionChanged();
}

void MapGrid::showSelection()
{
    const std::optional<CellRect> rect = m_selection.rect();
    QItemSelectionModel& model = *m_table->selectionModel();
    if (!rect) {
        model.clearSelection();
        return;
    }
    const QItemSelection block(MapGridTableModel::cellIndexOf(*m_model, rect->top, rect->left),
                               MapGridTableModel::cellIndexOf(*m_model, rect->bottom, rect->right));
    model.select(block, QItemSelectionModel::ClearAndSelect);
}

void MapGrid::showCompareMarks(std::span<const CompareMark> marks, Language language)
{
    MapGridTableModel::CompareTips tips;
    for (const CompareMark& mark : marks) {
        const ControlKey key = mark.control.key();
        const QString tip = compareToolTip(mark, language);
        if (key.name == "EditMap_Uni")
            tips.cells[key.index] = tip;
        else if (key.name == "EditRpm_Uni")
            tips.rpmHeads[key.index] = tip;
        else if (key.name == "EditRow_Uni")
            tips.rowHeads[key.index] = tip;
    }
    m_model->setCompareTips(std::move(tips));
}

void MapGrid::showOverlay(const CellOverlay* overlay, Language language)
{
    std::map<int, std::pair<QColor, QString>> shown;
    if (overlay != nullptr) {
        for (std::size_t element = 0; element < overlay->size(); ++element) {
            if (const auto& mark = (*overlay)[element]) {
                shown[static_cast<int>(element)] = {QColor(mark->colour.red, mark->colour.green, mark->colour.blue),
                                                    QString::fromStdString(cellOverlayHint(*mark, language))};
            }
        }
    }
    m_model->setOverlay(std::move(shown));
}

void MapGrid::showPreview(std::span<const CellCorrection> cells)
{
    std::map<int, QString> preview;
    for (const CellCorrection& cell : cells)
        preview[cell.element] = QString::asprintf("%+.1f %%", cell.changePercent);
    m_model->setPreview(std::move(preview));
}

void MapGrid::showItem(const ControlKey& key)
{
    QModelIndex item;
    if (key.name == "EditMap_Uni")
        item = MapGridTableModel::cellIndexOf(*m_model, key.index / MapGridModel::kColumns,
                                              key.index % MapGridModel::kColumns);
    else if (key.name == "EditRpm_Uni")
        item = m_model->index(MapGridTableModel::kHeadRow, key.index + 1);
    else if (key.name == "EditRow_Uni")
        item = m_model->index(key.index + 1, MapGridTableModel::kHeadColumn);
    if (!item.isValid())
        return;
    m_table->setCurrentIndex(item);
    m_table->scrollTo(item);
    m_table->setFocus();
}

void MapGrid::setValueColours(bool on)
{
    m_colours->setChecked(on);
    m_model->setValueColours(on);
    showLegend();
}

void MapGrid::showLegend()
{
    const std::optional<ColourLegend> legend = m_model->legend();
    const bool shown = legend.has_value() && m_colours->isChecked();
    m_legendLow->setVisible(shown);
    m_legendHigh->setVisible(shown);
    if (!shown)
        return;
    for (const auto& [label, value] :
         {std::pair{m_legendLow, legend->minimum}, std::pair{m_legendHigh, legend->maximum}}) {
        label->setText(QString::number(value));
        const Rgb colour = valueColour(value, legend->minimum, legend->maximum);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
}

void MapGrid::setPrintLook(bool on)
{
    m_model->setPrintLook(on);
}

void MapGrid::applyMarks(std::span<const ControlMark> marks)
{
    const GridRepaint changed = m_model->grid().applyMarks(marks);
    if (!changed.empty())
        m_model->repaint(changed);
}

} // namespace quorvel
