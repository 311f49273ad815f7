#pragma once

#include "core/param_image.h"
#include "io/parameter_set.h"
#include "model/injection_tables.h"

#include <optional>
#include <ostream>
#include <string>

namespace quorvel::cli {

// What the commands kept in files of their own share with the others.

// "quorvel-cli: WHY", the usage, and the exit code of bad usage.
int usageError(std::ostream& err, const std::string& why);

// The exit code, after the program's message naming the file, of a load that failed; none when
// the file was loaded.
[[nodiscard]] std::optional<int> loadFailure(LoadResult result, const std::string& path, std::ostream& err);

// Loads a parameter file as Open does; the exit code, after the program's message, when it
// cannot be used.
[[nodiscard]] std::optional<int> loadParameters(const std::string& path, ParamImage& image, InjectionTables& tables,
                                                std::ostream& err);

// The value of an option that takes a whole number from `low` up; none when the option is not
// given, and none with `bad` set when its value is no such number.
[[nodiscard]] std::optional<int> numberOption(const std::optional<std::string>& text, int low, bool& bad);

} // namespace quorvel::cli
