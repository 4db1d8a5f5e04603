// VeltoGUI: the GUI toolkit of Trivane.
//
// A fixed table of 250 named objects (windows, layers, buttons, check boxes,
// text boxes, labels, comments, icons, progress bars, plain data holders),
// drawn from skin pictures and from the colour and metric files of a resources
// folder, and one pass of input handling per call of HandleGuiEvents that turns
// mouse and keyboard events into hovering, pressing and activating objects.
// There are no callbacks: the program polls GetActivatedObject after each pass
// and reacts by name.  All state is module-level, one instance per process.
//
// Names, types, fields and keywords are compared without regard to case unless
// a comment says otherwise.  Coordinates are window pixels; object indices run
// 1..MAX_OBJECTS (0 = no object, -1 = not found).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltogui {

using Colour = uint32_t;  // red bits 0-7, green 8-15, blue 16-23

constexpr int32_t MAX_OBJECTS = 250;
constexpr int32_t HITMAP_WIDTH = 2048;
constexpr int32_t HITMAP_HEIGHT = 1068;
constexpr int32_t MAX_COMMAND_PARTS = 30;
constexpr int32_t MAX_LINE_PARTS = 15;
constexpr int32_t TEXT_MEMORY_SIZE = 1024;

// Type codes derived from the TYPE keyword (ObjectTypeCode).
enum ObjectType : int32_t {
  TYPE_DATA = 0,  // "DATA", any unknown keyword, and deleted slots
  TYPE_WINDOW = 1,
  TYPE_LAYER = 2,
  TYPE_TEXTBOX = 3,
  TYPE_COMMENT = 4,
  TYPE_LABEL = 5,
  TYPE_PROGRESSBAR = 6,
  TYPE_CHECKBOXL = 7,
  TYPE_CHECKBOX = 8,
  TYPE_BUTTON = 9,
  TYPE_BUTTONC = 10,
  TYPE_BUTTONL = 11,
  TYPE_ICON = 12,
  TYPE_TEXTBOX_PASSWORD = 13,
  TYPE_BUTTONIVX = 14,
};

// ------------------------------------------------------------ object table --

// Creates an object in the next free slot and stamps it into the hit map.
// x1 = x2 = -1 centres it horizontally in the window.  A "WINDOW" also gets its
// close area, a layer named "wnd_exit".  When the table is full the call is
// refused: nothing is written and the last created index stays as it was.
void CreateObject(const std::string& name, const std::string& type, const std::string& value,
                  const std::string& owningWindow, const std::string& sound, const std::string& cursor, int32_t x1,
                  int32_t y1, int32_t x2, int32_t y2);
// Deletes the highest-indexed object whose NAME (byField "OWNINGWINDOW": whose
// owning window) equals key.  True when one was deleted.
bool RemoveObject(const std::string& key, const std::string& byField);
// Highest index whose NAME matches, or -1.
int32_t FindObject(const std::string& name);
// what: "X" (X2 - X1), "Y" (Y2 - Y1), "X1", "Y1", "X2", "Y2"; else -1.
int32_t GetObjectMetric(const std::string& name, const std::string& what);
int32_t GetObjectX1(const std::string& name);
int32_t GetObjectY1(const std::string& name);
int32_t GetObjectX2(const std::string& name);
int32_t GetObjectY2(const std::string& name);
std::string GetObjectValue(const std::string& name);
// field "X1", "Y1", "X2", "Y2", "EXTRA2" take number; "NAME", "TYPE", "VALUE",
// "SOUND", "CURSOR", "EXTRA1", "OWNINGWINDOW" take text.  Neither the type code
// nor the hit map changes.
void SetObjectField(const std::string& name, const std::string& field, const std::string& text, int32_t number);
// For "BUTTONC", "LAYER" and "BUTTONIVX" only: 0 -> "1"; 1 -> "4" (BUTTONC) or
// "3"; any other state -> "3".
void SetObjectState(const std::string& name, int32_t state);
// which "COMMENT" or "LABEL": the shared text colour of comments and labels.
void SetObjectTextColour(Colour colour, const std::string& which);
int32_t ObjectTypeCode(const std::string& type);
// Index under the window pixel, 0 when none (or outside the map).
int32_t ObjectAt(int32_t x, int32_t y);
void StampObject(int32_t index);
void UnstampObject(int32_t index);
// Empties the table; flag 1 also empties the picture store.
void ResetObjects(int32_t flag);
std::string GetActivatedObject();
void ClearActivatedObject();
// True while the object "exit" or "wnd_exit" holds "4".
bool IsCloseRequested();
int32_t GetLastCreatedObject();
// Copies count + 1 records source.. to destination.. (count 0 = object count);
// neither the type code nor the hit map is touched.
void copy_object_memory(int32_t source, int32_t destination, int32_t count);

// Field access by index (1..250) for the toolkit's own parts and for tests; an
// index outside the table reads as an empty record and writes are dropped.
int32_t ObjectCount();
std::string GetObjectText(int32_t index, int32_t field);  // field 1..8
int32_t GetObjectNumber(int32_t index, int32_t field);    // field 1..6
std::string GetObjectName(int32_t index);

// ------------------------------------------------------------- text parsing --

