#pragma once

#include "core/message_texts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// The numbered message texts of the four languages. Choosing a language copies that language's
// variant into the current text of every number, the composed texts included, so readers only
// ever see finished texts. Numbers that have no text (22, 23, 24, 30, 37, 46, 72 and anything
// outside 4..77) read as empty.
class LanguageTable final : public MessageTexts {
public:
    static constexpr int kFirstText = 4;
    static constexpr int kLastText = 77;

    explicit LanguageTable(Language language = Language::English);

    void setLanguage(Language language);
    [[nodiscard]] Language language() const { return m_language; }

    [[nodiscard]] std::string_view text(int number) const override;

private:
    Language m_language = Language::English;
    std::array<std::string, kLastText + 1> m_current;
};

// The cylinders that text 57 ("Correction for cylinder") names for image byte CylinderCount:
// " 1", " 1,2", " 1,2,3", and " 1,2,3,4" for any other value.
[[nodiscard]] std::string_view cylinderListSuffix(std::uint8_t cylinderCount);

} // namespace quorvel
