#pragma once

#include "core/monitor_snapshot.h"
#include "core/param_image.h"
#include "model/map_layout.h"

#include <cstdint>

namespace quorvel {

// The cells a session tunes: a block of rows by columns, bounds included.
struct TuningRange {
    int firstRow = 0;
    int lastRow = kMapRows - 1;
    int firstColumn = 0;
    int lastColumn = kMapColumns - 1;

    [[nodiscard]] bool contains(int element) const;
    bool operator==(const TuningRange&) const = default;
};

// What a live tuning session works by. The first five are the unit's own Tuning fields, so a
// session tunes toward the target the tune carries, not a flat one of its own.
struct TuningSettings {
    int targetMv = 450;             // LadeniLambda: the voltage a cell should read
    int bandMv = 50;                // LadeniHyster: a mean within target +- band reads in band
    int rpmWindow = 100;            // LadeniRpm: how far from a column's head the engine may run
    int throttleWindowPercent = 1;  // LadeniTps: the same from a throttle row (kPa on the IAP map)
    std::uint32_t holdMs = 1000;    // LadeniCas: how long the engine must stay in a cell to count
    double stepPercent = 2.0;       // the change of one pass
    double maxChangePercent = 10.0; // no cell ever moves further from where the session found it
    MapId map = MapId::Jet1A;
    TuningRange range;
};

// The settings of the image's Tuning page for tuning `map`, with the default step, limit and
// the whole map as range.
[[nodiscard]] TuningSettings tuningSettingsFromImage(const ParamImage& image, MapId map);

// The injection map the unit doses by in a frame: IAP while the throttle maps have no share,
// else Inj. 1A.
[[nodiscard]] MapId mapInUse(const MonitorSnapshot& live);

} // namespace quorvel
