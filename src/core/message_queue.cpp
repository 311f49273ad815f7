#include "core/message_queue.h"

#include "core/scoped_flag.h"

#include <algorithm>

namespace quorvel {

void MessageQueue::showMessage(std::string_view text)
{
    // The same text twice in one wait (a page filled twice) would only open the same box twice.
    if (std::ranges::find(m_waiting, text) == m_waiting.end())
        m_waiting.emplace_back(text);
}

void MessageQueue::deliver(UserMessages& shower)
{
    if (m_delivering)
        return;
    // Cleared however the box ends: a box left by an exception does not silence the messages
    // after it.
    const ScopedFlag delivering(m_delivering);
    while (!m_waiting.empty()) {
        const std::string text = std::move(m_waiting.front());
        m_waiting.pop_front();
        shower.showMessage(text);
    }
}

} // namespace quorvel
