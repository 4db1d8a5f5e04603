// Window classes, windows, the window procedure's default behaviour, painting
// and erasing, and the message queue with Windows' retrieval rules:
// GetMessageA waits, PeekMessageA does not, sent messages (focus, visibility,
// WM_SETCURSOR) are delivered inside the retrieval call and never returned.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

WindowState& W() { return State().windows; }

WindowClass* FindClass(LPCSTR name) {
  if (name == nullptr) return nullptr;
  if (reinterpret_cast<uintptr_t>(name) <= 0xFFFF) {  // an atom
    for (auto& [key, cls] : W().classes)
      if (cls.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))) return &cls;
    return nullptr;
  }
  auto it = W().classes.find(Lower(name));
  return it == W().classes.end() ? nullptr : &it->second;
}

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return 0;
  WNDPROC proc = w->proc;
  return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Matches(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
  if (hwnd != nullptr && m.hwnd != hwnd) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
}

void DeliverSent() {
  while (!W().sent.empty()) {
    MSG m = W().sent.front();
    W().sent.pop_front();
    CallProc(m.hwnd, m.message, m.wParam, m.lParam);
  }
}

void SendSetCursor(const MSG& m) {
  CallProc(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd), MAKELPARAM(HTCLIENT, m.message));
}

void Stamp(MSG& m) {
  m.time = NowMs();
  m.pt = State().input.cursor;
}

// One retrieval attempt.  Returns 1 with a message, 0 when nothing matched.
int TryRetrieve(LPMSG out, HWND hwnd, UINT lo, UINT hi, bool remove) {
  DeliverSent();
  for (auto it = W().posted.begin(); it != W().posted.end(); ++it) {
    if (!Matches(it->msg, hwnd, lo, hi)) continue;
    QueuedMessage q = *it;
    if (q.setCursorFirst) {
      // Windows sends WM_SETCURSOR while it takes the mouse message from the
      // input queue; it is not repeated when the message is peeked again.
      it->setCursorFirst = false;
      SendSetCursor(q.msg);
    }
    if (remove) {
      // The handler of WM_SETCURSOR may have pumped: find the entry again.
      for (auto jt = W().posted.begin(); jt != W().posted.end(); ++jt) {
        if (jt->msg.hwnd == q.msg.hwnd && jt->msg.message == q.msg.message && jt->msg.time == q.msg.time &&
            jt->msg.wParam == q.msg.wParam && jt->msg.lParam == q.msg.lParam) {
          W().posted.erase(jt);
          break;
        }
      }
    }
    if (remove && q.input) State().input.heldAtMessage = q.keys;
    *out = q.msg;
    return 1;
  }
  if (W().quit && (lo == 0 && hi == 0 ? true : (WM_QUIT >= lo && WM_QUIT <= hi))) {
    MSG m{};
    m.message = WM_QUIT;
    m.wParam = static_cast<WPARAM>(W().quitCode);
    Stamp(m);
    if (remove) W().quit = false;
    *out = m;
    return 1;
  }
  // A window with an invalid area gets WM_PAINT when nothing else waits.
  if ((lo == 0 && hi == 0) || (WM_PAINT >= lo && WM_PAINT <= hi)) {
    for (auto& [id, w] : W().windows) {
      if (!w->invalid || !w->visible) continue;
      if (hwnd != nullptr && w->handle != hwnd) continue;
      MSG m{};
      m.hwnd = w->handle;
      m.message = WM_PAINT;
      Stamp(m);
      *out = m;
      return 1;
    }
  }
  return 0;
}

void MakeActive(HWND hwnd, bool active) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || w->active == active) return;
  w->active = active;
  if (active) {
    HWND previous = W().active;
    W().active = hwnd;
    if (previous != nullptr && previous != hwnd) MakeActive(previous, false);
  } else if (W().active == hwnd) {
    W().active = nullptr;
  }
  CallProc(hwnd, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

}  // namespace

void InvalidateAll(Window& w, bool erase) {
  w.invalid = true;
  w.erase = w.erase || erase;
  w.update = RECT{0, 0, w.surface.width, w.surface.height};
}

