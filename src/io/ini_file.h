#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// A profile file of sections with key=value lines. Keys are kept and written literally, so a key
// such as "PageControl1->ActivePageIndex" reads and writes unchanged; the order of writing is kept.
class IniFile {
public:
    [[nodiscard]] static IniFile parse(std::string_view text);
    [[nodiscard]] std::string serialise() const;

    [[nodiscard]] std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The value as a decimal integer; none when the key is missing or not a number.
    [[nodiscard]] std::optional<long long> integer(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string value);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    Section* find(std::string_view section);
    [[nodiscard]] const Section* find(std::string_view section) const;

    std::vector<Section> m_sections;
};

} // namespace quorvel
