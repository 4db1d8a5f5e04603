// The desktop side of the window: SDL2 windows, events turned into window
// messages with Windows virtual-key codes, and handing the drawn pixels to the
// screen.  Without a display (or when asked) everything here stays off and the
// window lives only in memory.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/internal.h"
#include "platform/window_scale.h"

namespace plat {

namespace {

int g_headlessChoice = -1;  // -1: decide from the environment
bool g_videoTried = false;
bool g_videoReady = false;
int g_screenW = 1024, g_screenH = 768;  // the pretend display when headless
int g_presents = 0;
DWORD g_lastPresentMs = 0;  // tick count of the last hand-over (virtual in tests)
std::map<Uint32, HWND> g_bySdlId;
// The presented window is g_scale times the drawn surface (window_scale.h);
// g_scaleAsked 0 means "choose from the desktop when the window is made".
int g_scale = 1;
int g_scaleAsked = 1;
// Once the factor has been other than 1, a window without a sizing frame keeps
// its surface whatever size the desktop reports: a late report of an earlier
// factor's size, or a window manager trimming a 3x window to the screen, must
// not change the picture the program draws.
bool g_scaledOnce = false;
std::vector<uint32_t> g_presented;  // the enlarged picture handed to SDL

// A position in the presented window to one on the drawn surface.  Floor
// division, so that a position left of or above the window (a drag leaving
// it) stays outside the surface.
int ToSurface(int v) { return v >= 0 ? v / g_scale : -((-v + g_scale - 1) / g_scale); }

// The program's 8-bit texts (titles, boxes, clipboard) are Windows-1253: the
// only non-ASCII text the game produces is Greek from its Greek keyboard.
constexpr int kAnsiCharset = GREEK_CHARSET;

std::string ToUtf8(const std::string& text) {
  return Utf8FromCodePoints(DecodeCharset(text.data(), static_cast<int>(text.size()), kAnsiCharset));
}

bool EnsureVideo() {
  if (g_videoReady) return true;
  if (g_videoTried) return false;
  g_videoTried = true;
  // Ctrl+C and kill must end the program, not become a quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "platform: no display available (%s); running without one\n", SDL_GetError());
    g_headlessChoice = 1;
    return false;
  }
  std::atexit(SDL_Quit);
  g_videoReady = true;
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

// The picture as the desktop shows it: each surface pixel repeated n × n
// times, so that lines and letters stay sharp.
void EnlargeSurface(const Surface& s, int n, std::vector<uint32_t>& out) {
  const size_t wide = static_cast<size_t>(s.width) * n;
  out.resize(wide * static_cast<size_t>(s.height) * n);
  for (int y = 0; y < s.height; ++y) {
    const uint32_t* src = s.Row(y);
    uint32_t* first = out.data() + static_cast<size_t>(y) * n * wide;
    for (int x = 0; x < s.width; ++x)
      for (int i = 0; i < n; ++i) first[static_cast<size_t>(x) * n + i] = src[x];
    for (int r = 1; r < n; ++r) std::memcpy(first + r * wide, first, wide * sizeof(uint32_t));
  }
}

// The factor the desktop suggests for a surface of w x h: the largest n up to
// 3 for which the window, with its title bar and frame, fits the usable area
// (the display less the taskbar and panels).  Density decides whether 3 is
// wanted at all: below 144 dots per inch (1.5 times the usual 96) a 3x board
// would be more than 38 cm wide, so 2 is the most offered there; a display
// that does not say its density counts as 96.
int AutomaticScaleFor(int w, int h) {
  if (!VideoReady() || w <= 0 || h <= 0) return 1;
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
  SDL_GetWindowPosition(w.sdl, &x, &y);
  SDL_GetWindowSize(w.sdl, &ww, &wh);
  int top = 0, left = 0;
  SDL_GetWindowBordersSize(w.sdl, &top, &left, nullptr, nullptr);
  const int nx = std::max(usable.x + left, std::min(x, usable.x + usable.w - ww));
  const int ny = std::max(usable.y + top, std::min(y, usable.y + usable.h - wh));
  if (nx != x || ny != y) SDL_SetWindowPosition(w.sdl, nx, ny);
}

void Translate(const SDL_Event& e) {
  auto window = [](Uint32 id) -> Window* {
    auto it = g_bySdlId.find(id);
    return it == g_bySdlId.end() ? nullptr : FindWindowByHandle(it->second);
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
          if (!w->visible && !(SDL_GetWindowFlags(w->sdl) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)))
            QueueSent(w->handle, WM_SHOWWINDOW, TRUE, 0);
          w->dirty = true;
          break;
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_MINIMIZED:
          if (w->visible && (SDL_GetWindowFlags(w->sdl) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)))
            QueueSent(w->handle, WM_SHOWWINDOW, FALSE, 0);
          break;
        case SDL_WINDOWEVENT_EXPOSED: w->dirty = true; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
          int nw = e.window.data1 / g_scale, nh = e.window.data2 / g_scale;
          const bool follows = (w->style & WS_THICKFRAME) || !g_scaledOnce;
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
      CursorPos() = POINT{ToSurface(e.motion.x), ToSurface(e.motion.y)};
      if (w) QueueInput(w->handle, WM_MOUSEMOVE, MouseKeys(), MAKELPARAM(CursorPos().x, CursorPos().y), true);
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
      CursorPos() = POINT{ToSurface(e.button.x), ToSurface(e.button.y)};
      if (w) QueueInput(w->handle, msg, MouseKeys(), MAKELPARAM(CursorPos().x, CursorPos().y), true);
      break;
    }
    case SDL_MOUSEWHEEL: {
      Window* w = window(e.wheel.windowID);
      if (w == nullptr) return;
      int delta = e.wheel.y * WHEEL_DELTA;
      QueueInput(w->handle, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(), delta), MAKELPARAM(CursorPos().x, CursorPos().y),
                 false);
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

}  // namespace

