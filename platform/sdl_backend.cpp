// The desktop backend: SDL2 windows, events turned into window messages with
// Windows virtual-key codes, the drawn pixels handed to the screen, SDL's
// message boxes, the clipboard, and the desktop's dialog program (zenity) for
// the common dialogs.  Chosen only when a display can be opened (backend.cpp).
#include <SDL.h>
#include <fontconfig/fontconfig.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "platform/backend.h"
#include "platform/box_guard.h"
#include "platform/state.h"
#include "platform/window_scale.h"

namespace plat {

namespace {

Devices& Dev() { return State().devices; }
ScaleState& Scale() { return State().scale; }
std::map<uint32_t, HWND>& BySdlId() { return State().desktop.bySdlId; }
SDL_Window* Sdl(const Window& w) { return static_cast<SDL_Window*>(w.native); }

// The program's 8-bit texts (titles, boxes, clipboard) are Windows-1253: the
// only non-ASCII text the game produces is Greek from its Greek keyboard.
constexpr int kAnsiCharset = GREEK_CHARSET;

std::string ToUtf8(const std::string& text) {
  return Utf8FromCodePoints(DecodeCharset(text.data(), static_cast<int>(text.size()), kAnsiCharset));
}

bool EnsureVideo() {
  if (Dev().videoReady) return true;
  if (Dev().videoTried) return false;
  Dev().videoTried = true;
  // Ctrl+C and kill must end the program, not become a quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "platform: no display available (%s); running without one\n", SDL_GetError());
    return false;
  }
  std::atexit(SDL_Quit);
  Dev().videoReady = true;
  SDL_Keymod mods = SDL_GetModState();
  SetLockState(VK_CAPITAL, (mods & KMOD_CAPS) != 0);
  SetLockState(VK_NUMLOCK, (mods & KMOD_NUM) != 0);
  return true;
}

int KeyFromSdl(const SDL_Keysym& k) {
  SDL_Keycode c = k.sym;
  if (c >= SDLK_a && c <= SDLK_z) return 'A' + (c - SDLK_a);
  if (c >= SDLK_0 && c <= SDLK_9) return '0' + (c - SDLK_0);
  SDL_Scancode s = k.scancode;
  // Keys of a non-Latin layout are known by their position.
  if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return 'A' + (s - SDL_SCANCODE_A);
  if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
  if (s == SDL_SCANCODE_0) return '0';
  if (c >= SDLK_F1 && c <= SDLK_F12) return VK_F1 + (c - SDLK_F1);
  switch (c) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: return VK_LSHIFT;
    case SDLK_RSHIFT: return VK_RSHIFT;
    case SDLK_LCTRL: return VK_LCONTROL;
    case SDLK_RCTRL: return VK_RCONTROL;
    case SDLK_LALT: return VK_LMENU;
    case SDLK_RALT: return VK_RMENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_1: return VK_NUMPAD1;
    case SDLK_KP_2: return VK_NUMPAD2;
    case SDLK_KP_3: return VK_NUMPAD3;
    case SDLK_KP_4: return VK_NUMPAD4;
    case SDLK_KP_5: return VK_NUMPAD5;
    case SDLK_KP_6: return VK_NUMPAD6;
    case SDLK_KP_7: return VK_NUMPAD7;
    case SDLK_KP_8: return VK_NUMPAD8;
    case SDLK_KP_9: return VK_NUMPAD9;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    default: break;
  }
  switch (s) {
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    default: return 0;
  }
}

// Windows reports the generic code for Shift, Control and Alt in WM_KEYDOWN.
int GenericKey(int vk) {
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) return VK_MENU;
  return vk;
}

// The factor the desktop suggests for a surface of w x h: the largest n up to
// 3 for which the window, with its title bar and frame, fits the usable area
// (the display less the taskbar and panels).  Density decides whether 3 is
// wanted at all: below 144 dots per inch (1.5 times the usual 96) a 3x board
// would be more than 38 cm wide, so 2 is the most offered there; a display
// that does not say its density counts as 96.
int AutomaticScaleFor(int w, int h) {
  if (w <= 0 || h <= 0) return 1;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  float dpi = 0;
  if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) != 0 || dpi <= 0) dpi = 96;
  constexpr int kFrameW = 16, kFrameH = 48;  // room for borders and a title bar
  int n = dpi >= 144 ? presentation::kMaxScale : 2;
  while (n > presentation::kMinScale && (w * n + kFrameW > usable.w || h * n + kFrameH > usable.h)) --n;
  return n;
}

