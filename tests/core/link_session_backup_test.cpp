#include "core/link_session.h"
#include "io/backup_store.h"
#include "model/bike_defaults.h"
#include "model/image_compare.h"
#include "serial/virtual_unit_link.h"
#include "sim/factory_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace quorvel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A unit whose memory the image would not keep as it is: a flag of 2, a memo with text behind
// its end, a byte no parameter holds, and an axis the sanitiser reorders.
ParamImage oddUnitMemory()
{
    ParamImage memory = sim::factoryMemory();
    memory.setByte(248, 2);     // Gas: checked, but not as 1
    memory.setByte(2800, 0xA5); // held by no parameter
    const std::string memo = std::string("old tune") + '\0' + "tail";
    for (std::size_t i = 0; i < memo.size(); ++i)
        memory.setByte(2850 + static_cast<int>(i), static_cast<std::uint8_t>(memo[i]));
    memory.setByte(515 + 5, 1); // RPM_ADV rises no more at point 5
    return memory;
}

ParamImage bike11()
{
    ParamImage image;
    InjectionTables tables;
    image.setByte(150, 11);
    applyDefaults(image, tables, {});
    return image;
}

class LinkSessionBackupTest : public test::VirtualUnitLinkTest {
protected:
    fs::path backups = fs::temp_directory_path() / ("quorvel-link-backup-" + std::to_string(::getpid()));

    void TearDown() override { fs::remove_all(backups); }

    void runToIdle()
    {
        ASSERT_GE(stepUntil([&] { return session.mode() == LinkMode::Idle; }), 0);
    }
    bool writtenCommand(std::uint8_t command) const
    {
        for (const LinkFrame& frame : line.writtenFrames()) {
            if (frame[0] == command)
                return true;
        }
        return false;
    }
};

TEST_F(LinkSessionBackupTest, ReadKeepsTheBlocksAsTheUnitSentThemBeforeSanitising)
{
    const ParamImage memory = oddUnitMemory();
    unit.loadMemory(memory);
    std::optional<UnitCopy::RawBytes> observed;
    int sanitisedWhenObserved = -1;
    session.setReadObserver([&](const UnitCopy& copy) {
        observed = copy.rawBytes();
        sanitisedWhenObserved = rig.host.sanitised;
    });
    session.read();
    runToIdle();

    ASSERT_TRUE(observed.has_value());
    EXPECT_EQ(sanitisedWhenObserved, 0);
    const ParamImage received = imageFromRaw(*observed);
    EXPECT_TRUE(test::parametersEqual(received, unit.memory()));
    EXPECT_TRUE(session.unitCopy().knowsParameters());
    // The image was sanitised, so the verify pass after the read fails on the reordered axis.
    EXPECT_NE(image.byte(520), memory.byte(520));
    EXPECT_EQ(display.statusText, "Verify error!");
}

TEST_F(LinkSessionBackupTest, BackupBeforeProgramReadsTheUnitWithoutTouchingTheImage)
{
    unit.loadMemory(oddUnitMemory());
    image = bike11();
    const ParamImage before = image;
    std::optional<ParamImage> imageAtBackup;
    std::optional<UnitCopy::RawBytes> held;
    session.programWithBackup([&](const UnitCopy& copy) {
        imageAtBackup = image;
        held = copy.rawBytes();
        return true;
    });
    EXPECT_EQ(session.mode(), LinkMode::Read);
    EXPECT_TRUE(session.readingForBackup());
    runToIdle();

    ASSERT_TRUE(held.has_value());
    EXPECT_TRUE(test::parametersEqual(imageFromRaw(*held), oddUnitMemory()));
    ASSERT_TRUE(imageAtBackup.has_value());
    EXPECT_TRUE(std::ranges::equal(imageAtBackup->bytes(), before.bytes()));
    EXPECT_EQ(rig.host.fileNameCleared, 0);
    // Then the image was programmed and verified.
    EXPECT_TRUE(test::parametersEqual(unit.memory(), image));
    EXPECT_EQ(display.statusText, "Program device: OK");
}

TEST_F(LinkSessionBackupTest, DeclinedBackupProgramsNothing)
{
    image = bike11();
    session.programWithBackup([](const UnitCopy&) { return false; });
    runToIdle();
    EXPECT_EQ(unit.programmingCount(), 0);
    for (std::uint8_t block = 0; block < kBlockCount; ++block)
        EXPECT_FALSE(writtenCommand(block)) << int{block};
    EXPECT_TRUE(test::parametersEqual(unit.memory(), sim::factoryMemory()));
}

