#pragma once

#include "core/user_messages.h"

namespace quorvel {

// What the link session needs from whoever shows the image: the main window, or a command-line
// driver that has no page. Every call comes from a command handler or from the tick.
class LinkHost : public UserMessages {
public:
    // The edits of the active page into the image.
    virtual void collectPage() = 0;
    // sanitiseImage() with the settings kept outside the image.
    virtual void sanitiseImage() = 0;
    // The active page and its view from the image.
    virtual void refillPage() = 0;
    // A read replaces the image, so the file name it came from no longer applies.
    virtual void clearFileName() = 0;
    // The last step of every tick: the live marking of the active page.
    virtual void refreshMonitorPanel() = 0;
};

} // namespace quorvel
