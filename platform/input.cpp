// Keyboard and pointer state as the program polls it: keys held, the lock keys,
// the pointer position (in window coordinates: the game's window sits at the
// screen origin, so the two agree there) and the desktop's keyboard layout.
#include <array>
#include <cstring>

#include "platform/internal.h"

namespace plat {

namespace {
std::array<bool, 256> g_held{};
KeyStates g_heldAtMessage;  // as of the last input message taken
std::array<bool, 256> g_locked{};
POINT g_cursor{0, 0};
std::string g_layout;  // empty: ask the desktop
}  // namespace

void SetKeyHeld(int vk, bool down) {
  if (vk < 0 || vk > 255) return;
  g_held[vk] = down;
  // The generic modifier codes follow their left and right keys.
  auto both = [](int generic, int left, int right) { g_held[generic] = g_held[left] || g_held[right]; };
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) both(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) both(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  if (vk == VK_LMENU || vk == VK_RMENU) both(VK_MENU, VK_LMENU, VK_RMENU);
}

bool KeyHeld(int vk) { return vk >= 0 && vk <= 255 && g_held[vk]; }

KeyStates HeldKeys() {
  KeyStates keys;
  for (size_t vk = 0; vk < g_held.size(); ++vk) keys[vk] = g_held[vk];
  return keys;
}

void TakeKeyStates(const KeyStates& at) { g_heldAtMessage = at; }

KeyStates TakenKeys() { return g_heldAtMessage; }

bool KeyHeldAtMessage(int vk) { return vk >= 0 && vk <= 255 && g_heldAtMessage[static_cast<size_t>(vk)]; }

WPARAM MouseKeys() {
  WPARAM k = 0;
  if (KeyHeld(VK_LBUTTON)) k |= MK_LBUTTON;
  if (KeyHeld(VK_RBUTTON)) k |= MK_RBUTTON;
  if (KeyHeld(VK_MBUTTON)) k |= MK_MBUTTON;
  if (KeyHeld(VK_SHIFT)) k |= MK_SHIFT;
  if (KeyHeld(VK_CONTROL)) k |= MK_CONTROL;
  return k;
}

void ToggleLock(int vk) {
  if (vk >= 0 && vk <= 255) g_locked[vk] = !g_locked[vk];
}

void SetLockState(int vk, bool on) {
  if (vk >= 0 && vk <= 255) g_locked[vk] = on;
}

bool LockState(int vk) { return vk >= 0 && vk <= 255 && g_locked[vk]; }

POINT& CursorPos() { return g_cursor; }

std::string& KeyboardLayout() { return g_layout; }

void ResetInput() {
  g_held.fill(false);
  g_heldAtMessage.reset();
  g_locked.fill(false);
  g_cursor = POINT{0, 0};
  g_layout.clear();
}

}  // namespace plat

using namespace plat;

SHORT WINAPI GetAsyncKeyState(int virtualKey) {
  PresentIfDue();
  return KeyHeld(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT WINAPI GetKeyState(int virtualKey) {
  int v = (KeyHeldAtMessage(virtualKey) ? 0x8000 : 0) | (LockState(virtualKey) ? 1 : 0);
  return static_cast<SHORT>(v);
}

BOOL WINAPI GetKeyboardLayoutNameA(LPSTR name) {
  if (name == nullptr) return FALSE;
  std::string id = KeyboardLayout();
  if (id.empty()) id = VideoReady() ? SdlKeyboardLayout() : std::string("00000409");
  if (id.size() != 8) id = "00000409";
  std::memcpy(name, id.c_str(), KL_NAMELENGTH);
  return TRUE;
}

// The position now, as Windows gives it, not as of the last message taken:
// events the desktop has sent since are read first, so a pointer that jumps
// and clicks at once (a touch screen, a quick hand) is seen where it landed.
BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  PresentIfDue();
  PumpSdl(0);
  *point = CursorPos();
  return TRUE;
}

// Moving the pointer produces a mouse move, as on Windows.
BOOL WINAPI SetCursorPos(int x, int y) {
  CursorPos() = POINT{x, y};
  if (VideoReady()) {
    SdlWarpMouse(x, y);
  } else if (Window* w = TopWindow()) {
    QueueInput(w->handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), true);
  }
  return TRUE;
}

HWND WINAPI SetCapture(HWND) { return nullptr; }
BOOL WINAPI ReleaseCapture(void) { return TRUE; }
