// Drawing pictures of the store into the window, its screen copy, or an off
// screen bitmap blitted once.
#include <algorithm>

#include "gfx/veltounit.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

// Calls plot(windowX, windowY, colour) for every cell of the selection that
// lies in the store, cell (c, r) landing on (x - left + c, y - top + r).
template <typename Plot>
void DrawSelection(int32_t x, int32_t y, bool honourTransparency, Plot plot) {
  const LibraryState& s = State();
  const Span cols = ClipSpan(static_cast<int64_t>(s.left) + 1, static_cast<int64_t>(s.right) + 1, STORE_WIDTH);
  const Span rows = ClipSpan(static_cast<int64_t>(s.top) + 1, static_cast<int64_t>(s.bottom) + 1, STORE_HEIGHT);
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      const Colour cell = Cell(c, r);
      if (honourTransparency && s.transparent && cell == s.transparentColour) continue;
      const int64_t px = static_cast<int64_t>(x) - s.left + c;
      const int64_t py = static_cast<int64_t>(y) - s.top + r;
      if (!FitsInt32(px) || !FitsInt32(py)) continue;
      plot(static_cast<int32_t>(px), static_cast<int32_t>(py), cell);
    }
  }
}

}  // namespace

void DrawPicture(const std::string& name, int32_t x, int32_t y) {
  SelectPicture(name);
  DrawSelection(x, y, true, [](int32_t px, int32_t py, Colour c) { veltounit::PutPixel(px, py, c); });
}

void DrawPictureByIndex(int32_t index, int32_t x, int32_t y) {
  SelectPictureByIndex(index);
  HDC dc = veltounit::WindowDC();
  if (dc == nullptr) return;
  DrawSelection(x, y, false, [dc](int32_t px, int32_t py, Colour c) { SetPixelV(dc, px, py, c); });
}

void DrawPictureToScreenCopy(const std::string& name, int32_t x, int32_t y) {
  SelectPicture(name);
  HDC dc = State().screenCopy;
  if (dc == nullptr) return;  // no CaptureScreen yet
  DrawSelection(x, y, true, [dc](int32_t px, int32_t py, Colour c) { SetPixelV(dc, px, py, c); });
}

void DrawPictureBuffered(const std::string& name, int32_t x, int32_t y) {
  SelectPicture(name);
  HDC window = veltounit::WindowDC();
  if (window == nullptr) return;
  const int32_t w = veltounit::WindowWidth();
  const int32_t h = veltounit::WindowHeight();
  HDC memory = CreateCompatibleDC(window);
  if (memory == nullptr) return;
  HBITMAP bitmap = CreateCompatibleBitmap(window, GetDeviceCaps(window, HORZRES), GetDeviceCaps(window, VERTRES));
  if (bitmap == nullptr) {
    DeleteDC(memory);
    return;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
  DrawSelection(x, y, true, [memory](int32_t px, int32_t py, Colour c) { SetPixel(memory, px, py, c); });
  BitBlt(window, 0, 0, w, h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void DrawPictureCentred(const std::string& name) {
  const int32_t x = PictureMetric(name, "CENTERX");
  const int32_t y = PictureMetric(name, "CENTERY");
  DrawPictureBuffered(name, x, y);
}

void FillPictureArea(const std::string& name, int32_t x, int32_t y, Colour colour) {
  SelectPicture(name);
  const LibraryState& s = State();
  const Span cols = ClipSpan(static_cast<int64_t>(s.left) + 1, static_cast<int64_t>(s.right) + 1, STORE_WIDTH);
  // A line longer than 32 bits can hold is cut at the edge of the range; it
  // reaches past any window either way.
  const int64_t bottomY = std::clamp<int64_t>(static_cast<int64_t>(y) + s.bottom - s.top, INT32_MIN, INT32_MAX);
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    const int64_t px = static_cast<int64_t>(x) - s.left + c;
    if (!FitsInt32(px)) continue;
    veltounit::DrawLine(static_cast<int32_t>(px), y, static_cast<int32_t>(px), static_cast<int32_t>(bottomY),
                        colour);
  }
}

void CaptureScreen() {
  LibraryState& s = State();
  HDC window = veltounit::WindowDC();
  if (window == nullptr || s.screenCopy != nullptr) return;
  s.screenCopy = CreateCompatibleDC(window);
  if (s.screenCopy == nullptr) return;
  s.screenCopyBitmap = CreateCompatibleBitmap(window, GetDeviceCaps(window, HORZRES),
                                              GetDeviceCaps(window, VERTRES));
  if (s.screenCopyBitmap == nullptr) {
    DeleteDC(s.screenCopy);
    s.screenCopy = nullptr;
    return;
  }
  s.screenCopyOld = SelectObject(s.screenCopy, s.screenCopyBitmap);
  BitBlt(s.screenCopy, 0, 0, veltounit::WindowWidth(), veltounit::WindowHeight(), window, 0, 0, SRCCOPY);
}

void ReleaseScreen() {
  LibraryState& s = State();
  if (s.screenCopy == nullptr) return;
  HDC window = veltounit::WindowDC();
  if (window != nullptr) {
    BitBlt(window, 0, 0, veltounit::WindowWidth(), veltounit::WindowHeight(), s.screenCopy, 0, 0, SRCCOPY);
  }
  SelectObject(s.screenCopy, s.screenCopyOld);
  DeleteObject(s.screenCopyBitmap);
  DeleteDC(s.screenCopy);
  s.screenCopy = nullptr;
  s.screenCopyBitmap = nullptr;
  s.screenCopyOld = nullptr;
}

}  // namespace ivxfiles
