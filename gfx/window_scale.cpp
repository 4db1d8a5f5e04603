// The size the window is shown at, as a whole multiple of the surface drawn
// on, and with it how the drawn picture reaches the window and how pointer
// positions come back.  The one per-system part of veltounit.
//
// Where the system layer below presents the window itself (platform/, on
// Linux), it also enlarges the picture and divides pointer positions back:
// the surface is the window's own context and this file only passes calls on.
//
// On Windows the program draws into a memory bitmap of the size it asked for;
// the window's client area is `scale` times larger, and the bitmap is
// stretched into it (each pixel repeated, COLORONCOLOR: no blending, so lines
// and letters stay sharp) when the program pumps messages, when the window is
// painted, and at most every 16 ms while the program only draws.  Pointer
// positions are taken relative to the client area and divided by the factor,
// so nothing above this file sees the factor.  The automatic choice follows
// the Linux layer: the largest factor up to 3 whose window, frame included,
// fits the work area (SPI_GETWORKAREA, the screen less the taskbar), 3 only at
// 144 dots per inch or more, else at most 2.  A program that has not declared
// itself DPI-aware is told 96 by Windows, which then enlarges the window on its
// own; the factor chosen here comes on top of that only where it fits.
#include <algorithm>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

#if !defined(_WIN32)
#include "platform/window_scale.h"
#endif

