#pragma once

#include <array>

namespace quorvel {

// The fixed order of the pages of the main window; undo entries, page-only loads and the views
// all refer to pages by this index.
enum PageIndex : int {
    kPageBike = 0,
    kPageAdvance = 1,
    kPageInj1A = 2,
    kPageInj2A = 3,
    kPageInj3A = 4,
    kPageInj4A = 5,
    kPageInjB = 6,
    kPageInjIap = 7,
    kPagePoloha = 8,
    kPageKorekce = 9,
    kPageCidla = 10,
    kPageIntakeServo = 11,
    kPageExhaustServo = 12,
    kPageIdle = 13,
    kPageGas = 14,
    kPageRace = 15,
    kPageGear = 16,
    kPageLadeni = 17,
    kPageMonitor = 18,
    kPageCount = 19,
};

// The pages of fields in group boxes; the others show the map grid or the monitor.
inline constexpr std::array kFieldPages{kPageBike, kPagePoloha, kPageKorekce, kPageCidla, kPageIdle,
                                        kPageGas,  kPageRace,   kPageGear,    kPageLadeni};

} // namespace quorvel
