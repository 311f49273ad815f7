#pragma once

#include "core/param_image.h"

#include <cstdint>

namespace quorvel {

// How JET_2A..JET_4A follow JET_1A (menu "Jet 14-23"), stored at image 197.
enum class Jet123Mode : std::uint8_t {
    Normal = 0,  // the four A maps and their axes are independent
    Coupled = 1, // a change of a 1A axis point or percentage is added to the other three
    Same = 2,    // the other three maps and axes are copies of JET_1A and RPM_JET_1A
};

inline constexpr int kJet123ModeOffset = 197;

// The two flags of the main window that mirror the mode: recomputed from the image on every
// page fill, set directly by the menu commands.
struct JetCoupling {
    bool coupled = false; // JetCoupled
    bool same = false;    // JetSame

    // Any stored value other than 1 or 2 behaves as "Normal".
    [[nodiscard]] static JetCoupling fromImage(const ParamImage& image);
    [[nodiscard]] static JetCoupling of(Jet123Mode mode);

    bool operator==(const JetCoupling&) const = default;
};

// What a command of the menu leaves behind: the flags and the page to show next.
struct Jet123Choice {
    JetCoupling coupling;
    int page = 0;
};

// The menu "Jet 14-23": stores the mode; "Coupled" and "1=2=3=4" copy RPM_JET_1A into
// RPM_JET_2A (only that axis), and "1=2=3=4" leaves the pages of 2A..4A for "Inj-1A". The caller
// refills the page and takes the undo snapshot.
[[nodiscard]] Jet123Choice chooseJet123Mode(ParamImage& image, Jet123Mode mode, int activePage);

} // namespace quorvel