// Cuts text at "(", ")", "," and the command separator into at most 30 parts;
// returns the number of the part in which the last character fell.
int32_t ParseCommand(const std::string& text);
std::string GetCommandPart(int32_t i);  // 1..30, empty outside
int32_t GetCommandNumber(int32_t i);    // 0 when the part is not a whole number
// The one-character command separator (default ',').
void SetCommandSeparator(char separator);
// Settings-line splitter: "(", ")", "," and "." cut; at most 15 parts.
int32_t ParseLine(const std::string& text);
std::string GetLinePart(int32_t i);  // 1..15
int32_t GetLineNumber(int32_t i);

// ----------------------------------------------------------------- start-up --

// Finds the resources folder, reads "enviroment.nfo", loads the skin (empty or
// "default": the settings file's skin, else "skin1"), copies the system
// clipboard into the toolkit clipboard; returns the skin actually loaded.
std::string StartGui(const std::string& skinName);
// The resources folder with a trailing separator; ends the program after its
// messages when none is found.
std::string FindResourcesFolder();
bool FileExists(const std::string& path);
void CheckSoundCodec();
void WriteRunLog();
std::string GuiVersion();
// n 1..5: the GUI settings; 6 and 7: the remembered mouse x and y.
void SetGuiSetting(int32_t n, int32_t value);
int32_t GetGuiSetting(int32_t n);
std::string ProgramFolder();
std::string ResourcesFolder();
// Idle time before the screen saver, milliseconds.
int32_t ScreenSaverDelay();
void SetScreenSaverDelay(int32_t milliseconds);
// Keyboard text mode: true = advanced editor, false = basic.
bool AdvancedTextMode();
void SetAdvancedTextMode(bool advanced);

// The toolkit ends the program in three places (no resources folder, no
// "skin1", F12 answered Yes).  A test program sets a hook that receives the
// exit code instead; the toolkit then returns from the operation.  nullptr
// restores the real end.
using GuiEndHook = void (*)(int exitCode);
void SetGuiEndHook(GuiEndHook hook);

// ------------------------------------------------------------------- skins --

void LoadColours();
void LoadMetrics();
void MeasureFrame();
// The colour of a skin key such as "Button_Text"; 0 for an unknown key.
Colour GetSkinColour(const std::string& key);
int32_t GetTextboxSize();

// ----------------------------------------------------------------- drawing --

void DrawObject(int32_t index);
void DrawWindowFrame(const std::string& title, int32_t active, int32_t x, int32_t y, int32_t w, int32_t h);
void DrawTextBox(const std::string& text, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawPasswordBox(const std::string& text, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawProgressBar(const std::string& value, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void DrawCheckBox(const std::string& size, const std::string& state, int32_t x, int32_t y);
void DrawButton(const std::string& size, const std::string& state, int32_t x, int32_t y);
void DrawCommandButton(const std::string& state, const std::string& caption, int32_t x1, int32_t y1, int32_t x2,
                       int32_t y2);
void DrawIcon(const std::string& picture, const std::string& caption, int32_t x, int32_t y);
void DrawIvxButton(const std::string& state, const std::string& base, int32_t x, int32_t y);
void DrawLabelText(const std::string& text, int32_t x, int32_t y);
void DrawFocusMark();

// ------------------------------------------------------------------ events --

void HandleGuiEvents();
bool PollMouse();
int32_t WhichMouseButton();
std::string CursorPath(const std::string& name);
void ApplyCursor(const std::string& file);
int32_t FocusNext();
std::string GetFocusedObjectName();
int32_t GetFocusedObject();
int32_t GetHoveredObject();
void ActivateObjectByName(const std::string& name);
void DrawObjectByName(const std::string& name);
void DrawWindowChildren(const std::string& windowName);
void DrawAllObjects();
void ShowLanguageFlag(const std::string& language);
void ShowStatusDot(Colour colour);
void SetTextBoxAutoAdvance(int32_t flag);
void RunScreenSaver();
std::string GetActiveWindowName();
// The pointer file last applied through ApplyCursor (empty after the screen
// saver or F5 until the next one).
std::string GetPointerFile();

// --------------------------------------------------------------- text boxes --

// Edits text modally inside a box `width` pixels wide that starts at the text
// cursor; masked for password boxes.  Returns the new text.
std::string EditText(const std::string& text, int32_t width, bool masked);
// Draws the held modifiers ("guicontrol", "guishift", "guialt" joined by
// "guiplus") and the key name on a strip at the bottom of the window.
void ShowModifierKeys(bool shift, bool control, bool alt, const std::string& keyName);
// Capital letter or the US-keyboard shifted character of a one-character key.
std::string ShiftedCharacter(const std::string& key);
std::string GetToolkitClipboard();
void SetToolkitClipboard(const std::string& text);
// Items 1..count of `items` (items[0] is item 1); returns the chosen item
// number, or -1 when cancelled.
int32_t PopupMenu(const std::vector<std::string>& items, int32_t count, int32_t x, int32_t y);

// -------------------------------------------------------------- text memory --

// "ADD", "FREE", "VIEW", "CLEAR", "SAVE", "LOAD" (text: the entry or file name).
void TextMemory(const std::string& command, const std::string& text);
// A completion of `typed` from the text memory, empty when none.
std::string FastText(const std::string& typed);
// Capitals with the accented Greek capitals folded to their plain letters.
std::string FoldText(const std::string& text);
int32_t TextMemoryCount();
std::string TextMemoryEntry(int32_t i);  // 1..count

// -------------------------------------------------------------- flash files --

void FlashObjects(const std::string& fileName);
void DeflashObjects(const std::string& fileName);

}  // namespace veltogui
