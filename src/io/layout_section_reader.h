#pragma once

#include "core/param_image.h"
#include "io/parameter_file_layout.h"
#include "io/token_reader.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {

struct LayoutSection {
    const LayoutItem* header = nullptr;
    std::span<const LayoutItem> items; // the steps after the key, up to the next section
};

[[nodiscard]] std::optional<LayoutSection> findLayoutSection(std::string_view key);

// Whether a section of `page` is taken: always in a full load; in a page-only load only on its
// page, and the maps 2A..4A not while they are coupled to 1A (they follow 1A then).
[[nodiscard]] bool sectionEnabled(int page, const ParamImage& image, bool pageOnly, int currentPage);

// Reads a section's numbers into the image as the layout stores them. The first missing number
// ends the section without being consumed, and the slots from there keep their values.
// `afterBike` runs once the bike code has been stored.
void readLayoutSection(TokenReader& tokens, const LayoutSection& section, ParamImage& image,
                       const std::function<void(ParamImage&)>& afterBike = {});

// The divisor of a servo map held in units of 20 mV, 1 for maps held in percent.
[[nodiscard]] int layoutFactor(const ParamImage& image, const LayoutItem& item);

} // namespace quorvel
