#pragma once

#include "core/param_image.h"
#include "model/injection_tables.h"

namespace quorvel {

// One defaults run: the whole image (`pageOnlyLoad` false), or only the fields of the active
// page plus the items every run sets (the derived fields, the servo modes, the coupling of
// bike 50, the reference tables).
struct DefaultsRun {
    bool pageOnlyLoad = false;
    int activePage = 0;
};

// Writes the defaults of the bike whose code is at image 150 into the image and into the
// percent tables: every injection map a run resets gets 100 % everywhere and is stored as its
// reference table. A code above 52 gets the defaults of `kUnlistedBikeStandIn`.
void applyDefaults(ParamImage& image, InjectionTables& tables, const DefaultsRun& run);

// Writes the fields that the unit needs about the bike and no page shows, and the choke flag
// beside the image, from the code at image 150.
void deriveBikeFields(ParamImage& image);

} // namespace quorvel
