// Every command of the pages, made where the user makes it: a click, a typed number or a menu
// item on the real main window. Each test checks what the image holds afterwards, what the undo
// ring recorded and which blocks wait to be programmed.
#include "core/page_index.h"
#include "io/code_page.h"
#include "maps/parameter_editor.h"
#include "model/bike_list.h"
#include "ui/binding/editor_binder.h"
#include "ui/maps/map_grid.h"
#include "ui/maps/map_pages.h"
#include "ui/pages/field_spin_box.h"
#include "ui/pages/page_control.h"
#include "ui/pages/spin_button.h"
#include "ui/window_rig.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr int kIgnLimiter = 179; // 100 rpm
constexpr int kChlazeni = 185;   // warning light, degrees
constexpr int kJetMode = 197;
constexpr int kServoExEnable = 208;
constexpr int kServoInEnable = 209;
constexpr int kServoExMode = 214;
constexpr int kServoInMode = 215;
constexpr int kServoInStepMotor = 216;
constexpr int kBike = 150;
constexpr int kFirstAngleA = 470; // POSITION_A angles, degrees / 5
constexpr int kGearSystem = 286;
constexpr int kMemo = 2850;
constexpr int kServoInCells = 2600;
constexpr int kServoExCells = 2450;
constexpr int kAdvanceCells = 650;
constexpr int kPositionPoints = 15;

// Key presses carrying characters beyond ASCII, as a Czech keyboard sends them.
void typeText(QWidget& widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&widget, &release);
    }
}

int blockOf(int offset)
{
    return offset / kBlockSize;
}

class WindowCommands : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start(std::optional<Language> language = std::nullopt)
    {
        rig.start(language);
        rig.window->show();
        QCoreApplication::processEvents();
        // What the start-up left waiting for the unit is not the tests' business.
        image().pendingBlocks().clearAll();
    }

    ParamImage& image() { return rig.window->image(); }
    ParameterEditor& editor() { return rig.window->editing()->editor(); }
    int undoSteps() { return editor().history().undoSteps(); }
    void showPage(int page) const { rig.showPage(page); }
    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    MapGrid& grid() { return rig.window->mapPages().grid(); }
    QModelIndex cell(int row, int column)
    {
        return MapGridTableModel::cellIndexOf(*grid().table().model(), row, column);
    }
    void clickRadio(const char* group, int item)
    {
        rig.control(group).findChild<QButtonGroup*>()->button(item)->click();
    }
    // Types into a field as a user does, key by key, and confirms with Enter.
    void typeAndEnter(const char* field, const QString& text)
    {
        auto& spin = rig.control<QSpinBox>(field);
        spin.setFocus();
        QLineEdit* edit = spin.findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void expectPendingExactly(std::initializer_list<int> blocks)
    {
        for (int block = 0; block < PendingBlocks::kCount; ++block) {
            const bool expected = std::find(blocks.begin(), blocks.end(), block) != blocks.end();
            EXPECT_EQ(image().pendingBlocks().isSet(block), expected) << "block " << block;
        }
    }

    test::WindowRig rig;
};

TEST_F(WindowCommands, ServoModeChosenOnTheGrid_SurvivesTheNextCellEdit)
{
    image().setByte(kServoInEnable, 0);
    showPage(kPageIntakeServo);
    rig.control<QCheckBox>("CheckBoxServoEnable").click();
    ASSERT_EQ(image().byte(kServoInEnable), 1);
    clickRadio("RadioGroupServoMode", 2); // TPS: one column
    EXPECT_EQ(image().byte(kServoInMode), 2);
    const int steps = undoSteps();

    ASSERT_TRUE(grid().table().model()->setData(cell(3, 0), cell(3, 0).data(Qt::EditRole).toInt() + 20));
    EXPECT_EQ(image().byte(kServoInMode), 2) << "the old mode came back with the cell";
    EXPECT_EQ(image().byte(kServoInEnable), 1);
    EXPECT_EQ(undoSteps(), steps + 1);
    expectPendingExactly({blockOf(kServoInEnable), blockOf(kServoInCells + 45)});
}

