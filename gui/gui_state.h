// The toolkit's internal state: one instance of everything, shared by the
// toolkit's source files.  Programs use VeltoGUI.h only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/VeltoGUI.h"

namespace veltogui {

// One object.  Fields in record order: eight texts, then six numbers.
struct GuiObject {
  std::string name;          // text 1 "NAME"
  std::string type;          // text 2 "TYPE"
  std::string value;         // text 3 "VALUE": caption, or the state digit "1".."4"
  std::string sound;         // text 4 "SOUND"
  std::string cursor;        // text 5 "CURSOR"
  std::string extra1;        // text 6 "EXTRA1"
  std::string owningWindow;  // text 7 "OWNINGWINDOW"
  std::string text8;         // text 8: caption of an "ICON"
  int32_t x1 = 0;            // num 1 "X1"
  int32_t y1 = 0;            // num 2 "Y1"
  int32_t x2 = 0;            // num 3 "X2" (inclusive)
  int32_t y2 = 0;            // num 4 "Y2" (inclusive)
  int32_t extra2 = 0;        // num 5 "EXTRA2": 1 while a window is the active one
  int32_t typeCode = 0;      // num 6, from ObjectTypeCode at creation
};

// The sixteen skin colours, in the order of the skin's key table.
enum SkinColourIndex : int32_t {
  COL_WINDOW_BACKGROUND = 0,
  COL_WINDOW_BACKGROUND_INACTIVE,
  COL_WINDOW_BORDER,
  COL_WINDOW_TITLE,
  COL_MENU_ACTIVE,
  COL_MENU_ACTIVE_TEXT,
  COL_TEXTBOX_OUT,
  COL_TEXTBOX_IN,
  COL_TEXTBOX_TEXT,
  COL_TEXTBOX_SUGGESTION,
  COL_COMMENTS,
  COL_BUTTON,
  COL_BUTTON_TEXT,
  COL_BUTTON_ACTIVE_TEXT,
  COL_BUTTON_ACTIVATED_TEXT,
  COL_PROGRESSBAR,
  SKIN_COLOUR_COUNT
};

// Sizes of the window frame pictures, measured after a skin is loaded.
struct FrameMetrics {
  int32_t minimizeW = 0, minimizeH = 0;
  int32_t maximizeW = 0, maximizeH = 0;
  int32_t exitW = 0, exitH = 0;
  int32_t upmiddle2W = 0, upmiddle2H = 0;
  int32_t uprightW = 0, uprightH = 0;
  int32_t middlerightW = 0, middlerightH = 0;
  int32_t downrightH = 0;
  int32_t downmiddleW = 0, downmiddleH = 0;
};

// Where the pieces of a window frame of w x h go (the drawn frame holds whole
// tiles only, so it can be smaller than w x h).  Offsets from the window's
// top-left corner.
struct WindowFrameLayout {
  std::string L, T, X, ML, BL;                         // the active or inactive picture set
  int32_t b = 0;                                       // "upmiddle2" tiles behind the title buttons
  int32_t tw = 0;                                      // width left for the title
  int32_t n = 0;                                       // title tiles
  int32_t k = 0;                                       // right edge tiles
  int32_t m = 0;                                       // left edge tiles
  int32_t d = 0;                                       // bottom tiles
  int32_t fw = 0, fh = 0;                              // the drawn frame
  int32_t exitX = 0, exitY = 0, exitW = 0, exitH = 0;  // the close button
};
WindowFrameLayout LayoutWindowFrame(int32_t active, int32_t w, int32_t h);

struct GuiState {
  // ---- object table (index 0 unused) ----
  std::array<GuiObject, MAX_OBJECTS + 1> objects;
  int32_t count = 0;  // highest index handed out since the last reset
  int32_t focused = 0;
  int32_t hovered = 0;
  int32_t prevHovered = 0;
  int32_t activated = 0;
  int32_t pendingKeyClick = 0;  // non-zero while a keyboard activation is processed
  int32_t lastCreated = 0;
  std::string activeWindow;
  std::string prevActiveWindow;
  Colour labelColour = 0xFFFFFF;  // comments and labels
  std::string cacheName;          // FindObject's lookup cache
  int32_t cacheIndex = 0;