void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool setCursorFirst) {
  QueuedMessage q;
  q.msg.hwnd = hwnd;
  q.msg.message = message;
  q.msg.wParam = wParam;
  q.msg.lParam = lParam;
  Stamp(q.msg);
  q.setCursorFirst = setCursorFirst;
  q.input = IsInputMessage(message);
  if (q.input) q.keys = State().input.held;
  W().posted.push_back(q);
}

void QueueSent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  if (message == WM_ACTIVATE) {
    // Record the new state now so a later change is seen as one.
    if (Window* w = FindWindowByHandle(hwnd)) {
      bool active = LOWORD(wParam) != WA_INACTIVE;
      w->active = active;
      W().active = active ? hwnd : (W().active == hwnd ? nullptr : W().active);
    }
  }
  if (message == WM_SHOWWINDOW) {
    if (Window* w = FindWindowByHandle(hwnd)) {
      w->visible = wParam != 0;
      if (w->visible) InvalidateAll(*w, true);
    }
  }
  W().sent.push_back(m);
}

int QueuedCount() { return static_cast<int>(W().posted.size() + W().sent.size()); }

void DropAllWindows() {
  for (auto& [id, w] : W().windows) {
    Backend().destroyWindow(*w);
    if (w->dc) DestroyDc(w->dc);
  }
  W().windows.clear();
}

}  // namespace plat

using namespace plat;

DWORD WINAPI GetLastError(void) { return W().lastError; }
void WINAPI SetLastError(DWORD error) { W().lastError = error; }