TEST_F(WindowCommands, ServoEnableTickedOnExhaust_SurvivesAnExtraFieldStep)
{
    image().setByte(kServoExEnable, 0);
    image().setByte(kServoExMode, 0); // the full map
    showPage(kPageExhaustServo);
    rig.control<QCheckBox>("CheckBoxServoEnable").click();
    EXPECT_EQ(image().byte(kServoExEnable), 1);
    auto& hysteresis = rig.control<QSpinBox>("EditExtra_Uni0");
    ASSERT_FALSE(hysteresis.isHidden());
    hysteresis.stepBy(1);
    EXPECT_EQ(image().byte(kServoExEnable), 1);
    ASSERT_TRUE(grid().table().model()->setData(cell(0, 0), 100));
    EXPECT_EQ(image().byte(kServoExEnable), 1);
    EXPECT_EQ(image().byte(kServoExCells), 5);
}

TEST_F(WindowCommands, NumberTypedPastTheRange_IsNotCutShortButLeftAsItWas)
{
    showPage(kPageBike);
    const int limiter = image().byte(kIgnLimiter);
    typeAndEnter("EditIgnLimiter", "25500");
    EXPECT_EQ(image().byte(kIgnLimiter), limiter) << "25500 rpm is beyond 25000: the old value stays";
    typeAndEnter("EditChlazeni", "200");
    EXPECT_NE(image().byte(kChlazeni), 20);
    const int steps = undoSteps();
    typeAndEnter("EditIgnLimiter", "15500");
    EXPECT_EQ(image().byte(kIgnLimiter), 155);
    EXPECT_EQ(undoSteps(), steps + 1);
    expectPendingExactly({blockOf(kIgnLimiter)});
}

TEST_F(WindowCommands, CzechMemo_IsStoredInItsCodePageAndShownAgain)
{
    trigger("MenuCzech");
    showPage(kPageBike);
    auto& memo = rig.control<QPlainTextEdit>("Memo1");
    memo.setFocus();
    memo.selectAll();
    typeText(memo, QStringLiteral("Žluťoučký kůň"));
    rig.control<QSpinBox>("EditChlazeni").setFocus(); // the memo loses the focus
    QCoreApplication::processEvents();
    const std::string stored = utf8ToCodePage("Žluťoučký kůň", CodePage::CentralEuropean1250);
    for (std::size_t i = 0; i < stored.size(); ++i)
        EXPECT_EQ(image().byte(kMemo + static_cast<int>(i)), static_cast<std::uint8_t>(stored[i])) << i;
    showPage(kPageGear);
    showPage(kPageBike);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Žluťoučký kůň"));
    expectPendingExactly({blockOf(kMemo)});
}

TEST_F(WindowCommands, IdleDirectionCaption_FollowsTheLanguage)
{
    showPage(kPageIdle);
    clickRadio("RadioGroupIdleMode", 2);
    trigger("MenuGerman");
    EXPECT_EQ(rig.control<QCheckBox>("CheckBoxIdleSmerReg").text(), QStringLiteral("Umgekehrt Richtung"));
    trigger("MenuCzech");
    EXPECT_EQ(rig.control<QCheckBox>("CheckBoxIdleSmerReg").text(), QStringLiteral("Opačný směr regulace"));
}

TEST_F(WindowCommands, LearnedGearRatios_StandInTheirGroupOnTheGearPage)
{
    showPage(kPageGear);
    clickRadio("RadioGroupGearSystem", 2);
    EXPECT_EQ(image().byte(kGearSystem), 2);
    rig.steps(12);
    auto& group = rig.control<QGroupBox>("GroupBoxMonAutoGear");
    EXPECT_FALSE(group.isHidden());
    for (int gear = 1; gear <= 6; ++gear) {
        const std::string ratio = "LabelMonPomerRpmSpeedAuto" + std::to_string(gear);
        const std::string label = "LabelMonGearAuto" + std::to_string(gear);
        EXPECT_TRUE(group.isAncestorOf(&rig.control(ratio.c_str()))) << ratio;
        EXPECT_TRUE(group.isAncestorOf(&rig.control(label.c_str()))) << label;
    }
    EXPECT_FALSE(rig.text("LabelMonPomerRpmSpeedAuto1").empty()) << "the monitor frames reach it";
    EXPECT_TRUE(rig.shown("LabelMonPomerRpmSpeed"));
    EXPECT_TRUE(rig.control("TabSheet_Gear").isAncestorOf(&rig.control("LabelMonPomerRpmSpeed")));
    showPage(kPageIdle);
    EXPECT_TRUE(rig.control("TabSheet_Idle").isAncestorOf(&rig.control("LabelIdleKorAdv")));
}

