#include "io/atomic_file.h"
#include "io/parameter_file.h"
#include "io/parameter_set.h"
#include "io/service_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace quorvel {
namespace {

const ProgramBuild kBuild{"Oct  6 2007", "23:22:54"};

// Image offsets from 150 on that a parameter file does not carry.
std::set<int> notCarried()
{
    std::set<int> offsets = {151, 152, 153, 154, 155, 189, 229, 289, 341, 342, 343, 454, 2757, 2776};
    for (int i = 380; i <= 433; ++i)
        offsets.insert(i);
    for (int i = 2792; i <= 2849; ++i)
        offsets.insert(i);
    return offsets;
}

constexpr std::array kFlags = {208, 209, 212, 213, 216, 248, 257};

ParamImage randomImage(unsigned seed)
{
    std::mt19937 random(seed);
    ParamImage image;
    for (int i = 150; i < kMemoOffset; ++i)
        image.setByte(i, static_cast<std::uint8_t>(random()));
    for (int flag : kFlags)
        image.setByte(flag, static_cast<std::uint8_t>(random() % 2));
    for (int i = 0; i < kMemoLength; ++i)
        image.setByte(kMemoOffset + i, static_cast<std::uint8_t>('a' + random() % 26));
    return image;
}

ParamImage load(std::string_view file, ParamImage image = {}, ParameterFileLoad options = {})
{
    EXPECT_TRUE(readParameterFile(file, image, options));
    return image;
}

TEST(ParameterFile, EveryCarriedByteComesBackExactly)
{
    const std::set<int> skipped = notCarried();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const ParamImage original = randomImage(seed);
        ParamImage blank;
        const ParamImage loaded = load(writeParameterFile(original, kBuild), blank);
        for (int i = 150; i < kImageSize - 1; ++i) {
            if (skipped.count(i) == 0) {
                ASSERT_EQ(loaded.byte(i), original.byte(i)) << "offset " << i << " seed " << seed;
            }
        }
        EXPECT_EQ(loaded.byte(2999), 0);
    }
}

TEST(ParameterFile, BeginningForBikeElevenIsLaidOutByColumns)
{
    ParamImage image;
    image.setByte(150, 11);
    image.setWordAt(156, 1000);
    const std::string file = writeParameterFile(image, kBuild);
    const std::string expected = "TASKOVAR_KEY    71 \r\n"
                                 "\r\n"
                                 "BIKE            11 \r\n"
                                 "             \r\n"
                                 "APS_IAPS      1000     0     0     0 \r\n"
                                 "                 0     0     0     0 \r\n"
                                 "WATER_TEMP_SENSOR\r\n"
                                 "                 0     0";
    EXPECT_EQ(file.substr(0, expected.size()), expected);
}

TEST(ParameterFile, FixedKeyFieldsAndFlagStrings)
{
    ParamImage image;
    image.setByte(209, 7); // any non-zero flag is written as 1
    image.setByte(213, 1);
    image.setByte(257, 1);
    image.setByte(187, 80); // RPM correction -20
    const std::string file = writeParameterFile(image, kBuild);
    EXPECT_NE(file.find("\r\nSERVO_IN         1     1     0 "), std::string::npos);
    EXPECT_NE(file.find("\r\nDISPLAY          1\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nCOOLING          0 "), std::string::npos);
    EXPECT_NE(file.find("\r\nRPM              0   -20 "), std::string::npos);
    EXPECT_NE(file.find("\r\nTPS              0  2500 "), std::string::npos);
    EXPECT_NE(file.find("\r\nAIR_TEMP_SENSOR    \r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nPOTENTIOMETER          0     0 "), std::string::npos);
    EXPECT_NE(file.find("\r\nSERVO_IN_VALUE\r\n"), std::string::npos);

    const ParamImage loaded = load(file);
    EXPECT_EQ(loaded.byte(209), 1);
    EXPECT_EQ(loaded.byte(187), 80);
    EXPECT_EQ(loaded.byte(184), 0);
}

TEST(ParameterFile, VersionLinesAndEmptyMemoEndTheFile)
{
    ParamImage image;
    const std::string file = writeParameterFile(image, kBuild);
    const std::string tail = "\r\nVERSIONS\r\nHEX  25.02.2002  16:21   Jet01\r\nEXE  Oct  6 2007   23:22:54\r\n\r\n"
                             "MEMO         \r\n";
    ASSERT_GE(file.size(), tail.size());
    EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
}

