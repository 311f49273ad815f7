#include "ui/maps/map_pages.h"

#include "core/page_index.h"
#include "core/text_format.h"
#include "maps/page_view.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"
#include "model/map_page.h"
#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"
#include "ui/maps/map_edit_actions.h"
#include "ui/maps/map_grid.h"
#include "ui/pages/page_control.h"
#include "ui/pages/spin_button.h"
#include "ui/shell/main_menu.h"

#include <QAction>
#include <QCheckBox>
#include <QVBoxLayout>

#include <chrono>

namespace quorvel {
namespace {

} // namespace

MapPages::MapPages(Parts parts)
    : m_parts(std::move(parts))
    , m_grid(new MapGrid(m_parts.image, m_parts.showMs, &m_parts.pages.page(kPageAdvance)))
    , m_commands(m_parts.writer, m_parts.image, *this)
{
    placeGrid(kPageAdvance);
    m_edit = std::make_unique<MapEditActions>(MapEditActions::Parts{
        m_parts.writer, m_parts.image, m_parts.tables, *m_grid, m_parts.menu, m_parts.dialogs, m_parts.texts,
        m_parts.window.showStatus, [this] { return m_live; }, m_parts.window.folder});
    wireGrid();
    QObject::connect(&m_parts.menu.action("MenuToolsMinus"), &QAction::triggered, m_grid,
                     [this] { tools(StepDirection::Down); });
    QObject::connect(&m_parts.menu.action("MenuToolsPlus"), &QAction::triggered, m_grid,
                     [this] { tools(StepDirection::Up); });
}

// The grid lives on in the page control a moment longer; nothing it does may reach us then.
MapPages::~MapPages()
{
    m_grid->setHandlers({});
}

bool MapPages::isMapPage(int page)
{
    return MapTable::ofPage(page) != nullptr;
}

void MapPages::wireGrid()
{
    MapGridHandlers handlers;
    // A head or a field of the grid took a new value: the page is collected and the change ended.
    handlers.cellEdited = [this] { m_parts.writer.commitPage(); };
    // A cell took a typed value, in the unit it shows.
    handlers.cellTyped = [this](GridCell cell, DecimalNumber value) { m_edit->typeCell(cell, value); };
    handlers.fieldEdited = [this](std::string_view control, int index, int shown) {
        (void)m_grid->model().grid().setAux(control, index, shown);
    };
    handlers.optionToggled = [this] {
        m_parts.showMs = m_grid->msBox().isChecked();
        m_commands.gridOptionClick();
    };
    // A mode the grid shows is the grid's value too: the next collection must store the new
    // one, not the one of the last fill.
    handlers.servoEnable = [this](bool checked) {
        (void)m_grid->model().grid().setAux("CheckBoxServoEnable", -1, checked ? 1 : 0);
        m_commands.servoEnable(activePage(), checked);
    };
    handlers.percent = [this](bool checked) { m_commands.percentSwitch(activePage(), checked); };
    handlers.servoMode = [this](int item) {
        (void)m_grid->model().grid().setAux("RadioGroupServoMode", -1, item);
        m_commands.servoMode(activePage(), item);
    };
    handlers.coloursToggled = [this](bool on) { m_parts.showColours = on; };
    handlers.selectionChanged = [this] {
        if (m_parts.window.selectionChanged)
            m_parts.window.selectionChanged();
    };
    handlers.contextMenu = [this](QPoint at) { m_edit->contextMenu().popup(at); };
    handlers.allToggled = [this] { m_parts.writer.change([this](ParamImage&, InjectionTables&) { refreshView(); }); };
    handlers.columnSpin = [this](int column, StepDirection direction) {
        m_commands.columnSpin(activePage(), column, direction);
    };
    handlers.tools = [this](StepDirection direction) { tools(direction); };
    m_grid->setHandlers(std::move(handlers));
}

void MapPages::wirePositions()
{
    for (std::size_t bank = 0; bank < kPositionBanks.size(); ++bank) {
        const bool a = kPositionBanks[bank] == PositionBank::A;
        if (auto* box = m_parts.controls.find<QCheckBox>({a ? "CheckBoxAll_PolohaA" : "CheckBoxAll_PolohaB"})) {
            m_positionAllBoxes.at(bank) = box;
            box->setChecked(m_positionAll.at(bank));
            QObject::connect(box, &QCheckBox::toggled, box, [this, bank](bool all) { m_positionAll.at(bank) = all; });
        }
        auto* spin = dynamic_cast<SpinButton*>(
            m_parts.controls.find<QWidget>({a ? "CSpinButtonPolohaA" : "CSpinButtonPolohaB"}));
        if (spin == nullptr)
            continue;
        spin->setStepHandler([this, bank](StepDirection direction) {
            m_commands.positionSpin(kPositionBanks[bank], direction, m_positionAll.at(bank), m_positions);
        });
    }
}

void MapPages::setPositionAll(std::size_t bank, bool all)
{
    m_positionAll.at(bank) = all;
    if (QCheckBox* box = m_positionAllBoxes.at(bank))
        box->setChecked(all);
}

void MapPages::placeGrid(int page)
{
    QWidget& target = m_parts.pages.page(page);
    if (m_grid->parentWidget() == &target)
        return;
    auto* layout = target.layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(&target);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(m_grid);
    m_grid->show();
}

void MapPages::fill(int page)
{
    if (isMapPage(page)) {
        placeGrid(page);
        (void)clearUnsupportedStepMotor(m_parts.image, page);
        const MapPageValues values = fillMapPage(m_parts.image, m_parts.tables, selectBikeGrids(m_parts.image),
                                                 JetCoupling::fromImage(m_parts.image), page);
        m_grid->showMapPage(page, values);
        if (m_grid->coloursBox().isChecked() != m_parts.showColours)
            m_grid->setValueColours(m_parts.showColours);
        m_grid->allBox().setChecked(m_parts.allFlags.at(static_cast<std::size_t>(page)) != 0);
    }
    refreshView(page);
}

void MapPages::collect(int page)
{
    // Only the page the grid shows has edits to store.
    if (!isMapPage(page) || m_grid->model().grid().page() != page)
        return;
    collectMapPage(m_parts.image, m_parts.tables, selectBikeGrids(m_parts.image), JetCoupling::fromImage(m_parts.image),
                   page, m_grid->mapPageValues());
    m_parts.allFlags.at(static_cast<std::size_t>(page)) = m_grid->allBox().isChecked() ? 1 : 0;
}

void MapPages::setLanguage(Language language)
{
    m_edit->setLanguage(language);
}

void MapPages::refreshView(int page)
{
    m_edit->setMapPage(isMapPage(page));
    const PageView view = quorvel::refreshView(m_parts.image, page, {m_parts.showMs}, m_parts.texts);
    for (const ControlView& control : view.controls) {
        if (control.key.name == kMapTabName)
            m_parts.pages.setTabVisible(control.key.index, control.visible.value_or(true));
        else
            m_parts.applier.apply(control);
    }
    for (const ControlMark& colour : view.colours)
        m_parts.applier.apply(colour);
    for (const ControlCheck& check : view.checks)
        m_parts.menu.action(check.key.name).setChecked(check.checked);
    if (view.grid) {
        const ControlView* rowAxis = view.find("LabelRowAxis_Uni");
        m_grid->showLayout(*view.grid, rowAxis == nullptr || rowAxis->visible.value_or(true));
    }
    if (m_parts.window.viewRefreshed)
        m_parts.window.viewRefreshed(page);
}

void MapPages::showLive(std::span<const ControlMark> marks, const LiveCell& live, const PositionColumns& positions)
{
    m_live = live;
    m_positions = positions;
    if (m_grid->model().grid().page() == activePage())
        m_grid->applyMarks(marks);
}

void MapPages::tools(StepDirection direction)
{
    const auto started = std::chrono::steady_clock::now();
    // A selected block takes the step; otherwise the whole map or the live cell, as ever.
    if (isMapPage(activePage()) && m_edit->stepSelection(direction))
        return;
    const int page = activePage();
    ToolContext context{page, m_grid->allBox().isChecked(), m_live, m_positions, {}};
    for (std::size_t bank = 0; bank < context.positionAll.size(); ++bank)
        context.positionAll.at(bank) = m_positionAll.at(bank);
    m_commands.tools(direction, context);
    if (direction == StepDirection::Down) {
        // How long Minus took, for the test mode's first test label.
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        m_parts.applier.apply(LabelState{
            {"LabelTest", 1}, formatText("Test1= %d", static_cast<int>(took.count())), std::nullopt, std::nullopt});
    }
}

void MapPages::pageChanged(int page)
{
    m_commands.pageChanged(page);
}

void MapPages::chooseJetMode(Jet123Mode mode)
{
    m_commands.jet123(mode, activePage());
}

int MapPages::activePage() const
{
    return m_parts.pages.activePage();
}

void MapPages::setMapGridVisible(bool visible)
{
    m_grid->setVisible(visible);
}

void MapPages::selectPage(int page)
{
    m_parts.pages.setCurrentIndex(page);
}

void MapPages::fillPage()
{
    m_parts.window.fillPage();
}

void MapPages::refreshView()
{
    refreshView(activePage());
}

} // namespace quorvel
