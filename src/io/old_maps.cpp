#include "io/old_maps.h"

#include "io/layout_section_reader.h"
#include "io/token_reader.h"

#include <array>
#include <optional>

namespace quorvel {
namespace {

// Sections of a current parameter file that the importer takes as they are (RPM_JET_B and JET_B
// read the same in both generations and are among the old sections).
constexpr std::array<std::string_view, 13> kCurrentSections = {
    "ADVANCE_MISC", "RPM_ADV",  "ADVANCE", "JET1_MISC", "RPM_JET_1A", "RPM_JET_2A", "RPM_JET_3A",
    "RPM_JET_4A",   "IAP_MISC", "IAP_IAP", "RPM_IAP",   "POSITION_A", "POSITION_B"};

enum class OldKind : std::uint8_t { Axis, Cells, Percent };

struct OldSection {
    std::string_view key;
    int page;
    OldKind kind;
    int offset;                         // Axis, Cells
    int copyOffset;                     // Axis: a second axis that takes the same points; 0 none
    std::optional<InjectionMap> first;  // Percent
    std::optional<InjectionMap> second; // Percent: the paired map
};

const std::array<OldSection, 10> kOldSections = {{
    {"RPM_IGN", 1, OldKind::Axis, 515, 0, std::nullopt, std::nullopt},
    {"IGN", 1, OldKind::Cells, 650, 0, std::nullopt, std::nullopt},
    {"RPM_JET_14A", 2, OldKind::Axis, 530, 575, std::nullopt, std::nullopt},
    {"JET_14A", 2, OldKind::Percent, 0, 0, InjectionMap::Jet1A, InjectionMap::Jet4A},
    {"RPM_JET_23A", 3, OldKind::Axis, 545, 560, std::nullopt, std::nullopt},
    {"JET_23A", 3, OldKind::Percent, 0, 0, InjectionMap::Jet2A, InjectionMap::Jet3A},
    {"RPM_JET_B", 6, OldKind::Axis, 590, 0, std::nullopt, std::nullopt},
    {"JET_B", 6, OldKind::Cells, 2000, 0, std::nullopt, std::nullopt},
    {"RPM_JET_IAP", 7, OldKind::Axis, 605, 0, std::nullopt, std::nullopt},
    {"JET_IAP", 7, OldKind::Percent, 0, 0, InjectionMap::Iap, std::nullopt},
}};

constexpr std::array<std::uint16_t, 10> kDefaultIapRows = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};

const OldSection* findOldSection(std::string_view key)
{
    for (const OldSection& section : kOldSections) {
        if (section.key == key)
            return &section;
    }
    return nullptr;
}

bool isCurrentSection(std::string_view key)
{
    for (std::string_view current : kCurrentSections) {
        if (current == key)
            return true;
    }
    return false;
}

void readOldSection(TokenReader& tokens, const OldSection& section, ParamImage& image, InjectionTables& tables)
{
    const int count = section.kind == OldKind::Axis ? 15 : 150;
    for (int i = 0; i < count; ++i) {
        const auto number = tokens.nextNumber();
        if (!number)
            return;
        switch (section.kind) {
        case OldKind::Axis: {
            const auto point = static_cast<std::uint8_t>((*number & 0xFFFFU) / 100);
            image.setByte(section.offset + i, point);
            if (section.copyOffset != 0)
                image.setByte(section.copyOffset + i, point);
            break;
        }
        case OldKind::Cells:
            image.setByte(section.offset + i, static_cast<std::uint8_t>(*number));
            break;
        case OldKind::Percent: {
            const auto percent = static_cast<std::uint16_t>(*number & 0xFFU);
            tables.percent(*section.first)[static_cast<std::size_t>(i)] = percent;
            if (section.second)
                tables.percent(*section.second)[static_cast<std::size_t>(i)] = percent;
            break;
        }
        }
    }
}

} // namespace

void readOldMaps(std::string_view bytes, ParamImage& image, InjectionTables& tables, const OldMapsLoad& load)
{
    // Old files know nothing of the per-cylinder corrections or the pressure rows: neutral ones.
    for (int i = 0; i < 4; ++i) {
        image.setByte(191 + i, 100);
        image.setByte(202 + i, 100);
    }
    for (int k = 0; k < 10; ++k)
        image.setWord(142 + k, kDefaultIapRows[static_cast<std::size_t>(k)]);

    TokenReader tokens(bytes);
    while (const auto token = tokens.nextToken()) {
        if (const OldSection* old = findOldSection(*token)) {
            if (sectionEnabled(old->page, image, load.pageOnly, load.currentPage))
                readOldSection(tokens, *old, image, tables);
        } else if (isCurrentSection(*token)) {
            const auto section = findLayoutSection(*token);
            if (section && sectionEnabled(section->header->page, image, load.pageOnly, load.currentPage))
                readLayoutSection(tokens, *section, image);
        }
    }

    tables.computeReferenceTables(image, selectBikeGrids(image));
    for (InjectionMap map : kInjectionMaps)
        tables.percentToImage(map, image);
}

} // namespace quorvel
