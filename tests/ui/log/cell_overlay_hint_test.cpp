#include "ui/log/cell_overlay_hint.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

struct HintCase {
    CellStatistic cell;
    bool time;
    bool lambda;
    Language language;
    std::string hint;
};

// One line for each part the overlay shows, in the window's language; a cell with too few
// samples tells so instead of a reading.
TEST(CellOverlayHint, TellsThePartsShownInTheLanguage)
{
    const CellStatistic lean{30, 10'000, 312.4, MixtureReading::Lean};
    const CellStatistic rich{12, 2'500, 700.0, MixtureReading::Rich};
    const CellStatistic brief{2, 110, 800.0, MixtureReading::Hidden};
    const HintCase cases[] = {
        {lean, true, true, Language::English, "Samples: 30, time: 10.0 s\nMean lambda: 312 mV (lean)"},
        {brief, true, true, Language::English, "Samples: 2, time: 0.1 s\nMean lambda: too few samples"},
        {lean, false, true, Language::English, "Mean lambda: 312 mV (lean)"},
        {lean, true, false, Language::English, "Samples: 30, time: 10.0 s"},
        {rich, true, true, Language::German, "Messwerte: 12, Zeit: 2.5 s\nMittlere Lambdaspannung: 700 mV (fett)"},
    };
    for (const HintCase& c : cases) {
        CellOverlayMark mark;
        mark.cell = c.cell;
        mark.showsTime = c.time;
        mark.showsLambda = c.lambda;
        EXPECT_EQ(cellOverlayHint(mark, c.language), c.hint);
    }
}

} // namespace
} // namespace quorvel
