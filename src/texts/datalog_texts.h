#pragma once

#include "texts/caption_table.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

// The texts of recording, the log viewer, the cell overlays and the suggested corrections, in
// the four languages. Controls are named as the window names them, so it applies the captions
// and hints like those of the caption table; messages and words are looked up by their number;
// the live values have the names users see beside the stable column names of the log files.
// Formats are printf-style and take the same conversions in every language.
enum class DatalogMessage : std::uint8_t {
    Recording,       // status line while recording: the elapsed time
    Playback,        // status line while playing a log: the position
    CannotCreateLog, // the reason
    CannotWriteLog,  // the reason; recording has stopped
    CannotOpenLog,   // the file
    NotALog,         // the file
    RowsLeftOut,     // count of damaged rows the reader skipped
    Lean,
    Rich,
    AtThreshold,
    TooFewSamples,
    CellTimeHint,   // samples, seconds
    CellLambdaHint, // mean mV, reading
    NoSuggestions,
    CellsToChange, // map, count
    OnlyInjectionMaps,
    CellLambdaTooFew, // hover line of a cell whose lambda is hidden
    LogFileFilter,    // the file dialog's filters, ";;" between them
    LogSummary,       // file name, rows, seconds
    CursorChannel,    // column headers of the values at the cursor
    CursorValue,
    SuggestSamples, // column headers of the suggested corrections
    SuggestMeanLambda,
    SuggestReading,
    SuggestChange,
    SuggestNow,
    SuggestProposed,
    Count,
};

struct DatalogMessageRow {
    DatalogMessage message;
    LanguageTexts texts;
};

// A live value by its column in the log files.
struct ChannelCaptionRow {
    std::string_view column;
    LanguageTexts texts;
};

class DatalogTexts {
public:
    // Captions, menu captions and hints of the controls of this feature.
    [[nodiscard]] static std::span<const CaptionRow> controls();
    [[nodiscard]] static std::span<const DatalogMessageRow> messages();
    [[nodiscard]] static std::span<const ChannelCaptionRow> channels();

    [[nodiscard]] static std::optional<std::string_view> find(std::string_view control, CaptionKind kind,
                                                              Language language);
    [[nodiscard]] static std::string_view message(DatalogMessage message, Language language);
    // The name users see for a log column; none for a column of another program's log.
    [[nodiscard]] static std::optional<std::string_view> channel(std::string_view column, Language language);
};

} // namespace quorvel
