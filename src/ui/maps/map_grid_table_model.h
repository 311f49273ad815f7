#pragma once

#include "io/decimal_text.h"
#include "maps/grid_cell.h"
#include "maps/map_colour_scale.h"
#include "maps/map_grid_model.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <map>
#include <optional>

namespace quorvel {

// The shared map grid as one Qt table: row 0 holds the RPM axis heads, column 0 the row heads
// ("0%".."100%", or the IAP_IAP pressures on "Inj-IAP"), and row r + 1, column c + 1 the map
// cell r, c. Everything is read from and written to the headless MapGridModel, so that what a
// cell shows and what collect stores are one and the same.
class MapGridTableModel final : public QAbstractTableModel {
public:
    // The spin box of the delegate takes its bounds and step from these roles.
    enum Role : int {
        MinimumRole = Qt::UserRole + 1,
        MaximumRole,
        StepRole,
        LiveMarkRole, // a cell the live marking painted: drawn over the selection
        DecimalsRole, // places of a cell's value: 3 while the cells show their times in ms
    };
    static constexpr int kHeadRow = 0;
    static constexpr int kHeadColumn = 0;

    using EditHandler = std::function<void()>;
    // A value typed into a cell, in the unit the cell shows; the writer of the tune takes it.
    using CellHandler = std::function<void(GridCell, DecimalNumber)>;

    explicit MapGridTableModel(QObject* parent = nullptr);

    [[nodiscard]] MapGridModel& grid() { return m_grid; }
    [[nodiscard]] const MapGridModel& grid() const { return m_grid; }

    // Runs after every head the user changed through setData.
    void setEditHandler(EditHandler handler) { m_edited = std::move(handler); }
    // Takes every value typed into a cell; the grid holds no typed value itself.
    void setCellHandler(CellHandler handler) { m_cellTyped = std::move(handler); }

    // The grid was loaded or laid out anew: every item may read differently.
    void reload();
    // Live marks applied to the grid: only the items whose colour changed are announced.
    void repaint(const GridRepaint& changed);
    // On paper the throttle row labels stand on white.
    void setPrintLook(bool on);
    // "Colours": the cells take the colour of their value between the map's lowest and highest.
    void setValueColours(bool on);
    // The cells and heads whose values differ from a compared file or the unit, with the
    // tooltip that gives both values; an empty map clears them. Drawn in the compare colour.
    struct CompareTips {
        std::map<int, QString> cells; // element 15 * row + column
        std::map<int, QString> rpmHeads;
        std::map<int, QString> rowHeads;
    };
    void setCompareTips(CompareTips tips);
    // A log's time and lambda per cell: the colour under the live marks and the hover text.
    void setOverlay(std::map<int, std::pair<QColor, QString>> overlay);
    // Cells a suggestion would change, drawn as compared ones, with the change in the tooltip.
    void setPreview(std::map<int, QString> preview);
    // The lowest and highest value shown, as of the last reload; none without shown cells.
    [[nodiscard]] std::optional<ColourLegend> legend() const { return m_legend; }

    [[nodiscard]] static QModelIndex cellIndexOf(const QAbstractItemModel& model, int row, int column)
    {
        return model.index(row + 1, column + 1);
    }

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    [[nodiscard]] QVariant cellData(int row, int column, int role) const;
    [[nodiscard]] QVariant cellBackground(int row, int column) const;
    // Tooltip, text colour and weight of an item some comparison marks; none for the others.
    [[nodiscard]] QVariant compareData(const std::map<int, QString>& tips, int key, int role) const;
    [[nodiscard]] QVariant rpmHeadData(int column, int role) const;
    [[nodiscard]] QVariant rowHeadData(int row, int role) const;
    [[nodiscard]] bool isOwnItem(const QModelIndex& index) const;
    [[nodiscard]] bool editable(const QModelIndex& index) const;
    void announce(int tableRow, int tableColumn, const QList<int>& roles);

    MapGridModel m_grid;
    EditHandler m_edited;
    CellHandler m_cellTyped;
    bool m_printLook = false;
    bool m_valueColours = false;
    std::optional<ColourLegend> m_legend;
    CompareTips m_compare;
    std::map<int, std::pair<QColor, QString>> m_overlay;
    std::map<int, QString> m_preview;
};

} // namespace quorvel
