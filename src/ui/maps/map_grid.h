#pragma once

#include "core/message_texts.h"
#include "io/decimal_text.h"
#include "log/cell_overlay.h"
#include "log/correction_suggestions.h"
#include "maps/file_compare.h"
#include "maps/map_grid_surface.h"
#include "maps/map_selection.h"
#include "maps/map_tools.h"
#include "ui/files/print_look_surface.h"
#include "ui/maps/map_grid_table_model.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <string_view>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QSpinBox;
class QTableView;

namespace quorvel {

class ControlRegistry;
class SpinButton;

// What the user did on the grid, for the map page commands to carry out.
struct MapGridHandlers {
    std::function<void()> cellEdited;                       // an RPM head, a pressure row or a field took a new value
    std::function<void(GridCell, DecimalNumber)> cellTyped; // a cell took a value, in the unit it shows
    std::function<void(std::string_view control, int index, int shown)> fieldEdited; // extras, "Step motor"
    std::function<void()> optionToggled;                                             // "TPS" or "Ms"
    std::function<void()> allToggled;                                                // "All"
    std::function<void(bool)> coloursToggled;                                        // "Colours"
    std::function<void(QPoint)> contextMenu; // where the grid's context menu opens, global
    std::function<void()> selectionChanged;
    std::function<void(bool)> servoEnable;
    std::function<void(bool)> percent;
    std::function<void(int)> servoMode;
    std::function<void(int column, StepDirection)> columnSpin;
    std::function<void(StepDirection)> tools;
};

// GroupBoxMap_Uni: the one map grid that moves onto whichever map page is active. A table view
// over the grid model with spin-box editing, the column spins under it, and the page's tools,
// options and auxiliary fields below. The controls outside the table carry the object names the
// views and live marks refer to; the RPM heads, row heads and cells are items of the table.
class MapGrid final : public QWidget, public MapGridSurface, public PrintLookSurface {
public:
    static constexpr int kExtraFields = 6;
    static constexpr int kExtraLabels = 5;

    MapGrid(const ParamImage& image, const bool& showMs, QWidget* parent = nullptr);

    void setHandlers(MapGridHandlers handlers);
    // The cells, heads and labels of the table are items, not widgets: they are known by name
    // through the grid.
    void registerItems(ControlRegistry& registry);

    // MapGridSurface
    void showMapPage(int page, const MapPageValues& values) override;
    [[nodiscard]] MapPageValues mapPageValues() const override;

    // The view refresh's part of the grid: which rows, columns and heads show.
    void showLayout(const GridLayout& layout, bool rowHeads);
    // Live marks of the monitor refresh; repaints only the items whose colour changed.
    void applyMarks(std::span<const ControlMark> marks);
    // PrintLookSurface: the row labels on white.
    void setPrintLook(bool on) override;

    [[nodiscard]] MapGridTableModel& model() { return *m_model; }
    [[nodiscard]] QTableView& table() const { return *m_table; }
    [[nodiscard]] QCheckBox& allBox() const { return *m_all; }
    [[nodiscard]] QCheckBox& msBox() const { return *m_ms; }
    [[nodiscard]] QCheckBox& coloursBox() const { return *m_colours; }
    // The block of cells the user selected, kept to what the page shows.
    [[nodiscard]] MapSelection& selection() { return m_selection; }
    // Shows the selection of the headless model on the table (after Select all).
    void showSelection();
    // The cells and heads a comparison marks (EditMap_Uni, EditRpm_Uni, EditRow_Uni), with
    // both values in their tooltips; none clears them.
    void showCompareMarks(std::span<const CompareMark> marks, Language language);
    // The overlay of an open log (time and lambda per cell); none takes it away.
    void showOverlay(const CellOverlay* overlay, Language language);
    // The cells a correction proposal would change; empty clears them.
    void showPreview(std::span<const CellCorrection> cells);
    // Makes a cell or head the current item, so the user sees it.
    void showItem(const ControlKey& key);
    // "Colours": every shown cell on the cool-to-warm scale of the map's values, with a legend.
    void setValueColours(bool on);

private:
    void buildTable();
    void fitTable();
    void buildColumnSpins(QHBoxLayout& row);
    void buildOptions(QHBoxLayout& row);
    void buildExtras();
    // The auxiliary fields and their labels in the order the page reads them.
    void arrangeExtras(int page);
    void showFieldValues();
    void takeSelectionFromTable();
    void showLegend();
    void forward(const std::function<void()>& action);

    const ParamImage& m_image;
    const bool& m_showMs;
    MapGridTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    std::array<QWidget*, MapGridModel::kColumns> m_columnSpinBoxes{};
    QHBoxLayout* m_extrasRow = nullptr;
    std::array<QSpinBox*, kExtraFields> m_extras{};
    std::array<QLabel*, kExtraLabels> m_extraLabels{};
    QCheckBox* m_all = nullptr;
    QCheckBox* m_tps = nullptr;
    QCheckBox* m_ms = nullptr;
    QCheckBox* m_colours = nullptr;
    QLabel* m_legendLow = nullptr;
    QLabel* m_legendHigh = nullptr;
    MapSelection m_selection;
    QCheckBox* m_servoEnable = nullptr;
    QCheckBox* m_percent = nullptr;
    QCheckBox* m_stepMotor = nullptr;
    QGroupBox* m_servoModes = nullptr;
    QButtonGroup* m_servoModeButtons = nullptr;
    MapGridHandlers m_handlers;
    bool m_showing = false; // values are being put on screen, not typed by the user
};

} // namespace quorvel
