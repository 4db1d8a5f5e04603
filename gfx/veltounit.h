// veltounit: the graphics and system layer of Trivane.
//
// One main window with a polled message pump and polled mouse/keyboard state,
// immediate-mode drawing into that window, fonts and character sets, key names
// and a Greek keyboard language, message boxes, small text utilities, starting
// other programs, clipboard text and timing.
//
// It is written once against the Win32 API; `platform/win32.h` supplies either
// the real <windows.h> or the project's own subset of it.  Callers never see a
// window message: they call an operation that pumps what it needs and then read
// the state the window procedure recorded.  All state is module-level, one
// instance per process, and there is exactly one window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace veltounit {

// The one "no event" value of the module: mouse button states and the last key.
constexpr int32_t NO_EVENT = 608265;

// Mouse button states as GetMouseButton reports them.
constexpr int32_t BUTTON_PRESSED = 1;
constexpr int32_t BUTTON_RELEASED = 2;

// A colour: red in bits 0-7, green 8-15, blue 16-23 (the platform's COLORREF).
using Colour = uint32_t;

// ---------------------------------------------------------------- window ----

// Registers the class, creates and shows the window and sets the drawing
// defaults.  Returns 1.  Style codes: 0 borderless, 1 thin border, 3 sizeable
// frame, 4 borderless click-through, 5 tool window, 6 maximised with border,
// 7 maximised borderless click-through; any other value is taken as raw style
// bits.  Width or height 0 means the screen size plus one border.  When the
// class or the window cannot be made the process ends after a message box.
int32_t CreateMainWindow(const std::string& title, int32_t width, int32_t height, int32_t styleCode);
// Tears the window down; the window's destruction ends the process.
void CloseMainWindow();
void MoveMainWindow(int32_t x, int32_t y);
void SetWindowTitle(const std::string& text);
// Repaints the window with its class background and rereads the client size.
void RefreshWindow();
int32_t WindowWidth();
int32_t WindowHeight();
HDC WindowDC();
HWND WindowHandle();
// True once after the window came back (activated or shown) and its image was
// put back from the copy taken when it went to the background.  The copy is
// put back only when nothing was drawn into the window meanwhile: what was
// drawn while the window was in the background is newer and stays.
bool WasRestored();

// The window is shown `factor` times as large as the surface drawn on (1, 2
// or 3; other values are brought into that range), each pixel repeated, while
// every drawing call and every position the program reads stay those of the
// surface.  0 (or less) lets the desktop's usable size and density choose.  May be
// called before CreateMainWindow.  Returns the factor in effect.
int32_t SetWindowScale(int32_t factor);
int32_t WindowScale();

// The three process-ending failures (class, window, window destroyed) call this
// hook with the exit code instead of ending the process when one is set, so a
// test program can watch them.  nullptr restores the real exit.
using ProcessEndHook = void (*)(int exitCode);
void SetProcessEndHook(ProcessEndHook hook);

// ---------------------------------------------------------- pump, mouse ----

// Blocks until `count` messages have been taken and dispatched; returns count,
// or 1 at once when count <= 0.
int32_t PumpMessages(int32_t count);
// button 1 left, 2 right, 3 middle; any other number reads the left button.
// Returns BUTTON_PRESSED, BUTTON_RELEASED or NO_EVENT; a state is reported once.
int32_t GetMouseButton(int32_t button);
void ClearMouseButtons();
// The pointer on the surface, relative to the window (divided back by the
// factor the window is shown at); placing it takes the same coordinates.
int32_t GetMouseX();
int32_t GetMouseY();
void SetMousePosition(int32_t x, int32_t y);
// "ARROW" (any case) is the system arrow; anything else names a cursor file.
void SetPointerFile(const std::string& name);

// ------------------------------------------------------------------ keys ----

std::string WaitForKey();
// Non-blocking: the name of a key that arrived (also one that another poll
// such as GetMouseButton let through and nobody has read yet), or "".
std::string ReadKey();
int32_t PumpAndCheckKey();
int32_t IsKeyDown(int32_t virtualKey);
void WaitForNamedKey(const std::string& name);
void SetLastKeyCode(int32_t code);
int32_t GetLastKeyCode();
// Whether Ctrl was held when the key GetLastKeyCode gives was pressed (not
// now: the key may be read after Ctrl has been let go).
bool LastKeyCodeHadControl();

// ----------------------------------------------------------- screen copy ----

// The callers' own copy of the window image (the toolkit saves, draws over
// the window and restores); focus changes keep a copy of their own.
void SaveScreen();
void RestoreScreen();

// --------------------------------------------------------------- colours ----

Colour MakeColour(int32_t r, int32_t g, int32_t b);
uint32_t RedOf(Colour c);
uint32_t GreenOf(Colour c);
uint32_t BlueOf(Colour c);
std::string ColourToHex(int32_t r, int32_t g, int32_t b);

