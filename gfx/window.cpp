// The main window: class, creation, the window procedure, the polled message
// pump with its mouse and key state, and the off-screen copy that keeps the
// window's image while it is hidden or inactive (there is no paint handler
// here; on Windows window_scale.cpp repaints the window from its surface).
#include <algorithm>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

WindowState g_window;

namespace {

constexpr const char* kSystemErrorCaption = "Velto`s Graphic System Error";

// The system's application icon and arrow pointer, named by number so that
// the A-functions get A-resource names whatever the build's character width.
const LPCSTR kApplicationIcon = MAKEINTRESOURCEA(32512);
const LPCSTR kArrowPointer = MAKEINTRESOURCEA(32512);

ProcessEndHook g_endHook = nullptr;

void EndProcess(int exitCode) {
  if (g_endHook != nullptr) {
    g_endHook(exitCode);
    return;
  }
  ExitProcess(static_cast<UINT>(exitCode));
}

// Drops `copy` and takes a new one of the window area, in a bitmap as large as
// the display (or the window, where the window is larger: one of the screen
// size plus a border), so no part of the image is lost.
void TakeCopy(ScreenCopy& copy) {
  WindowState& w = g_window;
  if (copy.dc != nullptr) {
    SelectObject(copy.dc, copy.previous);
    DeleteObject(copy.bitmap);
    DeleteDC(copy.dc);
    copy = ScreenCopy{};
  }
  // Focus and visibility messages arrive while the window is still being
  // made, before it has a drawing context to copy from.
  if (w.dc == nullptr) return;
  copy.dc = CreateCompatibleDC(w.dc);
  const int32_t width = std::max<int32_t>(GetDeviceCaps(w.dc, HORZRES), WindowWidth());
  const int32_t height = std::max<int32_t>(GetDeviceCaps(w.dc, VERTRES), WindowHeight());
  copy.bitmap = CreateCompatibleBitmap(w.dc, width, height);
  copy.previous = SelectObject(copy.dc, copy.bitmap);
  BitBlt(copy.dc, 0, 0, WindowWidth(), WindowHeight(), w.dc, 0, 0, SRCCOPY);
}

// False when there is nothing to put back.
bool PutBack(const ScreenCopy& copy) {
  WindowState& w = g_window;
  if (copy.dc == nullptr || w.dc == nullptr) return false;
  BitBlt(w.dc, 0, 0, WindowWidth(), WindowHeight(), copy.dc, 0, 0, SRCCOPY);
  return true;
}

int32_t& ButtonState(int32_t button) {
  switch (button) {
    case 2: return g_window.rightButton;
    case 3: return g_window.middleButton;
    default: return g_window.leftButton;  // out-of-range numbers read the left button
  }
}

// A key pressed while another is unread waits its turn behind it.
void KeyPressed(WindowState& w, int32_t code, bool control) {
  if (w.lastKey == NO_EVENT) {
    w.lastKey = code;
    w.lastKeyControl = control;
  } else if (w.pendingCount < w.pendingKeys.size()) {
    w.pendingKeys[w.pendingCount++] = {code, control};
  }
}

// The unread key has been read: the next waiting one, if any, takes its place.
void NextKey(WindowState& w) {
  w.lastKey = NO_EVENT;
  if (w.pendingCount == 0) return;
  w.lastKey = w.pendingKeys[0].code;
  w.lastKeyControl = w.pendingKeys[0].control;
  std::copy(w.pendingKeys.begin() + 1, w.pendingKeys.begin() + static_cast<std::ptrdiff_t>(w.pendingCount),
            w.pendingKeys.begin());
  --w.pendingCount;
}

void ForgetKeys(WindowState& w) {
  w.lastKey = NO_EVENT;
  w.pendingCount = 0;
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& w = g_window;
  LRESULT answered = 0;
  if (SurfaceMessage(hwnd, message, &answered)) return answered;
  switch (message) {
    case WM_DESTROY:
      if (w.currentPen != nullptr) {
        DeleteObject(w.currentPen);
        w.currentPen = nullptr;
      }
      PostQuitMessage(0);
      EndProcess(0);
      // Only reached when a test has taken over the process end.
      w.window = nullptr;
      w.dc = nullptr;
      break;
    case WM_ACTIVATE:
    case WM_SHOWWINDOW: {
      // WM_ACTIVATE carries "minimised" in its high word; only the low word
      // says whether the window is losing or gaining focus.
      const WPARAM state = message == WM_ACTIVATE ? LOWORD(wParam) : wParam;
      if (state == 0) {
        InvalidateRgn(hwnd, w.region, FALSE);
        TakeCopy(w.backgroundCopy);
        w.drawnSinceCopy = false;
      } else {
        // The copy goes back only over a window nobody has drawn into since
        // it was taken: a picture drawn while the window was in the
        // background (a computer move, a game going on) is newer than the
        // copy, and putting the copy back would show a board that no longer
        // exists.  Only an image that was put back counts as restored; the
        // first showing of the window has no copy yet.
        if (!w.drawnSinceCopy && PutBack(w.backgroundCopy)) {
          w.restored = true;
          SurfaceDrawn(false);
        }
        ValidateRgn(hwnd, w.region);
      }
      break;
    }
    case WM_CLOSE:
      // The default processing of WM_CLOSE would only destroy the window a
      // second time.
      DestroyWindow(hwnd);
      return 0;
    case WM_SETCURSOR: w.leftButton = w.rightButton = w.middleButton = NO_EVENT; break;
    case WM_KEYDOWN: KeyPressed(w, static_cast<int32_t>(wParam), (GetKeyState(VK_CONTROL) & 0x8000) != 0); break;
    case WM_LBUTTONDOWN: w.leftButton = BUTTON_PRESSED; break;
    case WM_LBUTTONUP: w.leftButton = BUTTON_RELEASED; break;
    case WM_RBUTTONDOWN: w.rightButton = BUTTON_PRESSED; break;
    case WM_RBUTTONUP: w.rightButton = BUTTON_RELEASED; break;
    case WM_MBUTTONDOWN: w.middleButton = BUTTON_PRESSED; break;
    case WM_MBUTTONUP: w.middleButton = BUTTON_RELEASED; break;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Style and extended style for a caller's style code.
void ComputeStyle(int32_t styleCode, DWORD& style, DWORD& exStyle) {
  exStyle = 0;
  switch (styleCode) {
    case 0: style = WS_POPUP; break;
    case 1: style = WS_BORDER; break;
    case 3: style = WS_THICKFRAME; break;
    case 4:
      style = WS_POPUP;
      exStyle = WS_EX_TRANSPARENT;
      break;
    case 5:
      style = WS_POPUP;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    case 6: style = WS_MAXIMIZE + WS_BORDER; break;
    case 7:
      style = WS_POPUP + WS_MAXIMIZE;
      exStyle = WS_EX_TRANSPARENT;
      break;
    default: style = static_cast<DWORD>(styleCode); break;
  }
  // Or-ed: adding would turn a raw code that already holds the visible bit
  // into a minimised, invisible window.  For every other code the two agree.
  style |= static_cast<DWORD>(WS_VISIBLE);
}

void FailAndEnd(const char* text) {
  MessageBoxA(nullptr, text, kSystemErrorCaption, MB_ICONEXCLAMATION);
  EndProcess(1);
}

}  // namespace

std::string AsciiUpper(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void DispatchTaken() {
  TranslateMessage(&g_window.message);
  DispatchMessageA(&g_window.message);
}

void SetProcessEndHook(ProcessEndHook hook) { g_endHook = hook; }

int32_t CreateMainWindow(const std::string& title, int32_t width, int32_t height, int32_t styleCode) {
  WindowState& w = g_window;
  // Nothing of an earlier window may be seen by the messages that arrive while
  // this one is being made.
  w.window = nullptr;
  w.dc = nullptr;
  w.screenCopy = ScreenCopy{};
  w.backgroundCopy = ScreenCopy{};
  w.restored = false;
  w.drawnSinceCopy = false;
  w.title = title;
  w.width = width;
  w.height = height;
  w.styleCode = styleCode;
  w.penWidth = 1;

  // The module instance is the program's own, asked of the system rather than
  // passed down from the entry point, so callers need not carry it.
  HINSTANCE instance = GetModuleHandleA(nullptr);

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(WNDCLASSEXA);
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, kApplicationIcon);
  windowClass.hIconSm = LoadIconA(nullptr, kApplicationIcon);
  windowClass.hCursor = nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = w.title.c_str();
  if (RegisterClassExA(&windowClass) == 0) {
    FailAndEnd("Could not register new window");
    return 0;
  }

  if (w.width == 0) w.width = GetSystemMetrics(SM_CXSCREEN) + GetSystemMetrics(SM_CXBORDER);
  if (w.height == 0) w.height = GetSystemMetrics(SM_CYSCREEN) + GetSystemMetrics(SM_CYBORDER);
  ComputeStyle(styleCode, w.style, w.exStyle);
  w.styleCode = static_cast<int32_t>(w.style);

  // The window may be shown enlarged (window_scale.cpp): its size and place
  // come from there; the surface drawn on stays width x height.
  const RECT outer = PlanWindow();
  w.window = CreateWindowExA(w.exStyle, w.title.c_str(), w.title.c_str(), w.style, outer.left, outer.top,
                             outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                             nullptr);
  if (w.window == nullptr) {
    FailAndEnd("Window Creation failed");
    return 0;
  }
  SetActiveWindow(w.window);
  SetForegroundWindow(w.window);
  ShowWindow(w.window, SW_SHOW);
  UpdateWindow(w.window);

  GetWindowRgn(w.window, w.region);
  if (!OpenSurface()) {
    FailAndEnd("Window Creation failed");
    return 0;
  }
  ShowWindow(w.window, SW_SHOW);
  UpdateWindow(w.window);

  SetBackColour(MakeColour(0, 0, 0));
  w.penWidth = 1;
  w.drawColour = 0;
  w.textCursorX = 0;
  w.textCursorY = 0;
  w.font = LOGFONTA{};
  w.ownFont = nullptr;
  MeasureSurface(w.windowRect, false);
  SetTextMode("TRANSPARENT");
  SetTextColour(MakeColour(255, 255, 255));
  SetROP2(w.dc, R2_COPYPEN);

  w.screenCopy = ScreenCopy{};
  w.backgroundCopy = ScreenCopy{};
  w.leftButton = w.rightButton = w.middleButton = NO_EVENT;
  ForgetKeys(w);
  w.pointer = LoadCursorA(nullptr, kArrowPointer);
  SetCursor(w.pointer);
  return 1;
}

void CloseMainWindow() {
  WindowState& w = g_window;
  GdiFlush();
  ValidateRect(w.window, &w.windowRect);
  // One pending message is let through; waiting for one would hold the exit
  // until the user happened to move the mouse.
  if (PeekMessageA(&w.message, nullptr, 0, 0, PM_REMOVE)) DispatchTaken();
  UpdateWindow(w.window);
  RedrawWindow(w.window, &w.windowRect, nullptr, RDW_INVALIDATE | RDW_ERASE);
  CloseSurface();
  DestroyWindow(w.window);
}

void MoveMainWindow(int32_t x, int32_t y) { MoveWindowTo(x, y); }

void SetWindowTitle(const std::string& text) { SetWindowTextA(g_window.window, text.c_str()); }

void RefreshWindow() {
  WindowState& w = g_window;
  RedrawWindow(w.window, &w.windowRect, nullptr, RDW_INVALIDATE | RDW_ERASE);
  UpdateWindow(w.window);
  MeasureSurface(w.windowRect, true);
  GdiFlush();
  NoteDrawing();
}

int32_t WindowWidth() { return g_window.windowRect.right; }
int32_t WindowHeight() { return g_window.windowRect.bottom; }
// The caller draws with the context after this returns: the drawing is
// noted now and shown at the next pump.
HDC WindowDC() {
  g_window.drawnSinceCopy = true;
  SurfaceDrawn(false);
  return g_window.dc;
}
HWND WindowHandle() { return g_window.window; }

bool WasRestored() {
  bool was = g_window.restored;
  g_window.restored = false;
  return was;
}

int32_t PumpMessages(int32_t count) {
  PresentSurface();
  if (count <= 0) return 1;
  for (int32_t i = 0; i < count; ++i) {
    GetMessageA(&g_window.message, nullptr, 0, 0);
    DispatchTaken();
  }
  return count;
}

int32_t GetMouseButton(int32_t button) {
  int32_t& state = ButtonState(button);
  PresentSurface();
  if (state == NO_EVENT && PeekMessageA(&g_window.message, g_window.window, 0, 0, PM_REMOVE)) DispatchTaken();
  int32_t result = state;
  state = NO_EVENT;
  return result;
}

void ClearMouseButtons() { g_window.leftButton = g_window.rightButton = g_window.middleButton = NO_EVENT; }

int32_t GetMouseX() { return PointerOnSurface().x; }
int32_t GetMouseY() { return PointerOnSurface().y; }
void SetMousePosition(int32_t x, int32_t y) { PlacePointer(x, y); }

void SetPointerFile(const std::string& name) {
  HCURSOR pointer = nullptr;
  if (AsciiUpper(name) == "ARROW") {
    pointer = LoadCursorA(nullptr, kArrowPointer);
  } else {
    pointer = LoadCursorFromFileA(name.c_str());
  }
  // A pointer file that cannot be read keeps the pointer the user has; making
  // it null would hide the pointer altogether.
  if (pointer == nullptr) return;
  g_window.pointer = pointer;
  SetCursor(pointer);
}

std::string WaitForKey() {
  WindowState& w = g_window;
  ForgetKeys(w);
  PresentSurface();
  while (w.lastKey == NO_EVENT) {
    // 0 is the quit message, -1 a dead queue: no key can come any more.
    if (GetMessageA(&w.message, nullptr, 0, 0) <= 0) {
      w.lastKeyCode = 0;
      return std::string();
    }
    DispatchTaken();
  }
  std::string name = KeyName(w.lastKey);
  w.lastKeyCode = w.lastKey;
  w.lastKeyCodeControl = w.lastKeyControl;
  NextKey(w);
  return name;
}

// A key that another poll let through (GetMouseButton and IsKeyDown also take
// one message each) and nobody has read yet is reported now.  Clearing it
// first, as a fresh read would, loses every key that arrives while a program
// polls the mouse and the keys in turn.
std::string ReadKey() {
  WindowState& w = g_window;
  PresentSurface();
  if (w.lastKey == NO_EVENT && PeekMessageA(&w.message, w.window, 0, 0, PM_REMOVE)) DispatchTaken();
  std::string name;
  if (w.lastKey != NO_EVENT) {
    name = KeyName(w.lastKey);
    w.lastKeyCode = w.lastKey;
    w.lastKeyCodeControl = w.lastKeyControl;
  } else {
    w.lastKeyCode = 0;
    w.lastKeyCodeControl = false;
  }
  NextKey(w);
  return name;
}

int32_t PumpAndCheckKey() {
  WindowState& w = g_window;
  ForgetKeys(w);
  PresentSurface();
  GetMessageA(&w.message, nullptr, 0, 0);
  DispatchTaken();
  return w.lastKey != NO_EVENT ? 1 : 0;
}

int32_t IsKeyDown(int32_t virtualKey) {
  WindowState& w = g_window;
  PresentSurface();
  if (PeekMessageA(&w.message, nullptr, 0, 0, PM_NOREMOVE)) {
    GetMessageA(&w.message, nullptr, 0, 0);
    DispatchTaken();
  }
  return GetAsyncKeyState(virtualKey) != 0 ? 1 : 0;
}

void WaitForNamedKey(const std::string& name) {
  const std::string wanted = AsciiUpper(name);
  while (AsciiUpper(WaitForKey()) != wanted) {
  }
}

void SetLastKeyCode(int32_t code) {
  g_window.lastKeyCode = code;
  g_window.lastKeyCodeControl = false;
}
int32_t GetLastKeyCode() { return g_window.lastKeyCode; }
bool LastKeyCodeHadControl() { return g_window.lastKeyCode != 0 && g_window.lastKeyCodeControl; }

void SaveScreen() { TakeCopy(g_window.screenCopy); }

void RestoreScreen() {
  if (PutBack(g_window.screenCopy)) NoteDrawing();
}

}  // namespace veltounit
