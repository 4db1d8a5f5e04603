// The windows as the screen sees them: finding a window by handle or surface,
// handing drawn pixels to the screen through the backend, and the presented
// window of window_scale.h (the factor it is shown at, the enlarged picture,
// pointer positions divided back onto the surface).  The factor lives in the
// state record so that a headless run keeps and uses it too (automation's
// presented picture); the backend resizes a desktop window.  The raster, the
// queue and the polling calls all stand on this file; it calls only the state
// and the backend.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/state.h"
#include "platform/window_scale.h"

namespace plat {

Window* FindWindowByHandle(HWND hwnd) {
  auto it = State().windows.windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == State().windows.windows.end() ? nullptr : it->second.get();
}

Window* TopWindow() {
  return State().windows.windows.empty() ? nullptr : State().windows.windows.begin()->second.get();
}

Window* WindowOfSurface(const Surface* s) {
  for (auto& [id, w] : State().windows.windows)
    if (&w->surface == s) return w.get();
  return nullptr;
}

// ---------------------------------------------------------------------------
// Handing the picture to the screen
// ---------------------------------------------------------------------------
void PresentNow() {
  State().windows.lastPresentMs = NowMs();
  Window* w = TopWindow();
  if (w == nullptr || !w->dirty) return;
  w->dirty = false;
  ++State().windows.presents;
  if (!w->visible || w->surface.width == 0 || w->surface.height == 0) return;
  Backend().present(*w);
}

// Drawing reaches the screen at most about 60 times a second while the program
// only draws; every pump, sleep and box hands over the rest.
void PresentIfDue() {
  if (NowMs() - State().windows.lastPresentMs >= 16) PresentNow();
}

void NoteDrawn(Surface* s) {
  Window* w = TopWindow();
  if (w == nullptr || &w->surface != s) {
    w = WindowOfSurface(s);
    if (w == nullptr) return;
  }
  w->dirty = true;
  PresentIfDue();
}


// Floor division, so that a position left of or above the window (a drag
// leaving it) stays outside the surface.
int ToSurface(int v) {
  const int n = State().scale.scale;
  return v >= 0 ? v / n : -((-v + n - 1) / n);
}

// Each surface pixel repeated n x n times, so that lines and letters stay sharp.
void EnlargeSurface(const Surface& s, int n, std::vector<uint32_t>& out) {
  const size_t times = static_cast<size_t>(n);
  const size_t wide = static_cast<size_t>(s.width) * times;
  out.resize(wide * static_cast<size_t>(s.height) * times);
  for (int y = 0; y < s.height; ++y) {
    const uint32_t* src = s.Row(y);
    uint32_t* first = out.data() + static_cast<size_t>(y) * times * wide;
    for (size_t x = 0; x < static_cast<size_t>(s.width); ++x)
      for (size_t i = 0; i < times; ++i) first[x * times + i] = src[x];
    for (size_t r = 1; r < times; ++r) std::memcpy(first + r * wide, first, wide * sizeof(uint32_t));
  }
}

}  // namespace plat

namespace presentation {

int SetWindowScale(int factor) {
  plat::ScaleState& scale = plat::State().scale;
  plat::Window* w = plat::TopWindow();
  scale.asked = factor <= 0 ? 0 : std::clamp(factor, kMinScale, kMaxScale);
  const int next = scale.asked != 0 ? scale.asked : AutomaticScale();
  if (next != scale.scale) {
    scale.scale = next;
    scale.scaledOnce = scale.scaledOnce || next > 1;
    if (w != nullptr) plat::Backend().rescale(*w);
  }
  if (w != nullptr) w->dirty = true;
  return scale.scale;
}

int WindowScale() { return plat::State().scale.scale; }

int AutomaticScale() {
  const plat::Window* w = plat::TopWindow();
  return w != nullptr ? plat::Backend().automaticScale(w->surface.width, w->surface.height)
                      : plat::Backend().automaticScale(500, 500);
}

}  // namespace presentation
