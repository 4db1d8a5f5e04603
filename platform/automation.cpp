// The test side of the platform layer: input given as a person gives it,
// reading and saving the window's pixels, and returning to a fresh state.
#include <png.h>

#include <cstdio>

#include "platform/internal.h"

namespace plat {
void ResetClipboard();
void ResetProcesses();
}  // namespace plat

namespace {

using namespace plat;

HWND Target() {
  Window* w = TopWindow();
  return w ? w->handle : nullptr;
}

void Button(int button, bool down) {
  int vk = button == 2 ? VK_RBUTTON : button == 3 ? VK_MBUTTON : VK_LBUTTON;
  UINT msg = button == 2   ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP)
             : button == 3 ? (down ? WM_MBUTTONDOWN : WM_MBUTTONUP)
                           : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
  if (BoxOpen()) return;  // a box is modal: clicks behind it go nowhere
  SetKeyHeld(vk, down);
  if (HWND h = Target()) QueueInput(h, msg, MouseKeys(), MAKELPARAM(CursorPos().x, CursorPos().y), true);
}

void Key(int vk, bool down) {
  if (vk <= 0 || vk > 255) return;
  if (BoxTakesKey(vk, down)) return;  // an open box has the keyboard
  bool wasDown = KeyHeld(vk);
  if (down && vk == VK_CAPITAL && !wasDown) ToggleLock(VK_CAPITAL);
  SetKeyHeld(vk, down);
  HWND h = Target();
  if (h == nullptr) return;
  bool alt = KeyHeld(VK_MENU) && !KeyHeld(VK_CONTROL);
  bool system = alt || vk == VK_F10 || vk == VK_MENU;
  UINT msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lp = 1;
  if (alt) lp |= 1L << 29;
  if (down && wasDown) lp |= 1L << 30;
  if (!down) lp |= (1L << 30) | (1UL << 31);
  QueueInput(h, msg, static_cast<WPARAM>(vk), lp, false);
}

bool WritePng(const Surface& s, const std::string& path) {
  if (s.width <= 0 || s.height <= 0) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(s.width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(s.width), static_cast<png_uint_32>(s.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < s.height; ++y) {
    const uint32_t* src = s.Row(y);
    for (int x = 0; x < s.width; ++x) {
      row[x * 3] = static_cast<png_byte>((src[x] >> 16) & 0xFF);
      row[x * 3 + 1] = static_cast<png_byte>((src[x] >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<png_byte>(src[x] & 0xFF);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace

namespace automation {

void Reset() {
  ResetWindows();
  ResetGdi();
  ResetInput();
  ResetCursors();
  ResetSystem();
  ResetSound();
  ResetDialogs();
  ResetClipboard();
  ResetProcesses();
  ResetPresentCount();
  ResetScale();
}

void MoveMouse(int x, int y) {
  CursorPos() = POINT{x, y};
  if (BoxOpen()) return;  // the windows behind a box take no mouse input
  if (HWND h = Target()) QueueInput(h, WM_MOUSEMOVE, MouseKeys(), MAKELPARAM(x, y), true);
}
void PressButton(int button) { Button(button, true); }
void ReleaseButton(int button) { Button(button, false); }
void Click(int x, int y, int button) {
  MoveMouse(x, y);
  Button(button, true);
  Button(button, false);
}
void PressKey(int virtualKey) { Key(virtualKey, true); }
void ReleaseKey(int virtualKey) { Key(virtualKey, false); }
void TapKey(int virtualKey) {
  Key(virtualKey, true);
  Key(virtualKey, false);
}
void SetCapsLock(bool on) { SetLockState(VK_CAPITAL, on); }
void SetKeyboardLayout(const std::string& layoutId) { KeyboardLayout() = layoutId; }

// With a box open, the close button pressed is the box's own.
void RequestClose() {
  if (BoxTakesClose()) return;
  if (HWND h = Target()) QueueInput(h, WM_CLOSE, 0, 0, false);
}

void SetActive(bool active) {
  Window* w = TopWindow();
  if (w != nullptr && w->active != active) QueueSent(w->handle, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void SetShown(bool shown) {
  Window* w = TopWindow();
  if (w != nullptr && w->visible != shown) QueueSent(w->handle, WM_SHOWWINDOW, shown ? TRUE : FALSE, 0);
}

HWND MainWindow() { return Target(); }

COLORREF WindowPixel(int x, int y) {
  Window* w = TopWindow();
  if (w == nullptr || !w->surface.Contains(x, y)) return CLR_INVALID;
  return ToColour(w->surface.Row(y)[x]);
}

bool SaveWindowPng(const std::string& path) {
  Window* w = TopWindow();
  return w != nullptr && WritePng(w->surface, path);
}

bool SaveDcPng(HDC hdc, const std::string& path) {
  Surface* s = SurfaceOfDC(hdc);
  return s != nullptr && WritePng(*s, path);
}

}  // namespace automation
