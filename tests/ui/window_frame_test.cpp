// The window's frame on the real window: its title, the Com menu with its devices and the
// virtual unit, what a port that does not open says, the port label, and a file handed over on
// the command line.
#include "window_rig.h"

#include "core/page_index.h"
#include "io/parameter_set.h"
#include "sim/line_with_virtual_unit.h"
#include "ui/pages/elided_label.h"
#include "ui/pages/page_control.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::WindowRig;

class WindowFrame : public ::testing::Test {
protected:
    void start()
    {
        rig.start();
        rig.window->show();
        QCoreApplication::processEvents();
    }
    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    [[nodiscard]] std::string title() const { return rig.window->windowTitle().toStdString(); }
    [[nodiscard]] std::string statusLine() const { return rig.window->statusBar()->currentMessage().toStdString(); }
    void typeAndEnter(const char* field, const QString& text)
    {
        auto& spin = rig.control<QSpinBox>(field);
        spin.setFocus();
        QLineEdit* edit = spin.findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    [[nodiscard]] QMenu& comMenu() const { return *rig.window->findChild<QMenu*>("MenuCom"); }
    // As the opened menu shows them.
    [[nodiscard]] std::vector<std::string> comCaptions() const
    {
        emit comMenu().aboutToShow();
        std::vector<std::string> captions;
        for (int entry = 0; entry < 21; ++entry)
            captions.push_back(
                rig.control<QAction>(("MenuCom_Uni" + std::to_string(entry)).c_str()).text().toStdString());
        return captions;
    }

    WindowRig rig;
};

TEST_F(WindowFrame, TitleNamesTheFileAndMarksChangesUntilTheyAreSavedAndSaveSaysSo)
{
    start();
    EXPECT_EQ(title(), "Programming of Quorvel_2007 unit[*]");
    EXPECT_FALSE(rig.window->isWindowModified());

    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageBike);
    typeAndEnter("EditChlazeni", "95");
    EXPECT_TRUE(rig.window->isWindowModified()) << "an edit not saved yet";

    const std::filesystem::path file = rig.configDirectory / "r6 track.ign";
    rig.dialogs->paths.push_back(file);
    trigger("MenuSave");
    EXPECT_EQ(title(), "r6 track.ign[*] - Programming of Quorvel_2007 unit");
    EXPECT_FALSE(rig.window->isWindowModified());
    EXPECT_EQ(statusLine(), "Saved " + file.string());

    typeAndEnter("EditChlazeni", "96");
    EXPECT_TRUE(rig.window->isWindowModified());
    trigger("MenuZpet");
    EXPECT_FALSE(rig.window->isWindowModified()) << "undone back to what the file holds";

    trigger("MenuCzech");
    EXPECT_EQ(title(), "r6 track.ign[*] - Programování jednotky Quorvel_2007");
    rig.dialogs->paths.push_back(file);
    trigger("MenuSave");
    EXPECT_EQ(statusLine(), "Uloženo: " + file.string());
}

TEST_F(WindowFrame, OpeningAFileTakesItsNameAndAFailedSaveKeepsTheMark)
{
    start();
    const std::filesystem::path file = rig.configDirectory / "street.ign";
    ASSERT_FALSE(saveParameterFile(file, rig.window->image()).has_value());
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageBike);
    typeAndEnter("EditChlazeni", "95");
    rig.dialogs->paths.push_back(file);
    trigger("MenuOpen");
    EXPECT_EQ(title(), "street.ign[*] - Programming of Quorvel_2007 unit");
    EXPECT_FALSE(rig.window->isWindowModified());

    typeAndEnter("EditChlazeni", "97");
    rig.dialogs->paths.push_back(rig.configDirectory / "no such folder" / "x.ign");
    trigger("MenuSave");
    EXPECT_TRUE(rig.window->isWindowModified()) << "nothing was saved";
    EXPECT_EQ(title(), "street.ign[*] - Programming of Quorvel_2007 unit");
}

