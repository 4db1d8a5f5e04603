// Driving the platform layer from tests: a window without a display, input
// delivered exactly as the window procedure receives it from a person, scripted
// answers for message boxes, and records of what the program showed and played.
// Not available on Windows builds; tests that use it run on the headless build.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/records.h"
#include "platform/win32.h"

namespace automation {

// --- Modes -----------------------------------------------------------------
// Headless: the window is a memory surface and SDL video is never started.  It
// is chosen automatically without DISPLAY/WAYLAND_DISPLAY, by the environment
// variable TRIVANE_HEADLESS=1, or by this call before the first window is made
// (false chooses the desktop where a display can be opened).  Everything below
// that gives answers or input drives the headless backend.
void SetHeadless(bool headless);
bool IsHeadless();
// Size of the pretend display in headless mode (default 1024 x 768).
void SetScreenSize(int width, int height);
// Virtual time: Sleep advances a clock instead of waiting, GetTickCount and
// GetLocalTime read it.  Lets tests of idle timers and delays run instantly.
void SetVirtualTime(bool on);
void AdvanceTime(DWORD milliseconds);
// Forgets every window, class, message, DC, GDI object, cursor, recorded box and
// sound, and restores the default runner, caps-lock state and keyboard layout, so
// each test starts from a fresh process state.  Nothing is sent to window
// procedures.
void Reset();

// --- Input, as a person gives it ------------------------------------------
// Every mouse message is preceded by WM_SETCURSOR when it is retrieved, as on
// Windows.  Coordinates are window pixels.  While a message box is open (input
// given from the idle handler), keys go to the box, as on Windows: Enter
// presses the default button, Esc answers Cancel, else No, else OK for a box
// of one button; other keys and clicks reach nothing.  RequestClose then
// closes the box, answering as Esc does.
void MoveMouse(int x, int y);
void PressButton(int button);              // 1 left, 2 right, 3 middle
void ReleaseButton(int button);            // 1 left, 2 right, 3 middle
void Click(int x, int y, int button = 1);  // move, press, release
void PressKey(int virtualKey);             // WM_KEYDOWN (and WM_CHAR after TranslateMessage)
void ReleaseKey(int virtualKey);           // WM_KEYUP
void TapKey(int virtualKey);               // press and release
void SetCapsLock(bool on);                 // the capital-letters lock, as GetKeyState reports it
// The window manager's close button: WM_CLOSE.
void RequestClose();
// Focus and visibility changes: WM_ACTIVATE / WM_SHOWWINDOW with wParam 0 or 1.
void SetActive(bool active);
void SetShown(bool shown);
// The desktop's keyboard layout identifier, e.g. "00000408" (default 00000409).
void SetKeyboardLayout(const std::string& layoutId);
// Messages waiting to be retrieved by GetMessageA / PeekMessageA.
int PendingMessages();
// Called when GetMessageA (or a box without a scripted answer) would have to
// wait in headless mode.  The handler may inject input and return true to let
// the call look again; returning false (or having no handler) ends the test
// program with a clear message instead of hanging.
void SetIdleHandler(std::function<bool()> handler);
// Makes the next CreateWindowExA fail, as a desktop out of resources would,
// so a test can watch what the program does then.
void FailNextWindowCreation();

// --- Message boxes ---------------------------------------------------------
// Answers are used in order, one per box (IDOK, IDYES, ...), by the headless
// backend; on the desktop the real box is shown.
void ScriptMessageBoxAnswer(int answer);
const std::vector<MessageBoxRecord>& MessageBoxes();
void ClearMessageBoxes();

// --- Sounds ----------------------------------------------------------------
const std::vector<SoundRecord>& Sounds();
void ClearSounds();
// Real audio output in headless mode (off by default; with SDL's dummy audio
// driver this exercises decoding without a sound card).
void SetAudioOutput(bool on);

// --- Pixels and pictures ---------------------------------------------------
// The main window's pixel as a COLORREF, CLR_INVALID outside it.
COLORREF WindowPixel(int x, int y);
HWND MainWindow();
// Saves the main window (or any DC's surface) as a PNG file.
bool SaveWindowPng(const std::string& path);
bool SaveDcPng(HDC hdc, const std::string& path);
// How many times the window picture has been handed to the screen (or, headless,
// would have been): lets tests see that drawing reaches the screen.
int PresentCount();
// The picture as the desktop shows it at the window scale of
// platform/window_scale.h (the surface with each pixel repeated n x n times),
// row by row, and a click given at a position of that presented window.
std::vector<COLORREF> PresentedPicture(int* width, int* height);
void ClickPresented(int x, int y, int button = 1);

// --- Cursors ---------------------------------------------------------------
struct CursorInfo {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  bool system = false;      // a cursor of the system (LoadCursorA)
  std::vector<DWORD> argb;  // width * height pixels, 0xAARRGGBB
};
bool DescribeCursor(HCURSOR cursor, CursorInfo* info);
HCURSOR CurrentCursor();
POINT CursorPosition();

// --- Processes and system commands ----------------------------------------
// Every program the layer starts (WinExec, CreateProcessA, ShellExecuteA, and
// the system commands behind ExitWindowsEx) goes through one runner
// (CommandRequest and CommandRunner are in platform/records.h).  Tests replace
// it so nothing real is started, shut down or logged off.
void SetCommandRunner(CommandRunner runner);  // nullptr restores the real one
// The last requests seen by the runner, in order.
const std::vector<CommandRequest>& Commands();
void ClearCommands();

// --- Clipboard and dialogs -------------------------------------------------
std::string ClipboardText();
void SetClipboardText(const std::string& text);
// Answers for GetOpenFileNameA / ChooseFontA in the order asked: a file name,
// or the empty text for Cancel; headless, without a scripted answer the call
// fails.  On the desktop its dialog program is asked (the call fails where
// there is none).
void ScriptFileDialogAnswer(const std::string& fileName);

}  // namespace automation