// A window grown past the usable area's right or bottom edge moves back
// into it (its top-left corner first, should it be larger than the area).
void KeepOnScreen(Window& w) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return;
  int x = 0, y = 0, ww = 0, wh = 0;
  SDL_GetWindowPosition(Sdl(w), &x, &y);
  SDL_GetWindowSize(Sdl(w), &ww, &wh);
  int top = 0, left = 0;
  SDL_GetWindowBordersSize(Sdl(w), &top, &left, nullptr, nullptr);
  const int nx = std::max(usable.x + left, std::min(x, usable.x + usable.w - ww));
  const int ny = std::max(usable.y + top, std::min(y, usable.y + usable.h - wh));
  if (nx != x || ny != y) SDL_SetWindowPosition(Sdl(w), nx, ny);
}

void Translate(const SDL_Event& e) {
  auto window = [](Uint32 id) -> Window* {
    auto it = BySdlId().find(id);
    return it == BySdlId().end() ? nullptr : FindWindowByHandle(it->second);
  };
  switch (e.type) {
    case SDL_WINDOWEVENT: {
      Window* w = window(e.window.windowID);
      if (w == nullptr) return;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: QueueInput(w->handle, WM_CLOSE, 0, 0, false); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          if (!w->active) QueueSent(w->handle, WM_ACTIVATE, WA_ACTIVE, 0);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (w->active) QueueSent(w->handle, WM_ACTIVATE, WA_INACTIVE, 0);
          break;
        // Only real changes count: SDL also reports the echo of our own
        // ShowWindow calls, sometimes after the state has moved on again.
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
          if (!w->visible && !(SDL_GetWindowFlags(Sdl(*w)) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)))
            QueueSent(w->handle, WM_SHOWWINDOW, TRUE, 0);
          w->dirty = true;
          break;
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_MINIMIZED:
          if (w->visible && (SDL_GetWindowFlags(Sdl(*w)) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)))
            QueueSent(w->handle, WM_SHOWWINDOW, FALSE, 0);
          break;
        case SDL_WINDOWEVENT_EXPOSED: w->dirty = true; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
          int nw = e.window.data1 / Scale().scale, nh = e.window.data2 / Scale().scale;
          const bool follows = (w->style & WS_THICKFRAME) || !Scale().scaledOnce;
          if (follows && (nw != w->surface.width || nh != w->surface.height)) {
            ResizeSurface(w->surface, nw, nh);
            if (w->classStyle & (CS_HREDRAW | CS_VREDRAW)) InvalidateAll(*w, true);
            QueueSent(w->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(nw, nh));
          }
          w->dirty = true;
          break;
        }
        default: break;
      }
      break;
    }
    case SDL_MOUSEMOTION: {
      Window* w = window(e.motion.windowID);
      State().input.cursor = POINT{ToSurface(e.motion.x), ToSurface(e.motion.y)};
      if (w)
        QueueInput(w->handle, WM_MOUSEMOVE, MouseKeys(), MAKELPARAM(State().input.cursor.x, State().input.cursor.y),
                   true);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      Window* w = window(e.button.windowID);
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      UINT msg;
      int vk;
      switch (e.button.button) {
        case SDL_BUTTON_LEFT:
          msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
          vk = VK_LBUTTON;
          break;
        case SDL_BUTTON_RIGHT:
          msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
          vk = VK_RBUTTON;
          break;
        case SDL_BUTTON_MIDDLE:
          msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
          vk = VK_MBUTTON;
          break;
        default: return;
      }
      SetKeyHeld(vk, down);
      State().input.cursor = POINT{ToSurface(e.button.x), ToSurface(e.button.y)};
      if (w)
        QueueInput(w->handle, msg, MouseKeys(), MAKELPARAM(State().input.cursor.x, State().input.cursor.y), true);
      break;
    }
    case SDL_MOUSEWHEEL: {
      Window* w = window(e.wheel.windowID);
      if (w == nullptr) return;
      int delta = e.wheel.y * WHEEL_DELTA;
      QueueInput(w->handle, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(), delta),
                 MAKELPARAM(State().input.cursor.x, State().input.cursor.y), false);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      Window* w = window(e.key.windowID);
      int vk = KeyFromSdl(e.key.keysym);
      bool down = e.type == SDL_KEYDOWN;
      SetLockState(VK_CAPITAL, (e.key.keysym.mod & KMOD_CAPS) != 0);
      SetLockState(VK_NUMLOCK, (e.key.keysym.mod & KMOD_NUM) != 0);
      if (vk == 0) return;
      bool wasDown = KeyHeld(vk);
      SetKeyHeld(vk, down);
      int reported = GenericKey(vk);
      if (w == nullptr) return;
      bool alt = KeyHeld(VK_MENU) && !KeyHeld(VK_CONTROL);
      UINT msg = down ? ((alt || vk == VK_F10 || reported == VK_MENU) ? WM_SYSKEYDOWN : WM_KEYDOWN)
                      : ((alt || vk == VK_F10 || reported == VK_MENU) ? WM_SYSKEYUP : WM_KEYUP);
      LPARAM lp = 1 | (static_cast<LPARAM>(e.key.keysym.scancode & 0xFF) << 16);
      if (alt) lp |= 1L << 29;
      if (down && wasDown) lp |= 1L << 30;
      if (!down) lp |= (1L << 30) | (1UL << 31);
      QueueInput(w->handle, msg, static_cast<WPARAM>(reported), lp, false);
      break;
    }
    default: break;
  }
}


