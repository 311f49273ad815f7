#include "log/elapsed_text.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

TEST(ElapsedText, MinutesAndSecondsThenHours)
{
    const std::pair<std::chrono::milliseconds, const char*> cases[] = {
        {0ms, "00:00"},         {999ms, "00:00"}, {59'999ms, "00:59"},           {61s, "01:01"},
        {59min + 59s, "59:59"}, {1h, "1:00:00"},  {10h + 5min + 7s, "10:05:07"}, {-5s, "00:00"},
    };
    for (const auto& [elapsed, text] : cases)
        EXPECT_EQ(elapsedText(elapsed), text) << elapsed.count();
}

} // namespace
} // namespace quorvel