TEST(ParameterFile, MemoOfFullLengthAndItsLineBreaks)
{
    ParamImage image;
    const std::string memo = "Tuned 12/2026\nfor the track";
    for (std::size_t i = 0; i < memo.size(); ++i)
        image.setByte(kMemoOffset + static_cast<int>(i), static_cast<std::uint8_t>(memo[i]));
    const std::string file = writeParameterFile(image, kBuild);
    EXPECT_EQ(file.substr(file.size() - memo.size() - 1), "Tuned 12/2026\r\nfor the track");

    // Loaded back, the memo holds CR LF and survives a second save and load unchanged.
    ParamImage once = load(file);
    ParamImage twice = load(writeParameterFile(once, kBuild));
    for (int i = kMemoOffset; i < kImageSize; ++i)
        ASSERT_EQ(once.byte(i), twice.byte(i)) << i;
    EXPECT_EQ(once.byte(kMemoOffset + 13), '\r');
}

TEST(ParameterFile, ShorterMemoLeavesNoTailOfTheOldOne)
{
    ParamImage old;
    for (int i = 0; i < kMemoLength; ++i)
        old.setByte(kMemoOffset + i, 'x');
    ParamImage source;
    source.setByte(kMemoOffset, 'o');
    source.setByte(kMemoOffset + 1, 'k');
    const ParamImage loaded = load(writeParameterFile(source, kBuild), old);
    EXPECT_EQ(loaded.byte(kMemoOffset + 1), 'k');
    EXPECT_EQ(loaded.byte(kMemoOffset + 2), 0);
    EXPECT_EQ(loaded.byte(2998), 0);
}

TEST(ParameterFile, DigitsAtTheStartOfTheMemoAreKept)
{
    const ParamImage loaded = load("TASKOVAR_KEY 71\r\nMEMO         \r\n2026 season");
    EXPECT_EQ(loaded.byte(kMemoOffset), '2');
    EXPECT_EQ(loaded.byte(kMemoOffset + 10), 'n');
}

TEST(ParameterFile, TextBeforeTheVersionLineIsSkipped)
{
    const ParamImage loaded = load("some notes 71 TASKOVAR_KEY 70\r\nTASKOVAR_KEY 71\r\nBIKE 23 COOLING 9");
    EXPECT_EQ(loaded.byte(150), 23);
    EXPECT_EQ(loaded.byte(185), 9);
}

TEST(ParameterFile, OtherVersionIsRefusedAndTheImageStaysUnchanged)
{
    ParamImage image = randomImage(3);
    const ParamImage before = image;
    std::string file = writeParameterFile(randomImage(4), kBuild);
    file.replace(file.find(" 71 "), 4, " 70 ");
    EXPECT_FALSE(readParameterFile(file, image, {}));
    EXPECT_FALSE(readParameterFile("", image, {}));
    EXPECT_FALSE(readParameterFile("TASKOVAR_KEY", image, {}));
    EXPECT_TRUE(std::ranges::equal(image.bytes(), before.bytes()));
}

TEST(ParameterFile, BikeRunsTheDefaultsBeforeTheRestOfTheFile)
{
    int defaultsRun = 0;
    ParameterFileLoad options;
    options.applyBikeDefaults = [&](ParamImage& image) {
        ++defaultsRun;
        EXPECT_EQ(image.byte(150), 8);
        image.setByte(185, 77); // COOLING default
        image.setByte(186, 66); // RPM default
    };
    const ParamImage loaded = load("TASKOVAR_KEY 71 COOLING 5 BIKE 8 RPM 3 120", {}, options);
    EXPECT_EQ(defaultsRun, 1);
    EXPECT_EQ(loaded.byte(185), 77); // a section before BIKE is overwritten by the defaults
    EXPECT_EQ(loaded.byte(186), 3);
    EXPECT_EQ(loaded.byte(187), 220);
}

TEST(ParameterFile, PageOnlyLoadTakesOnlyThatPagesSections)
{
    const ParamImage source = randomImage(9);
    const std::string file = writeParameterFile(source, kBuild);
    ParamImage target = randomImage(10);
    const ParamImage before = target;
    bool defaultsRun = false;
    ParameterFileLoad options{true, 8, [&](ParamImage&) { defaultsRun = true; }};
    ASSERT_TRUE(readParameterFile(file, target, options));
    EXPECT_FALSE(defaultsRun);
    for (int i = 150; i < kImageSize; ++i) {
        const bool position = i == 206 || i == 207 || (i >= 455 && i <= 514);
        ASSERT_EQ(target.byte(i), position ? source.byte(i) : before.byte(i)) << i;
    }
}

