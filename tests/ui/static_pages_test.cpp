#include "core/page_index.h"
#include "model/bike_list.h"
#include "model/field_table.h"
#include "model/page_binding.h"
#include "ui/binding/editor_binder.h"
#include "ui/pages/field_spin_box.h"
#include "ui/window_rig.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class StaticPages : public testing::Test {
protected:
    void SetUp() override { rig.start(); }

    void showPage(int page) const { rig.showPage(page); }
    FieldSpinBox& spin(const char* name) { return dynamic_cast<FieldSpinBox&>(rig.control<QSpinBox>(name)); }
    void type(FieldSpinBox& field, const QString& text)
    {
        field.findChild<QLineEdit*>()->setText(text);
        emit field.editingFinished();
    }
    bool enabled(const char* button, const char* item)
    {
        const bool onButton = rig.control<QToolButton>(button).isEnabled();
        EXPECT_EQ(onButton, rig.window->findChild<QAction*>(item)->isEnabled()) << button << " and " << item;
        return onButton;
    }
    ParamImage& image() { return rig.window->image(); }

    test::WindowRig rig;
};

TEST_F(StaticPages, EveryFieldOfEveryPage_HasItsControlWithTheTableRange)
{
    rig.makeEveryPage();
    for (int page : kFieldPages) {
        for (const Field* field : FieldTable::ofPage(page)) {
            for (int element = 0; element < field->count && field->form != FieldForm::Text; ++element) {
                const std::string name = fieldControl(*field, element).key().objectName();
                SCOPED_TRACE(name);
                QWidget& widget = rig.control(name.c_str());
                EXPECT_TRUE(rig.control<QTabWidget>("PageControl1").widget(page)->isAncestorOf(&widget));
                if (auto* box = qobject_cast<QSpinBox*>(&widget); box != nullptr && name != "EditIdleServoPoz0") {
                    EXPECT_EQ(box->minimum(), field->minimum);
                    EXPECT_GT(box->singleStep(), 0);
                }
                if (field->control == ControlKind::RadioGroup) {
                    EXPECT_EQ(widget.findChild<QButtonGroup*>()->buttons().size(), field->maximum + 1);
                }
            }
        }
    }
}

TEST_F(StaticPages, IdleSpinClick_StoresSanitisesRefillsAndRecordsOneUndoEntry)
{
    image().setByte(2777, 1); // the idle advance control shows the control range
    showPage(kPageIdle);
    const int before = image().byte(2752);
    FieldSpinBox& field = spin("EditIdleTpsMez");
    EXPECT_FALSE(enabled("SpeedButtonZpet", "MenuZpet"));
    field.stepBy(1);
    EXPECT_EQ(image().byte(2752), before + 1);
    EXPECT_EQ(field.value(), before + 1);
    EXPECT_TRUE(enabled("SpeedButtonZpet", "MenuZpet"));
    EXPECT_FALSE(enabled("SpeedButtonZnovu", "MenuZnovu"));

    rig.control<QToolButton>("SpeedButtonZpet").click();
    EXPECT_EQ(image().byte(2752), before);
    EXPECT_EQ(field.value(), before);
    EXPECT_FALSE(enabled("SpeedButtonZpet", "MenuZpet")) << "one click made one entry";
    EXPECT_TRUE(enabled("SpeedButtonZnovu", "MenuZnovu"));
}

TEST_F(StaticPages, IdleTargetsOfAHiddenGroup_SurviveEditsAndComeBackWithTheirMode)
{
    image().setByte(2750, 0); // no idle control: the targets' group is hidden
    image().setByte(2777, 1); // the idle advance control keeps EditIdleTpsMez on screen
    for (int i = 0; i < 9; ++i)
        image().setWordAt(2758 + 2 * i, static_cast<std::uint16_t>(1800 - 75 * i));
    showPage(kPageIdle);
    ASSERT_TRUE(rig.control("GroupBoxIdleServoPoz").isHidden());
    spin("EditIdleTpsMez").stepBy(1);
    rig.control<QGroupBox>("RadioGroupIdleMode").findChild<QButtonGroup*>()->button(2)->click();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(image().wordAt(2758 + 2 * i), 1800 - 75 * i) << i;
        EXPECT_EQ(spin(("EditIdleServoPoz" + std::to_string(i)).c_str()).value(), 1800 - 75 * i) << i;
    }
}

TEST_F(StaticPages, TypedValueOutsideTheRange_LeavesTheValue)
{
    showPage(kPageBike);
    FieldSpinBox& cooling = spin("EditChlazeni");
    const int before = image().byte(185);
    type(cooling, "200");
    EXPECT_EQ(image().byte(185), before);
    EXPECT_EQ(cooling.text(), QString::number(before));
    type(cooling, "101");
    EXPECT_EQ(image().byte(185), 101);
}

