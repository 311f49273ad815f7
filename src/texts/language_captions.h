#pragma once

#include "core/control_view.h"
#include "core/message_texts.h"
#include "core/page_index.h"
#include "texts/hint_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What the texts of a language depend on besides the language.
struct CaptionContext {
    bool connected = false;         // a unit answers: the monitor labels keep their live values
    bool chokeBike = false;         // bike code 38: the pilot light is a choke indicator
    std::uint8_t cylinderCount = 4; // CylinderCount, image offset 406
    int activePage = kPageMonitor;
};

struct PageTabCaption {
    int page;
    std::string caption;
};

// The items of a radio group in item order, texts exactly as listed (blank and empty included).
struct RadioGroupItems {
    std::string_view group;
    std::vector<std::string> items;
};

struct MenuCheck {
    std::string_view item;
    bool checked;
};

// Every text of the main window in one language, by control name, for the window to apply
// generically: captions go to the text or title of the named widget, menu captions to the named
// menu or action, page tabs to the tab at the page index.
struct LanguageCaptions {
    std::vector<ControlView> captions;
    std::vector<ControlView> menuCaptions;
    std::vector<PageTabCaption> pageTabs;
    std::vector<HintText> hints;
    std::vector<RadioGroupItems> radioItems;
    std::vector<LabelState> monitorLabels; // empty while a unit is connected
    std::vector<MenuCheck> languageChecks;
};

// The texts of `language` for the whole window: the caption table, the captions that depend on
// the bike and the cylinder count, the monitor placeholders while no unit answers and the check
// marks of the language menu. The captions depend on the bike, so the window applies them again
// after every bike change.
[[nodiscard]] LanguageCaptions applyLanguageCaptions(Language language, const CaptionContext& context);

// The monitor labels as their texts followed by "---" placeholders, for while no unit answers.
[[nodiscard]] std::vector<LabelState> monitorPlaceholders(const MessageTexts& texts, bool chokeBike);

// The idle page labels that read differently on a choke bike.
[[nodiscard]] std::vector<ControlView> bikeDependentCaptions(Language language, const MessageTexts& texts,
                                                             bool chokeBike);

// "Correction for cylinder" naming the cylinders the bike has: text 57 and " 1,2" for two.
[[nodiscard]] std::string cylinderCorrectionCaption(const MessageTexts& texts, std::uint8_t cylinderCount);

} // namespace quorvel
