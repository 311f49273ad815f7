#include "maps/servo_percent_switch.h"

#include "core/page_index.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/idle_servo_units.h"
#include "model/map_layout.h"

#include <algorithm>

namespace quorvel {

std::uint8_t servoByteToPercent(std::uint8_t stored)
{
    return static_cast<std::uint8_t>((2 * stored + 2) / 5);
}

std::uint8_t servoByteToMillivolts(std::uint8_t stored)
{
    // A percentage above 102 has no voltage in a byte; it takes the highest rather than wrap.
    return static_cast<std::uint8_t>(std::min(5 * stored / 2, 255));
}

ToolOutcome switchServoPercent(ParamImage& image, int page, bool percent)
{
    const MapLayout* map = MapTable::ofPage(page);
    const auto option = FieldTable::byControl("CheckBoxProcenta", -1, page);
    if (map == nullptr || !option)
        return ToolOutcome::done(false);
    const Field& flag = *option->field;
    const bool wasPercent = readCode(image, flag) != 0;
    if (wasPercent == percent)
        return ToolOutcome::done(false);

    writeShown(image, flag, 0, percent ? 1 : 0);
    for (int e = 0; e < kMapCells; ++e) {
        const auto stored = static_cast<std::uint8_t>(mapCell(image, map->id, e));
        std::uint8_t converted = percent ? servoByteToPercent(stored) : servoByteToMillivolts(stored);
        if (e < kMapColumns)
            converted = std::min(converted, kServoFirstRowMaximum); // 100 % on the first row is 4980 mV
        setMapCell(image, map->id, e, converted);
    }
    if (page == kPageIntakeServo) {
        const int idleMode = readCode(image, *FieldTable::byName("IdleMode"));
        IdleServoUnits::convert(image, idleMode, wasPercent, idleMode, percent);
    }
    return ToolOutcome::done(true);
}

} // namespace quorvel
