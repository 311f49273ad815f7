#include "window_rig.h"

#include "core/page_index.h"
#include "model/bike_defaults.h"
#include "ui/pages/page_control.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/help_command.h"
#include "ui/shell/start_options.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

using test::WindowRig;

constexpr int kBikeOffset = 150;
constexpr std::uint8_t kChokeBikeCode = 38;

class WindowLanguage : public ::testing::Test {
protected:
    WindowRig rig;

    void trigger(const char* item) { rig.window->findChild<QAction*>(item)->trigger(); }
    [[nodiscard]] QAction& action(const char* item) const { return rig.control<QAction>(item); }
    [[nodiscard]] std::string tab(int page) const
    {
        return rig.control<PageControl>("PageControl1").tabText(page).toStdString();
    }
    [[nodiscard]] std::vector<std::string> checkedLanguages() const
    {
        std::vector<std::string> checked;
        for (const char* item : {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"}) {
            if (action(item).isChecked())
                checked.emplace_back(item);
        }
        return checked;
    }
};

TEST_F(WindowLanguage, CzechWhileDisconnectedRenamesTabsLabelsMenusAndPlaceholders)
{
    rig.start(std::nullopt, false);
    trigger("MenuCzech");
    EXPECT_EQ(rig.window->language(), Language::Czech);
    EXPECT_EQ(tab(kPageInj1A), "Vstřik 1");
    EXPECT_EQ(rig.text("LabelSpojeni"), "Není spojení s PC");
    EXPECT_EQ(rig.text("LabelMon_Ign"), "Předstih= --- [°]");
    EXPECT_EQ(action("MenuLanguage").text().toStdString(), "&Jazyk");
    EXPECT_EQ(rig.control<QAbstractButton>("ButtonRead").text().toStdString(), "Čí&st");
    EXPECT_EQ(checkedLanguages(), std::vector<std::string>{"MenuCzech"});

    trigger("MenuEnglish");
    EXPECT_EQ(tab(kPageInj1A), "Inj. 1");
    EXPECT_EQ(rig.text("LabelSpojeni"), "No connection with PC");
    EXPECT_EQ(checkedLanguages(), std::vector<std::string>{"MenuEnglish"});
}

TEST_F(WindowLanguage, ConnectedUnitKeepsItsLiveMonitorValuesAcrossALanguageChange)
{
    rig.start();
    rig.steps(40);
    const std::string live = rig.text("LabelMon_Ign");
    ASSERT_EQ(live.find("---"), std::string::npos) << live;
    trigger("MenuGerman");
    EXPECT_EQ(rig.text("LabelMon_Ign"), live);
    rig.steps(20);
    EXPECT_EQ(rig.text("LabelMon_Ign").rfind("Vorzündung", 0), 0U) << rig.text("LabelMon_Ign");
}

TEST_F(WindowLanguage, ChokeBikeCaptionsFollowTheBikeAndGoBack)
{
    rig.start(std::nullopt, false);
    rig.showPage(kPageIdle);
    auto* hysteresis = &rig.control<QLabel>("LabelIdleHyster");

    rig.window->image().setByte(kBikeOffset, kChokeBikeCode);
    deriveBikeFields(rig.window->image());
    trigger("MenuEnglish");
    EXPECT_EQ(hysteresis->text().toStdString(), "Desired RPM");
    EXPECT_EQ(rig.text("LabelMonPilotLight"), "Choke - ---");

    rig.window->image().setByte(kBikeOffset, 11);
    deriveBikeFields(rig.window->image());
    trigger("MenuEnglish");
    EXPECT_EQ(hysteresis->text().toStdString(), "Hysteresis [rpm]");
    EXPECT_EQ(rig.text("LabelMonPilotLight"), "Gear Shift Light - ---");
}

// Every word of the Gear page in the window, each group, label, item and learn button.
std::vector<std::pair<const QObject*, QString>> gearPageTexts(const WindowRig& rig)
{
    std::vector<std::pair<const QObject*, QString>> texts;
    const QWidget& page = rig.control("TabSheet_Gear");
    for (const QGroupBox* box : page.findChildren<QGroupBox*>())
        texts.emplace_back(box, box->title());
    for (const QLabel* label : page.findChildren<QLabel*>())
        texts.emplace_back(label, label->text());
    for (const QAbstractButton* button : page.findChildren<QAbstractButton*>())
        texts.emplace_back(button, button->text());
    return texts;
}

TEST_F(WindowLanguage, GermanGearPageSpeaksGermanThroughout)
{
    rig.start();
    rig.showPage(kPageGear);
    const QList<QRadioButton*> items = rig.control("RadioGroupGearSystem").findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 4);
    trigger("MenuEnglish");
    const auto english = gearPageTexts(rig);
    trigger("MenuGerman");
    std::vector<std::string> shown;
    for (const QRadioButton* item : items)
        shown.push_back(item->text().toStdString());
    EXPECT_EQ(shown, (std::vector<std::string>{"Spannung", "Verhältnis Drehz./Geschw.", "Automatik (Drehz./Geschw.)",
                                               "Keine "}));
    EXPECT_EQ(rig.control<QGroupBox>("RadioGroupGearSystem").title().toStdString(), "Gangerkennung");

