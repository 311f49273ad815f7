#include "core/text_format.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(TextFormat, LonePercentsShowAsPercentSigns)
{
    EXPECT_EQ(escapeLonePercents("%s = %2d %"), "%s = %2d %%");
    EXPECT_EQ(escapeLonePercents("%s = %d [%]"), "%s = %d [%%]");
    EXPECT_EQ(escapeLonePercents("TP = %4.1f %%=%d mV"), "TP = %4.1f %%=%d mV");
    EXPECT_EQ(escapeLonePercents("100% sure"), "100%% sure");
    EXPECT_EQ(escapeLonePercents("%"), "%%");
}

TEST(TextFormat, FormatsTheDisplayFormats)
{
    EXPECT_EQ(formatText("%s = %2d %", "Jet according TPS", 7), "Jet according TPS =  7 %");
    EXPECT_EQ(formatText("TW correction = %4.1f %", 12.5), "TW correction = 12.5 %");
    EXPECT_EQ(formatText("%s = %d [%]", "Max injection", 125), "Max injection = 125 [%]");
    EXPECT_EQ(formatText("%s 1= %2d °", "Advance", 5), "Advance 1=  5 °");
}

} // namespace
} // namespace quorvel
