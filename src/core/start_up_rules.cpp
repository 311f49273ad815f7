#include "core/start_up_rules.h"

namespace quorvel {
namespace {

constexpr std::string_view kTestSwitch = "DIAG_SWITCH";
constexpr std::string_view kBlanks = " \t\r\n\v\f";

} // namespace

bool markerEnablesTestMode(std::string_view content)
{
    std::size_t at = content.find_first_not_of(kBlanks);
    while (at != std::string_view::npos) {
        const std::size_t end = content.find_first_of(kBlanks, at);
        if (content.substr(at, end - at) == kTestSwitch)
            return true;
        at = content.find_first_not_of(kBlanks, end);
    }
    return false;
}

} // namespace quorvel
