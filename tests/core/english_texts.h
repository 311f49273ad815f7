#pragma once

#include "core/message_texts.h"

#include <map>
#include <string>

namespace quorvel::testing {

// The English texts that live data shows, for tests of the core without the language tables.
class EnglishTexts final : public MessageTexts {
public:
    [[nodiscard]] std::string_view text(int number) const override
    {
        static const std::map<int, std::string> kTexts = {
            {9, "Unmatched version of PC and Ignition programs!"},
            {12, "Advance"},
            {13, "Number of Programing = "},
            {14, "Blocking "},
            {15, "Start limiter"},
            {16, "Limiter by ignition"},
            {17, "Limiter by injection"},
            {18, "Limiter by retard"},
            {19, "YES"},
            {20, "NO"},
            {21, "Twinkle"},
            {33, "Pick-up (CKPS)"},
            {34, "Pick-up (CMPS)"},
            {35, " is running"},
            {36, " no signal"},
            {41, "Injection time"},
            {42, "Max injection"},
            {43, "Position"},
            {44, "Exhaust servo "},
            {45, "Intake servo"},
            {47, "Potentiometer"},
            {48, "Fall sensor"},
            {49, "Cooling"},
            {50, "Gear"},
            {51, "Speed"},
            {52, "Gear Shift Light"},
            {53, "Choke"},
            {62, "Clutch master"},
            {63, "Tacho"},
            {64, "Lambda"},
            {66, "Jet according TPS"},
            {69, "Coolant"},
            {73, "Idle"},
        };
        const auto it = kTexts.find(number);
        return it == kTexts.end() ? std::string_view("?") : std::string_view(it->second);
    }
};

} // namespace quorvel::testing
