#include "ui/log/cell_overlay_hint.h"

#include "core/text_format.h"
#include "texts/datalog_texts.h"

#include <cmath>

namespace quorvel {
namespace {

std::string readingWord(MixtureReading reading, Language language)
{
    switch (reading) {
    case MixtureReading::Lean:
        return std::string(DatalogTexts::message(DatalogMessage::Lean, language));
    case MixtureReading::Rich:
        return std::string(DatalogTexts::message(DatalogMessage::Rich, language));
    case MixtureReading::AtThreshold:
        return std::string(DatalogTexts::message(DatalogMessage::AtThreshold, language));
    case MixtureReading::Hidden:
        break;
    }
    return {};
}

std::string timeLine(const CellStatistic& cell, Language language)
{
    return formatText(DatalogTexts::message(DatalogMessage::CellTimeHint, language), cell.samples,
                      cell.timeMs / 1000.0);
}

std::string lambdaLine(const CellStatistic& cell, Language language)
{
    if (cell.reading == MixtureReading::Hidden)
        return std::string(DatalogTexts::message(DatalogMessage::CellLambdaTooFew, language));
    return formatText(DatalogTexts::message(DatalogMessage::CellLambdaHint, language),
                      static_cast<int>(std::lround(cell.meanLambdaMv)), readingWord(cell.reading, language).c_str());
}

} // namespace

std::string cellOverlayHint(const CellOverlayMark& mark, Language language)
{
    std::string hint;
    if (mark.showsTime)
        hint = timeLine(mark.cell, language);
    if (mark.showsLambda)
        hint += (hint.empty() ? "" : "\n") + lambdaLine(mark.cell, language);
    return hint;
}

} // namespace quorvel