bool ScreenSize(int* w, int* h) {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    *w = mode.w;
    *h = mode.h;
    return true;
  }
  *w = State().headless.screenWidth;
  *h = State().headless.screenHeight;
  return true;
}

bool OpenOnDesktop(Window& w) {
  if (!BySdlId().empty()) return false;  // one window reaches the desktop
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (w.style & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
  if (w.style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  if (w.style & WS_MAXIMIZE) flags |= SDL_WINDOW_MAXIMIZED;
  if (w.exStyle & WS_EX_TOOLWINDOW) flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_UTILITY;
  std::string title = ToUtf8(w.title);
  ScaleState& scale = Scale();
  if (scale.asked == 0) scale.scale = AutomaticScaleFor(w.surface.width, w.surface.height);
  scale.scaledOnce = scale.scaledOnce || scale.scale > 1;
  w.native = SDL_CreateWindow(title.c_str(), w.x, w.y, std::max(w.surface.width, 1) * scale.scale,
                              std::max(w.surface.height, 1) * scale.scale, flags);
  if (w.native == nullptr) return false;
  BySdlId()[SDL_GetWindowID(Sdl(w))] = w.handle;
  if (scale.scale > 1) KeepOnScreen(w);
  return true;
}

// A window the desktop cannot show still lives in memory, as the program
// goes on drawing into it.
bool CreateSdlWindow(Window& w) {
  if (!OpenOnDesktop(w)) std::fprintf(stderr, "platform: the window could not be opened on the display\n");
  return true;
}

void DestroySdlWindow(Window& w) {
  if (Sdl(w) == nullptr) return;
  BySdlId().erase(SDL_GetWindowID(Sdl(w)));
  SDL_DestroyWindow(Sdl(w));
  w.native = nullptr;
}

void SdlShowWindow(Window& w, bool shown) {
  if (Sdl(w) == nullptr) return;
  if (shown) {
    SDL_ShowWindow(Sdl(w));
    SDL_RaiseWindow(Sdl(w));
    w.dirty = true;
  } else {
    SDL_HideWindow(Sdl(w));
  }
}

void SdlMoveResize(Window& w) {
  if (Sdl(w) == nullptr) return;
  SDL_SetWindowPosition(Sdl(w), w.x, w.y);
  const int n = Scale().scale;
  SDL_SetWindowSize(Sdl(w), std::max(w.surface.width, 1) * n, std::max(w.surface.height, 1) * n);
  if (n > 1) KeepOnScreen(w);
  w.dirty = true;
}

void SdlSetTitle(Window& w) {
  if (Sdl(w) == nullptr) return;
  SDL_SetWindowTitle(Sdl(w), ToUtf8(w.title).c_str());
}

void SdlWarpMouse(int x, int y) {
  Window* w = TopWindow();
  const int n = Scale().scale;
  if (w != nullptr && Sdl(*w) != nullptr) SDL_WarpMouseInWindow(Sdl(*w), x * n, y * n);
}

void PumpSdl(int timeoutMs) {
  SDL_Event e;
  if (timeoutMs > 0 && SDL_WaitEventTimeout(&e, timeoutMs)) Translate(e);
  while (SDL_PollEvent(&e)) Translate(e);
}

// Nothing queued: the drawn picture goes to the screen while the desktop is
// given a moment to send something.
void WaitForEvents(int*, const char*) {
  PresentNow();
  PumpSdl(50);
}

void Present(Window& w) {
  if (Sdl(w) == nullptr) return;
  SDL_Surface* target = SDL_GetWindowSurface(Sdl(w));
  if (target == nullptr) return;
  SDL_Surface* source = nullptr;
  const int n = Scale().scale;
  if (n == 1) {
    source = SDL_CreateRGBSurfaceWithFormatFrom(w.surface.base, w.surface.width, w.surface.height, 32,
                                                static_cast<int>(w.surface.rowStep * 4), SDL_PIXELFORMAT_RGB888);
  } else {
    EnlargeSurface(w.surface, n, Scale().presented);
    source = SDL_CreateRGBSurfaceWithFormatFrom(Scale().presented.data(), w.surface.width * n, w.surface.height * n,
                                                32, w.surface.width * n * 4, SDL_PIXELFORMAT_RGB888);
  }
  if (source == nullptr) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(Sdl(w));
}

// The window grows or shrinks where it stands, then comes back on screen.
void Rescale(Window& w) {
  if (Sdl(w) == nullptr) return;
  const int n = Scale().scale;
  SDL_SetWindowSize(Sdl(w), std::max(w.surface.width, 1) * n, std::max(w.surface.height, 1) * n);
  KeepOnScreen(w);
}

bool SdlClipboardSet(const std::string& text) { return SDL_SetClipboardText(ToUtf8(text).c_str()) == 0; }

bool SdlClipboardGet(std::string* text) {
  char* utf8 = SDL_GetClipboardText();
  if (utf8 == nullptr) return false;
  // Back to the program's 8-bit code page; characters it lacks become "?".
  std::string out;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
  while (*p) {
    uint32_t cp;
    int n;
    if (*p < 0x80) {
      cp = *p;
      n = 1;
    } else if ((*p & 0xE0) == 0xC0) {
      cp = *p & 0x1F;
      n = 2;
    } else if ((*p & 0xF0) == 0xE0) {
      cp = *p & 0x0F;
      n = 3;
    } else {
      cp = *p & 0x07;
      n = 4;
    }
    int i = 1;
    for (; i < n && (p[i] & 0xC0) == 0x80; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    p += i;
    char byte = '?';
    if (cp < 0x80) {
      byte = static_cast<char>(cp);
    } else {
      for (int b = 0x80; b < 0x100; ++b) {
        char c = static_cast<char>(b);
        std::vector<uint32_t> d = DecodeCharset(&c, 1, kAnsiCharset);
        if (!d.empty() && d[0] == cp) {
          byte = c;
          break;
        }
      }
    }
    out.push_back(byte);
  }
  SDL_free(utf8);
  *text = out;
  return true;
}

// Input that reached the program's own window while a box was up belongs to
// the box (on Windows the box has the keyboard and is modal): it is dropped,
// together with the release of the key that closed the box, so that Enter on
// a box never reaches the window behind it as a second Enter.
void DropInputBehindBox() {
  const Uint32 until = SDL_GetTicks() + 150;  // the closing key's release follows its press
  do {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    SDL_Delay(10);
  } while (!SDL_TICKS_PASSED(SDL_GetTicks(), until));
  for (int vk = 1; vk < 256; ++vk) SetKeyHeld(vk, false);  // keys went up while the box had them
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  SetKeyHeld(VK_LBUTTON, (buttons & SDL_BUTTON_LMASK) != 0);
  SetKeyHeld(VK_RBUTTON, (buttons & SDL_BUTTON_RMASK) != 0);
  SetKeyHeld(VK_MBUTTON, (buttons & SDL_BUTTON_MMASK) != 0);
  State().input.heldAtMessage = State().input.held;
}

int SdlMessageBox(const std::string& text, const std::string& caption, UINT type) {
  PresentNow();
  std::vector<SDL_MessageBoxButtonData> buttons;
  const int enter = BoxDefaultButton(type), escape = BoxEscapeAnswer(type);
  for (int id : BoxButtons(type)) {
    SDL_MessageBoxButtonData b{};
    b.buttonid = id;
    switch (id) {
      case IDOK: b.text = "OK"; break;
      case IDCANCEL: b.text = "Cancel"; break;
      case IDABORT: b.text = "Abort"; break;
      case IDRETRY: b.text = "Retry"; break;
      case IDIGNORE: b.text = "Ignore"; break;
      case IDYES: b.text = "Yes"; break;
      default: b.text = "No"; break;
    }
    if (id == enter) b.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (id == escape) b.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    buttons.push_back(b);
  }
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: flags = SDL_MESSAGEBOX_ERROR; break;
    case MB_ICONEXCLAMATION: flags = SDL_MESSAGEBOX_WARNING; break;
    default: break;
  }
  std::string t = ToUtf8(text), c = ToUtf8(caption);
  SDL_MessageBoxData data{};
  data.flags = flags;
  // The box belongs to the main window: transient for it, and centred on it
  // by the box's own placement.
  Window* top = TopWindow();
  data.window = top ? Sdl(*top) : nullptr;
  data.title = c.c_str();
  data.message = t.c_str();
  data.numbuttons = static_cast<int>(buttons.size());
  data.buttons = buttons.data();
  int pressed = 0;
  int shown = 0;
  BoxGuard* guard = GuardBoxesOf(data.window);
  do {
    pressed = 0;
    shown = SDL_ShowMessageBox(&data, &pressed);
    // Closed from its frame: the answer of Esc; a box with no such answer is
    // shown again, as Windows offers no way out of it but its buttons.
    if (shown == 0 && pressed < 0) pressed = escape;
  } while (shown == 0 && pressed == 0);
  EndBoxGuard(guard);
  DropInputBehindBox();
  if (top != nullptr) top->dirty = true;
  return shown == 0 ? pressed : 0;
}

// The layout identifier Windows would report, told apart by what the keys
// under the letters A, Q, Y and Z type.
std::string SdlKeyboardLayout() {
  SDL_Keycode a = SDL_GetKeyFromScancode(SDL_SCANCODE_A);
  SDL_Keycode q = SDL_GetKeyFromScancode(SDL_SCANCODE_Q);
  SDL_Keycode y = SDL_GetKeyFromScancode(SDL_SCANCODE_Y);
  SDL_Keycode z = SDL_GetKeyFromScancode(SDL_SCANCODE_Z);
  if (a >= 0x370 && a <= 0x3FF) return "00000408";    // Greek letters
  if (a >= 0x400 && a <= 0x4FF) return "00000419";    // Cyrillic letters
  if (a >= 0x600 && a <= 0x6FF) return "00000401";    // Arabic letters
  if (q == SDLK_a) return "0000040C";                 // French
  if (y == SDLK_z && z == SDLK_y) return "00000407";  // German
  return "00000409";
}

void ShowPointer(CursorImage* c, bool shown) {
  if (c != nullptr) {
    if (c->native == nullptr) {
      if (c->system) {
        c->native = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
      } else if (c->width > 0 && c->height > 0) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(c->argb.data(), c->width, c->height, 32, c->width * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
        if (s != nullptr) {
          c->native = SDL_CreateColorCursor(s, c->hotX, c->hotY);
          SDL_FreeSurface(s);
        }
      }
    }
    if (c->native != nullptr) SDL_SetCursor(static_cast<SDL_Cursor*>(c->native));
  }
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void FreePointer(CursorImage& c) {
  if (c.native != nullptr) SDL_FreeCursor(static_cast<SDL_Cursor*>(c.native));
  c.native = nullptr;
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string all = path;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    std::string candidate = all.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Runs a dialog program and returns what it printed, or nothing when it was
// cancelled or could not run.
std::optional<std::string> RunCapture(const std::vector<std::string>& args) {
  int fds[2];
  if (pipe(fds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return std::nullopt;
  }
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The answer of the desktop's dialog program, false when it has none.
bool AskDialog(const std::vector<std::string>& zenityArgs, bool listFonts, std::string* answer, bool* cancelled) {
  if (!OnPath("zenity")) return false;
  std::vector<std::string> args = zenityArgs;
  if (listFonts) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, os);
    std::set<std::string> families;
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
      FcChar8* family = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
        families.insert(reinterpret_cast<char*>(family));
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(os);
    FcPatternDestroy(pattern);
    for (const std::string& f : families) args.push_back(f);
  }
  PresentNow();
  std::optional<std::string> out = RunCapture(args);
  *cancelled = !out || out->empty();
  if (out) *answer = *out;
  return true;
}

const BackendOps kDesktop = {
    .name = "SDL",
    .desktop = true,
    .createWindow = CreateSdlWindow,
    .destroyWindow = DestroySdlWindow,
    .showWindow = SdlShowWindow,
    .moveResize = SdlMoveResize,
    .setTitle = SdlSetTitle,
    .present = Present,
    .rescale = Rescale,
    .automaticScale = AutomaticScaleFor,
    .screenSize = ScreenSize,
    .pump = PumpSdl,
    .wait = WaitForEvents,
    .warpPointer = SdlWarpMouse,
    .showPointer = ShowPointer,
    .freePointer = FreePointer,
    .keyboardLayout = SdlKeyboardLayout,
    .messageBox = SdlMessageBox,
    .askDialog = AskDialog,
    .clipboardSet = SdlClipboardSet,
    .clipboardGet = SdlClipboardGet,
};

}  // namespace

const BackendOps* DesktopBackend() { return EnsureVideo() ? &kDesktop : nullptr; }

}  // namespace plat