// ---------------------------------------------------------------------------
// Classes and windows
// ---------------------------------------------------------------------------
ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (wc == nullptr || wc->lpfnWndProc == nullptr || wc->lpszClassName == nullptr || wc->lpszClassName[0] == '\0') {
    W().lastError = ERROR_INVALID_PARAMETER;
    return 0;
  }
  std::string key = Lower(wc->lpszClassName);
  if (W().classes.count(key)) {
    W().lastError = ERROR_CLASS_ALREADY_EXISTS;
    return 0;
  }
  WindowClass c;
  c.name = wc->lpszClassName;
  c.atom = W().nextAtom++;
  c.style = wc->style;
  c.proc = wc->lpfnWndProc;
  c.background = wc->hbrBackground;
  c.cursor = wc->hCursor;
  c.instance = wc->hInstance;
  W().classes[key] = c;
  return c.atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
  WindowClass* c = FindClass(className);
  if (c == nullptr) return FALSE;
  for (auto& [id, w] : W().windows)
    if (Lower(w->className) == Lower(c->name)) return FALSE;
  W().classes.erase(Lower(c->name));
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND, HMENU, HINSTANCE, LPVOID) {
  WindowClass* c = FindClass(className);
  if (c == nullptr) {
    W().lastError = ERROR_FILE_NOT_FOUND;
    return nullptr;
  }
  auto w = std::make_unique<Window>();
  w->handle = reinterpret_cast<HWND>(W().nextWindow++);
  w->className = c->name;
  w->title = windowName ? windowName : "";
  w->proc = c->proc;
  w->background = c->background;
  w->classStyle = c->style;
  w->style = style;
  w->exStyle = exStyle;
  w->x = x == CW_USEDEFAULT ? 0 : x;
  w->y = y == CW_USEDEFAULT ? 0 : y;
  if (width == CW_USEDEFAULT) width = 640;
  if (height == CW_USEDEFAULT) height = 480;
  if (style & WS_MAXIMIZE) {  // a maximized window fills the screen
    Backend().screenSize(&width, &height);
    w->x = w->y = 0;
  }
  // A window is never larger than 16384 pixels a side, so a wild size cannot
  // exhaust memory.
  width = std::clamp(width, 0, 16384);
  height = std::clamp(height, 0, 16384);
  AllocateSurface(w->surface, width, height);
  HWND hwnd = w->handle;
  Window* raw = w.get();
  W().windows[reinterpret_cast<uintptr_t>(hwnd)] = std::move(w);
  raw->dc = CreateWindowDc(*raw);
  if (!Backend().createWindow(*raw)) {
    DestroyDc(raw->dc);
    W().windows.erase(reinterpret_cast<uintptr_t>(hwnd));
    W().lastError = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  if (CallProc(hwnd, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (FindWindowByHandle(hwnd) == nullptr) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) {
    W().lastError = ERROR_INVALID_HANDLE;
    return FALSE;
  }
  if (w->visible) {
    w->visible = false;
    Backend().showWindow(*w, false);
  }
  if (W().active == hwnd) W().active = nullptr;
  CallProc(hwnd, WM_DESTROY, 0, 0);
  CallProc(hwnd, WM_NCDESTROY, 0, 0);
  w = FindWindowByHandle(hwnd);
  if (w == nullptr) return TRUE;
  Backend().destroyWindow(*w);
  DestroyDc(w->dc);
  W().windows.erase(reinterpret_cast<uintptr_t>(hwnd));
  std::erase_if(W().posted, [hwnd](const auto& q) { return q.msg.hwnd == hwnd; });
  std::erase_if(W().sent, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) { return FindWindowByHandle(hwnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window* w = FindWindowByHandle(hwnd);
  return w && w->visible;
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  BOOL wasVisible = w->visible;
  if (cmdShow == SW_HIDE) {
    if (!wasVisible) return FALSE;
    w->visible = false;
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    Backend().showWindow(*w, false);
    CallProc(hwnd, WM_SHOWWINDOW, FALSE, 0);
    if (FindWindowByHandle(hwnd) && W().active == hwnd) MakeActive(hwnd, false);
    return TRUE;
  }
  if (!wasVisible) {
    w->visible = true;
    w->style |= WS_VISIBLE;
    InvalidateAll(*w, true);
    Backend().showWindow(*w, true);
    CallProc(hwnd, WM_SHOWWINDOW, TRUE, 0);
  }
  bool activate = cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE && cmdShow != SW_SHOWMINNOACTIVE &&
                  cmdShow != SW_MINIMIZE;
  if (activate && FindWindowByHandle(hwnd)) MakeActive(hwnd, true);
  return wasVisible;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
  HWND previous = W().active;
  if (FindWindowByHandle(hwnd) == nullptr) return nullptr;
  MakeActive(hwnd, true);
  return previous;
}
HWND WINAPI GetActiveWindow(void) { return W().active; }
BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  if (FindWindowByHandle(hwnd) == nullptr) return FALSE;
  MakeActive(hwnd, true);
  return TRUE;
}
HWND WINAPI GetForegroundWindow(void) { return W().active; }
HWND WINAPI SetFocus(HWND hwnd) {
  HWND previous = W().active;
  if (hwnd != nullptr) SetActiveWindow(hwnd);
  return previous;
}
HWND WINAPI GetFocus(void) { return W().active; }

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  width = std::clamp(width, 0, 16384);
  height = std::clamp(height, 0, 16384);
  bool resized = width != w->surface.width || height != w->surface.height;
  w->x = x;
  w->y = y;
  if (resized) ResizeSurface(w->surface, width, height);
  Backend().moveResize(*w);
  if (resized && (w->classStyle & (CS_HREDRAW | CS_VREDRAW))) InvalidateAll(*w, true);
  if (repaint && resized) InvalidateAll(*w, true);
  if (resized) CallProc(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
  CallProc(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
  return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  w->title = text ? text : "";
  Backend().setTitle(*w);
  return TRUE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int maxCount) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || text == nullptr || maxCount <= 0) return 0;
  int n = std::min(static_cast<int>(w->title.size()), maxCount - 1);
  std::copy_n(w->title.data(), n, text);
  text[n] = '\0';
  return n;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, w->surface.width, w->surface.height};
  return TRUE;
}

// The window has no frame of its own (the desktop draws any border outside the
// pixels we own), so the window rectangle is the client area at its position.
BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = RECT{w->x, w->y, w->x + w->surface.width, w->y + w->surface.height};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  point->x += w->x;
  point->y += w->y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  point->x -= w->x;
  point->y -= w->y;
  return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
  if (hwnd == nullptr) {
    Window* top = TopWindow();
    return top ? top->dc : nullptr;
  }
  Window* w = FindWindowByHandle(hwnd);
  return w ? w->dc : nullptr;
}

