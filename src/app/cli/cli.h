#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorvel::cli {

// Exit codes of quorvel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // the unit or a comparison failed
inline constexpr int kExitBadInput = 2; // bad usage or a bad file

[[nodiscard]] std::string usage();

// Runs one command line (without the program name). Results go to `out`, messages in the
// system's texts to `err`.
[[nodiscard]] int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
