#pragma once

#include "core/param_image.h"
#include "io/parameter_file.h"
#include "model/injection_tables.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

// The directories of the service tools, relative to the working directory.
inline const std::filesystem::path kNewIgnDirectory = "./new_ign/";
inline const std::filesystem::path kOldIgnDirectory = "./new_ign_old/";
inline constexpr std::string_view kCompareReportName = "compare_all_new.txt";

// The file a bike's default set is written to: its list text unchanged, blanks and all.
[[nodiscard]] std::filesystem::path bikeFilePath(const std::filesystem::path& directory, int bikeCode);

struct SavedBikeFile {
    std::filesystem::path path;
    std::optional<std::string> error; // why the file could not be written
};

// Writes the full defaults of every bike code 0..52 into `directory` (created when missing), on
// top of a copy of `base` so that the header texts of the unit stay. `base` is not changed.
[[nodiscard]] std::vector<SavedBikeFile> saveAllNew(const ParamImage& base, const std::filesystem::path& directory,
                                                    const ProgramBuild& build = programBuild());

// The line-by-line comparison report of the old and the current set of bike files.
[[nodiscard]] std::string compareAllNew(const std::filesystem::path& currentDirectory,
                                        const std::filesystem::path& oldDirectory);

// The injection maps as percentages of their reference times, in the .ign section layout.
[[nodiscard]] std::string percentExport(const ParamImage& image, const InjectionTables& tables);

} // namespace quorvel
