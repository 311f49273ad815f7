#pragma once

#include "core/link_frame.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel::sim {

// A recorded ride for the virtual unit to answer monitor requests with: each request gets the
// frame recorded nearest the present replay time (the earlier of two as near), so the ride comes
// back in its recorded timing and requests at the rate it was recorded at get each frame once,
// however their ticks jitter against the recorded ones. The replay time starts with the first
// request, so a program connected later still sees the ride from its beginning; after the last
// row the last frame stays, as an engine that stopped.
class FrameReplay {
public:
    // `timesMs` rising, one per frame; at least one frame.
    FrameReplay(std::vector<std::uint32_t> timesMs, std::vector<LinkFrame> frames);

    [[nodiscard]] const LinkFrame& frameAt(std::chrono::milliseconds unitTime);
    [[nodiscard]] std::size_t frameCount() const { return m_frames.size(); }

private:
    std::vector<std::uint32_t> m_times;
    std::vector<LinkFrame> m_frames;
    std::optional<std::chrono::milliseconds> m_start;
};

} // namespace quorvel::sim
