#pragma once

#include "model/map_page.h"

namespace quorvel {

// The shared map grid as a table of shown values: the grid model of the window implements it.
class MapGridSurface {
public:
    virtual ~MapGridSurface() = default;
    virtual void showMapPage(int page, const MapPageValues& values) = 0;
    // What the grid shows now, with the user's edits.
    [[nodiscard]] virtual MapPageValues mapPageValues() const = 0;
};

} // namespace quorvel
