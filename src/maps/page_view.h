#pragma once

#include "core/control_view.h"
#include "core/message_texts.h"
#include "core/param_image.h"
#include "maps/grid_layout.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorvel {

// The run-time map pages carry this name with their page index (TabSheetMap_Uni3 is "Inj-2A").
inline constexpr std::string_view kMapTabName = "TabSheetMap_Uni";

// The check mark of a menu item (or the state of a check box) a view sets.
struct ControlCheck {
    ControlKey key;
    bool checked = false;

    bool operator==(const ControlCheck&) const = default;
};

// What the window must show after a view refresh. Each list holds only the controls the view
// decides; the cells of the map grid are described by `grid`, not control by control.
struct PageView {
    std::vector<ControlView> controls;
    std::vector<ControlCheck> checks;
    std::vector<ControlMark> colours;
    std::optional<GridLayout> grid; // set on the nine map pages

    // The last view of a control in `controls`, if the view decides it.
    [[nodiscard]] const ControlView* find(std::string_view name, int index = -1) const;
};

// The grid's options that live in the window rather than in the image.
struct MapGridOptions {
    bool showMs = false; // CheckBoxZobrMs_Uni
};

// The view of the shared map grid on a map page: the grid mode, the RPM axis, the row heads and
// the pressure fields, the tools, the servo controls, the six auxiliary fields with their
// ranges and labels and the coupling label. Reads only the image; never changes a map.
[[nodiscard]] PageView configureMapGrid(const ParamImage& image, int page, MapGridOptions options,
                                        const MessageTexts& texts);

// The view dispatcher for the map pages plus what every page shows whatever it is: the coupling
// menu's check marks, the injector tabs by coupling and cylinder count, the pickup labels and
// the "for actual page" menu items. The static pages add their own views to this one.
[[nodiscard]] PageView refreshView(const ParamImage& image, int page, MapGridOptions options,
                                   const MessageTexts& texts);

// The intake servo of bike 47 cannot be a step motor: filling its page clears "Step motor".
// True when it was cleared.
bool clearUnsupportedStepMotor(ParamImage& image, int page);

// The text of the coupling label for a cylinder count and coupling: "  1 -> 2, 3  " and alike.
[[nodiscard]] std::string_view couplingLabelText(int cylinderCount, bool same);

} // namespace quorvel
