#pragma once

#include <filesystem>
#include <string>

namespace quorvel {

// Where a file dialog opens and which name it offers.
struct FileDialogStart {
    std::filesystem::path folder;
    std::string fileName; // empty: no name typed in, Enter does nothing until a file is picked
};

// A preset that is a folder (or ends in a separator, for a folder not made yet) opens in that
// folder with no name typed; a file opens in its folder with its name typed. A folder that is
// not there gives way to the nearest one above it that is.
[[nodiscard]] FileDialogStart fileDialogStart(const std::filesystem::path& preset);

} // namespace quorvel
