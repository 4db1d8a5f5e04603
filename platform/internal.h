// What the files of the platform layer share among themselves.  Nothing here is
// visible to the game's layers; they see only win32.h and automation.h.  The
// layer's state is one record (state.h); the desktop is reached through one
// backend contract (backend.h).  Who calls whom is drawn in platform/README.md.
#pragma once

#include <bitset>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/records.h"
#include "platform/win32_subset.h"

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
  HDC dc = nullptr;        // one DC per window (every window behaves as CS_OWNDC)
  void* native = nullptr;  // the backend's own window (an SDL window on the desktop)
  bool dirty = false;      // drawn since the last hand-over to the screen
};
Window* FindWindowByHandle(HWND hwnd);
Window* TopWindow();  // the first live window, or null
Window* WindowOfSurface(const Surface* s);
void InvalidateAll(Window& w, bool erase);
// Destroys every window without telling their procedures (a test's reset).
void DropAllWindows();

// --- Messages ------------------------------------------------------------------
// Input arriving from the desktop or from automation.  Mouse messages carry the
// WM_SETCURSOR that Windows sends just before handing them out.
void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool setCursorFirst);
// Messages Windows sends (not posts) on focus and visibility changes; they are
// delivered inside the next GetMessageA / PeekMessageA.
void QueueSent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
int QueuedCount();
// Hands drawn pixels to the screen now / when the last hand-over is older than
// a frame.
void PresentNow();
void PresentIfDue();
void NoteDrawn(Surface* s);  // called by the raster after every drawing call

// --- Input state ---------------------------------------------------------------
void SetKeyHeld(int vk, bool down);
bool KeyHeld(int vk);  // held on the desktop now
// Held keys come in two views, as on Windows: the desktop's present one
// (GetAsyncKeyState) and the one as of the last input message the program
// took from its queue (GetKeyState, and the Shift of a typed character).  A
// handler asking whether Ctrl went with this key must not be told of a
// release still queued behind it: a quick hand or a busy machine puts Ctrl's
// release in the queue before the program reads the key.  Both views are
// fields of the state record (InputState), so the queue reads and moves them
// without calling back into the input file.
bool KeyHeldAtMessage(int vk);
// The MK_ flags of the buttons and modifiers held now, as mouse messages carry them.
WPARAM MouseKeys();
void ToggleLock(int vk);  // caps / num / scroll lock
void SetLockState(int vk, bool on);
bool LockState(int vk);

// --- Presentation (window_scale.h) -----------------------------------------------
// The picture as the desktop shows it: each surface pixel repeated n x n times.
void EnlargeSurface(const Surface& s, int n, std::vector<uint32_t>& out);
// A position in the presented window to one on the drawn surface.
int ToSurface(int v);

// --- Raster ----------------------------------------------------------------------
Surface* SurfaceOfDC(HDC hdc);
HDC CreateWindowDc(Window& w);
void DestroyDc(HDC hdc);
void FillSurface(Surface& s, const RECT& r, uint32_t pixel);
// The colour a brush paints, false for a hollow or unknown brush.
bool BrushColour(HBRUSH brush, COLORREF* colour);

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
bool FontMetrics(const LOGFONTA& lf, TEXTMETRICA* tm);
// Converts 8-bit text of a character set to Unicode code points.
std::vector<uint32_t> DecodeCharset(const char* text, int length, int charset);
std::string Utf8FromCodePoints(const std::vector<uint32_t>& cps);

// --- Cursors ---------------------------------------------------------------------
struct CursorImage {
  int width = 0, height = 0, hotX = 0, hotY = 0;
  bool system = false;
  std::vector<uint32_t> argb;
  void* native = nullptr;  // the backend's pointer made from it, once shown
};
CursorImage* FindCursor(HCURSOR c);

// --- System, sound, dialogs --------------------------------------------------------
DWORD NowMs();  // the tick count (real or virtual)
uint64_t RealTickMs();
int64_t WallMs();
// Checks a whole wave file in memory before it is decoded: a data chunk
// claiming more than the file holds is cut to what it holds; a file without
// format or sound is refused, with the reason in *why.
bool CheckWave(std::vector<uint8_t>& d, std::string* why);
// Message boxes: their buttons, the answer of Enter and of Esc / the close
// button.
std::vector<int> BoxButtons(UINT type);
int BoxDefaultButton(UINT type);
int BoxEscapeAnswer(UINT type);
void StopSound();  // whatever is playing stops
// The program would wait for a person, and nothing is given (headless): ends
// the program with a clear message instead of hanging.
[[noreturn]] void FailBlocking(const char* what);
// The clipboard's text: the desktop's where there is one, else the layer's own.
std::string ClipboardNow();
void StoreClipboard(const std::string& text);
long RunCommand(const automation::CommandRequest& req);
std::vector<std::string> SplitCommandLine(const std::string& line);
inline std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace plat