TEST_F(WindowCommands, PositionSpinWithAll_RaisesEveryAngleOfItsBankOnly)
{
    showPage(kPagePoloha);
    std::array<int, kPositionPoints> before{};
    for (int i = 0; i < kPositionPoints; ++i)
        before.at(static_cast<std::size_t>(i)) = image().byte(kFirstAngleA + i);
    const int bankB = image().byte(kFirstAngleA + 30);
    rig.control<QCheckBox>("CheckBoxAll_PolohaA").click();
    const int steps = undoSteps();
    auto* spin = dynamic_cast<SpinButton*>(&rig.control("CSpinButtonPolohaA"));
    ASSERT_NE(spin, nullptr);
    spin->upButton().click();
    for (int i = 0; i < kPositionPoints; ++i)
        EXPECT_EQ(image().byte(kFirstAngleA + i), std::min(144, before.at(static_cast<std::size_t>(i)) + 1)) << i;
    EXPECT_EQ(image().byte(kFirstAngleA + 30), bankB);
    EXPECT_EQ(undoSteps(), steps + 1);
    expectPendingExactly({blockOf(kFirstAngleA)});
}

TEST_F(WindowCommands, PositionAllBoxes_ArePersistedWithTheSettings)
{
    showPage(kPagePoloha);
    rig.control<QCheckBox>("CheckBoxAll_PolohaB").click();
    rig.window->close();
    rig.window.reset();
    start();
    EXPECT_FALSE(rig.control<QCheckBox>("CheckBoxAll_PolohaA").isChecked());
    EXPECT_TRUE(rig.control<QCheckBox>("CheckBoxAll_PolohaB").isChecked());
}

TEST_F(WindowCommands, JetModeMenu_RecordsTheChangeAndProgramsItWhenAsked)
{
    showPage(kPageInj1A);
    rig.control<QCheckBox>("CheckBoxProgHned").click();
    const int steps = undoSteps();
    trigger("Menu_Jet123Normal");
    EXPECT_EQ(image().byte(kJetMode), 0);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_TRUE(rig.control<QAction>("Menu_Jet123Normal").isChecked());
    EXPECT_EQ(rig.text("LabelHlaseni"), "Read:") << "the unit's tune is kept before the first write";
    trigger("Menu_Jet123Coupled");
    EXPECT_EQ(image().byte(kJetMode), 1);
    EXPECT_EQ(undoSteps(), steps + 2);
}

TEST_F(WindowCommands, AllOnTheGrid_StaysTickedAndF5RaisesTheWholeMap)
{
    showPage(kPageAdvance);
    rig.control<QCheckBox>("CheckBoxAll_Uni").click();
    const int first = image().byte(kAdvanceCells);
    const int last = image().byte(kAdvanceCells + 149);
    trigger("MenuToolsPlus");
    EXPECT_TRUE(rig.control<QCheckBox>("CheckBoxAll_Uni").isChecked()) << "All unticked itself at the fill";
    EXPECT_EQ(image().byte(kAdvanceCells), std::min(60, first + 1));
    EXPECT_EQ(image().byte(kAdvanceCells + 149), std::min(60, last + 1));
}