// DCX_VALIDATE only acts together with DCX_INTERSECTUPDATE, which is not
// offered, so the flags change nothing here.
HDC WINAPI GetDCEx(HWND hwnd, HRGN, DWORD) { return GetDC(hwnd); }

HDC WINAPI GetWindowDC(HWND hwnd) { return GetDC(hwnd); }

// Window DCs live as long as their window (every class behaves as CS_OWNDC).
int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
  Window* w = FindWindowByHandle(hwnd);
  return w && w->dc == hdc ? 1 : 0;
}

// Windows here have no window region of their own.
int WINAPI GetWindowRgn(HWND, HRGN) { return ERROR; }

namespace {
void AddUpdate(Window& w, const RECT* r, bool erase) {
  RECT full{0, 0, w.surface.width, w.surface.height};
  RECT add = r ? *r : full;
  add.left = std::max<LONG>(add.left, 0);
  add.top = std::max<LONG>(add.top, 0);
  add.right = std::min(add.right, full.right);
  add.bottom = std::min(add.bottom, full.bottom);
  if (add.right <= add.left || add.bottom <= add.top) return;
  if (!w.invalid) {
    w.update = add;
  } else {
    w.update.left = std::min(w.update.left, add.left);
    w.update.top = std::min(w.update.top, add.top);
    w.update.right = std::max(w.update.right, add.right);
    w.update.bottom = std::max(w.update.bottom, add.bottom);
  }
  w.invalid = true;
  w.erase = w.erase || erase;
}

void Validate(Window& w) {
  w.invalid = false;
  w.erase = false;
}

// Regions passed for a window stand for the whole window: windows here have
// no region of their own and callers pass the one GetWindowRgn gave them.
RECT RegionRect(HRGN, Window& w) { return RECT{0, 0, w.surface.width, w.surface.height}; }
}  // namespace

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  AddUpdate(*w, rect, erase != FALSE);
  return TRUE;
}

BOOL WINAPI InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  RECT r = RegionRect(rgn, *w);
  AddUpdate(*w, &r, erase != FALSE);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT*) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  Validate(*w);
  return TRUE;
}

