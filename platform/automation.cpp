// The test side of the platform layer, standing on the headless backend:
// input given as a person gives it, scripted answers, the records of what the
// program showed, played and started, reading and saving the window's pixels,
// and returning to a fresh state.  Nothing in the layer calls back into this
// file; it writes the headless backend's part of the state record and queues
// input as the desktop backend does.
#include "platform/automation.h"

#include <png.h>

#include <cstdio>

#include "platform/backend.h"
#include "platform/state.h"
#include "platform/window_scale.h"

namespace {

using namespace plat;

HeadlessState& Headless() { return State().headless; }

// While a box is open (input given from the idle handler), it has the
// keyboard and the mouse: nothing reaches the windows behind it.
bool BoxOpen() { return Headless().boxOpen; }

bool BoxTakesKey(int vk, bool down) {
  HeadlessState& h = Headless();
  if (!h.boxOpen) return false;
  if (down && h.openAnswer == 0) {
    if (vk == VK_RETURN) h.openAnswer = BoxDefaultButton(h.openType);
    if (vk == VK_ESCAPE) h.openAnswer = BoxEscapeAnswer(h.openType);
  }
  return true;
}

bool BoxTakesClose() {
  HeadlessState& h = Headless();
  if (!h.boxOpen) return false;
  if (h.openAnswer == 0) h.openAnswer = BoxEscapeAnswer(h.openType);
  return true;
}

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
  const POINT at = State().input.cursor;
  if (HWND h = Target()) QueueInput(h, msg, MouseKeys(), MAKELPARAM(at.x, at.y), true);
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
    for (size_t x = 0; x < static_cast<size_t>(s.width); ++x) {
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

// What the desktop holds is closed first; then a fresh record takes the old
// one's place, keeping only what the process opened once.
void Reset() {
  PlatformState& s = State();
  DropAllWindows();
  for (auto& [id, c] : s.cursors.cursors) Backend().freePointer(c);
  StopSound();
  Devices kept = std::move(s.devices);
  s = PlatformState{};
  s.devices = std::move(kept);
}

void SetHeadless(bool headless) { ChooseBackend(headless); }
bool IsHeadless() { return !Backend().desktop; }
void SetScreenSize(int width, int height) {
  Headless().screenWidth = width > 0 ? width : 1;
  Headless().screenHeight = height > 0 ? height : 1;
}

void SetVirtualTime(bool on) {
  ClockState& c = State().clock;
  if (on && !c.virtualTime) {
    c.virtualStartTick = RealTickMs();
    c.virtualStartWallMs = WallMs();
    c.virtualMs = 0;
  }
  c.virtualTime = on;
}
void AdvanceTime(DWORD milliseconds) { State().clock.virtualMs += milliseconds; }

void SetIdleHandler(std::function<bool()> handler) { Headless().idleHandler = std::move(handler); }
void FailNextWindowCreation() { Headless().failNextWindow = true; }
int PendingMessages() { return QueuedCount(); }

void MoveMouse(int x, int y) {
  State().input.cursor = POINT{x, y};
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
void SetKeyboardLayout(const std::string& layoutId) { State().input.layout = layoutId; }

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

int PresentCount() { return State().windows.presents; }

std::vector<COLORREF> PresentedPicture(int* width, int* height) {
  Window* w = TopWindow();
  const int n = State().scale.scale;
  std::vector<uint32_t> pixels;
  if (w != nullptr) EnlargeSurface(w->surface, n, pixels);
  *width = w != nullptr ? w->surface.width * n : 0;
  *height = w != nullptr ? w->surface.height * n : 0;
  std::vector<COLORREF> out(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) out[i] = ToColour(pixels[i]);
  return out;
}
void ClickPresented(int x, int y, int button) { Click(ToSurface(x), ToSurface(y), button); }

void ScriptMessageBoxAnswer(int answer) { Headless().boxAnswers.push_back(answer); }
const std::vector<MessageBoxRecord>& MessageBoxes() { return State().dialogs.boxes; }
void ClearMessageBoxes() { State().dialogs.boxes.clear(); }
void ScriptFileDialogAnswer(const std::string& fileName) { Headless().fileAnswers.push_back(fileName); }

const std::vector<SoundRecord>& Sounds() { return State().sound.sounds; }
void ClearSounds() { State().sound.sounds.clear(); }
void SetAudioOutput(bool on) {
  State().sound.audioChoice = on ? 1 : 0;
  if (on) State().devices.audioTried = false;
}

bool DescribeCursor(HCURSOR cursor, CursorInfo* info) {
  CursorImage* c = FindCursor(cursor);
  if (c == nullptr || info == nullptr) return false;
  info->width = c->width;
  info->height = c->height;
  info->hotX = c->hotX;
  info->hotY = c->hotY;
  info->system = c->system;
  info->argb.assign(c->argb.begin(), c->argb.end());
  return true;
}
HCURSOR CurrentCursor() { return State().cursors.current; }
POINT CursorPosition() { return State().input.cursor; }

void SetCommandRunner(CommandRunner runner) { State().processes.runner = std::move(runner); }
const std::vector<CommandRequest>& Commands() { return State().processes.commands; }
void ClearCommands() { State().processes.commands.clear(); }

std::string ClipboardText() { return ClipboardNow(); }
void SetClipboardText(const std::string& text) { StoreClipboard(text); }

}  // namespace automation
