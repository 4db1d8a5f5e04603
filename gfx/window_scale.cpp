// The size the window is shown at, as a whole multiple of the surface drawn
// on.  The one per-system part of veltounit: the platform layer enlarges the
// presented picture and maps the pointer back; on Windows the window keeps
// the size it was made with and the factor stays 1 (the call exists there so
// that the program builds and runs the same; a scaled Windows window would
// need its own stretching blit and pointer mapping in this file).
#include "gfx/veltounit.h"

#if !defined(_WIN32)
#include "platform/window_scale.h"
#endif

namespace veltounit {

#if defined(_WIN32)
int32_t SetWindowScale(int32_t) { return 1; }
int32_t WindowScale() { return 1; }
#else
int32_t SetWindowScale(int32_t factor) { return presentation::SetWindowScale(factor); }
int32_t WindowScale() { return presentation::WindowScale(); }
#endif

}  // namespace veltounit