BOOL WINAPI ValidateRgn(HWND hwnd, HRGN) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  Validate(*w);
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* updateRect, HRGN, UINT flags) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  if (flags & RDW_INVALIDATE) AddUpdate(*w, updateRect, (flags & RDW_ERASE) != 0);
  if (flags & RDW_VALIDATE) Validate(*w);
  if (flags & RDW_NOERASE) w->erase = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(hwnd);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || !w->invalid) {
    if (rect) *rect = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (rect) *rect = w->update;
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return FALSE;
  if (w->invalid && w->visible) CallProc(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr || paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  paint->hdc = w->dc;
  paint->rcPaint = w->invalid ? w->update : RECT{0, 0, 0, 0};
  bool erase = w->erase;
  Validate(*w);
  if (erase) {
    LRESULT erased = CallProc(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0);
    paint->fErase = erased == 0;
  }
  return paint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return 0;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // The class background brush paints the area to be updated, which is
      // what makes invalidating with erase clear the window.
      COLORREF c;
      if (!BrushColour(w->background, &c)) return 0;
      Surface* s = SurfaceOfDC(reinterpret_cast<HDC>(wParam));
      if (s == nullptr) s = &w->surface;
      FillSurface(*s, w->update, ToPixel(c));
      NoteDrawn(s);
      return 1;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_NCHITTEST: return HTCLIENT;  // NOLINT(bugprone-branch-clone): HTCLIENT is 1, by chance
    case WM_MOUSEACTIVATE: return 1;
    case WM_SETCURSOR: return FALSE;
    case WM_SETTEXT: SetWindowTextA(hwnd, reinterpret_cast<LPCSTR>(lParam)); return TRUE;
    case WM_GETTEXT: return GetWindowTextA(hwnd, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the window as the system menu would.
      if (wParam == VK_F4) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    default: return 0;
  }
}

// ---------------------------------------------------------------------------
// Message queue
// ---------------------------------------------------------------------------
BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr || (hwnd != nullptr && FindWindowByHandle(hwnd) == nullptr)) {
    W().lastError = ERROR_INVALID_HANDLE;
    return -1;
  }
  PresentNow();
  int idleCalls = 0;
  for (;;) {
    Backend().pump(0);
    if (TryRetrieve(msg, hwnd, filterMin, filterMax, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    Backend().wait(&idleCalls, "GetMessageA");
  }
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (msg == nullptr) return FALSE;
  PresentNow();
  Backend().pump(0);
  return TryRetrieve(msg, hwnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

// Anything a retrieval call would hand out or deliver: queued input, sent
// messages, the quit message, or a visible window waiting for WM_PAINT.
namespace {
bool AnythingWaiting() {
  if (!W().posted.empty() || !W().sent.empty() || W().quit) return true;
  for (auto& [id, w] : W().windows)
    if (w->invalid && w->visible) return true;
  return false;
}
}  // namespace

BOOL WINAPI WaitMessage(void) {
  PresentNow();
  int idleCalls = 0;
  for (;;) {
    Backend().pump(0);
    if (AnythingWaiting()) return TRUE;
    Backend().wait(&idleCalls, "WaitMessage");
  }
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return 0;
  return CallProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallProc(hwnd, msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd != nullptr && FindWindowByHandle(hwnd) == nullptr) return FALSE;
  QueueInput(hwnd, msg, wParam, lParam, false);
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
  W().quit = true;
  W().quitCode = exitCode;
}

namespace {
// The punctuation keys of a US layout, without and with Shift.
struct PunctuationKey {
  int vk;
  char plain, shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
};
}  // namespace

// Character messages for the keys that type one, with Shift and the capital
// letters lock on a US layout; placed first in the queue as Windows does.
BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  int vk = static_cast<int>(msg->wParam);
  bool shift = State().input.heldAtMessage[VK_SHIFT];
  bool caps = State().input.locked[VK_CAPITAL];
  int ch = 0;
  if (vk >= 'A' && vk <= 'Z') {
    ch = (shift != caps) ? vk : vk + 32;
  } else if (vk >= '0' && vk <= '9') {
    static const char kShifted[] = ")!@#$%^&*(";
    ch = shift ? kShifted[vk - '0'] : vk;
  } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
    ch = '0' + vk - VK_NUMPAD0;
  } else {
    switch (vk) {
      case VK_SPACE: ch = ' '; break;
      case VK_RETURN: ch = '\r'; break;
      case VK_BACK: ch = '\b'; break;
      case VK_TAB: ch = '\t'; break;
      case VK_ESCAPE: ch = 0x1B; break;
      case VK_MULTIPLY: ch = '*'; break;
      case VK_ADD: ch = '+'; break;
      case VK_SUBTRACT: ch = '-'; break;
      case VK_DECIMAL: ch = '.'; break;
      case VK_DIVIDE: ch = '/'; break;
      default: {
        const auto* key = std::find_if(std::begin(kPunctuation), std::end(kPunctuation),
                                       [vk](const PunctuationKey& k) { return k.vk == vk; });
        if (key == std::end(kPunctuation)) return FALSE;
        ch = static_cast<unsigned char>(shift ? key->shifted : key->plain);
      }
    }
  }
  QueuedMessage q;
  q.msg = *msg;
  q.msg.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  q.msg.wParam = static_cast<WPARAM>(ch);
  q.input = true;
  q.keys = State().input.heldAtMessage;
  W().posted.push_front(q);
  return TRUE;
}

int32_t GetWindowLongA(HWND hwnd, int index) {
  Window* w = FindWindowByHandle(hwnd);
  if (w == nullptr) return 0;
  if (index == GWL_STYLE) return static_cast<int32_t>(w->style);
  if (index == GWL_EXSTYLE) return static_cast<int32_t>(w->exStyle);
  return 0;
}
