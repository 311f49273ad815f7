#pragma once

#include "log/datalog.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

enum class DatalogProblem : std::uint8_t { None, CannotOpen, NotADatalog };

struct DatalogRead {
    std::optional<Datalog> log;
    DatalogProblem problem = DatalogProblem::None;
    std::string detail; // for the message: the file, and what is wrong with it or why it was not read
};

// Opens a datalog. Columns are found by the names of its header, so a log with fewer or more
// live values than this program writes still opens. A row that cannot be used (the last one,
// cut by a killed writer, or a damaged one: wrong field count, a number that is none, a frame
// that is not a valid monitor frame, a time that goes back) is left out and counted; the file is
// read in pieces, so opening costs little more memory than the rows themselves. Only a regular
// file up to kDatalogLimit is opened (file_reading.h): a FIFO or a device is refused at once.
[[nodiscard]] DatalogRead readDatalog(const std::filesystem::path& file);

} // namespace quorvel
