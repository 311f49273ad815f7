#include "texts/hint_text.h"

namespace quorvel {

HintText splitHint(ControlKey key, std::string_view hint)
{
    const auto bar = hint.find('|');
    if (bar == std::string_view::npos)
        return {key, std::string(hint), std::string(hint)};
    return {key, std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

} // namespace quorvel
