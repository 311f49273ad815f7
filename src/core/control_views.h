#pragma once

#include "core/control_view.h"

#include <optional>
#include <string>

namespace quorvel {

// Views that change one property of a control and leave the others as they are.

[[nodiscard]] inline ControlView visibilityView(ControlKey key, bool visible)
{
    ControlView view;
    view.key = key;
    view.visible = visible;
    return view;
}

[[nodiscard]] inline ControlView enabledView(ControlKey key, bool enabled)
{
    ControlView view;
    view.key = key;
    view.enabled = enabled;
    return view;
}

[[nodiscard]] inline ControlView captionView(ControlKey key, std::string caption)
{
    ControlView view;
    view.key = key;
    view.caption = std::move(caption);
    return view;
}

// The upper bound and step of a spin control; its lower bound stays.
[[nodiscard]] inline ControlView upperRangeView(ControlKey key, int maximum, int step)
{
    ControlView view;
    view.key = key;
    view.maximum = maximum;
    view.step = step;
    return view;
}

} // namespace quorvel
