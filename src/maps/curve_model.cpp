#include "maps/curve_model.h"

#include "core/page_index.h"
#include "maps/map_surface_model.h"
#include "model/field_codec.h"
#include "model/idle_servo_units.h"
#include "model/page_binding.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace quorvel {
namespace {

// A value of a curve point: an element of a parameter as its control shows it, or a constant.
struct Source {
    const Field* field = nullptr;
    int element = 0;
    int constant = 0;

    [[nodiscard]] int value(const ParamImage& image) const
    {
        return field == nullptr ? constant : readShown(image, *field, element);
    }
};

struct PointDefinition {
    Source x;
    Source y;
    std::string liveControl; // object name of the control whose live mark selects the point
};

struct CurveDefinition {
    int page;
    std::string_view name;
    std::string_view xTitle;
    std::string_view yTitle;
    std::vector<PointDefinition> points;
    bool idleServoUnits = false; // the y unit follows the idle mode
};

const Field& field(std::string_view name)
{
    const Field* found = FieldTable::byName(name);
    assert(found != nullptr);
    return *found;
}

std::string liveControlOf(const Field& f, int element)
{
    return fieldControl(f, element).key().objectName();
}

// An array parameter over fixed x values (temperatures), point i being element i.
CurveDefinition overFixed(int page, std::string_view name, std::string_view xTitle, std::string_view yTitle,
                          std::span<const int> xs, std::string_view yField)
{
    CurveDefinition curve{page, name, xTitle, yTitle, {}};
    const Field& y = field(yField);
    for (int i = 0; i < static_cast<int>(xs.size()); ++i)
        curve.points.push_back({{nullptr, 0, xs[static_cast<std::size_t>(i)]}, {&y, i, 0}, liveControlOf(y, i)});
    return curve;
}

// Two array parameters of the same length, point i being element i of both.
CurveDefinition overField(int page, std::string_view name, std::string_view xTitle, std::string_view yTitle,
                          std::string_view xField, std::string_view yField)
{
    CurveDefinition curve{page, name, xTitle, yTitle, {}};
    const Field& x = field(xField);
    const Field& y = field(yField);
    for (int i = 0; i < y.count; ++i)
        curve.points.push_back({{&x, i, 0}, {&y, i, 0}, liveControlOf(y, i)});
    return curve;
}

// The starting correction at -10 °C over the time after start: SyticKorekce0 at 0 s, 1..3 at
// SyticCas1..3, and 100 % at SyticCas4. The live mark sits on the time of the point in use.
CurveDefinition startingCorrection()
{
    CurveDefinition curve{kPageKorekce, "CurveStart", "AxisStartTime", "AxisInjectionCorrection", {}};
    for (int i = 0; i <= 4; ++i) {
        const Source x = i == 0 ? Source{nullptr, 0, 0} : Source{&field("SyticCas" + std::to_string(i)), 0, 0};
        const Source y = i < 4 ? Source{&field("SyticKorekce" + std::to_string(i)), 0, 0} : Source{nullptr, 0, 100};
        curve.points.push_back({x, y, i == 0 ? std::string("LabelSyticCas0") : liveControlOf(*x.field, 0)});
    }
    return curve;
}

const std::vector<CurveDefinition>& pageCurves()
{
    static constexpr std::array kCorrectionTemperatures = {-10, 20, 50, 80, 110};
    static constexpr std::array kSensorTemperatures = {-10, 5, 20, 35, 50, 65, 80, 95, 110};
    static const std::vector<CurveDefinition> curves = [] {
        std::vector<CurveDefinition> all;
        all.push_back(overField(kPagePoloha, "CurvePositionA", "AxisRpm", "AxisInjectionPosition", "PositionARpm",
                                "PositionAAngle"));
        all.push_back(overField(kPagePoloha, "CurvePositionB", "AxisRpm", "AxisInjectionPosition", "PositionBRpm",
                                "PositionBAngle"));
        // The three temperature curves share one axis: the legend tells coolant from intake air.
        all.push_back(overFixed(kPageKorekce, "CurveKorVoda", "AxisTemperature", "AxisInjectionCorrection",
                                kCorrectionTemperatures, "KorVoda"));
        all.push_back(overFixed(kPageKorekce, "CurveKorVzduch", "AxisTemperature", "AxisInjectionCorrection",
                                kCorrectionTemperatures, "KorVzduch"));
        all.push_back(overFixed(kPageKorekce, "CurveIgnVoda", "AxisTemperature", "AxisAdvanceCorrection",
                                kCorrectionTemperatures, "IgnVoda"));
        all.push_back(startingCorrection());
        CurveDefinition servo = overFixed(kPageIdle, "CurveIdleServoPoz", "AxisCoolantTemperature", "AxisIdleTarget",
                                          kSensorTemperatures, "IdleServoPoz");
        servo.idleServoUnits = true;
        all.push_back(std::move(servo));
        all.push_back(overFixed(kPageIdle, "CurveIdleAdvPoz", "AxisCoolantTemperature", "AxisIdleRpm",
                                kSensorTemperatures, "IdleAdvPoz"));
        return all;
    }();
    return curves;
}

std::string_view yTitleOf(const CurveDefinition& curve, const ParamImage& image)
{
    if (curve.idleServoUnits && IdleServoUnits::inPercent(image.byte(field("IdleMode").offset),
                                                          image.byte(field("ServoInProcent").offset) != 0))
        return "AxisIdleTargetPercent";
    return curve.yTitle;
}

bool sameShape(const Curve& a, const Curve& b)
{
    return a.name == b.name && a.xTitle == b.xTitle && a.yTitle == b.yTitle && a.slice == b.slice &&
           a.points.size() == b.points.size();
}

bool isLit(const ControlMark& mark)
{
    return mark.colour == ColourRole::Lime || mark.colour == ColourRole::Yellow;
}

} // namespace

