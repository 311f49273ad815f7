#pragma once

#include "core/page_index.h"
#include "core/param_image.h"
#include "maps/map_grid_surface.h"
#include "maps/map_page_hook.h"
#include "model/controls.h"
#include "model/injection_tables.h"

#include <array>
#include <functional>
#include <utility>

namespace quorvel {

// The map pages bound through the shared grid: fill and collect of the map model, and the
// "All" box of each page, whose state is kept per page between fills and between runs.
class MapGridPages final : public MapPageHook {
public:
    using ViewRefresh = std::function<void(int page)>;

    MapGridPages(ParamImage& image, InjectionTables& tables, Controls& controls, MapGridSurface& grid);

    void fill(int page) override;
    void collect(int page) override;
    void refreshView(int page) override;

    // The view of the map pages and the parts common to every page, decided by the map views.
    void setViewRefresh(ViewRefresh refresh) { m_viewRefresh = std::move(refresh); }

    // AllFlags: the "All" box of each page, saved with the settings.
    [[nodiscard]] bool allFlag(int page) const { return m_allFlags[static_cast<std::size_t>(page)]; }
    void setAllFlag(int page, bool on) { m_allFlags[static_cast<std::size_t>(page)] = on; }

private:
    ParamImage& m_image;
    InjectionTables& m_tables;
    Controls& m_controls;
    MapGridSurface& m_grid;
    ViewRefresh m_viewRefresh;
    std::array<bool, kPageCount> m_allFlags{};
};

} // namespace quorvel