TEST(ParameterFile, PageOnlyLoadOfACoupledMapTakesNothing)
{
    const ParamImage source = randomImage(11);
    ParamImage target = randomImage(12);
    target.setByte(197, 1); // maps coupled
    const ParamImage before = target;
    ASSERT_TRUE(readParameterFile(writeParameterFile(source, kBuild), target, {true, 3, {}}));
    EXPECT_TRUE(std::ranges::equal(target.bytes(), before.bytes()));

    target.setByte(197, 0);
    ASSERT_TRUE(readParameterFile(writeParameterFile(source, kBuild), target, {true, 3, {}}));
    EXPECT_EQ(target.byte(545), source.byte(545));
    EXPECT_EQ(target.wordAt(1100 + 2 * 149), source.wordAt(1100 + 2 * 149));
    EXPECT_EQ(target.byte(530), before.byte(530));
}

TEST(ParameterFile, SectionsInAnyOrderRepeatedOrUnknown)
{
    const ParamImage loaded = load("TASKOVAR_KEY 71\r\nUNKNOWN 1 2 3\r\nCOOLING 4\r\nINPUTS 1 2 3 4 5 6\r\n"
                                   "COOLING 9 ACCEL 250 100");
    EXPECT_EQ(loaded.byte(185), 9);
    EXPECT_EQ(loaded.byte(172), 1);
    EXPECT_EQ(loaded.byte(177), 6);
    EXPECT_EQ(loaded.byte(240), 25);
    EXPECT_EQ(loaded.byte(241), 2);
}

TEST(ParameterFile, MissingNumberKeepsTheSlotAndIsReadAsAKey)
{
    ParamImage image;
    image.setByte(174, 44);
    image.setByte(175, 55);
    const ParamImage loaded = load("TASKOVAR_KEY 71 INPUTS 1 2 COOLING 7", image);
    EXPECT_EQ(loaded.byte(172), 1);
    EXPECT_EQ(loaded.byte(173), 2);
    EXPECT_EQ(loaded.byte(174), 44);
    EXPECT_EQ(loaded.byte(175), 55);
    EXPECT_EQ(loaded.byte(185), 7); // COOLING was not swallowed as a number
}

TEST(ParameterFile, ServoMapDivisorFollowsThePercentFlagOfTheSameFile)
{
    std::string map;
    for (int i = 0; i < 150; ++i)
        map += " 1000";
    const ParamImage millivolts = load("TASKOVAR_KEY 71 SERVO_IN 1 0 0 0 0 0 0 SERVO_IN_VALUE" + map);
    EXPECT_EQ(millivolts.byte(2600), 50);
    const ParamImage percent =
        load("TASKOVAR_KEY 71 SERVO_EX 1 1 0 0 SERVO_EX_VALUE" + std::string(150 * 3, ' ') + " 40 60");
    EXPECT_EQ(percent.byte(2450), 40);
    EXPECT_EQ(percent.byte(2451), 60);
}

TEST(ParameterFile, NegativeAndHugeNumbersKeepTheirLowBits)
{
    const ParamImage loaded = load("TASKOVAR_KEY 71 RPM -3 -20 IAP_IAP 70000 -1 GEAR_CORR -120 99999999999");
    EXPECT_EQ(loaded.byte(186), 253);
    EXPECT_EQ(loaded.byte(187), 80);
    EXPECT_EQ(loaded.wordAt(434), 70000 & 0xFFFF);
    EXPECT_EQ(loaded.wordAt(436), 0xFFFF);
    EXPECT_EQ(loaded.byte(324), static_cast<std::uint8_t>(-20));
}

TEST(ParameterFile, OverlongTokensAreSkipped)
{
    const std::string junk(100000, 'Z');
    const ParamImage loaded = load("TASKOVAR_KEY 71 " + junk + " COOLING 3 " + junk);
    EXPECT_EQ(loaded.byte(185), 3);
}

