#include "log/tuning_locks.h"

#include "io/atomic_file.h"
#include "io/file_reading.h"

#include <charconv>
#include <system_error>

namespace quorvel {
namespace {

constexpr std::string_view kHeading = "# Cells live tuning never changes: a map, then its locked cells as row:column";

std::size_t slot(MapId map)
{
    return static_cast<std::size_t>(map);
}

std::optional<int> number(std::string_view text, int below)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0 || value >= below)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> found;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        found.push_back(line.substr(start, end - start));
        at = end;
    }
    return found;
}

// The locks of one line, none when any word of it is not understood.
std::optional<std::pair<MapId, std::bitset<kMapCells>>> readLine(std::string_view line)
{
    const std::vector<std::string_view> parts = words(line);
    const MapLayout* map = parts.empty() ? nullptr : MapTable::byName(parts.front());
    if (map == nullptr)
        return std::nullopt;
    std::bitset<kMapCells> locks;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t colon = parts[i].find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const auto row = number(parts[i].substr(0, colon), kMapRows);
        const auto column = number(parts[i].substr(colon + 1), kMapColumns);
        if (!row || !column)
            return std::nullopt;
        locks.set(static_cast<std::size_t>(*row * kMapColumns + *column));
    }
    return std::pair{map->id, locks};
}

} // namespace

const std::bitset<kMapCells>& TuningLocks::of(MapId map) const
{
    return m_locks.at(slot(map));
}

void TuningLocks::set(MapId map, const std::bitset<kMapCells>& locks)
{
    m_locks.at(slot(map)) = locks;
}

std::string TuningLocks::format() const
{
    std::string text = std::string(kHeading) + '\n';
    for (const MapLayout& map : MapTable::all()) {
        const std::bitset<kMapCells>& locks = of(map.id);
        if (locks.none())
            continue;
        text += map.name;
        for (int e = 0; e < kMapCells; ++e) {
            if (locks.test(static_cast<std::size_t>(e)))
                text += ' ' + std::to_string(e / kMapColumns) + ':' + std::to_string(e % kMapColumns);
        }
        text += '\n';
    }
    for (const std::string& line : m_unread)
        text += line + '\n';
    return text;
}

TuningLocks TuningLocks::parse(std::string_view text)
{
    TuningLocks locks;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (words(line).empty() || line.starts_with('#'))
            continue;
        if (const auto read = readLine(line)) {
            locks.m_locks[slot(read->first)] |= read->second;
        } else {
            locks.m_unread.emplace_back(line);
            locks.m_unreadLineNumbers.push_back(lineNumber);
        }
    }
    return locks;
}

std::filesystem::path tuningLocksPath(const std::filesystem::path& settingsDirectory)
{
    return settingsDirectory / "Quorvel_2007_v71_tuning_locks.txt";
}

std::optional<TuningLocks> loadTuningLocks(const std::filesystem::path& path, std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        return TuningLocks{};
    const FileRead text = readFileWithin(path, kSettingsFileLimit);
    if (!text.bytes) {
        error = text.reason;
        return std::nullopt;
    }
    return TuningLocks::parse(*text.bytes);
}

std::optional<std::string> saveTuningLocks(const std::filesystem::path& path, const TuningLocks& locks)
{
    return writeFileAtomically(path, locks.format());
}

} // namespace quorvel
