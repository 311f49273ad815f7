// Comparing and backups on the real window: a file or the unit beside the image, its marks and
// list, and the unit's tune kept before every Program and after every Read.
#include "core/page_index.h"
#include "io/parameter_set.h"
#include "ui/backups/restore_backup_dialog.h"
#include "ui/compare/compare_dock.h"
#include "ui/compare/compare_mark_look.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/page_control.h"
#include "ui/window_rig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

constexpr int kChlazeni = 185;
constexpr int kIgnLimiter = 179;
constexpr int kKorVoda = 230;
constexpr int kInjBCells = 2000;

class CompareAndBackups : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.start();
        rig.window->show();
    }

    ParamImage& image() { return rig.window->image(); }
    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    void showPage(int page) const { rig.showPage(page); }
    CompareDock& dock() { return dynamic_cast<CompareDock&>(rig.control<QDockWidget>("DockWidgetCompare")); }
    std::filesystem::path backups() { return rig.configDirectory / "data" / "backups"; }
    int backupCount()
    {
        if (!std::filesystem::exists(backups()))
            return 0;
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(backups()), {}));
    }
    void runUntilIdle()
    {
        for (int tick = 0; tick < 600 && (tick < 2 || rig.window->link().mode() != LinkMode::Idle); ++tick)
            rig.step();
    }
    QModelIndex cell(int row, int column)
    {
        const auto& table = rig.window->mapPages().grid().table();
        return MapGridTableModel::cellIndexOf(*table.model(), row, column);
    }

    test::WindowRig rig;
};

TEST_F(CompareAndBackups, CompareWithFileMarksExactlyTheDifferencesUntilEndCompare)
{
    const std::filesystem::path file = rig.configDirectory / "reference.ign";
    ASSERT_FALSE(saveParameterFile(file, image()).has_value());
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 3));
    image().setByte(kInjBCells + 16, static_cast<std::uint8_t>(image().byte(kInjBCells + 16) + 2));
    showPage(kPageBike);
    rig.dialogs->paths.emplace_back(file);
    trigger("MenuCompareFile");

    EXPECT_FALSE(dock().isHidden());
    ASSERT_EQ(dock().listing().differences.size(), 2U);
    EXPECT_TRUE(isMarkedCompared(rig.control("EditChlazeni")));
    EXPECT_FALSE(isMarkedCompared(rig.control("EditIgnLimiter")));
    showPage(kPageInjB);
    EXPECT_FALSE(cell(1, 1).data(Qt::ToolTipRole).toString().isEmpty()) << "cell 16 is row 1, column 1";
    EXPECT_TRUE(cell(1, 2).data(Qt::ToolTipRole).toString().isEmpty());

    trigger("MenuEndCompare");
    EXPECT_TRUE(dock().isHidden());
    EXPECT_TRUE(cell(1, 1).data(Qt::ToolTipRole).toString().isEmpty());
    showPage(kPageBike);
    EXPECT_FALSE(isMarkedCompared(rig.control("EditChlazeni")));
}

TEST_F(CompareAndBackups, ReadKeepsABackupThatRestoresTheUnitsImage)
{
    trigger("MenuRead");
    runUntilIdle();
    ASSERT_EQ(backupCount(), 1);
    const ParamImage read = image();
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 5));

    QTimer::singleShot(0, [] {
        auto* dialog = dynamic_cast<RestoreBackupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->openButton().click();
    });
    trigger("MenuRestoreBackup");
    for (int block = 1; block < kBlockCount; ++block)
        EXPECT_TRUE(std::ranges::equal(image().block(block), read.block(block))) << block;
}

