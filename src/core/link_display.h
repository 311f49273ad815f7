#pragma once

#include "core/colour_role.h"

#include <string>

namespace quorvel {

// What the window shows of the link: the status line (LabelHlaseni), the progress bar
// (CGaugeProgram), "No Connection" (LabelSpojeni) and the version indicator (LabelVersion).
// The window applies it after every tick and command.
struct LinkDisplay {
    static constexpr int kProgressMax = 20;

    std::string statusText = "Programming:";
    ColourRole statusColour = ColourRole::NormalFace;
    bool statusVisible = false;
    int progress = 0; // 0..kProgressMax
    bool progressVisible = false;
    bool noConnectionVisible = true;
    bool versionVisible = false;

    bool operator==(const LinkDisplay&) const = default;
};

} // namespace quorvel
