#include "ui/files/file_dialog_start.h"

#include <system_error>

namespace quorvel {

FileDialogStart fileDialogStart(const std::filesystem::path& preset)
{
    std::error_code ignored;
    FileDialogStart start;
    if (preset.empty())
        return start;
    if (!preset.has_filename() || std::filesystem::is_directory(preset, ignored)) {
        start.folder = preset;
    } else {
        start.folder = preset.parent_path();
        start.fileName = preset.filename().string();
    }
    while (!start.folder.empty() && !std::filesystem::is_directory(start.folder, ignored) &&
           start.folder.has_relative_path())
        start.folder = start.folder.parent_path();
    return start;
}

} // namespace quorvel