namespace veltounit {

#if !defined(_WIN32)

int32_t SetWindowScale(int32_t factor) { return presentation::SetWindowScale(factor); }
int32_t WindowScale() { return presentation::WindowScale(); }

RECT PlanWindow() { return RECT{0, 0, g_window.width, g_window.height}; }

bool OpenSurface() {
  WindowState& w = g_window;
  w.dc = GetDCEx(w.window, w.region, DCX_WINDOW | DCX_VALIDATE);
  return true;
}

void CloseSurface() { ReleaseDC(g_window.window, g_window.dc); }

void MeasureSurface(RECT& rect, bool client) {
  if (client) {
    GetClientRect(g_window.window, &rect);
  } else {
    GetWindowRect(g_window.window, &rect);
  }
}

void SurfaceDrawn(bool) {}
void PresentSurface() {}
bool SurfaceMessage(HWND, UINT, LRESULT*) { return false; }

POINT PointerOnSurface() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

void PlacePointer(int32_t x, int32_t y) { SetCursorPos(x, y); }

void MoveWindowTo(int32_t x, int32_t y) { MoveWindow(g_window.window, x, y, WindowWidth(), WindowHeight(), TRUE); }

#else

namespace {

constexpr int32_t kMinScale = 1;
constexpr int32_t kMaxScale = 3;
// Drawing reaches the window at most about 60 times a second while the
// program only draws; every pump hands over the rest.
constexpr unsigned long long kPresentEveryMs = 16;

RECT WorkArea() {
  RECT area{};
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) == FALSE || area.right <= area.left ||
      area.bottom <= area.top) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

// A display that does not say its density counts as 96.
int32_t ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// The outer size of a window of the given style whose client area shows a
// width x height surface n times enlarged.
SIZE OuterSize(int32_t width, int32_t height, int32_t n, DWORD style, DWORD exStyle) {
  RECT r{0, 0, std::max(width, 1) * n, std::max(height, 1) * n};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int32_t AutomaticScale(int32_t width, int32_t height, DWORD style, DWORD exStyle) {
  if (width <= 0 || height <= 0) return kMinScale;
  const RECT area = WorkArea();
  int32_t n = ScreenDpi() >= 144 ? kMaxScale : 2;
  while (n > kMinScale) {
    const SIZE outer = OuterSize(width, height, n, style, exStyle);
    if (outer.cx <= area.right - area.left && outer.cy <= area.bottom - area.top) break;
    --n;
  }
  return n;
}

// The factor the desktop suggests for the window, or for the game's
// 500 x 500 frameless window before there is one.
int32_t AutomaticScaleNow() {
  const WindowState& w = g_window;
  if (w.window == nullptr) return AutomaticScale(500, 500, WS_POPUP, 0);
  return AutomaticScale(w.width, w.height, w.style, w.exStyle);
}

// An outer rectangle past the work area's right or bottom edge moves back into
// it (its top-left corner first, should it be larger than the area).
RECT KeptOnWorkArea(RECT outer) {
  const RECT area = WorkArea();
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  const LONG x = std::max(area.left, std::min(outer.left, area.right - width));
  const LONG y = std::max(area.top, std::min(outer.top, area.bottom - height));
  return RECT{x, y, x + width, y + height};
}

unsigned long long NowMs() { return GetTickCount64(); }

void Blit() {
  WindowState& w = g_window;
  SetStretchBltMode(w.screen, COLORONCOLOR);
  StretchBlt(w.screen, 0, 0, w.width * w.scale, w.height * w.scale, w.surface, 0, 0, w.width, w.height, SRCCOPY);
  GdiFlush();
  w.presentDue = false;
  w.lastPresentMs = NowMs();
}

void FreeSurface() {
  WindowState& w = g_window;
  if (w.surface != nullptr) {
    SelectObject(w.surface, w.surfacePrevious);
    DeleteDC(w.surface);
  }
  if (w.surfaceBitmap != nullptr) DeleteObject(w.surfaceBitmap);
  w.surface = nullptr;
  w.surfaceBitmap = nullptr;
  w.surfacePrevious = nullptr;
}

// The window grows or shrinks where it stands, then comes back on the work area.
void Resize() {
  WindowState& w = g_window;
  RECT now{};
  GetWindowRect(w.window, &now);
  const SIZE outer = OuterSize(w.width, w.height, w.scale, w.style, w.exStyle);
  const RECT placed = KeptOnWorkArea(RECT{now.left, now.top, now.left + outer.cx, now.top + outer.cy});
  SetWindowPos(w.window, nullptr, placed.left, placed.top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Floor division, so that a position left of or above the window (a drag
// leaving it) stays outside the surface.
LONG ToSurface(LONG v, int32_t n) { return v >= 0 ? v / n : -((-v + n - 1) / n); }

}  // namespace

int32_t SetWindowScale(int32_t factor) {
  WindowState& w = g_window;
  w.askedScale = factor <= 0 ? 0 : std::clamp(factor, kMinScale, kMaxScale);
  const int32_t next = w.askedScale != 0 ? w.askedScale : AutomaticScaleNow();
  if (next != w.scale) {
    w.scale = next;
    if (w.window != nullptr) Resize();
  }
  if (w.surface != nullptr) {
    w.presentDue = true;
    PresentSurface();
  }
  return w.scale;
}

int32_t WindowScale() { return g_window.scale; }

RECT PlanWindow() {
  WindowState& w = g_window;
  if (w.askedScale == 0) w.scale = AutomaticScale(w.width, w.height, w.style, w.exStyle);
  const SIZE outer = OuterSize(w.width, w.height, w.scale, w.style, w.exStyle);
  return KeptOnWorkArea(RECT{0, 0, outer.cx, outer.cy});
}

bool OpenSurface() {
  WindowState& w = g_window;
  // A window made before this one (and only hidden) leaves its surface behind.
  FreeSurface();
  w.screen = GetDC(w.window);
  if (w.screen == nullptr) return false;
  w.surface = CreateCompatibleDC(w.screen);
  w.surfaceBitmap = CreateCompatibleBitmap(w.screen, std::max(w.width, 1), std::max(w.height, 1));
  if (w.surface == nullptr || w.surfaceBitmap == nullptr) {
    FreeSurface();
    return false;
  }
  w.surfacePrevious = SelectObject(w.surface, w.surfaceBitmap);
  PatBlt(w.surface, 0, 0, w.width, w.height, BLACKNESS);
  w.dc = w.surface;
  w.presentDue = true;
  return true;
}

void CloseSurface() {
  WindowState& w = g_window;
  FreeSurface();
  ReleaseDC(w.window, w.screen);
  w.screen = nullptr;
  w.dc = nullptr;
}

void MeasureSurface(RECT& rect, bool) { rect = RECT{0, 0, g_window.width, g_window.height}; }

void SurfaceDrawn(bool finished) {
  WindowState& w = g_window;
  if (w.surface == nullptr) return;
  if (!w.presentDue) {
    w.presentDue = true;
    // A box or dialog the program opens next paints the window from its own
    // message loop.
    InvalidateRect(w.window, nullptr, FALSE);
  }
  if (finished && NowMs() - w.lastPresentMs >= kPresentEveryMs) PresentSurface();
}

void PresentSurface() {
  WindowState& w = g_window;
  if (!w.presentDue || w.surface == nullptr || w.screen == nullptr) return;
  Blit();
  ValidateRect(w.window, nullptr);
}

bool SurfaceMessage(HWND window, UINT message, LRESULT* result) {
  WindowState& w = g_window;
  if (window != w.window) return false;
  switch (message) {
    case WM_ERASEBKGND:
      // The picture covers the whole client area; erasing first would flash.
      if (w.surface == nullptr) return false;
      *result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      BeginPaint(window, &paint);
      if (w.surface != nullptr && w.screen != nullptr) Blit();
      EndPaint(window, &paint);
      *result = 0;
      return true;
    }
    default: return false;
  }
}

POINT PointerOnSurface() {
  WindowState& w = g_window;
  PresentSurface();
  POINT p{};
  GetCursorPos(&p);
  if (w.window != nullptr) ScreenToClient(w.window, &p);
  p.x = ToSurface(p.x, w.scale);
  p.y = ToSurface(p.y, w.scale);
  return p;
}

void PlacePointer(int32_t x, int32_t y) {
  WindowState& w = g_window;
  POINT p{x * w.scale, y * w.scale};
  if (w.window != nullptr) ClientToScreen(w.window, &p);
  SetCursorPos(p.x, p.y);
}

void MoveWindowTo(int32_t x, int32_t y) {
  SetWindowPos(g_window.window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

#endif

}  // namespace veltounit
