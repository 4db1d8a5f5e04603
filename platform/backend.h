// The one seam between the platform layer and what shows its windows: the
// desktop (sdl_backend.cpp: SDL2 windows, events, boxes, clipboard, the
// desktop's dialog program) or nothing at all (headless_backend.cpp: memory
// surfaces, a pretend screen, input and answers given by a test through
// automation.h).  One of the two tables is chosen once, at the first need
// (the environment decides: TRIVANE_HEADLESS, or no DISPLAY/WAYLAND_DISPLAY,
// or a display that cannot be opened, chooses the headless one), and every
// file reaches the desktop through Backend() only.
//
// A table of plain procedures rather than classes: two implementations, no
// state of their own beyond their parts of the state record.
#pragma once

#include <string>
#include <vector>

#include "platform/internal.h"

namespace plat {

struct BackendOps {
  const char* name;
  // A real desktop: sound is heard by default there.
  bool desktop;

  // --- windows ---
  // Opens the window on the desktop.  False: the window must not exist (the
  // desktop refused it); a window the desktop cannot show stays in memory.
  bool (*createWindow)(Window& w);
  void (*destroyWindow)(Window& w);
  void (*showWindow)(Window& w, bool shown);
  void (*moveResize)(Window& w);
  void (*setTitle)(Window& w);
  // Hands the window's pixels to the screen (the window is visible and not empty).
  void (*present)(Window& w);
  // The presented factor changed (window_scale.h): resize the desktop window.
  void (*rescale)(Window& w);
  // The factor the desktop suggests for a surface of this size.
  int (*automaticScale)(int width, int height);
  bool (*screenSize)(int* width, int* height);

  // --- events ---
  // Reads what the desktop sent into the message queues; waits up to timeoutMs
  // for it when timeoutMs > 0.
  void (*pump)(int timeoutMs);
  // Nothing is queued and the caller (`what`, for the message) must wait:
  // the desktop waits a little for events; headless, the test's idle handler
  // is asked, and a program that would wait forever is stopped.
  void (*wait)(int* callsThisWait, const char* what);
  // Moves the pointer, which makes a mouse move reach the window.
  void (*warpPointer)(int x, int y);
  // The pointer's picture (null: none) and whether it is shown.
  void (*showPointer)(CursorImage* image, bool shown);
  void (*freePointer)(CursorImage& image);
  std::string (*keyboardLayout)();

  // --- boxes, dialogs, clipboard ---
  // A modal box; returns the answer (IDOK, IDYES ...), 0 when none could be shown.
  int (*messageBox)(const std::string& text, const std::string& caption, UINT type);
  // A dialog of the desktop's dialog program with these arguments; with
  // listFonts the installed font families are offered.  False when no dialog
  // could be shown; *cancelled when the person cancelled it.
  bool (*askDialog)(const std::vector<std::string>& args, bool listFonts, std::string* answer, bool* cancelled);
  bool (*clipboardSet)(const std::string& text);
  bool (*clipboardGet)(std::string* text);
};

const BackendOps& Backend();
// The two implementations; the desktop one is null when no display can be
// opened.
const BackendOps& HeadlessBackend();
const BackendOps* DesktopBackend();
// Chooses now: headless, or the desktop when one can be opened.
void ChooseBackend(bool headless);

}  // namespace plat
