#include "model/bike_jet_grids.h"

namespace quorvel {
namespace {

// The 69 grids, named after the first bike code of the group that uses them. Produced by
// tools/bike_tables.py from its engine model; the outer grid of bike 1 is the factory grid.
#include "model/bike_jet_grid_tables.inc"

constexpr int kLastListedCode = 52;
constexpr int kFallbackCode = 26;

struct GridChoice {
    const BikeJetGrid* outer;
    const BikeJetGrid* inner;
    const BikeJetGrid* iap;
};

constexpr GridChoice grids(const BikeJetGrid& outer, const BikeJetGrid& inner, const BikeJetGrid& iap)
{
    return {&outer, &inner, &iap};
}

// Indexed by bike code. Bikes of one group share all three grids, except that 34 and 47 keep an
// IAP grid each and 39 uses the IAP grid of 26.
constexpr std::array<GridChoice, kLastListedCode + 1> kGridsByCode = {
    grids(kOuter0, kInner0, kIap0),    // 0
    grids(kOuter1, kInner1, kIap1),    // 1
    grids(kOuter2, kInner2, kIap2),    // 2
    grids(kOuter3, kInner3, kIap3),    // 3
    grids(kOuter4, kInner4, kIap4),    // 4
    grids(kOuter5, kInner5, kIap5),    // 5
    grids(kOuter6, kInner6, kIap6),    // 6
    grids(kOuter7, kInner7, kIap7),    // 7
    grids(kOuter8, kInner8, kIap8),    // 8
    grids(kOuter9, kInner9, kIap9),    // 9
    grids(kOuter9, kInner9, kIap9),    // 10
    grids(kOuter6, kInner6, kIap6),    // 11
    grids(kOuter12, kInner12, kIap12), // 12
    grids(kOuter13, kInner13, kIap13), // 13
    grids(kOuter13, kInner13, kIap13), // 14
    grids(kOuter15, kInner15, kIap15), // 15
    grids(kOuter16, kInner16, kIap16), // 16
    grids(kOuter17, kInner17, kIap17), // 17
    grids(kOuter18, kInner18, kIap18), // 18
    grids(kOuter7, kInner7, kIap7),    // 19
    grids(kOuter6, kInner6, kIap6),    // 20
    grids(kOuter3, kInner3, kIap3),    // 21
    grids(kOuter4, kInner4, kIap4),    // 22
    grids(kOuter12, kInner12, kIap12), // 23
    grids(kOuter24, kInner24, kIap24), // 24
    grids(kOuter25, kInner25, kIap25), // 25
    grids(kOuter26, kInner26, kIap26), // 26
    grids(kOuter27, kInner27, kIap27), // 27
    grids(kOuter3, kInner3, kIap3),    // 28
    grids(kOuter15, kInner15, kIap15), // 29
    grids(kOuter30, kInner30, kIap30), // 30
    grids(kOuter4, kInner4, kIap4),    // 31
    grids(kOuter6, kInner6, kIap6),    // 32
    grids(kOuter6, kInner6, kIap6),    // 33
    grids(kOuter34, kInner34, kIap34), // 34
    grids(kOuter18, kInner18, kIap18), // 35
    grids(kOuter8, kInner8, kIap8),    // 36
    grids(kOuter25, kInner25, kIap25), // 37
    grids(kOuter13, kInner13, kIap13), // 38
    grids(kOuter39, kInner39, kIap26), // 39
    grids(kOuter25, kInner25, kIap25), // 40
    grids(kOuter6, kInner6, kIap6),    // 41
    grids(kOuter0, kInner0, kIap0),    // 42
    grids(kOuter0, kInner0, kIap0),    // 43
    grids(kOuter6, kInner6, kIap6),    // 44
    grids(kOuter8, kInner8, kIap8),    // 45
    grids(kOuter3, kInner3, kIap3),    // 46
    grids(kOuter34, kInner34, kIap47), // 47
    grids(kOuter7, kInner7, kIap7),    // 48
    grids(kOuter6, kInner6, kIap6),    // 49
    grids(kOuter15, kInner15, kIap15), // 50
    grids(kOuter27, kInner27, kIap27), // 51
    grids(kOuter25, kInner25, kIap25), // 52
};

} // namespace

BikeGridSet bikeGridSet(int bikeCode)
{
    const bool listed = bikeCode >= 0 && bikeCode <= kLastListedCode;
    const GridChoice& choice = kGridsByCode[static_cast<std::size_t>(listed ? bikeCode : kFallbackCode)];
    // The grid width is part of the grid, so the flag cannot disagree with the data.
    return {choice.outer, choice.inner, choice.iap, choice.outer->columns == 15};
}

} // namespace quorvel
