// The layer's state record, and the clock read from it (the tick count is real,
// or virtual while a test drives time).
#include "platform/state.h"

#include <ctime>

namespace plat {

PlatformState& State() {
  // Made at the first call, so handlers the files register with atexit
  // afterwards (fonts) run before it goes.
  static PlatformState state;
  return state;
}

uint64_t RealTickMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
}

int64_t WallMs() {
  const ClockState& c = State().clock;
  if (c.virtualTime) return c.virtualStartWallMs + static_cast<int64_t>(c.virtualMs);
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

DWORD NowMs() {
  const ClockState& c = State().clock;
  if (c.virtualTime) return static_cast<DWORD>(c.virtualStartTick + c.virtualMs);
  return static_cast<DWORD>(RealTickMs());
}

}  // namespace plat