TEST_F(WindowCommands, ToolsAndColumnSpins_StepThroughTheSamePath)
{
    showPage(kPageAdvance);
    rig.control<QCheckBox>("CheckBoxAll_Uni").click();
    const int first = image().byte(kAdvanceCells);
    const int steps = undoSteps();
    dynamic_cast<SpinButton&>(rig.control("CSpinButtonTools_Uni")).downButton().click();
    EXPECT_EQ(image().byte(kAdvanceCells), std::max(0, first - 1));
    const int column3 = image().byte(kAdvanceCells + 3);
    dynamic_cast<SpinButton&>(rig.control("CSpinButtonColumn_Uni3")).upButton().click();
    EXPECT_EQ(image().byte(kAdvanceCells + 3), std::min(60, column3 + 1));
    EXPECT_EQ(undoSteps(), steps + 2);
    expectPendingExactly({blockOf(kAdvanceCells), blockOf(kAdvanceCells + 149)});
}

TEST_F(WindowCommands, CellArrows_StoreEveryClickWhileTheEditorStaysOpen)
{
    showPage(kPageAdvance);
    QTableView& table = grid().table();
    const QModelIndex target = cell(9, 4);
    table.setCurrentIndex(target);
    table.edit(target);
    auto* editor = table.viewport()->findChild<FieldSpinBox*>();
    ASSERT_NE(editor, nullptr);
    const int before = image().byte(kAdvanceCells + 9 * 15 + 4);
    const int steps = undoSteps();
    editor->stepBy(1);
    editor->stepBy(1);
    EXPECT_EQ(image().byte(kAdvanceCells + 9 * 15 + 4), before + 2);
    EXPECT_EQ(undoSteps(), steps + 2);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(image().byte(kAdvanceCells + 9 * 15 + 4), before + 2) << "Escape threw the clicks away";
}

TEST_F(WindowCommands, EnterInTheGrid_StoresAndMovesOn)
{
    showPage(kPageInjB);
    QTableView& table = grid().table();
    table.setFocus();
    table.setCurrentIndex(cell(2, 5));
    table.edit(cell(2, 5));
    auto* editor = table.viewport()->findChild<FieldSpinBox*>();
    ASSERT_NE(editor, nullptr);
    editor->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(editor->findChild<QLineEdit*>(), "42");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(image().byte(2000 + 2 * 15 + 5), 42);
    EXPECT_EQ(table.currentIndex(), cell(2, 6));
}

TEST_F(WindowCommands, CoupledFollowerPages_OfferNoPageLoadsAndLookReadOnly)
{
    image().setByte(kJetMode, 1);
    showPage(kPageInj3A);
    EXPECT_FALSE(rig.control<QAction>("MenuNewActPage").isEnabled());
    EXPECT_FALSE(rig.control<QAction>("MenuOpenActPage").isEnabled());
    EXPECT_FALSE(cell(0, 0).flags() & Qt::ItemIsEditable);
    EXPECT_NE(cell(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    EXPECT_TRUE(cell(0, 0).data(Qt::BackgroundRole).isValid()) << "a follower cell is painted as a caption";
    showPage(kPageInj1A);
    EXPECT_FALSE(rig.control<QAction>("MenuNewActPage").isEnabled()) << "1A carries the coupled maps with it";
    showPage(kPageInjB);
    EXPECT_TRUE(rig.control<QAction>("MenuNewActPage").isEnabled());
    EXPECT_TRUE(rig.control<QAction>("MenuOpenActPage").isEnabled());
}

TEST_F(WindowCommands, BikeChange_EndsAPageOnlyDefaultsRun)
{
    showPage(kPageKorekce);
    rig.dialogs->answer = PromptAnswer::Yes;
    trigger("MenuNewActPage");
    EXPECT_TRUE(rig.window->files().pageOnlyLoad);
    showPage(kPageBike);
    auto& bikes = rig.control<QComboBox>("ComboBoxBike");
    const int other = bikes.currentIndex() == 0 ? 1 : 0;
    bikes.setCurrentIndex(other);
    emit bikes.activated(other);
    EXPECT_FALSE(rig.window->files().pageOnlyLoad) << "the old-maps import would load one page only";
}

TEST_F(WindowCommands, IntakeServoPageOfBike47_ClearsStepMotor)
{
    image().setByte(kBike, 47);
    image().setByte(kServoInStepMotor, 1);
    showPage(kPageIntakeServo);
    EXPECT_EQ(image().byte(kServoInStepMotor), 0);
    EXPECT_FALSE(rig.control<QCheckBox>("CheckBoxStepMotor").isEnabled());
}

TEST_F(WindowCommands, ExtraFields_StandAfterTheirCaptions)
{
    showPage(kPageInj1A);
    QCoreApplication::processEvents();
    for (int field = 0; field < 4; ++field) {
        const std::string caption = "LabelExtra_Uni" + std::to_string(field + 1);
        const std::string edit = "EditExtra_Uni" + std::to_string(field);
        const QWidget& label = rig.control(caption.c_str());
        const QWidget& spin = rig.control(edit.c_str());
        EXPECT_LT(label.x(), spin.x()) << caption;
        EXPECT_LT(spin.x() - (label.x() + label.width()), 12) << caption << " stands close before " << edit;
    }
}

TEST_F(WindowCommands, NoToolBarControlTakesTheFocusFromThePage)
{
    showPage(kPageKorekce);
    rig.control<QSpinBox>("EditStartJet").setFocus();
    showPage(kPageInj1A);
    rig.control<QCheckBox>("CheckBoxZobrMs_Uni").click();
    showPage(kPageGas);
    QCoreApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), &rig.control("CheckBoxProgHned"));
    EXPECT_EQ(rig.control("CheckBoxProgHned").focusPolicy(), Qt::NoFocus);
    for (QAbstractButton* button : rig.control("GroupBoxToolBar").findChildren<QAbstractButton*>())
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->objectName().toStdString();
}