TEST_F(LinkSessionBackupTest, UnitSeenInThisConnectionIsNotReadAgain)
{
    for (int block = 1; block < kBlockCount; ++block)
        image.storeBlock(block, unit.memory().block(block));
    session.verify();
    runToIdle();
    ASSERT_TRUE(session.unitCopy().knowsParameters());
    line.clearWritten();
    bool backedUp = false;
    session.programWithBackup([&](const UnitCopy&) { return backedUp = true; });
    EXPECT_TRUE(backedUp); // at once, before any tick
    EXPECT_EQ(session.mode(), LinkMode::Program);
    runToIdle();
    EXPECT_FALSE(writtenCommand(kReadFlag)); // no header request of a Read
}

TEST_F(LinkSessionBackupTest, VerifyErrorListsTheParameterOfTheDifferingReply)
{
    for (int block = 1; block < kBlockCount; ++block)
        image.storeBlock(block, unit.memory().block(block));
    sim::FaultPlan faults;
    faults.differingBlock = 4; // its first byte, image offset 600: RPM_JET_B point 10
    unit.setFaults(faults);
    session.verify();
    runToIdle();
    ASSERT_EQ(display.statusText, "Verify error!");

    const UnitCopy& copy = session.unitCopy();
    EXPECT_TRUE(copy.knows(4));
    EXPECT_FALSE(copy.knows(5));
    const std::vector<Difference> differences = compareWithUnit(copy, image, referencesOf(image));
    ASSERT_EQ(differences.size(), 1U);
    EXPECT_EQ(differences[0].label(), "RPM_JET_B[10]");
    EXPECT_EQ(differences[0].control.key().objectName(), "EditRpm_Uni10");
}

TEST_F(LinkSessionBackupTest, BlockBeingProgrammedIsUnknownUntilItsEcho)
{
    session.read();
    runToIdle();
    ASSERT_TRUE(session.unitCopy().knowsParameters());
    session.program();
    ASSERT_GE(stepUntil([&] { return !line.writtenFrames().empty() && line.writtenFrames().back()[0] == 1; }), 0);
    EXPECT_FALSE(session.unitCopy().knows(1));
    EXPECT_TRUE(session.unitCopy().knows(2));
    step();
    EXPECT_TRUE(session.unitCopy().knows(1));
}

TEST_F(LinkSessionBackupTest, SilentUnitIsForgotten)
{
    session.read();
    runToIdle();
    ASSERT_FALSE(session.unitCopy().knowsNothing());
    sim::FaultPlan faults;
    faults.silent = true;
    unit.setFaults(faults);
    ASSERT_GE(stepUntil([&] { return display.noConnectionVisible; }), 0);
    EXPECT_TRUE(session.unitCopy().knowsNothing());
}

// The whole road: a backup written before Program, listed, restored, equal to what the unit held.
TEST_F(LinkSessionBackupTest, BackupWrittenBeforeProgramRestoresWhatTheUnitHeld)
{
    const ParamImage held = oddUnitMemory();
    unit.loadMemory(held);
    image = bike11();
    const BackupStore store(backups);
    session.programWithBackup([&](const UnitCopy& copy) {
        return store.write(copy.rawBytes(), BackupReason::Program, {2026, 12, 9, 14, 3, 22}).written();
    });
    runToIdle();
    ASSERT_TRUE(test::parametersEqual(unit.memory(), image));

    InjectionTables tables = referencesOf(image);
    const std::vector<BackupEntry> entries = store.list(image, tables);
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].path.filename(), "2026-12-09_14-03-22_bike11_program.ign");
    EXPECT_EQ(entries[0].reason, BackupReason::Program);
    EXPECT_EQ(entries[0].memo, "old tune");
    EXPECT_GT(entries[0].differences.value_or(0), 0);

    ParamImage restored = image;
    ASSERT_EQ(restoreBackup(entries[0], restored, tables), LoadResult::Loaded);
    EXPECT_TRUE(test::parametersEqual(restored, held));
    CompareOptions everything;
    everything.otherBytes = true;
    EXPECT_TRUE(compareImages({restored, referencesOf(restored)}, {held, referencesOf(held)}, everything).empty());
}

} // namespace
} // namespace quorvel