TEST_F(StaticPages, TypedValueNotConfirmed_IsCommittedWhenThePageChanges)
{
    showPage(kPageKorekce);
    spin("EditKorVoda2").findChild<QLineEdit*>()->setText("77");
    showPage(kPageGear);
    EXPECT_EQ(image().byte(232), 77);
}

TEST_F(StaticPages, Memo_KeepsAtMost199CharactersAndThe149FirstInTheImage)
{
    showPage(kPageBike);
    auto& memo = rig.control<QPlainTextEdit>("Memo1");
    memo.setPlainText(QString(250, 'x'));
    EXPECT_EQ(memo.toPlainText().size(), EditorBinder::kMemoLimit);
    rig.window->editing()->editor().fieldEditingFinished();
    EXPECT_EQ(image().byte(2850 + 148), 'x');
    EXPECT_EQ(image().byte(2999), 0);
}

TEST_F(StaticPages, CtrlZ_UndoesTheLastChange)
{
    showPage(kPageKorekce);
    const int before = image().byte(242);
    spin("EditStartJet").stepBy(1);
    QAction* undo = rig.window->findChild<QAction*>("MenuZpet");
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(rig.window->findChild<QAction*>("MenuZnovu")->shortcut(), QKeySequence("Ctrl+Alt+Z"));
    undo->trigger();
    EXPECT_EQ(image().byte(242), before);
}

TEST_F(StaticPages, UndoOnAnotherPage_ShowsThePageOfTheEntry)
{
    showPage(kPageGas);
    rig.control<QCheckBox>("CheckBoxGas").click();
    const int gas = image().byte(248);
    showPage(kPageRace);
    rig.control<QToolButton>("SpeedButtonZpet").click();
    EXPECT_NE(image().byte(248), gas);
    EXPECT_EQ(rig.window->activePage(), kPageGas);
}

TEST_F(StaticPages, RadioGroup_StoresAtOnceAndRefreshesTheView)
{
    showPage(kPageGear);
    auto* group = rig.control<QGroupBox>("RadioGroupGearSystem").findChild<QButtonGroup*>();
    group->button(3)->click();
    EXPECT_EQ(image().byte(286), 3);
    EXPECT_TRUE(rig.control("EditGearKorAdv3").isHidden()) << "gear detection No hides the gear rows";
    EXPECT_TRUE(enabled("SpeedButtonZpet", "MenuZpet"));
}

TEST_F(StaticPages, ProgrammingAfterChange_StartsProgrammingTheChange)
{
    showPage(kPageKorekce);
    auto& program = rig.control<QCheckBox>("CheckBoxProgHned");
    program.click();
    spin("EditStartJet").stepBy(1);
    EXPECT_TRUE(rig.shown("LabelHlaseni"));
    EXPECT_EQ(rig.text("LabelHlaseni"), "Read:") << "the unit's tune is kept before the first write";
    for (int tick = 0; tick < 600 && rig.text("LabelHlaseni") != "Program device: OK"; ++tick)
        rig.step();
    EXPECT_EQ(rig.unit.memory().byte(242), image().byte(242));
}

TEST_F(StaticPages, BikeListAnsweredCancel_TakesTheBikeWithoutItsDefaults)
{
    showPage(kPageBike);
    spin("EditChlazeni").setValue(77);
    emit spin("EditChlazeni").editingFinished();
    auto& bikes = rig.control<QComboBox>("ComboBoxBike");
    const int chosen = bikes.currentIndex() == 0 ? 1 : 0;
    rig.dialogs->answer = PromptAnswer::Cancel;
    bikes.setCurrentIndex(chosen);
    emit bikes.activated(chosen);
    EXPECT_EQ(rig.dialogs->questions.size(), 1U);
    EXPECT_EQ(image().byte(150), BikeList::bikeCodeOf(chosen).value());
    EXPECT_EQ(image().byte(185), 77);
}

// Not a check: pictures of every static page for a person to look at.
TEST_F(StaticPages, Screenshots)
{
    rig.window->resize(TFormHlav::kDesignWidth, TFormHlav::kDesignHeight);
    rig.window->show();
    for (int page : kFieldPages) {
        showPage(page);
        rig.steps(3);
        QCoreApplication::processEvents();
        const QString path = QStringLiteral("/tmp/quorvel-page-%1.png").arg(page);
        EXPECT_TRUE(rig.window->grab().save(path));
    }
}

} // namespace
} // namespace quorvel