CurveChange CurveModel::update(int page, const ParamImage& image, const MapGridModel& grid)
{
    std::vector<Curve> curves;
    LiveControls live;
    if (page == grid.page()) {
        buildMapCurve(grid, curves, live);
    } else {
        for (const CurveDefinition& definition : pageCurves()) {
            if (definition.page != page)
                continue;
            Curve curve{definition.name, definition.xTitle, yTitleOf(definition, image), -1, {}, std::nullopt};
            std::vector<std::string>& controls = live.emplace_back();
            for (const PointDefinition& point : definition.points) {
                curve.points.push_back(
                    {static_cast<double>(point.x.value(image)), static_cast<double>(point.y.value(image))});
                controls.push_back(point.liveControl);
            }
            curves.push_back(std::move(curve));
        }
    }

    CurveChange change;
    change.series =
        page != m_page || curves.size() != m_curves.size() || !std::ranges::equal(curves, m_curves, sameShape);
    if (!change.series) {
        for (std::size_t c = 0; c < curves.size(); ++c) {
            for (std::size_t p = 0; p < curves[c].points.size(); ++p) {
                if (curves[c].points[p] != m_curves[c].points[p])
                    change.points.push_back({static_cast<int>(c), static_cast<int>(p)});
            }
        }
    }
    if (page != m_page)
        m_marks.clear();
    m_page = page;
    m_liveControls = std::move(live);
    for (std::size_t c = 0; c < curves.size(); ++c) {
        curves[c].live = livePoint(c, m_marks);
        change.live = change.live || change.series || curves[c].live != m_curves[c].live;
    }
    m_curves = std::move(curves);
    return change;
}

CurveChange CurveModel::setLiveMarks(std::span<const ControlMark> marks)
{
    m_marks.clear();
    for (const ControlMark& mark : marks) {
        if (isLit(mark))
            m_marks.push_back(mark);
    }
    CurveChange change;
    for (std::size_t c = 0; c < m_curves.size(); ++c) {
        const std::optional<int> live = livePoint(c, m_marks);
        if (live != m_curves[c].live) {
            m_curves[c].live = live;
            change.live = true;
        }
    }
    return change;
}

void CurveModel::buildMapCurve(const MapGridModel& grid, std::vector<Curve>& curves, LiveControls& live) const
{
    const std::vector<int> rows = grid.layout().shownRows();
    const std::vector<int> columns = grid.layout().shownColumns();
    if (rows.empty() || columns.empty())
        return;
    // A page that shows one row or one column is that curve; a full map shows the chosen one.
    std::optional<MapSlice> slice = m_slice;
    if (rows.size() == 1)
        slice = MapSlice{MapSlice::Kind::Row, rows.front()};
    else if (columns.size() == 1)
        slice = MapSlice{MapSlice::Kind::Column, columns.front()};
    if (!slice)
        return;
    const bool byRow = slice->kind == MapSlice::Kind::Row;
    const std::vector<int>& across = byRow ? columns : rows;
    const std::vector<int>& along = byRow ? rows : columns;
    if (std::ranges::find(along, slice->index) == along.end())
        return;

    Curve curve{byRow ? "CurveMapRow" : "CurveMapColumn",
                byRow ? MapSurfaceModel::xTitle() : mapRowTitle(grid),
                mapValueTitle(grid),
                slice->index,
                {},
                std::nullopt};
    std::vector<std::string>& controls = live.emplace_back();
    for (int i : across) {
        const int row = byRow ? slice->index : i;
        const int column = byRow ? i : slice->index;
        const double x = byRow ? grid.rpmHead(column) : mapRowValue(grid, row);
        curve.points.push_back({x, mapCellValue(grid, row, column)});
        controls.push_back(ControlKey{"EditMap_Uni", row * kMapColumns + column}.objectName());
    }
    curves.push_back(std::move(curve));
}

std::optional<int> CurveModel::livePoint(std::size_t curve, std::span<const ControlMark> marks) const
{
    if (marks.empty())
        return std::nullopt;
    const std::vector<std::string>& controls = m_liveControls[curve];
    for (const ControlMark& mark : marks) {
        const std::string name = mark.key.objectName();
        const auto it = std::ranges::find(controls, name);
        if (it != controls.end())
            return static_cast<int>(it - controls.begin());
    }
    return std::nullopt;
}

} // namespace quorvel
