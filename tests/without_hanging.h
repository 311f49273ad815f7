#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvel::test {

// Runs `work` on a thread of its own and waits for it a while: work that blocks on opening or
// reading `input` (a FIFO without a writer) fails the test instead of hanging it, and is then
// let go by a writer that opens and closes the FIFO.
template <typename Work> auto withoutHanging(Work work, const std::filesystem::path& input)
{
    auto running = std::async(std::launch::async, work);
    if (running.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "blocked on " << input;
#ifndef _WIN32
        const int writer = ::open(input.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
#endif
    }
    return running.get();
}

} // namespace quorvel::test
