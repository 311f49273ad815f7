#pragma once

#include "model/map_layout.h"

#include <array>
#include <bitset>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The cells live tuning must never change, per map, kept beside the settings between sessions.
// The file holds one line per map with locks, its name and the locked cells as row:column:
//     JET_1A 3:7 3:8 4:7
// Lines it cannot read are kept as they stand and written back, so a damaged or newer file loses
// nothing by being saved.
class TuningLocks {
public:
    [[nodiscard]] const std::bitset<kMapCells>& of(MapId map) const;
    void set(MapId map, const std::bitset<kMapCells>& locks);

    [[nodiscard]] std::string format() const;
    // Line numbers (from 1) of the lines that could not be read.
    [[nodiscard]] const std::vector<int>& unreadLineNumbers() const { return m_unreadLineNumbers; }

    [[nodiscard]] static TuningLocks parse(std::string_view text);

    bool operator==(const TuningLocks&) const = default;

private:
    std::array<std::bitset<kMapCells>, static_cast<std::size_t>(MapId::ServoIn) + 1> m_locks{};
    std::vector<std::string> m_unread;
    std::vector<int> m_unreadLineNumbers;
};

// The file beside the settings file in `settingsDirectory`.
[[nodiscard]] std::filesystem::path tuningLocksPath(const std::filesystem::path& settingsDirectory);

// The locks of the file; none locked when there is no file yet. None, with the reason in
// `error`, when the file exists and cannot be read.
[[nodiscard]] std::optional<TuningLocks> loadTuningLocks(const std::filesystem::path& path, std::string& error);
// Writes the file in one piece; the reason when it could not.
[[nodiscard]] std::optional<std::string> saveTuningLocks(const std::filesystem::path& path, const TuningLocks& locks);

} // namespace quorvel
