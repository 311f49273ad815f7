#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cli {

// A command line split into its positional words and its options. Options in `flags` stand
// alone; every other "--name" takes the next word as its value.
class Arguments {
public:
    Arguments(std::vector<std::string> args, const std::vector<std::string>& flags);

    [[nodiscard]] const std::vector<std::string>& positional() const { return m_positional; }
    [[nodiscard]] std::optional<std::string> option(const std::string& name) const;
    [[nodiscard]] bool flag(const std::string& name) const;
    // Why the line is not usable (an option without its value), or empty.
    [[nodiscard]] const std::string& error() const { return m_error; }

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
    std::vector<std::string> m_flags;
    std::string m_error;
};

} // namespace quorvel::cli