TEST_F(WindowFrame, FileNamedOnTheCommandLineOpensOnceTheWindowIsUp)
{
    const std::filesystem::path file = rig.configDirectory / "given.ign";
    ParamImage given;
    {
        WindowRig maker;
        maker.start();
        given = maker.window->image();
    }
    given.setByte(185, 88);
    ASSERT_FALSE(saveParameterFile(file, given).has_value());
    rig.parameterFile = file;
    start();
    QCoreApplication::sendPostedEvents(rig.window.get(), QEvent::MetaCall);
    EXPECT_EQ(rig.window->image().byte(185), 88);
    EXPECT_EQ(rig.window->files().currentFileName, file);
    EXPECT_EQ(title(), "given.ign[*] - Programming of Quorvel_2007 unit");
    EXPECT_TRUE(rig.dialogs->messages.empty());
}

TEST_F(WindowFrame, MissingFileNamedOnTheCommandLineSaysOpenFileError)
{
    rig.parameterFile = rig.configDirectory / "gone.ign";
    start();
    QCoreApplication::sendPostedEvents(rig.window.get(), QEvent::MetaCall);
    // With the reason under it, as every failed open tells it.
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Open file error!\n" + rig.parameterFile.string() +
                                                              ": No such file or directory"});
}

TEST_F(WindowFrame, ComMenuNamesTheDevicesAsTheyAreWhenItOpens)
{
    rig.portPaths = {"/dev/ttyUSB0", "/dev/ttyS0"};
    start();
    std::vector<std::string> expected;
    for (int entry = 0; entry < 21; ++entry)
        expected.push_back(entry == 20 ? "Com Auto" : "Com " + std::to_string(entry + 1));
    expected[0] += "  (/dev/ttyUSB0)";
    expected[1] += "  (/dev/ttyS0)";
    EXPECT_EQ(comCaptions(), expected);
    EXPECT_EQ(rig.text("LabelCom"), "COM= COM2 (/dev/ttyS0)");
}

TEST_F(WindowFrame, WithWindowsPortNamesTheEntriesStayBare)
{
    start();
    EXPECT_EQ(comCaptions().front(), "Com 1");
    EXPECT_EQ(comCaptions()[19], "Com 20");
}

TEST_F(WindowFrame, VirtualUnitFromTheComMenuAnswersAndIsRememberedLikeAPort)
{
    rig.devices = {std::string(sim::kVirtualUnitDevice)}; // no serial port at all
    start();
    ASSERT_EQ(rig.dialogs->messages.size(), 1U) << "COM2 is not there";
    QAction& entry = rig.control<QAction>("MenuComVirtual");
    EXPECT_TRUE(comMenu().actions().contains(&entry));
    EXPECT_EQ(entry.text().toStdString(), "&Virtual unit (no hardware)");
    entry.trigger();
    EXPECT_EQ(rig.line->openAttempts().back(), sim::kVirtualUnitDevice);
    EXPECT_TRUE(entry.isChecked());
    EXPECT_FALSE(rig.control<QAction>("MenuCom_Uni1").isChecked());
    rig.steps(30);
    EXPECT_FALSE(rig.shown("LabelSpojeni")) << "the unit answers";
    EXPECT_EQ(rig.dialogs->messages.size(), 1U);

    rig.window->close();
    rig.window.reset();
    rig.start();
    EXPECT_EQ(rig.line->openAttempts().front(), sim::kVirtualUnitDevice) << "kept with the settings";
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_TRUE(rig.control<QAction>("MenuComVirtual").isChecked());

    // A port chosen again is kept instead.
    rig.control<QAction>("MenuCom_Uni0").trigger();
    EXPECT_FALSE(rig.control<QAction>("MenuComVirtual").isChecked());
    rig.window->close();
    rig.window.reset();
    rig.start();
    EXPECT_EQ(rig.line->openAttempts().front(), "COM1");
}

TEST_F(WindowFrame, LongDevicePathIsShortenedInTheMiddleOfThePortLabel)
{
    rig.portDevice = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    start();
    auto& label = rig.control<ElidedLabel>("LabelCom");
    EXPECT_EQ(label.text().toStdString(), "COM= " + rig.portDevice);
    const std::string shown = label.shownText().toStdString();
    EXPECT_LT(shown.size(), label.text().toStdString().size());
    EXPECT_TRUE(shown.starts_with("COM= ")) << shown;
    EXPECT_TRUE(shown.ends_with("port0")) << shown;
}

} // namespace
} // namespace quorvel
