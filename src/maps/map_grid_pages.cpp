#include "maps/map_grid_pages.h"

#include "model/jet_coupling.h"

namespace quorvel {
namespace {

constexpr ControlKey kAllBox{"CheckBoxAll_Uni"};

} // namespace

MapGridPages::MapGridPages(ParamImage& image, InjectionTables& tables, Controls& controls, MapGridSurface& grid)
    : m_image(image)
    , m_tables(tables)
    , m_controls(controls)
    , m_grid(grid)
{
}

void MapGridPages::fill(int page)
{
    const MapPageValues values =
        fillMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page);
    m_grid.showMapPage(page, values);
    m_controls.setChecked(kAllBox, allFlag(page));
}

void MapGridPages::collect(int page)
{
    collectMapPage(m_image, m_tables, selectBikeGrids(m_image), JetCoupling::fromImage(m_image), page,
                   m_grid.mapPageValues());
    setAllFlag(page, m_controls.checked(kAllBox));
}

void MapGridPages::refreshView(int page)
{
    if (m_viewRefresh)
        m_viewRefresh(page);
}

} // namespace quorvel
