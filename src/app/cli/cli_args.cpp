#include "app/cli/cli_args.h"

#include <algorithm>

namespace quorvel::cli {

Arguments::Arguments(std::vector<std::string> args, const std::vector<std::string>& flags)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-o FILE" and "--frames N" alike; "-" alone and NAME=VALUE words are positional.
        if (arg.size() < 2 || arg.front() != '-') {
            m_positional.push_back(arg);
        } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            m_flags.push_back(arg);
        } else if (i + 1 < args.size()) {
            m_options[arg] = args[++i];
        } else {
            m_error = arg + " needs a value";
        }
    }
}

std::optional<std::string> Arguments::option(const std::string& name) const
{
    const auto it = m_options.find(name);
    if (it == m_options.end())
        return std::nullopt;
    return it->second;
}

bool Arguments::flag(const std::string& name) const
{
    return std::find(m_flags.begin(), m_flags.end(), name) != m_flags.end();
}

} // namespace quorvel::cli
