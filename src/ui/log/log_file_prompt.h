#pragma once

#include "core/message_texts.h"

#include <filesystem>
#include <optional>

class QWidget;

namespace quorvel {

// The open dialog for logs, starting in `directory` (the logs folder); none when cancelled.
[[nodiscard]] std::optional<std::filesystem::path> askLogFile(QWidget* parent, const std::filesystem::path& directory,
                                                              Language language);

} // namespace quorvel
