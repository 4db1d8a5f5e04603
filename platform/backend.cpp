// Which backend shows the windows, chosen once: by a test (automation's
// SetHeadless, before the first window), else from the environment at the
// first need.  A desktop that cannot be opened leaves the program running
// without one, as it would on a machine with no display.
#include "platform/backend.h"

#include <cstdlib>
#include <cstring>

#include "platform/state.h"

namespace plat {

namespace {
bool HeadlessWanted() {
  const char* forced = std::getenv("TRIVANE_HEADLESS");
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool noDisplay = (display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0');
  return (forced != nullptr && *forced != '\0' && std::strcmp(forced, "0") != 0) || noDisplay;
}
}  // namespace

void ChooseBackend(bool headless) {
  const BackendOps* desktop = headless ? nullptr : DesktopBackend();
  State().devices.backend = desktop != nullptr ? desktop : &HeadlessBackend();
}

const BackendOps& Backend() {
  const BackendOps* chosen = State().devices.backend;
  if (chosen == nullptr) {
    ChooseBackend(HeadlessWanted());
    chosen = State().devices.backend;
  }
  return *chosen;
}

}  // namespace plat
