// What the files of the platform layer share among themselves.  Nothing here is
// visible to the game's layers; they see only win32.h and automation.h.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/win32_subset.h"

struct SDL_Window;

namespace plat {

// --- Pixel surfaces ----------------------------------------------------------
// 32-bit pixels 0x00RRGGBB, the layout of a 32-bit device-independent bitmap.
// Rows may run bottom-up in memory (a DIB section with positive height).
struct Surface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> storage;
  uint32_t* base = nullptr;  // row 0 (top row) in memory
  long rowStep = 0;          // words from one row to the next one below
  Surface() = default;
  // Copies and moves keep base pointing into their own storage (a copied
  // surface that still pointed into the original would draw into freed
  // memory once the original went).
  Surface(const Surface& o) : width(o.width), height(o.height), storage(o.storage), rowStep(o.rowStep) {
    base = Rebased(o);
  }
  Surface(Surface&& o) noexcept : width(o.width), height(o.height), base(o.base), rowStep(o.rowStep) {
    const std::ptrdiff_t offset = o.base ? o.base - o.storage.data() : -1;
    storage = std::move(o.storage);
    base = offset < 0 ? nullptr : storage.data() + offset;
    o.base = nullptr;
  }
  Surface& operator=(const Surface& o) {
    if (this != &o) {
      width = o.width;
      height = o.height;
      storage = o.storage;
      rowStep = o.rowStep;
      base = Rebased(o);
    }
    return *this;
  }
  Surface& operator=(Surface&& o) noexcept {
    if (this != &o) {
      const std::ptrdiff_t offset = o.base ? o.base - o.storage.data() : -1;
      width = o.width;
      height = o.height;
      rowStep = o.rowStep;
      storage = std::move(o.storage);
      base = offset < 0 ? nullptr : storage.data() + offset;
      o.base = nullptr;
    }
    return *this;
  }
  uint32_t* Rebased(const Surface& o) { return o.base ? storage.data() + (o.base - o.storage.data()) : nullptr; }
  uint32_t* Row(int y) { return base + rowStep * y; }
  const uint32_t* Row(int y) const { return base + rowStep * y; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};
void AllocateSurface(Surface& s, int width, int height);  // black, top-down
void ResizeSurface(Surface& s, int width, int height);    // keeps the overlap
inline uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF ToColour(uint32_t p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }

// --- Windows -----------------------------------------------------------------
struct Window {
  HWND handle = nullptr;
  std::string className;
  std::string title;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  UINT classStyle = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0;
  Surface surface;  // the client area; the window has no frame of its own
  bool visible = false;
  bool active = false;
  bool invalid = false;
  bool erase = false;
  RECT update{};
  HDC dc = nullptr;  // one DC per window (every window behaves as CS_OWNDC)
  SDL_Window* sdl = nullptr;
  bool dirty = false;  // drawn since the last hand-over to the screen
};
Window* FindWindowByHandle(HWND hwnd);
Window* TopWindow();  // the first live window, or null
Window* WindowOfSurface(const Surface* s);
void InvalidateAll(Window& w, bool erase);

// --- Messages ------------------------------------------------------------------
// Input arriving from SDL or from automation.  Mouse messages carry the
// WM_SETCURSOR that Windows sends just before handing them out.
void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool setCursorFirst);
// Messages Windows sends (not posts) on focus and visibility changes; they are
// delivered inside the next GetMessageA / PeekMessageA.
void QueueSent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void ResetMessages();
int QueuedCount();
bool CallIdleHandler(int* callsThisWait);  // automation's idle handler; false when none or it gave up
[[noreturn]] void FailBlocking(const char* what);
void ResetWindows();

// --- Input state ---------------------------------------------------------------
void SetKeyHeld(int vk, bool down);
bool KeyHeld(int vk);  // held on the desktop now
// Held keys come in two views, as on Windows: the desktop's present one
// (GetAsyncKeyState) and the one as of the last input message the program
// took from its queue (GetKeyState, and the Shift of a typed character).  A
// handler asking whether Ctrl went with this key must not be told of a
// release still queued behind it: a quick hand or a busy machine puts Ctrl's
// release in the queue before the program reads the key.
using KeyStates = std::bitset<256>;
KeyStates HeldKeys();                     // the desktop's view, copied into each queued input message
void TakeKeyStates(const KeyStates& at);  // the program took an input message
KeyStates TakenKeys();                    // GetKeyState's view
bool KeyHeldAtMessage(int vk);
// The MK_ flags of the buttons and modifiers held now, as mouse messages carry them.
WPARAM MouseKeys();
void ToggleLock(int vk);  // caps / num / scroll lock
void SetLockState(int vk, bool on);
bool LockState(int vk);
POINT& CursorPos();
void ResetInput();
std::string& KeyboardLayout();

