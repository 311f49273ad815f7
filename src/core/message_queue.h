#pragma once

#include "core/user_messages.h"

#include <deque>
#include <string>
#include <string_view>

namespace quorvel {

// Modal messages raised where no box may open yet. Inside the tick a box would hold the link,
// the live data and the watchdog still, and a box whose event loop keeps the timer running
// would start the next tick inside the unfinished one. The messages wait here in order until
// the tick's work is done and are then shown one box at a time.
class MessageQueue final : public UserMessages {
public:
    // Keeps the message for the next deliver(), unless the same text is already waiting.
    void showMessage(std::string_view text) override;

    // Shows the waiting messages through `shower`, oldest first. A message raised while one of
    // them is on screen (by a tick that runs inside the box) waits for that box to close: a
    // call made while a box of this queue is open returns at once.
    void deliver(UserMessages& shower);

    [[nodiscard]] bool empty() const { return m_waiting.empty(); }

private:
    std::deque<std::string> m_waiting;
    bool m_delivering = false;
};

} // namespace quorvel