void SetHeadlessMode(bool on) { g_headlessChoice = on ? 1 : 0; }

bool Headless() {
  if (g_headlessChoice < 0) {
    const char* forced = std::getenv("TRIVANE_HEADLESS");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    bool noDisplay = (display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0');
    g_headlessChoice = (forced != nullptr && std::strcmp(forced, "0") != 0 && *forced != '\0') || noDisplay;
  }
  if (g_headlessChoice == 1) return true;
  return !EnsureVideo();
}

bool VideoReady() { return g_videoReady && !Headless(); }

void SetHeadlessScreen(int w, int h) {
  g_screenW = w > 0 ? w : 1;
  g_screenH = h > 0 ? h : 1;
}

bool ScreenSize(int* w, int* h) {
  if (VideoReady()) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      *w = mode.w;
      *h = mode.h;
      return true;
    }
  }
  *w = g_screenW;
  *h = g_screenH;
  return true;
}

bool CreateSdlWindow(Window& w) {
  if (!VideoReady() || !g_bySdlId.empty()) return false;  // one window reaches the desktop
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (w.style & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
  if (w.style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  if (w.style & WS_MAXIMIZE) flags |= SDL_WINDOW_MAXIMIZED;
  if (w.exStyle & WS_EX_TOOLWINDOW) flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_UTILITY;
  std::string title = ToUtf8(w.title);
  if (g_scaleAsked == 0) g_scale = AutomaticScaleFor(w.surface.width, w.surface.height);
  g_scaledOnce = g_scaledOnce || g_scale > 1;
  w.sdl = SDL_CreateWindow(title.c_str(), w.x, w.y, std::max(w.surface.width, 1) * g_scale,
                           std::max(w.surface.height, 1) * g_scale, flags);
  if (w.sdl == nullptr) return false;
  g_bySdlId[SDL_GetWindowID(w.sdl)] = w.handle;
  if (g_scale > 1) KeepOnScreen(w);
  return true;
}

void DestroySdlWindow(Window& w) {
  if (w.sdl == nullptr) return;
  g_bySdlId.erase(SDL_GetWindowID(w.sdl));
  SDL_DestroyWindow(w.sdl);
  w.sdl = nullptr;
}

void SdlShowWindow(Window& w, bool shown) {
  if (w.sdl == nullptr) return;
  if (shown) {
    SDL_ShowWindow(w.sdl);
    SDL_RaiseWindow(w.sdl);
    w.dirty = true;
  } else {
    SDL_HideWindow(w.sdl);
  }
}

void SdlMoveResize(Window& w) {
  if (w.sdl == nullptr) return;
  SDL_SetWindowPosition(w.sdl, w.x, w.y);
  SDL_SetWindowSize(w.sdl, std::max(w.surface.width, 1) * g_scale, std::max(w.surface.height, 1) * g_scale);
  if (g_scale > 1) KeepOnScreen(w);
  w.dirty = true;
}

void SdlSetTitle(Window& w) {
  if (w.sdl == nullptr) return;
  SDL_SetWindowTitle(w.sdl, ToUtf8(w.title).c_str());
}

void SdlWarpMouse(int x, int y) {
  Window* w = TopWindow();
  if (w != nullptr && w->sdl != nullptr) SDL_WarpMouseInWindow(w->sdl, x * g_scale, y * g_scale);
}

void PumpSdl(int timeoutMs) {
  if (!VideoReady()) return;
  SDL_Event e;
  if (timeoutMs > 0 && SDL_WaitEventTimeout(&e, timeoutMs)) Translate(e);
  while (SDL_PollEvent(&e)) Translate(e);
}

void PresentNow() {
  g_lastPresentMs = NowMs();
  Window* w = TopWindow();
  if (w == nullptr || !w->dirty) return;
  w->dirty = false;
  ++g_presents;
  if (w->sdl == nullptr || !w->visible || w->surface.width == 0 || w->surface.height == 0) return;
  SDL_Surface* target = SDL_GetWindowSurface(w->sdl);
  if (target == nullptr) return;
  SDL_Surface* source = nullptr;
  if (g_scale == 1) {
    source = SDL_CreateRGBSurfaceWithFormatFrom(w->surface.base, w->surface.width, w->surface.height, 32,
                                                static_cast<int>(w->surface.rowStep * 4), SDL_PIXELFORMAT_RGB888);
  } else {
    EnlargeSurface(w->surface, g_scale, g_presented);
    source = SDL_CreateRGBSurfaceWithFormatFrom(g_presented.data(), w->surface.width * g_scale,
                                                w->surface.height * g_scale, 32, w->surface.width * g_scale * 4,
                                                SDL_PIXELFORMAT_RGB888);
  }
  if (source == nullptr) return;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(w->sdl);
}

// Drawing reaches the screen at most about 60 times a second while the program
// only draws; every pump, sleep and box hands over the rest.
void PresentIfDue() {
  if (NowMs() - g_lastPresentMs >= 16) PresentNow();
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

int PresentCount() { return g_presents; }
void ResetPresentCount() { g_presents = 0; }
void ResetScale() {
  g_scale = g_scaleAsked = 1;
  g_scaledOnce = false;
}

bool SdlClipboardSet(const std::string& text) {
  if (!VideoReady()) return false;
  return SDL_SetClipboardText(ToUtf8(text).c_str()) == 0;
}

bool SdlClipboardGet(std::string* text) {
  if (!VideoReady()) return false;
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
  TakeKeyStates(HeldKeys());
}

int SdlMessageBox(const std::string& text, const std::string& caption, UINT type) {
  if (Headless()) return 0;
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
  data.window = top ? top->sdl : nullptr;
  data.title = c.c_str();
  data.message = t.c_str();
  data.numbuttons = static_cast<int>(buttons.size());
  data.buttons = buttons.data();
  int pressed = 0;
  int shown = 0;
  do {
    pressed = 0;
    shown = SDL_ShowMessageBox(&data, &pressed);
    // Closed from its frame: the answer of Esc; a box with no such answer is
    // shown again, as Windows offers no way out of it but its buttons.
    if (shown == 0 && pressed < 0) pressed = escape;
  } while (shown == 0 && pressed == 0);
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

void SdlApplyCursor(HCURSOR cursor) {
  if (!VideoReady()) return;
  CursorImage* c = FindCursor(cursor);
  if (c == nullptr) return;
  if (c->sdlCursor == nullptr) {
    if (c->system) {
      c->sdlCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    } else if (c->width > 0 && c->height > 0) {
      SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(c->argb.data(), c->width, c->height, 32, c->width * 4,
                                                          SDL_PIXELFORMAT_ARGB8888);
      if (s != nullptr) {
        c->sdlCursor = SDL_CreateColorCursor(s, c->hotX, c->hotY);
        SDL_FreeSurface(s);
      }
    }
  }
  if (c->sdlCursor != nullptr) SDL_SetCursor(static_cast<SDL_Cursor*>(c->sdlCursor));
}

void SdlApplyCursorShown(bool shown) {
  if (VideoReady()) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void SdlFreeCursor(void* cursor) {
  if (g_videoReady && cursor != nullptr) SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor));
}

}  // namespace plat

namespace presentation {

int SetWindowScale(int factor) {
  using namespace plat;
  Window* w = TopWindow();
  g_scaleAsked = factor <= 0 ? 0 : std::min(std::max(factor, kMinScale), kMaxScale);
  const int next = g_scaleAsked != 0 ? g_scaleAsked : AutomaticScale();
  if (next != g_scale) {
    g_scale = next;
    g_scaledOnce = g_scaledOnce || g_scale > 1;
    // The window grows or shrinks where it stands, then comes back on screen.
    if (w != nullptr && w->sdl != nullptr) {
      SDL_SetWindowSize(w->sdl, std::max(w->surface.width, 1) * g_scale, std::max(w->surface.height, 1) * g_scale);
      KeepOnScreen(*w);
    }
  }
  if (w != nullptr) w->dirty = true;
  return g_scale;
}

int WindowScale() { return plat::g_scale; }

int AutomaticScale() {
  using namespace plat;
  Window* w = TopWindow();
  return w != nullptr ? AutomaticScaleFor(w->surface.width, w->surface.height) : AutomaticScaleFor(500, 500);
}

}  // namespace presentation

namespace automation {
std::vector<COLORREF> PresentedPicture(int* width, int* height) {
  using namespace plat;
  Window* w = TopWindow();
  std::vector<uint32_t> pixels;
  if (w != nullptr) EnlargeSurface(w->surface, g_scale, pixels);
  *width = w != nullptr ? w->surface.width * g_scale : 0;
  *height = w != nullptr ? w->surface.height * g_scale : 0;
  std::vector<COLORREF> out(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) out[i] = ToColour(pixels[i]);
  return out;
}
void ClickPresented(int x, int y, int button) { Click(plat::ToSurface(x), plat::ToSurface(y), button); }
void SetHeadless(bool headless) { plat::SetHeadlessMode(headless); }
bool IsHeadless() { return plat::Headless(); }
void SetScreenSize(int width, int height) { plat::SetHeadlessScreen(width, height); }
int PresentCount() { return plat::PresentCount(); }
}  // namespace automation
