#pragma once

namespace quorvel {

// The map pages as the page binding sees them. The editor binds the static pages itself and
// hands every map page ("Advance" .. "Inj-IAP", "Intake Servo", "Exhaust Servo") to this hook.
class MapPageHook {
public:
    virtual ~MapPageHook() = default;
    // Puts the shared grid onto the page and shows the page's map and fields.
    virtual void fill(int page) = 0;
    // Stores what the grid of the page shows.
    virtual void collect(int page) = 0;
    // The part of the view that the static pages do not decide: the grid of a map page, and
    // what every page refreshes (menu check marks, tabs, pickup labels). Runs for every page,
    // after the static page's view.
    virtual void refreshView(int page) = 0;
};

} // namespace quorvel
