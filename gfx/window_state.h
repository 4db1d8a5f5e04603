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
  HDC dc = nullptr;
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
};

extern WindowState g_window;

// ASCII-only upper-casing, the comparison rule of every keyword in the module.
std::string AsciiUpper(const std::string& text);

// Takes and dispatches the message just read into g_window.message.
void DispatchTaken();

// Called by every operation that draws into the window (and by WindowDC,
// whose caller draws with it).
inline void NoteDrawing() { g_window.drawnSinceCopy = true; }

}  // namespace veltounit
