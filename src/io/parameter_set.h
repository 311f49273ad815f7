#pragma once

#include "core/param_image.h"
#include "io/file_reading.h"
#include "model/injection_tables.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// What loading a parameter file gave.
enum class LoadResult : std::uint8_t { Loaded, CannotOpen, WrongVersion };

// Loads parameter file text the way Open does: a BIKE section runs that bike's full defaults,
// and afterwards the percent tables follow the stored maps. On a wrong version the image and
// the tables are unchanged. A full load of a file that carries the unit's raw bytes (a backup,
// see raw_image_file.h) gives blocks 1..19 back exactly as the unit held them.
[[nodiscard]] LoadResult loadParameterText(std::string_view text, ParamImage& image, InjectionTables& tables,
                                           bool pageOnly = false, int currentPage = 0);

// What loading a parameter file from disk gave; when it could not be read (it is missing, not a
// regular file, larger than a parameter file can be), why, naming the file.
struct FileLoad {
    LoadResult result = LoadResult::CannotOpen;
    ReadProblem problem = ReadProblem::None;
    std::string reason;

    bool operator==(LoadResult other) const { return result == other; }
};

[[nodiscard]] FileLoad loadParameterFile(const std::filesystem::path& path, ParamImage& image, InjectionTables& tables,
                                         bool pageOnly = false, int currentPage = 0);

// Sanitises and writes the image as a parameter file; the reason when it could not be written,
// in which case the previous file is untouched.
[[nodiscard]] std::optional<std::string> saveParameterFile(const std::filesystem::path& path, ParamImage& image);

} // namespace quorvel
