// Keeps a message box with the window it belongs to on an X11 desktop with a
// window manager (sdl_backend.cpp's boxes).  SDL's box is transient for the
// main window, and a manager that minimises a transient window minimises its
// whole group: minimising the box alone hid the whole game, with nothing left
// on the screen to bring it back.  While a box is open, a guard marks it as
// not minimisable (the Motif hints' functions without "minimise") and, should
// it be minimised anyway, shows it again, which brings its group back with it.
#pragma once

namespace plat {

struct BoxGuard;
// Starts guarding the boxes made for this SDL window; null where there is
// nothing to guard (no X11 display, no window).
BoxGuard* GuardBoxesOf(void* sdlWindow);
void EndBoxGuard(BoxGuard* guard);

}  // namespace plat