// The backup was removed (the folder tidied) while its list was open: Open says why instead of
// closing without a word, and the image stays as it was.
TEST_F(CompareAndBackups, RestoreOfABackupRemovedSinceTheListWasMadeSaysWhy)
{
    trigger("MenuRead");
    runUntilIdle();
    ASSERT_EQ(backupCount(), 1);
    const std::filesystem::path backup = std::filesystem::directory_iterator(backups())->path();
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 5));
    const ParamImage before = image();

    QTimer::singleShot(0, [backup] {
        auto* dialog = dynamic_cast<RestoreBackupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        std::filesystem::remove(backup);
        dialog->openButton().click();
    });
    trigger("MenuRestoreBackup");
    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    const std::string& message = rig.dialogs->messages.front();
    EXPECT_EQ(message.rfind("Open file error!\n", 0), 0U) << message;
    EXPECT_NE(message.find(backup.filename().string()), std::string::npos) << message;
    EXPECT_TRUE(std::ranges::equal(image().bytes(), before.bytes()));
}

TEST_F(CompareAndBackups, ProgramKeepsWhatTheUnitHeldFirst)
{
    const ParamImage unitBefore = rig.unit.memory();
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 1));
    trigger("MenuProgram");
    runUntilIdle();
    ASSERT_EQ(backupCount(), 1);
    const auto backup = std::filesystem::directory_iterator(backups())->path();
    EXPECT_NE(backup.filename().string().find("_program"), std::string::npos);
    ParamImage kept;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(backup, kept, tables), LoadResult::Loaded);
    EXPECT_EQ(kept.byte(kChlazeni), unitBefore.byte(kChlazeni));
    EXPECT_EQ(rig.unit.memory().byte(kChlazeni), image().byte(kChlazeni)) << "then the image was programmed";
}

TEST_F(CompareAndBackups, AnUnwritableBackupAsksAndNoProgramsNothing)
{
    std::filesystem::create_directories(rig.configDirectory / "data");
    std::ofstream(backups()) << "a file where the folder belongs";
    const int unitValue = rig.unit.memory().byte(kChlazeni);
    image().setByte(kChlazeni, static_cast<std::uint8_t>(unitValue + 1));
    rig.dialogs->answer = PromptAnswer::No;
    trigger("MenuProgram");
    runUntilIdle();
    ASSERT_FALSE(rig.dialogs->questions.empty());
    EXPECT_EQ(rig.unit.memory().byte(kChlazeni), unitValue);
}

TEST_F(CompareAndBackups, ProgrammingAfterChangeKeepsEachConnectionsUnitOnceBeforeWritingIt)
{
    rig.control<QCheckBox>("CheckBoxProgHned").click();
    const auto edit = [&](int delta) {
        showPage(kPageBike);
        auto& coolant = rig.control<QSpinBox>("EditChlazeni");
        coolant.setValue(coolant.value() + delta);
        QTest::keyClick(&coolant, Qt::Key_Return);
        runUntilIdle();
    };
    edit(1);
    ASSERT_EQ(backupCount(), 1) << "the unit is read and kept before the first write";
    EXPECT_EQ(rig.unit.memory().byte(kChlazeni), image().byte(kChlazeni));
    edit(1);
    EXPECT_EQ(backupCount(), 1) << "the same connection needs no second backup";
    EXPECT_EQ(rig.unit.memory().byte(kChlazeni), image().byte(kChlazeni));

    // The unit falls silent and one answers again: maybe another unit, kept anew.
    rig.line->detachUnit();
    rig.steps(40);
    rig.line->attachUnit(rig.unit);
    rig.steps(40);
    edit(-1);
    EXPECT_EQ(backupCount(), 2);
    EXPECT_EQ(rig.unit.memory().byte(kChlazeni), image().byte(kChlazeni));
}

TEST_F(CompareAndBackups, VerifyErrorListsTheDifferingParameters)
{
    ParamImage other = rig.unit.memory();
    other.setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 7));
    rig.unit.loadMemory(other);
    trigger("MenuVerify");
    runUntilIdle();
    EXPECT_EQ(rig.text("LabelHlaseni"), "Verify error!");
    EXPECT_FALSE(dock().isHidden());
    const auto& differences = dock().listing().differences;
    EXPECT_TRUE(std::ranges::any_of(differences, [](const Difference& d) { return d.name == "Chlazeni"; }));
}