// -------------------------------------------------------------- drawing ----

void PutPixel(int32_t x, int32_t y, Colour colour);
// The toolkit's entry for the same operation.
void SetWindowPixel(int32_t x, int32_t y, Colour colour);
Colour ReadPixel(int32_t x, int32_t y);
// The end point itself is not drawn.
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour);
void DrawLineCurrent(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour);
void FillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour border, Colour fill);
void FillRectangleByLines(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour border, Colour fill);
void DrawCircle(int32_t x, int32_t y, int32_t r, Colour colour);
void DrawCircleCurrent(int32_t x, int32_t y, int32_t r);
void SetPenWidth(int32_t a, int32_t b, int32_t width);
void SetDrawColour(Colour c);
Colour GetDrawColour();
void ClearWindow();
void ClearWindowColour(Colour colour);

// ------------------------------------------------------------------ text ----

void SetTextColour(Colour c);
Colour GetTextColour();
void SetBackColour(Colour c);
Colour GetBackColour();
// "OPAQUE" or "TRANSPARENT" (any case); other words change nothing.
void SetTextMode(const std::string& word);
int32_t GetTextMode();
int32_t TextWidth(const std::string& text);
int32_t TextHeight(const std::string& text);
void OutTextXY(int32_t x, int32_t y, const std::string& text);
// The second entry for the same operation.
void WriteTextAt(int32_t x, int32_t y, const std::string& text);
void SetTextCursor(int32_t x, int32_t y);
int32_t TextCursorX();
int32_t TextCursorY();
void WriteLine(const std::string& text);
void WriteCentred(const std::string& text);

// Character-set words: "GREEK", "ARABIC", "RUSSIAN", "ANSI", "SYMBOL"; any
// other word is the default set.  italic 1 means italic; angle in tenths of a
// degree.
void SetFontByName(const std::string& face, const std::string& charsetWord, int32_t height, int32_t weight,
                   int32_t italic, int32_t angle);
int32_t ChooseFontDialog();

// -------------------------------------------------------------- keyboard ----

std::string KeyName(int32_t code);
std::string SystemKeyboardLanguage();
std::string GetKeyboardLanguage();
void SetKeyboardLanguage(const std::string& word);
std::string UpperCaseText(const std::string& text);
std::string AccentFirstLetter(const std::string& text);
// A line editor at the text cursor; returns at Enter.  Between keys it waits
// for the next message rather than spinning.
std::string ReadTextLine();

// --------------------------------------------------------------- dialogs ----

// buttons: "OK", "OK/CANCEL", "ABORT/RETRY/IGNORE", "YES/NO/CANCEL", "YES/NO",
// "RETRY/CANCEL"; icon: "X", "?", "!", "I"; modality: "SYSTEM", "APPLICATION".
// Returns "ok", "cancel", "abort", "retry", "ignore", "yes", "no" or "".
std::string AskUser(const std::string& caption, const std::string& text, const std::string& buttons,
                    const std::string& icon, const std::string& modality);
void OpenFileDialog();
std::string GraphicsVersion();
void ShowGraphicsBanner();

// --------------------------------------------------------- text utilities ----

bool SameTextNoCase(const std::string& a, const std::string& b);
std::string IntToText(int32_t n);
std::string RemoveCharacter(const std::string& text, char ch);
// part: "DIRECTORY", "FILENAME", "EXTENTION", "FILENAME+EXTENTION".
std::string FileNamePart(const std::string& path, const std::string& part);
// Sorts the first `count` texts in ascending byte order, tracing each round.
void SortStrings(std::vector<std::string>& list, int32_t count);

// ---------------------------------------------------- time and the system ----

void Delay(int32_t ms);
int32_t GetTicks();
void GetDate(uint16_t& day, uint16_t& dayOfWeek, uint16_t& month, uint16_t& year);
void GetTime(uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& milliseconds);
int32_t IsSlowMachine();
int32_t IsCleanBoot();
void Beep(int32_t frequency, int32_t duration);
void PaintDesktop();
void FreeConsoleWindow();

// -------------------------------------------------------------- programs ----

// showWord: "HIDDEN", "MINIMIZED", "MAXIMIZED", "NORMAL".
void RunProgram(const std::string& commandLine, const std::string& showWord);
// Starts program (with arguments after a space) in the program's own folder;
// with wait, returns once it has ended.  Returns the process handle, which the
// caller may close with CloseHandle, or null after a failure box.
HANDLE RunProcess(const std::string& program, const std::string& arguments, int32_t showMode, bool wait);
void RunAndWait(const std::string& commandLine, bool hidden);
void OpenFolder(const std::string& path);
void ShutDownComputer();
void RestartComputer();
void LogOff();

// ------------------------------------------------------------- clipboard ----

// At most the first 255 characters reach the clipboard.
void CopyTextToClipboard(const std::string& text);
std::string PasteTextFromClipboard();

}  // namespace veltounit