TEST(ParameterFile, EveryWriterStampsTheOneBuildOfTheProgram)
{
    const ProgramBuild& build = programBuild();
    EXPECT_EQ(build.date.size(), 11U); // "Oct  6 2007"
    EXPECT_EQ(build.time.size(), 8U);  // "23:22:54"
    const std::string exe = "\r\nEXE  " + build.date + "   " + build.time + "\r\n";

    ParamImage image = randomImage(24);
    EXPECT_NE(writeParameterFile(image).find(exe), std::string::npos);
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("quorvel-stamp-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(directory);
    ASSERT_FALSE(saveParameterFile(directory / "one.ign", image).has_value());
    EXPECT_NE(readWholeFile(directory / "one.ign").value_or("").find(exe), std::string::npos);
    const std::vector<SavedBikeFile> all = saveAllNew(image, directory / "new_ign");
    ASSERT_FALSE(all.empty());
    EXPECT_NE(readWholeFile(all.back().path).value_or("").find(exe), std::string::npos);
    std::filesystem::remove_all(directory);
}

TEST(ParameterFile, UnitTextsThatLookLikeSectionsChangeNothing)
{
    for (const char* version : {"Jet IAP 7", "Jet BIKE 0", "RPM 3 120"}) {
        SCOPED_TRACE(version);
        ParamImage source = randomImage(21);
        std::array<std::uint8_t, kBlockSize> header{};
        header[10] = kProgramVersion;
        std::ranges::copy(std::string_view(version), header.begin() + 16);
        source.storeHeader(header);
        int defaultsRun = 0;
        ParameterFileLoad options;
        options.applyBikeDefaults = [&](ParamImage&) { ++defaultsRun; };
        const ParamImage loaded = load(writeParameterFile(source, kBuild), {}, options);
        EXPECT_EQ(defaultsRun, 1); // the file's own BIKE section only
        EXPECT_EQ(loaded.wordAt(2150), source.wordAt(2150));
        EXPECT_EQ(loaded.byte(186), source.byte(186));
    }
}

TEST(ParameterFile, SectionsAfterTheMemoAreRead)
{
    // A memo of full length or one ended by a zero byte, with sections behind it.
    const ParamImage full = randomImage(22);
    const ParamImage loaded = load(writeParameterFile(full, kBuild) + "\r\nCOOLING 9 ACCEL 250 100");
    EXPECT_EQ(loaded.byte(185), 9);
    EXPECT_EQ(loaded.byte(240), 25);
    EXPECT_EQ(loaded.byte(kMemoOffset + kMemoLength - 1), full.byte(kMemoOffset + kMemoLength - 1));

    using namespace std::string_literals;
    const ParamImage first = load("TASKOVAR_KEY 71\r\nMEMO         \r\nnew tune\0\r\nCOOLING 9\r\nRPM 3 120"s);
    EXPECT_EQ(first.byte(kMemoOffset + 7), 'e');
    EXPECT_EQ(first.byte(kMemoOffset + 8), 0);
    EXPECT_EQ(first.byte(185), 9);
    EXPECT_EQ(first.byte(186), 3);
}

TEST(ParameterFile, MemoLineBreaksNeverPushItsTailOutOfTheMemo)
{
    // 129 letters and 10 lone LFs: written as CR LF they would need 149 bytes before the
    // last words, which a reader would then take as a section.
    ParamImage image = randomImage(23);
    const std::string memo = std::string(129, 'x') + std::string(10, '\n') + " COOLING 9";
    ASSERT_EQ(memo.size(), static_cast<std::size_t>(kMemoLength));
    for (std::size_t i = 0; i < memo.size(); ++i)
        image.setByte(kMemoOffset + static_cast<int>(i), static_cast<std::uint8_t>(memo[i]));
    image.setByte(185, 44);
    const std::string file = writeParameterFile(image, kBuild);
    const std::string key = "MEMO         \r\n";
    EXPECT_LE(file.size() - (file.rfind(key) + key.size()), static_cast<std::size_t>(kMemoLength));
    EXPECT_EQ(load(file).byte(185), 44);
}

TEST(ParameterFile, PageOnlyLoadAwayFromTheBikePageStopsAtTheMemo)
{
    ParamImage image;
    const ParamImage loaded = load("TASKOVAR_KEY 71 MEMO\r\nADVANCE_CORR 1 2 3 4 5", image, {true, 9, {}});
    EXPECT_EQ(loaded.byte(243), 0);
    const ParamImage bikePage = load("TASKOVAR_KEY 71 MEMO\r\nhello", image, {true, 0, {}});
    EXPECT_EQ(bikePage.byte(kMemoOffset), 'h');
    const std::string longMemo(kMemoLength, 'm');
    const ParamImage after = load("TASKOVAR_KEY 71 MEMO\r\n" + longMemo + " COOLING 9", image, {true, 0, {}});
    EXPECT_EQ(after.byte(185), 9);
}

} // namespace
} // namespace quorvel
