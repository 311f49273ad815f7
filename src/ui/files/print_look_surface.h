#pragma once

namespace quorvel {

// A part of the window whose named controls are items rather than widgets (the map grid): it
// takes the print look itself when the print command meets one of its names.
class PrintLookSurface {
public:
    virtual ~PrintLookSurface() = default;
    virtual void setPrintLook(bool on) = 0;
};

} // namespace quorvel
