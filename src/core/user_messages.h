#pragma once

#include <string_view>

namespace quorvel {

// Modal messages with an OK button. Only the user interface shows them; the core says what.
// The window's implementation may run a nested event loop in which ticks continue.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void showMessage(std::string_view text) = 0;
};

} // namespace quorvel
