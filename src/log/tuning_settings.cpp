#include "log/tuning_settings.h"

#include "model/field_codec.h"
#include "model/field_table.h"

namespace quorvel {
namespace {

int shown(const ParamImage& image, std::string_view name)
{
    return readShown(image, *FieldTable::byName(name));
}

} // namespace

bool TuningRange::contains(int element) const
{
    const int row = element / kMapColumns;
    const int column = element % kMapColumns;
    return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
}

TuningSettings tuningSettingsFromImage(const ParamImage& image, MapId map)
{
    TuningSettings settings;
    settings.targetMv = shown(image, "LadeniLambda");
    settings.bandMv = shown(image, "LadeniHyster");
    settings.rpmWindow = shown(image, "LadeniRpm");
    settings.throttleWindowPercent = shown(image, "LadeniTps");
    settings.holdMs = static_cast<std::uint32_t>(shown(image, "LadeniCas"));
    settings.map = map;
    return settings;
}

MapId mapInUse(const MonitorSnapshot& live)
{
    return live.UsesIapMap && !live.UsesTpsMaps ? MapId::Iap : MapId::Jet1A;
}

} // namespace quorvel
