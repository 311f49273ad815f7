#include "io/ini_file.h"

#include <charconv>
#include <unordered_map>

namespace quorvel {
namespace {

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

IniFile IniFile::parse(std::string_view text)
{
    IniFile ini;
    // Where each section and key already stands, so that a file of many keys is read in one
    // pass: looking each up by set() would take time growing with the square of their number.
    std::unordered_map<std::string, std::size_t> sections;
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> keys; // section '\n' key
    std::string section;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = std::string(trim(line.substr(1, line.size() - 2)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string key(trim(line.substr(0, equals)));
        std::string value(trim(line.substr(equals + 1)));
        const auto [known, added] = keys.try_emplace(section + '\n' + key);
        if (!added) {
            ini.m_sections[known->second.first].entries[known->second.second].second = std::move(value);
            continue;
        }
        const auto [place, newSection] = sections.try_emplace(section, ini.m_sections.size());
        if (newSection)
            ini.m_sections.push_back({section, {}});
        auto& entries = ini.m_sections[place->second].entries;
        known->second = {place->second, entries.size()};
        entries.emplace_back(std::move(key), std::move(value));
    }
    return ini;
}

std::string IniFile::serialise() const
{
    std::string out;
    for (const Section& section : m_sections) {
        // Keys above the first section header belong to no section and stay above it.
        if (!section.name.empty())
            out += '[' + section.name + "]\r\n";
        for (const auto& [key, value] : section.entries)
            out += key + '=' + value + "\r\n";
    }
    return out;
}

IniFile::Section* IniFile::find(std::string_view section)
{
    for (Section& s : m_sections) {
        if (s.name == section)
            return &s;
    }
    return nullptr;
}

const IniFile::Section* IniFile::find(std::string_view section) const
{
    return const_cast<IniFile*>(this)->find(section);
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    if (const Section* s = find(section)) {
        for (const auto& [k, v] : s->entries) {
            if (k == key)
                return v;
        }
    }
    return std::nullopt;
}

std::optional<long long> IniFile::integer(std::string_view section, std::string_view key) const
{
    const auto text = value(section, key);
    if (!text)
        return std::nullopt;
    long long number = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (ec != std::errc{} || end == text->data())
        return std::nullopt;
    return number;
}

void IniFile::set(std::string_view section, std::string_view key, std::string value)
{
    Section* s = find(section);
    if (s == nullptr) {
        m_sections.push_back({std::string(section), {}});
        s = &m_sections.back();
    }
    for (auto& [k, v] : s->entries) {
        if (k == key) {
            v = std::move(value);
            return;
        }
    }
    s->entries.emplace_back(std::string(key), std::move(value));
}

} // namespace quorvel
