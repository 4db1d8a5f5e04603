// The presented window may be a whole multiple of the surface the program draws
// on: every drawing call and every coordinate the program sees stay those of
// the surface; only the picture on the desktop is enlarged, each pixel
// repeated n × n times, and pointer positions are divided back by n before
// anything else sees them.  Not built on Windows (see gfx/window_scale.cpp).
#pragma once

namespace presentation {

// The largest and smallest factor offered.
constexpr int kMinScale = 1;
constexpr int kMaxScale = 3;

// Sets the factor (clamped to 1..3); 0 chooses it from the desktop (see
// AutomaticScale).  With a window on the desktop it is resized at once and
// kept on the screen.  Returns the factor in effect.  Without a display the
// factor is still kept and used by the automation's presented picture.
int SetWindowScale(int factor);
int WindowScale();
// The factor the desktop suggests for the window shown now (or for a
// 500 x 500 surface before there is one); 1 without a display.
int AutomaticScale();

}  // namespace presentation
