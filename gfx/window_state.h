// The module state of veltounit: the window, its drawing context, the input the
// window procedure records and the drawing state.  One instance per process.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gfx/veltounit.h"

namespace veltounit {

struct ScreenCopy {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // the bitmap the memory DC came with
};

struct WindowState {
  std::string title;  // also the window class name
  int32_t width = 0;
  int32_t height = 0;
  int32_t styleCode = 0;
  DWORD style = 0;  // the Win32 style computed from styleCode
  DWORD exStyle = 0;
  HWND window = nullptr;
  HDC dc = nullptr;  // the surface every drawing goes to (window_scale.cpp says which)
  HRGN region = nullptr;
  RECT windowRect{};

  int32_t leftButton = 0;
  int32_t rightButton = 0;
  int32_t middleButton = 0;
  int32_t lastKey = 0;
  int32_t lastKeyCode = 0;
  // Whether Ctrl went with each key, taken when its WM_KEYDOWN is handled:
  // by the time a caller reads the key, Ctrl's release may have been taken.
  bool lastKeyControl = false;
  bool lastKeyCodeControl = false;
  // Keys pressed while an earlier one was still unread, oldest first.  A busy
  // pass can take several messages (every poll takes one); without this a
  // second key overwrote the first and a quick Ctrl+minus, minus lost one.
  struct PendingKey {
    int32_t code;
    bool control;
  };
  std::array<PendingKey, 16> pendingKeys{};
  size_t pendingCount = 0;

  HCURSOR pointer = nullptr;
  int32_t penA = 0;  // kept as given by SetPenWidth, never used
  int32_t penB = 0;
  int32_t penWidth = 0;
  HPEN currentPen = nullptr;  // non-zero only while a shape is being drawn
  ScreenCopy screenCopy;      // SaveScreen / RestoreScreen, the callers' own copy
  // The copy the window procedure takes when the window goes to the
  // background or is hidden.  It is kept apart from the callers' copy so that
  // a focus change in the middle of the toolkit's own save-draw-restore (its
  // screen saver) does not replace the picture the toolkit will put back.
  ScreenCopy backgroundCopy;
  bool restored = false;
  // Something was drawn into the window since the background copy was taken.
  // Such a window holds a newer picture than the copy (the computer went on
  // playing while another window had the focus), so the copy must not be put
  // back over it when the window comes back.
  bool drawnSinceCopy = false;
  MSG message{};  // the one buffer every pump operation uses

  Colour drawColour = 0;
  Colour backColour = 0;
  Colour textColour = 0;
  int32_t textCursorX = 0;
  int32_t textCursorY = 0;
  LOGFONTA font{};
  HFONT ownFont = nullptr;  // the font this module made and selected last

  // The window on the desktop as window_scale.cpp presents the surface.  Where
  // the system layer enlarges the picture itself these stay unused.
  HDC screen = nullptr;               // the window's own context, target of the presentation
  HDC surface = nullptr;              // the memory context drawn into (dc points to it)
  HBITMAP surfaceBitmap = nullptr;    // the surface's pixels, width x height
  HGDIOBJ surfacePrevious = nullptr;  // the bitmap the surface's context came with
  int32_t scale = 1;                  // the factor in effect
  int32_t askedScale = 0;             // the factor asked for; 0 lets the desktop choose
  bool presentDue = false;            // drawn since the window last showed the surface
  unsigned long long lastPresentMs = 0;
};

extern WindowState g_window;

// ASCII-only upper-casing, the comparison rule of every keyword in the module.
std::string AsciiUpper(const std::string& text);

// Takes and dispatches the message just read into g_window.message.
void DispatchTaken();

// --- The one part that differs between the systems (window_scale.cpp) ---
// Where the system layer presents the window itself, the surface is the
// window's own context and the calls below pass straight to the system (the
// window made as asked, presenting left to the layer); on Windows the surface
// is a memory bitmap of the size the program asked for, shown enlarged in the
// window.
//
// The outer size and place of a window whose surface is w.width x w.height,
// at the factor in effect (chosen now when the desktop is to choose).
RECT PlanWindow();
// Makes the surface of the window just made (w.window); false on failure.
bool OpenSurface();
void CloseSurface();
// The surface's rectangle as WindowWidth and WindowHeight report it: the
// window's client area (`client`) or its outer rectangle.
void MeasureSurface(RECT& rect, bool client);
// Something was drawn, or (`finished` false) is about to be drawn with the
// context a caller took.
void SurfaceDrawn(bool finished);
// Shows what was drawn since the last presentation.  Every pump calls it.
void PresentSurface();
// Messages of the window that the presentation answers itself; true with
// *result set when it did.
bool SurfaceMessage(HWND window, UINT message, LRESULT* result);
// The pointer's position on the surface, and placing it there.
POINT PointerOnSurface();
void PlacePointer(int32_t x, int32_t y);
void MoveWindowTo(int32_t x, int32_t y);

// Called by every operation that draws into the window, after drawing.
inline void NoteDrawing() {
  g_window.drawnSinceCopy = true;
  SurfaceDrawn(true);
}

}  // namespace veltounit