  // ---- hit map: cell (x, y), x 1..2048, y 1..1068, at (y-1)*2048 + (x-1) ----
  uint32_t stampBase = 1;

  // ---- command and line parsing ----
  std::array<std::string, MAX_COMMAND_PARTS + 1> commandParts;
  std::array<int32_t, MAX_COMMAND_PARTS + 1> commandNumbers{};
  char commandSeparator = ',';
  std::array<std::string, MAX_LINE_PARTS + 1> lineParts;
  std::array<int32_t, MAX_LINE_PARTS + 1> lineNumbers{};

  // ---- settings ----
  std::string programFolder;    // with a trailing "\"
  std::string resourcesFolder;  // with a trailing "\"
  std::string requestedSkin;
  std::string defaultSkin;
  std::string enviromentPath;  // "enviroment_path" of the settings file, replaces candidate 1
  int32_t screenSaverDelay = 300000;
  bool advancedTextMode = true;
  std::array<int32_t, 6> guiSettings{0, 2, 10, 220, 10, 3};  // index 1..5
  int32_t mouseX = 0;                                        // GUI setting 6: remembered mouse position
  int32_t mouseY = 0;                                        // GUI setting 7
  std::string clipboard;                                     // the toolkit clipboard
  GuiEndHook endHook = nullptr;

  // ---- skin ----
  std::string skinName;
  std::array<Colour, SKIN_COLOUR_COUNT> skinColours{};
  int32_t textboxSize = 2;
  FrameMetrics frame;

  // ---- events ----
  uint32_t idleTimerStart = 0;  // tick count, 0 while the mouse moves
  std::string currentPointerFile;
  bool keyboardEnabled = true;
  bool autoAdvance = false;
  int32_t advanceTo = 0;  // text box the auto-advance enters on the next pass

  // ---- text memory ----
  std::array<std::string, TEXT_MEMORY_SIZE + 1> textMemory;  // entries 1..1024
  int32_t textMemoryCount = 0;
};

// The one instance.
GuiState& Gui();
// The hit map's 2048 x 1068 stamps.
uint32_t* HitMapCells();

// True for 1..MAX_OBJECTS.
inline bool ValidIndex(int32_t index) { return index >= 1 && index <= MAX_OBJECTS; }
// Record of a valid index; an invalid index gives a scratch record that is
// cleared on every call, so stray writes never reach the table.
GuiObject& ObjectRecord(int32_t index);
// Clears the eight texts and numbers 1..5 (and the type code when asked).
void ClearObjectRecord(GuiObject& object, bool typeCodeToo);
// Upper-cased copy (ASCII and the Windows-1253 Greek letters, as the
// graphics layer's UpperCaseText does).
std::string Upper(const std::string& text);
// Whole-text integer conversion as the parsers use it: 0 unless the whole text
// is a (signed) decimal number that fits.
int32_t WholeNumber(const std::string& text);
// Ends the program with exitCode, or calls the test hook.
void EndProgram(int32_t exitCode);
// Reads a text file through the path helper, one line per entry without line
// ends; false when it cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// The program folder as the current folder at start (once).
void InitProgramFolder();
// Loads the named skin from the resources folder (falling back to "skin1"
// after a message); returns the skin loaded.
std::string LoadSkin(const std::string& requested);

// ---- pictures of the store, guarded: an unknown name is 0 wide and draws
// nothing (the store's own calls would fall back on the previous selection) ----
bool PictureKnown(const std::string& name);
int32_t PictureWidth(const std::string& name);
int32_t PictureHeight(const std::string& name);
void DrawStorePicture(const std::string& name, int32_t x, int32_t y);

// ---- pieces of event handling the text boxes use ----
// Starts editing object index in place: clears the box, draws its frame in
// "Button_Active_Text", runs EditText and stores the result as VALUE.
void EditObjectText(int32_t index);
// Colour of a skin key by index.
inline Colour SkinColour(SkinColourIndex i) { return Gui().skinColours[static_cast<size_t>(i)]; }

}  // namespace veltogui
