#include "core/text_format.h"
#include "german_numbers.h"

#include <gtest/gtest.h>

#include <cstdio>

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

TEST(TextFormat, DecimalsKeepTheirFullStopUnderAGermanNumberFormat)
{
    const test::GermanNumbers german;
    if (!german.active())
        GTEST_SKIP() << "no German locale can be had here";
    char plain[16];
    std::snprintf(plain, sizeof plain, "%4.1f", 101.3);
    ASSERT_STREQ(plain, "101,3") << "the locale is in force";
    EXPECT_EQ(formatText("AP = %4.1f kPa", 101.3), "AP = 101.3 kPa");
    EXPECT_EQ(formatText("TP = %4.1f %%=%d mV", 12.5, 1234), "TP = 12.5 %=1234 mV");
    EXPECT_EQ(formatText("%5.3f ", 1.25), "1.250 ");
}

} // namespace
} // namespace quorvel
