// Keyboard and pointer state as the program polls it: keys held, the lock keys,
// the pointer position (in window coordinates: the game's window sits at the
// screen origin, so the two agree there) and the desktop's keyboard layout.
#include <cstring>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {
InputState& In() { return State().input; }
bool ValidKey(int vk) { return vk >= 0 && vk <= 255; }
}  // namespace

void SetKeyHeld(int vk, bool down) {
  if (!ValidKey(vk)) return;
  KeyStates& held = In().held;
  held[static_cast<size_t>(vk)] = down;
  // The generic modifier codes follow their left and right keys.
  auto both = [&held](size_t generic, size_t left, size_t right) { held[generic] = held[left] || held[right]; };
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) both(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) both(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  if (vk == VK_LMENU || vk == VK_RMENU) both(VK_MENU, VK_LMENU, VK_RMENU);
}

bool KeyHeld(int vk) { return ValidKey(vk) && In().held[static_cast<size_t>(vk)]; }

bool KeyHeldAtMessage(int vk) { return ValidKey(vk) && In().heldAtMessage[static_cast<size_t>(vk)]; }

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
  if (ValidKey(vk)) In().locked.flip(static_cast<size_t>(vk));
}

void SetLockState(int vk, bool on) {
  if (ValidKey(vk)) In().locked[static_cast<size_t>(vk)] = on;
}

bool LockState(int vk) { return ValidKey(vk) && In().locked[static_cast<size_t>(vk)]; }

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
  std::string id = In().layout;
  if (id.empty()) id = Backend().keyboardLayout();
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
  Backend().pump(0);
  *point = In().cursor;
  return TRUE;
}

// Moving the pointer produces a mouse move, as on Windows.
BOOL WINAPI SetCursorPos(int x, int y) {
  In().cursor = POINT{x, y};
  Backend().warpPointer(x, y);
  return TRUE;
}

HWND WINAPI SetCapture(HWND) { return nullptr; }
BOOL WINAPI ReleaseCapture(void) { return TRUE; }
