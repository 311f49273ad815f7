#pragma once

#include "core/param_image.h"
#include "core/sanitise.h"
#include "model/bike_defaults.h"
#include "model/injection_tables.h"

namespace quorvel::testing_maps {

inline constexpr int kStartBike = 11;

// The image the window starts with: the defaults of the start bike, sanitised, with the working
// percent tables of its maps.
inline ParamImage defaultImage(InjectionTables& tables)
{
    ParamImage image;
    image.setByte(150, kStartBike);
    applyDefaults(image, tables, {});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    tables.refreshFromImage(image);
    return image;
}

} // namespace quorvel::testing_maps
