#include "maps/grid_layout.h"

#include "core/page_index.h"
#include "model/jet_coupling.h"

namespace quorvel {
namespace {

using enum GridLayoutMode;

constexpr int kAdvTps = 190;
constexpr int kServoExEnable = 208;
constexpr int kServoInEnable = 209;
constexpr int kServoExMode = 214;
constexpr int kServoInMode = 215;

GridLayoutMode servoMode(const ParamImage& image, int enableOffset, int modeOffset)
{
    if (image.byte(enableOffset) == 0)
        return Empty;
    switch (image.byte(modeOffset)) {
    case 1:
        return OneRow;
    case 2:
        return OneColumn;
    default:
        return Full;
    }
}

} // namespace

GridLayout GridLayout::of(GridLayoutMode mode)
{
    GridLayout layout;
    layout.mode = mode;
    switch (mode) {
    case Empty:
        layout = {mode, false, false, false, false, false, false, false};
        break;
    case Full:
    case OneRow:
        layout.columnSpins = mode == Full;
        break;
    case Follower:
        layout = {mode, true, false, false, false, true, false, false};
        break;
    case FullTimes:
        layout = {mode, false, true, true, true, true, true, true};
        break;
    case FollowerTimes:
        layout = {mode, false, false, false, true, true, false, false};
        break;
    case OneColumn:
        layout = {mode, true, true, true, false, false, false, false};
        break;
    }
    return layout;
}

bool GridLayout::rowShown(int row) const
{
    return mode != Empty && (mode != OneRow || row == kMapRows - 1);
}

bool GridLayout::columnShown(int column) const
{
    return mode != Empty && (mode != OneColumn || column == 0);
}

std::vector<int> GridLayout::shownRows() const
{
    std::vector<int> rows;
    for (int r = 0; r < kMapRows; ++r) {
        if (rowShown(r))
            rows.push_back(r);
    }
    return rows;
}

std::vector<int> GridLayout::shownColumns() const
{
    std::vector<int> columns;
    for (int c = 0; c < kMapColumns; ++c) {
        if (columnShown(c))
            columns.push_back(c);
    }
    return columns;
}

bool GridLayout::cellVisible(int row, int column) const
{
    return rowShown(row) && columnShown(column) && (cellFields || msLabels);
}

bool GridLayout::cellEditable(int row, int column) const
{
    return cellVisible(row, column) && cellsEnabled && cellUpDowns;
}

GridLayoutMode gridLayoutMode(const ParamImage& image, int page, bool showMs)
{
    switch (page) {
    case kPageAdvance:
        return image.byte(kAdvTps) != 0 ? Full : OneRow;
    case kPageInj1A:
    case kPageInjIap:
        return showMs ? FullTimes : Full;
    case kPageInj2A:
    case kPageInj3A:
    case kPageInj4A:
        if (JetCoupling::fromImage(image).coupled)
            return showMs ? FollowerTimes : Follower;
        return showMs ? FullTimes : Full;
    case kPageIntakeServo:
        return servoMode(image, kServoInEnable, kServoInMode);
    case kPageExhaustServo:
        return servoMode(image, kServoExEnable, kServoExMode);
    default:
        return Full;
    }
}

} // namespace quorvel