    // What is the same in both languages: numbers, units, live values and "Band [0.1%]".
    const QRegularExpression word("[A-Za-z]{3,}");
    const auto german = gearPageTexts(rig);
    ASSERT_EQ(german.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        const QString& before = english[i].second;
        if (!before.contains(word) || before == "Band [0.1%]" || english[i].first->objectName().startsWith("LabelMon"))
            continue;
        EXPECT_NE(german[i].second, before) << english[i].first->objectName().toStdString() << " stays English";
        EXPECT_FALSE(german[i].second.trimmed().isEmpty()) << english[i].first->objectName().toStdString();
    }
}

TEST_F(WindowLanguage, LowerCaseWordOnTheCommandLineKeepsTheStoredLanguage)
{
    rig.writeConfig("Quorvel_2007_v71ini", "[BASIC]\nLanguage=1\n");
    const std::vector<std::string> arguments{"english"};
    std::string error;
    const auto options = parseStartOptions(arguments, error);
    ASSERT_TRUE(options.has_value()) << error;
    rig.start(options->language);
    EXPECT_EQ(rig.window->language(), Language::German);
    EXPECT_EQ(checkedLanguages(), std::vector<std::string>{"MenuGerman"});
}

TEST_F(WindowLanguage, CommandLineWordOverridesTheStoredLanguage)
{
    rig.writeConfig("Quorvel_2007_v71ini", "[BASIC]\nLanguage=1\n");
    rig.start(Language::French);
    EXPECT_EQ(rig.window->language(), Language::French);
    EXPECT_EQ(checkedLanguages(), std::vector<std::string>{"MenuFrench"});
}

TEST_F(WindowLanguage, LanguageMenuHintSplitsIntoTooltipAndStatusLine)
{
    rig.start();
    EXPECT_EQ(action("MenuLanguage").toolTip().toStdString(), "Language");
    EXPECT_EQ(action("MenuLanguage").statusTip().toStdString(), "Set English or German or French");
    EXPECT_EQ(action("MenuEnglish").statusTip().toStdString(), "Set Englich menu");
    trigger("MenuGerman");
    EXPECT_EQ(action("MenuLanguage").toolTip().toStdString(), "Sprache");
    EXPECT_EQ(action("MenuLanguage").statusTip().toStdString(), "Sprache");
}

TEST_F(WindowLanguage, ServiceMenuIsAbsentOutsideTestMode)
{
    rig.start();
    EXPECT_FALSE(action("MenuServis").isVisible());
    EXPECT_TRUE(action("MenuZnovu").shortcut() == QKeySequence(QStringLiteral("Ctrl+Alt+Z")));
    EXPECT_TRUE(action("MenuProgram").shortcut() == QKeySequence(Qt::Key_F9));
}

TEST_F(WindowLanguage, MissingManualGivesMessage32InTheCurrentLanguage)
{
    rig.start();
    trigger("MenuCzech");
    trigger("MenuContens");
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Chyba při otevírání souboru quorvel_2007_cz.pdf !"});
}

struct Opened {
    std::vector<std::filesystem::path> documents;
    bool accepted = true;
};

TEST(HelpCommand, OpensTheManualBesideTheProgramElseTheInstalledOneElseReports)
{
    WindowRig rig; // a clean directory to play the program's
    const std::filesystem::path bin = rig.configDirectory / "bin";
    const std::filesystem::path docs = rig.configDirectory / "share" / "doc" / "quorvel";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(docs);
    LanguageTable texts(Language::German);
    test::ScriptedDialogs messages;
    Opened opened;
    HelpCommand help(bin, texts, messages, [&opened](const std::filesystem::path& document) {
        opened.documents.push_back(document);
        return opened.accepted;
    });

    help.openManual();
    EXPECT_TRUE(opened.documents.empty());
    ASSERT_EQ(messages.messages.size(), 1U);

    std::ofstream(docs / "quorvel_2007_de.pdf") << "%PDF";
    help.openManual();
    ASSERT_EQ(opened.documents.size(), 1U);
    EXPECT_EQ(opened.documents.back(), docs / "quorvel_2007_de.pdf");

    std::ofstream(bin / "quorvel_2007_de.pdf") << "%PDF";
    opened.accepted = false;
    help.openManual();
    EXPECT_EQ(opened.documents.back(), bin / "quorvel_2007_de.pdf");
    EXPECT_EQ(messages.messages.back(), "Fehler beim öffnen der Datei quorvel_2007_de.pdf !");
}

class AboutCaption : public ::testing::TestWithParam<std::pair<Language, const char*>> {};

TEST_P(AboutCaption, FollowsTheLanguageAndOkCloses)
{
    test::ensureApplication();
    TFormAbout about(GetParam().first, "Oct  6 2007", "23:22:56");
    EXPECT_EQ(about.windowTitle().toStdString(), GetParam().second);
    EXPECT_EQ(about.findChild<QLabel*>("LabelRsKey")->text().toStdString(), "Version - 71");
    EXPECT_EQ(about.findChild<QLabel*>("LabelDate")->text().toStdString(), "Oct  6 2007");
    EXPECT_EQ(about.findChild<QLabel*>("LabelTime")->text().toStdString(), "23:22:56");
    about.show();
    about.findChild<QPushButton*>("LabelExit")->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Languages, AboutCaption,
                         ::testing::Values(std::pair{Language::English, "About Quorvel_2007"},
                                           std::pair{Language::German, "Über Programm Quorvel_2007"},
                                           std::pair{Language::French, "Information Quorvel_2007"},
                                           std::pair{Language::Czech, "O programu Quorvel_2007"}));

TEST(AboutArtwork, IsCompiledIn)
{
    test::ensureApplication();
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/quorvel/about_artwork.svg")));
}

} // namespace
} // namespace quorvel