// --- SDL backend ---------------------------------------------------------------
bool Headless();
bool VideoReady();  // SDL video started (not headless)
bool CreateSdlWindow(Window& w);
void DestroySdlWindow(Window& w);
void SdlShowWindow(Window& w, bool shown);
void SdlMoveResize(Window& w);
void SdlSetTitle(Window& w);
void SdlWarpMouse(int x, int y);
void SdlApplyCursor(HCURSOR cursor);
// Reads SDL events into the message queues; waits up to timeoutMs for one when
// timeoutMs > 0.
void PumpSdl(int timeoutMs);
// Hands drawn pixels to the screen now / when the last hand-over is older than
// a frame.
void PresentNow();
void PresentIfDue();
void NoteDrawn(Surface* s);  // called by the raster after every drawing call
int PresentCount();
void ResetPresentCount();
void ResetScale();  // the presented window back to factor 1 (window_scale.h)
bool ScreenSize(int* w, int* h);
void SetHeadlessScreen(int w, int h);
void SetHeadlessMode(bool on);
bool SdlClipboardSet(const std::string& text);
bool SdlClipboardGet(std::string* text);
// A modal SDL box; returns the pressed button id or 0 when none could be shown.
int SdlMessageBox(const std::string& text, const std::string& caption, UINT type);
std::string SdlKeyboardLayout();

// --- Raster ----------------------------------------------------------------------
Surface* SurfaceOfDC(HDC hdc);
HDC CreateWindowDc(Window& w);
void DestroyDc(HDC hdc);
void FillSurface(Surface& s, const RECT& r, uint32_t pixel);
// The colour a brush paints, false for a hollow or unknown brush.
bool BrushColour(HBRUSH brush, COLORREF* colour);
void ResetGdi();

// --- Text ----------------------------------------------------------------------
// Draws (or only measures, when s is null) 8-bit text with the DC's font.
struct TextStyle {
  const LOGFONTA* font;
  int x, y;
  UINT align;
  COLORREF colour;
  bool opaque;
  COLORREF background;
};
LOGFONTA* FontOfDC(HDC hdc);
bool DrawText8(Surface* s, const TextStyle& style, const char* text, int length, SIZE* extent);
bool FontMetrics(const LOGFONTA& font, TEXTMETRICA* tm);
// Converts 8-bit text of a character set to Unicode code points.
std::vector<uint32_t> DecodeCharset(const char* text, int length, int charset);
std::string Utf8FromCodePoints(const std::vector<uint32_t>& cps);

// --- Cursors ---------------------------------------------------------------------
struct CursorImage {
  int width = 0, height = 0, hotX = 0, hotY = 0;
  bool system = false;
  std::vector<uint32_t> argb;
  void* sdlCursor = nullptr;
};
CursorImage* FindCursor(HCURSOR c);
void ResetCursors();

// --- System, sound, dialogs --------------------------------------------------------
DWORD NowMs();  // the tick count (real or virtual)
void ResetSystem();
void ResetSound();
// Checks a whole wave file in memory before it is decoded: a data chunk
// claiming more than the file holds is cut to what it holds; a file without
// format or sound is refused, with the reason in *why.
bool CheckWave(std::vector<uint8_t>& bytes, std::string* why);
void ResetDialogs();
// Message boxes: their buttons, the answer of Enter and of Esc / the close
// button, and (headless) whether a box is open and takes input given now.
std::vector<int> BoxButtons(UINT type);
int BoxDefaultButton(UINT type);
int BoxEscapeAnswer(UINT type);
bool BoxOpen();
bool BoxTakesKey(int vk, bool down);
bool BoxTakesClose();
long RunCommand(const automation::CommandRequest& req);
std::vector<std::string> SplitCommandLine(const std::string& line);
std::string Lower(std::string s);

}  // namespace plat
