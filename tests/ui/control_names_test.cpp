// Every name the core can hand the window resolves to exactly one widget, menu item or grid item
// of the real main window. The names are enumerated from the core's own tables and functions
// over all pages, modes and languages, so a control the core speaks of and the window lacks (or
// carries twice) fails here, as a misspelt member of a generated form would fail to compile.
#include "core/link_frame.h"
#include "core/monitor_decoder.h"
#include "core/page_index.h"
#include "core/sanitise.h"
#include "maps/live_marking.h"
#include "maps/page_view.h"
#include "maps/print_look.h"
#include "maps/static_page_views.h"
#include "model/field_table.h"
#include "model/page_binding.h"
#include "texts/language_captions.h"
#include "texts/language_table.h"
#include "texts/menu_structure.h"
#include "ui/binding/control_registry.h"
#include "ui/window_rig.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace quorvel {
namespace {

constexpr int kBike = 150;
constexpr int kEngineType = 152;
constexpr int kAdvTps = 190;
constexpr int kJetMode = 197;
constexpr int kServoExEnable = 208;
constexpr int kServoInEnable = 209;
constexpr int kServoExMode = 214;
constexpr int kServoInMode = 215;
constexpr int kPotencMode = 225;
constexpr int kGas = 248;
constexpr int kGearSystem = 286;
constexpr int kGearCount = 287;
constexpr int kCylinders = 406;
constexpr int kIdleMode = 2750;
constexpr int kIdleAdvOn = 2777;

// Where each name came from, for a message that tells which table is wrong.
using NameSources = std::map<std::string, std::set<std::string>>;

void add(NameSources& names, const ControlKey& key, const std::string& source)
{
    names[key.objectName()].insert(source);
}

// The images whose views and marks differ: every mode byte the views and the marking read.
std::vector<ParamImage> imagesInEveryMode(const ParamImage& start)
{
    std::vector<ParamImage> images;
    const auto with = [&](std::initializer_list<std::pair<int, int>> bytes) {
        ParamImage image = start;
        for (const auto& [offset, value] : bytes)
            image.setByte(offset, static_cast<std::uint8_t>(value));
        images.push_back(image);
    };
    for (int cylinders = 1; cylinders <= 4; ++cylinders)
        for (int jet = 0; jet <= 2; ++jet)
            with({{kCylinders, cylinders}, {kJetMode, jet}});
    for (int mode = 0; mode <= 2; ++mode)
        with({{kServoInEnable, 1}, {kServoExEnable, 1}, {kServoInMode, mode}, {kServoExMode, mode}});
    with({{kServoInEnable, 0}, {kServoExEnable, 0}});
    for (int idle = 0; idle <= 3; ++idle)
        with({{kIdleMode, idle}, {kIdleAdvOn, idle % 2}});
    for (int gear = 0; gear <= 3; ++gear)
        with({{kGearSystem, gear}, {kGearCount, 6}});
    with({{kBike, 38}});
    with({{kBike, 47}, {kGas, 1}, {kPotencMode, 1}, {kEngineType, 7}, {kAdvTps, 1}});
    with({{kAdvTps, 0}, {kEngineType, 2}});
    return images;
}

// A monitor frame of a running engine, every indicator set, with the unit's version.
LinkFrame monitorFrame(std::uint8_t version)
{
    LinkFrame frame{};
    frame.fill(0xFF);
    frame[0] = 0xB0;
    frame[150] = version;
    sealFrame(frame);
    return frame;
}

NameSources coreNames(const ParamImage& start)
{
    NameSources names;
    LanguageTable texts;
    const std::vector<ParamImage> images = imagesInEveryMode(start);

    // Monitor decoding and live marking, in every context the window gives them.
    for (const ParamImage& image : images) {
        for (const bool extended : {false, true}) {
            MonitorDecoder decoder;
            for (const std::uint8_t version : {std::uint8_t{71}, std::uint8_t{70}}) {
                const LinkFrame frame = monitorFrame(version);
                const auto display = decoder.decode(frame, MonitorContext::from(image, extended, true), texts);
                for (const LabelState& label : display->labels)
                    add(names, label.key, "monitor label");
                for (const GaugeState& gauge : display->gauges)
                    add(names, ControlKey{gauge.name}, "monitor gauge");
            }
            LiveMarking marking;
            for (int page = 0; page < kPageCount; ++page)
                for (const ControlMark& mark : marking.refresh(page, image, decoder.snapshot(), extended))
                    add(names, mark.key, "live mark of page " + std::to_string(page));
        }
    }
    // Page views of every page in every mode and language.
    for (const ParamImage& image : images) {
        for (int language = 0; language < 4; ++language) {
            texts.setLanguage(static_cast<Language>(language));
            for (int page = 0; page < kPageCount; ++page) {
                for (const ControlView& view : staticPageView(page, image, texts, static_cast<Language>(language)))
                    add(names, view.key, "view of page " + std::to_string(page));
                for (const bool ms : {false, true}) {
                    const PageView view = refreshView(image, page, {ms}, texts);
                    for (const ControlView& control : view.controls) {
                        if (control.key.name != kMapTabName)
                            add(names, control.key, "map view of page " + std::to_string(page));
                    }
                    for (const ControlCheck& check : view.checks)
                        add(names, check.key, "menu check of page " + std::to_string(page));
                    for (const ControlMark& colour : view.colours)
                        add(names, colour.key, "view colour of page " + std::to_string(page));
                }
            }
        }
        for (const ControlView& range : idleRanges(image))
            add(names, range.key, "idle ranges");
        ParamImage sanitised = image;
        OutsideSettings outside;
        for (const ControlColour& warning : sanitiseImage(sanitised, outside))
            add(names, ControlKey{warning.control}, "calibration warning");
    }
    // Captions, hints, radio items and placeholders of every language and context.
    for (int language = 0; language < 4; ++language) {
        for (const bool connected : {false, true}) {
            for (const bool choke : {false, true}) {
                for (std::uint8_t cylinders = 1; cylinders <= 4; ++cylinders) {
                    const LanguageCaptions captions = applyLanguageCaptions(
                        static_cast<Language>(language), CaptionContext{connected, choke, cylinders, kPageMonitor});
                    for (const ControlView& view : captions.captions)
                        add(names, view.key, "caption");
                    for (const ControlView& view : captions.menuCaptions)
                        add(names, view.key, "menu caption");
                    for (const HintText& hint : captions.hints)
                        add(names, hint.key, "hint");
                    for (const RadioGroupItems& group : captions.radioItems)
                        add(names, ControlKey{group.group}, "radio items");
                    for (const LabelState& label : captions.monitorLabels)
                        add(names, label.key, "monitor placeholder");
                    for (const MenuCheck& check : captions.languageChecks)
                        add(names, ControlKey{check.item}, "language check");
                }
            }
        }
    }
    // The print look.
    for (int page = 0; page < kPageCount; ++page) {
        const PrintLook look = printLook(texts, page, "9.12.2026", "11:15");
        for (const PrintHiddenControl& hidden : look.hidden)
            add(names, hidden.key, "print look");
        for (const ControlKey& key : look.whiteBackground)
            add(names, key, "print look background");
    }
    // Every control of the field table, every menu item and tool button.
    for (int page = 0; page < kPageCount; ++page) {
        for (const Field* field : FieldTable::ofPage(page)) {
            if (field->control == ControlKind::Menu)
                continue;
            for (int element = 0; element < field->count; ++element) {
                const FieldControl control = fieldControl(*field, element);
                add(names, control.key(), "field table");
            }
        }
    }
    for (const MenuSpec& menu : mainMenus()) {
        add(names, ControlKey{menu.objectName}, "menu");
        for (const MenuItemSpec& item : menu.items) {
            if (!item.isSeparator())
                add(names, ControlKey{item.objectName}, "menu item");
        }
    }
    for (const ToolButtonSpec& button : toolBar())
        add(names, ControlKey{button.objectName}, "tool bar");
    return names;
}

TEST(ControlNames, EveryNameTheCoreEmits_ResolvesToExactlyOneControl)
{
    test::WindowRig rig;
    TFormHlav& window = rig.start();
    rig.makeEveryPage();
    const ControlRegistry& registry = window.controls();
    const NameSources names = coreNames(window.image());
    std::string wrong;
    int count = 0;
    for (const auto& [name, sources] : names) {
        ++count;
        const int carriers = registry.carriers(QString::fromStdString(name));
        if (carriers == 1)
            continue;
        wrong += name + " (" + std::to_string(carriers) + " carriers; from";
        for (const std::string& source : sources)
            wrong += " " + source + ";";
        wrong += ")\n";
    }
    RecordProperty("names", count);
    std::cout << "names enumerated: " << count << '\n';
    EXPECT_TRUE(wrong.empty()) << wrong;
}

TEST(ControlNames, NoTwoObjectsOfTheWindowShareAName)
{
    test::WindowRig rig;
    TFormHlav& window = rig.start();
    rig.makeEveryPage();
    EXPECT_TRUE(window.controls().duplicates().isEmpty()) << window.controls().duplicates().join(", ").toStdString();
}

} // namespace
} // namespace quorvel