TEST_F(CompareAndBackups, CompareWithIgnitionShowsWhatProgramWouldChange)
{
    trigger("MenuRead");
    runUntilIdle();
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 2));
    trigger("MenuCompareUnit");
    const auto& differences = dock().listing().differences;
    ASSERT_EQ(differences.size(), 1U);
    EXPECT_EQ(differences.front().name, "Chlazeni");
}

// The list reads as the pages do: the caption the value stands under, in the language, with its unit.
TEST_F(CompareAndBackups, ListNamesValuesByTheirCaptionsInTheLanguage)
{
    trigger("MenuRead");
    runUntilIdle();
    trigger("MenuGerman");
    image().setByte(kIgnLimiter, static_cast<std::uint8_t>(image().byte(kIgnLimiter) - 5));
    image().setByte(kKorVoda + 2, static_cast<std::uint8_t>(image().byte(kKorVoda + 2) + 5));
    trigger("MenuCompareUnit");
    const QTableWidget& table = dock().table();
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(0, 0)->text(), rig.control<PageControl>("PageControl1").tabText(kPageBike));
    EXPECT_EQ(table.item(0, 1)->text().toStdString(), "Zündungsbegrenzer [rpm]");
    EXPECT_EQ(table.item(1, 1)->text().toStdString(), "Kühlflüssigkeit, 50 °C [%]");

    trigger("MenuEnglish");
    EXPECT_EQ(table.item(0, 1)->text().toStdString(), "Ignition Limiter [rpm]");
}

// The list of the unit is never an old one: Program makes the unit hold the image, so nothing is
// left to change.
TEST_F(CompareAndBackups, CompareWithIgnitionListIsComputedAgainAfterProgram)
{
    trigger("MenuRead");
    runUntilIdle();
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 2));
    trigger("MenuCompareUnit");
    ASSERT_EQ(dock().listing().differences.size(), 1U);
    trigger("MenuProgram");
    runUntilIdle();
    EXPECT_TRUE(dock().listing().differences.empty());
    EXPECT_EQ(dock().listing().source, CompareSource::Unit);
}

TEST_F(CompareAndBackups, ComparingWithTheUnitEndsTheFilesMarks)
{
    const std::filesystem::path file = rig.configDirectory / "reference.ign";
    ASSERT_FALSE(saveParameterFile(file, image()).has_value());
    image().setByte(kChlazeni, static_cast<std::uint8_t>(image().byte(kChlazeni) + 3));
    showPage(kPageBike);
    rig.dialogs->paths.emplace_back(file);
    trigger("MenuCompareFile");
    ASSERT_TRUE(isMarkedCompared(rig.control("EditChlazeni")));
    trigger("MenuCompareUnit");
    EXPECT_FALSE(isMarkedCompared(rig.control("EditChlazeni")));
    EXPECT_EQ(dock().listing().source, CompareSource::Unit);
    showPage(kPageAdvance);
    showPage(kPageBike);
    EXPECT_FALSE(isMarkedCompared(rig.control("EditChlazeni"))) << "the file's comparison is over";
}

TEST_F(CompareAndBackups, EndCompareIsOfferedOnlyWhileAComparisonRuns)
{
    auto& end = rig.control<QAction>("MenuEndCompare");
    EXPECT_FALSE(end.isEnabled());
    const std::filesystem::path file = rig.configDirectory / "reference.ign";
    ASSERT_FALSE(saveParameterFile(file, image()).has_value());
    rig.dialogs->paths.emplace_back(file);
    trigger("MenuCompareFile");
    EXPECT_TRUE(end.isEnabled());
    trigger("MenuEndCompare");
    EXPECT_FALSE(end.isEnabled());
    trigger("MenuCompareUnit");
    EXPECT_TRUE(end.isEnabled());
    dock().close(); // by the dock's own button
    rig.step();
    EXPECT_FALSE(end.isEnabled());
}

} // namespace
} // namespace quorvel
