#include "ui/maps/map_edit_actions.h"

#include "io/atomic_file.h"
#include "io/read_problem_text.h"
#include "maps/cell_scale.h"
#include "model/map_layout.h"
#include "texts/map_edit_texts.h"
#include "ui/files/dialogs.h"
#include "ui/maps/map_grid.h"
#include "ui/shell/main_menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTableView>

#include <charconv>
#include <sstream>

namespace quorvel {
namespace {

constexpr int kOpenFileErrorText = 26; // "Open file error!"
constexpr double kLargestScale = 1000.0;
constexpr double kLargestAmount = 30000.0;

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The heads typed for "Change RPM axis...", separated by blanks, commas or semicolons.
std::optional<std::array<int, kMapColumns>> parseHeads(const std::string& typed, int& badHead)
{
    std::string spaced = typed;
    for (char& c : spaced) {
        if (c == ',' || c == ';' || c == '\t')
            c = ' ';
    }
    std::istringstream words(spaced);
    std::array<int, kMapColumns> heads{};
    std::string word;
    int count = 0;
    while (words >> word) {
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc{} || end != word.data() + word.size() || count >= kMapColumns) {
            badHead = count + 1;
            return std::nullopt;
        }
        heads.at(static_cast<std::size_t>(count++)) = value;
    }
    if (count != kMapColumns) {
        badHead = count + 1;
        return std::nullopt;
    }
    return heads;
}

} // namespace

MapEditActions::MapEditActions(Parts parts)
    : m_parts(std::move(parts))
    , m_selection(m_parts.grid.selection())
    , m_commands(MapEditParts{m_parts.writer, m_parts.image, m_parts.tables, m_parts.grid.model().grid(), m_selection})
{
    buildItems();
}

MapEditActions::~MapEditActions() = default;

void MapEditActions::buildItems()
{
    m_contextMenu = new QMenu(&m_parts.grid);
    m_contextMenu->setObjectName(qText(kMapContextMenuName));
    QMenu& tools = m_parts.menu.menu("MenuTools");
    QMenu& file = m_parts.menu.menu("MenuFile");
    QAction* beforePrint = &m_parts.menu.action("MenuPrint");
    tools.addSeparator();
    bool fileItems = false;
    for (const MapEditItem& item : mapEditItems()) {
        if (item.isSeparator()) {
            if (item.offeredIn(kToolsMenu))
                tools.addSeparator();
            if (item.offeredIn(kGridContextMenu))
                m_contextMenu->addSeparator();
            continue;
        }
        auto* action = new QAction(qText(item.objectName), &m_parts.grid);
        action->setObjectName(qText(item.objectName));
        if (!item.shortcut.empty()) {
            action->setShortcut(QKeySequence(qText(item.shortcut)));
            // The keys belong to the grid: "-" and Ctrl+C keep their meaning in every field.
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_parts.grid.addAction(action);
        }
        const MapEditCommand command = item.command;
        QObject::connect(action, &QAction::triggered, &m_parts.grid, [this, command] { run(command); });
        if (item.offeredIn(kToolsMenu))
            tools.addAction(action);
        if (item.offeredIn(kGridContextMenu))
            m_contextMenu->addAction(action);
        if (item.offeredIn(kFileMenu)) {
            file.insertAction(beforePrint, action);
            fileItems = true;
        }
        m_actions.push_back(action);
    }
    if (fileItems)
        file.insertSeparator(beforePrint);
}

void MapEditActions::setMapPage(bool mapPage)
{
    for (QAction* action : m_actions)
        action->setEnabled(mapPage);
}

bool MapEditActions::stepSelection(StepDirection direction)
{
    if (!m_selection.isBlock())
        return false;
    show(m_commands.step(direction));
    return true;
}

void MapEditActions::typeCell(GridCell cell, DecimalNumber value)
{
    const MapEditStatus status = m_commands.typeCell(cell, value);
    // A typed cell that was taken needs no word; one that was refused says why.
    if (status.message != MapEditMessage::CellsChanged && status.message != MapEditMessage::NothingChanged)
        show(status);
}

std::optional<double> MapEditActions::askValue(MapEditMessage prompt, bool amount)
{
    const ControlRange range = m_parts.grid.model().grid().cellRange(MapGridModel::kRows - 1);
    const std::string unit(m_commands.unitName());
    const std::string question = mapEditText(MapEditStatus{prompt, 0, 0, {unit}}, m_language);
    if (m_commands.unit() == CellUnit::Milliseconds) {
        // Every cell has a range of its own in ms; the writer names the one a value leaves.
        constexpr double kLongestMs = 65.535;
        return m_parts.dialogs.askNumber(question, NumberQuestion{0, 0, kLongestMs, CellScale::kTimeDecimals});
    }
    if (amount)
        return m_parts.dialogs.askNumber(question,
                                         NumberQuestion{static_cast<double>(range.step), 0, kLargestAmount, 0});
    return m_parts.dialogs.askNumber(question, NumberQuestion{static_cast<double>(range.minimum),
                                                              static_cast<double>(range.minimum),
                                                              static_cast<double>(range.maximum), 0});
}