TEST_F(WindowCommands, LongFileName_NeitherWidensTheWindowNorHidesItsEnd)
{
    showPage(kPageBike);
    const QSize least = rig.window->minimumSizeHint();
    rig.control<QLabel>("LabelFile2").setText(QString("/home/mechanic/").repeated(30) + "r6.ign");
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.window->minimumSizeHint().width(), least.width());
}

TEST_F(WindowCommands, QtDialogs_SpeakTheChosenLanguage)
{
    trigger("MenuGerman");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    trigger("MenuCzech");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    trigger("MenuEnglish");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

// The number in a monitor text, such as the 2998 of "Gear voltage = 2998 mV".
int numberIn(const std::string& text, const std::string& after)
{
    const std::size_t at = text.find(after);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + after.size());
}

TEST_F(WindowCommands, LearnButtons_StoreTheLiveValuesAndRecordThem)
{
    rig.control<QCheckBox>("CheckBoxExtMonitor").click(); // the throttle text shows its millivolts
    rig.steps(12);
    showPage(kPageGear);
    clickRadio("RadioGroupGearSystem", 0);
    image().pendingBlocks().clearAll();
    const int steps = undoSteps();
    const int gearMillivolts = numberIn(rig.text("LabelMonGearNapeti"), "= ");
    ASSERT_GT(gearMillivolts, 0);
    image().setWordAt(290 + 2 * 3, 0);
    rig.control<QAbstractButton>("ButtonGear3").click();
    EXPECT_EQ(image().wordAt(290 + 2 * 3), gearMillivolts);
    EXPECT_EQ(undoSteps(), steps + 1);
    expectPendingExactly({blockOf(290)});

    showPage(kPageCidla);
    const int throttleMillivolts = numberIn(rig.text("LabelTpsMon"), "%=");
    ASSERT_GE(throttleMillivolts, 300);
    ASSERT_LE(throttleMillivolts, 2500);
    rig.control<QAbstractButton>("ButtonTps0").click();
    EXPECT_EQ(image().byte(183), throttleMillivolts / 10);
}

class TestModeWindow : public ::testing::Test {
protected:
    test::WindowRig rig;
};

TEST_F(TestModeWindow, MinusWritesItsTimeIntoTheFirstTestLabel)
{
    rig.writeConfig("test_vesnik.txt", "DIAG_SWITCH\n");
    rig.start();
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageAdvance);
    rig.control<QAction>("MenuToolsMinus").trigger();
    EXPECT_EQ(rig.text("LabelTest1").rfind("Test1= ", 0), 0U) << rig.text("LabelTest1");
    EXPECT_TRUE(rig.shown("LabelTest1"));
}

} // namespace
} // namespace quorvel
