#pragma once

namespace quorvel {

// Whether this display can draw the 3D view: an OpenGL 2.1 or OpenGL ES 2 context can be made
// current on an offscreen surface. The offscreen and minimal platforms never can, whatever their
// host offers, since nothing of theirs is ever shown. Asked once; the answer is kept, because a
// display does not gain or lose OpenGL while the program runs.
[[nodiscard]] bool openGlSupported();

} // namespace quorvel