void MapEditActions::run(MapEditCommand command)
{
    using enum MapEditCommand;
    switch (command) {
    case SelectAll:
        m_selection.selectAll();
        m_parts.grid.showSelection();
        return;
    case Copy:
        QApplication::clipboard()->setText(QString::fromStdString(m_commands.copySelection()));
        return;
    case CopyWithHeads:
        QApplication::clipboard()->setText(QString::fromStdString(m_commands.copyMapWithHeads()));
        return;
    case Paste:
        show(m_commands.paste(QApplication::clipboard()->text().toStdString()));
        return;
    case SetValue:
        if (const auto value = askValue(MapEditMessage::PromptSetValue, false))
            show(m_commands.setValue(*value));
        return;
    case Add:
        if (const auto value = askValue(MapEditMessage::PromptAdd, true))
            show(m_commands.add(*value));
        return;
    case Subtract:
        if (const auto value = askValue(MapEditMessage::PromptSubtract, true))
            show(m_commands.subtract(*value));
        return;
    case Scale:
        if (const auto value = askNumber(MapEditMessage::PromptScale, 100, 0, kLargestScale, 2))
            show(m_commands.scale(*value));
        return;
    case InterpolateHorizontal:
        show(m_commands.interpolate(InterpolationAxis::Horizontal));
        return;
    case InterpolateVertical:
        show(m_commands.interpolate(InterpolationAxis::Vertical));
        return;
    case InterpolateBoth:
        show(m_commands.interpolate(InterpolationAxis::Both));
        return;
    case Smooth:
        show(m_commands.smooth());
        return;
    case FillLive:
        show(m_commands.fillWithLiveCell(m_parts.live()));
        return;
    case ChangeRpmAxis:
        changeRpmAxis();
        return;
    case ExportCsv:
        exportCsv();
        return;
    case ImportCsv:
        importCsv();
        return;
    }
}

std::optional<double> MapEditActions::askNumber(MapEditMessage prompt, double initial, double minimum, double maximum,
                                                int decimals)
{
    return m_parts.dialogs.askNumber(text(prompt), NumberQuestion{initial, minimum, maximum, decimals});
}

void MapEditActions::changeRpmAxis()
{
    std::string shown;
    for (const int head : m_commands.rpmHeads())
        shown += (shown.empty() ? "" : " ") + std::to_string(head);
    const std::optional<std::string> typed = m_parts.dialogs.askText(text(MapEditMessage::PromptRpmAxis), shown);
    if (!typed)
        return;
    int badHead = 0;
    const auto heads = parseHeads(*typed, badHead);
    if (!heads) {
        show(MapEditStatus{MapEditMessage::BadNewRpmHead, badHead, 0});
        return;
    }
    show(m_commands.changeRpmAxis(*heads));
}

DataFileQuestion MapEditActions::csvQuestion(bool save) const
{
    const MapLayout* map = MapTable::ofPage(m_parts.grid.model().grid().page());
    const std::string name = map != nullptr ? std::string(map->name) + ".csv" : std::string("map.csv");
    return DataFileQuestion{m_parts.folder() / name, save, text(MapEditMessage::CsvFileFilter), "csv"};
}

void MapEditActions::exportCsv()
{
    const auto path = m_parts.dialogs.askDataFile(csvQuestion(true));
    if (!path)
        return;
    if (const auto error = writeFileAtomically(*path, m_commands.exportCsv())) {
        m_parts.dialogs.showMessage(fileErrorText(m_parts.texts.text(kOpenFileErrorText), *error));
        return;
    }
    show(MapEditStatus{MapEditMessage::MapExported, 0, 0});
}

void MapEditActions::importCsv()
{
    const auto path = m_parts.dialogs.askDataFile(csvQuestion(false));
    if (!path)
        return;
    const FileRead content = readFileWithin(*path, kMapTextLimit);
    if (!content.bytes) {
        m_parts.dialogs.showMessage(fileErrorText(m_parts.texts.text(kOpenFileErrorText),
                                                  readProblemText(content, *path, kMapTextLimit, m_language)));
        return;
    }
    show(m_commands.importCsv(*content.bytes));
}

std::string MapEditActions::text(MapEditMessage message) const
{
    return mapEditText(MapEditStatus{message, 0, 0}, m_language);
}

void MapEditActions::show(const MapEditStatus& status)
{
    m_parts.showStatus(mapEditText(status, m_language));
}

} // namespace quorvel
