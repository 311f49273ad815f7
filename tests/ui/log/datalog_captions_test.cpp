#include "ui/log/datalog_captions.h"

#include "log_test_image.h"
#include "log_ui_rig.h"
#include "ui/log/log_viewer.h"
#include "ui/log/recording_indicator.h"
#include "ui/log/suggest_corrections_dialog.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace quorvel {
namespace {

// The controls of the main window itself: its menu items, tool bar button and options.
const std::set<std::string_view> kWindowControls = {"SpeedButtonLog", "CheckBoxFastLogging"};

TEST(DatalogCaptions, EveryTextOfTheDatalogWindowsHasExactlyOneControl)
{
    test::ensureApplication();
    test::RecordedMessages messages;
    LogViewer viewer(Language::English, messages, {});
    const Datalog log;
    SuggestCorrectionsDialog dialog(log, test::logTestImage(), MapId::Jet1A, Language::English);
    RecordingIndicator indicator(Language::English);

    std::map<std::string_view, int> carriers;
    for (QWidget* root : std::initializer_list<QWidget*>{&viewer, &dialog, &indicator}) {
        for (std::string_view name : applyDatalogCaptions(*root, Language::French)) {
            ++carriers[name];
            const QString objectName = qtText(name);
            const auto matching = root->findChildren<QWidget*>(objectName).size() + (root->objectName() == objectName);
            EXPECT_EQ(matching, 1) << name << " is carried more than once";
        }
    }
    for (const CaptionRow& row : DatalogTexts::controls()) {
        if (row.kind == CaptionKind::MenuCaption || kWindowControls.contains(row.control))
            continue;
        EXPECT_GE(carriers[row.control], 1) << row.control << " has no control";
    }
    for (const auto& [name, count] : carriers)
        EXPECT_LE(count, 2) << name << " caption and hint at most"; // one per kind
}

TEST(DatalogCaptions, CaptionsHintsAndTitlesGoWhereEachKindOfControlShowsThem)
{
    test::ensureApplication();
    test::RecordedMessages messages;
    LogViewer viewer(Language::English, messages, {});
    (void)applyDatalogCaptions(viewer, Language::Czech);
    EXPECT_EQ(viewer.findChild<QPushButton*>("ButtonLogOpen")->text(), "&Otevřít...");
    EXPECT_EQ(viewer.findChild<QLabel*>("LabelLogCursor")->toolTip(), "Všechny hodnoty v okamžiku pod kurzorem");
    EXPECT_EQ(viewer.windowTitle(), "Prohlížeč záznamů");
    auto* chart = viewer.findChild<QWidget*>("ChartLogView");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->toolTip(), "Kolečko: zoom");
    EXPECT_TRUE(chart->statusTip().startsWith("Kolečko: zoom, tažení: posun"));
}

TEST(DatalogCaptions, ChannelsAreNamedForUsersWithTheirUnits)
{
    EXPECT_EQ(channelCaption({"coolant", "degC"}, Language::German), "Kühlflüssigkeitstemperatur [°C]");
    EXPECT_EQ(channelCaption({"gear", ""}, Language::English), "Gear");
    EXPECT_EQ(channelCaption({"boost", "bar"}, Language::English), "boost [bar]");
}

} // namespace
} // namespace quorvel
