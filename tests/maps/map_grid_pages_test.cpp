#include "maps/map_grid_pages.h"

#include "core/page_index.h"
#include "model/fake_controls.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class RecordingGrid final : public MapGridSurface {
public:
    int page = -1;
    MapPageValues shown;

    void showMapPage(int p, const MapPageValues& values) override
    {
        page = p;
        shown = values;
    }
    [[nodiscard]] MapPageValues mapPageValues() const override { return shown; }
};

class MapGridPagesTest : public testing::Test {
protected:
    ParamImage image;
    InjectionTables tables;
    FakeControls controls;
    RecordingGrid grid;
    MapGridPages pages{image, tables, controls, grid};
};

TEST_F(MapGridPagesTest, Fill_ShowsTheMapOfThePageAndItsAllBox)
{
    image.setByte(2000 + 17, 42); // Inj-B row 1, column 2
    pages.setAllFlag(kPageInjB, true);
    pages.fill(kPageInjB);
    EXPECT_EQ(grid.page, kPageInjB);
    EXPECT_EQ(grid.shown.cells[17], 42);
    EXPECT_TRUE(controls.checked({"CheckBoxAll_Uni"}));
    pages.fill(kPageAdvance);
    EXPECT_FALSE(controls.checked({"CheckBoxAll_Uni"}));
}

TEST_F(MapGridPagesTest, Collect_StoresTheGridAndTheAllBoxOfThePage)
{
    pages.fill(kPageInjB);
    grid.shown.cells[0] = 77;
    controls.setChecked({"CheckBoxAll_Uni"}, true);
    pages.collect(kPageInjB);
    EXPECT_EQ(image.byte(2000), 77);
    EXPECT_TRUE(pages.allFlag(kPageInjB));
    EXPECT_FALSE(pages.allFlag(kPageAdvance));
}

TEST_F(MapGridPagesTest, ViewRefresh_IsHandedToTheMapViews)
{
    int refreshed = -1;
    pages.refreshView(kPageBike); // nothing set: nothing happens
    pages.setViewRefresh([&](int page) { refreshed = page; });
    pages.refreshView(kPageInjIap);
    EXPECT_EQ(refreshed, kPageInjIap);
}

} // namespace
} // namespace quorvel
