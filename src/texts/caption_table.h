#pragma once

#include "core/message_texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr int kLanguageCount = 4;

// One text in the four languages, in the order of `Language`: English, German, French, Czech.
// French texts hold "è" and "à" where the unit's users have the bytes E8 and E0 of their code
// page; an empty text makes the control show nothing in that language.
using LanguageTexts = std::array<std::string_view, kLanguageCount>;

[[nodiscard]] constexpr std::string_view textIn(const LanguageTexts& texts, Language language)
{
    return texts[static_cast<std::size_t>(language)];
}

// What a text of a named control is: its visible caption (label, button, check box, group box,
// radio group title, the window title), the caption of a menu or menu item, or its hint. An "&"
// in a caption marks the keyboard accelerator that follows it.
enum class CaptionKind : std::uint8_t { Caption, MenuCaption, Hint };

struct CaptionRow {
    std::string_view control; // object name; the main window is "TFormHlav"
    CaptionKind kind;
    LanguageTexts texts;
};

// The caption of a page's tab, by page index: the map pages are built at run time, so their
// tabs are known by position only.
struct PageTabRow {
    int page;
    LanguageTexts texts;
};

// One entry of a radio group, counted from 0.
struct RadioItemRow {
    std::string_view group;
    int item;
    LanguageTexts texts;
};

// Every text of the main window that follows the language, in the order it is applied.
// Controls that are not listed keep their design-time texts in every language.
class CaptionTable {
public:
    [[nodiscard]] static std::span<const CaptionRow> rows();
    [[nodiscard]] static std::span<const PageTabRow> pageTabs();
    [[nodiscard]] static std::span<const RadioItemRow> radioItems();

    // Looks in these rows and in those of the features beyond them (featureCaptionRows).
    [[nodiscard]] static std::optional<std::string_view> find(std::string_view control, CaptionKind kind,
                                                              Language language);
    [[nodiscard]] static std::optional<std::string_view> pageTab(int page, Language language);
    // The items of a radio group in item order; empty for a group the table does not list.
    [[nodiscard]] static std::vector<std::string_view> itemsOf(std::string_view group, Language language);
};

} // namespace quorvel
