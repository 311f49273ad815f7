#include "maps/position_tools.h"

#include "model/field_codec.h"
#include "model/field_table.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kAngleCeiling = 144; // 720 degrees in steps of 5

const Field& angles(PositionBank bank)
{
    return *FieldTable::byName(bank == PositionBank::A ? "PositionAAngle" : "PositionBAngle");
}

} // namespace

ToolOutcome stepPosition(ParamImage& image, PositionBank bank, StepDirection direction, bool all,
                         const PositionColumns& live)
{
    const Field& field = angles(bank);
    const int point = bank == PositionBank::A ? live.a : live.b;
    bool moved = false;
    for (int i = 0; i < field.count; ++i) {
        if (!all && i != point)
            continue;
        const int offset = field.elementOffset(i);
        const int value = image.byte(offset);
        const int next = std::clamp(value + static_cast<int>(direction), 0, kAngleCeiling);
        // An angle beyond 720 degrees is the sanitiser's to cap; a step never moves it further.
        if (next != value && value <= kAngleCeiling) {
            image.setByte(offset, static_cast<std::uint8_t>(next));
            moved = true;
        }
    }
    return ToolOutcome::done(moved);
}

} // namespace quorvel
