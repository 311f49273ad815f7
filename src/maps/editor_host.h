#pragma once

namespace quorvel {

// What the parameter editor needs from the main window beyond its controls: the link and the
// parts of the window that other layers own.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Hides the transfer message and progress gauge and clears the file name of the Bike page.
    virtual void forgetTransferAndFile() = 0;
    // Applies the captions of the language again (some depend on the bike).
    virtual void applyCaptions() = 0;
    // PageOnlyLoad of the window, which the loading of parameter files and old maps reads.
    virtual void setPageOnlyLoad(bool pageOnly) = 0;
};

} // namespace quorvel
