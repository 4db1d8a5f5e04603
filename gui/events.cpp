// One pass of input handling: the mouse is polled once, at most one key is
// read, the object under the pointer is hovered, pressed and activated as its
// type code says, and the program reads the result by name afterwards.
#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

using veltounit::MakeColour;

// The flash of a small check box and of a command button being pressed.
constexpr int32_t kFlashMs = 100;

GuiObject& Obj(int32_t index) { return ObjectRecord(index); }

bool IsTextBoxType(int32_t code) { return code == TYPE_TEXTBOX || code == TYPE_TEXTBOX_PASSWORD; }


void DrawLabelIn(const GuiObject& o, Colour colour) {
  veltounit::SetTextColour(colour);
  veltounit::OutTextXY(o.x1, o.y1, o.value);
  veltounit::SetTextColour(MakeColour(255, 255, 255));
}

// "Done": the object is highlighted again when the mouse next moves over it.
void Done(int32_t index) {
  Gui().prevHovered = 0;
  Gui().focused = index;
}

void Toggle(std::string& value, const char* a, const char* b) {
  if (value == a) value = b;
  else if (value == b) value = a;
}

void HandleKey(const std::string& key) {
  if (key.empty()) return;
  const std::string k = Upper(key);
  GuiState& g = Gui();
  if (k == "F1") {
    const std::string language = Upper(veltounit::GetKeyboardLanguage()) == "ENGLISH" ? "GREEK" : "ENGLISH";
    veltounit::SetKeyboardLanguage(language);
    ShowLanguageFlag(language);
  } else if (k == "F2") {
    g.advancedTextMode = !g.advancedTextMode;
    veltounit::AskUser("VeltoGUI",
                       g.advancedTextMode ? "Keyboard field text set to advanced mode"
                                          : "Keyboard field text set to basic mode",
                       "OK", "", "APPLICATION");
  } else if (k == "F5") {
    DrawAllObjects();
    veltounit::SetPointerFile("ARROW");
    // The pointer changed behind ApplyCursor's back: the next request applies.
    g.currentPointerFile.clear();
  } else if (k == "F12") {
    DrawAllObjects();
    const std::string answer = veltounit::AskUser(
        "Closing VeltoGUI application",
        "Are you sure you want to close this application ?\nAny unsaved progress will be lost..", "YES/NO", "!",
        "APPLICATION");
    if (answer == "yes") {
      veltounit::CloseMainWindow();
      EndProgram(0);
    }
  } else if (k == "TAB") {
    FocusNext();
  } else if (k == " " || k == "ENTER") {
    ActivateObjectByName(GetFocusedObjectName());
  }
}

void ClickWindow(int32_t index) {
  GuiState& g = Gui();
  const std::string name = Obj(index).name;
  if (g.activeWindow.empty()) {
    ShowStatusDot(MakeColour(255, 57, 240));
    g.activeWindow = name;
    DrawObjectByName(name);
    DrawWindowChildren(name);
    Obj(index).extra2 = 1;
  } else if (Upper(g.activeWindow) != Upper(name)) {
    ShowStatusDot(MakeColour(252, 255, 39));
    g.prevActiveWindow = g.activeWindow;
    g.activeWindow = name;
    DrawObjectByName(g.prevActiveWindow);
    DrawWindowChildren(g.prevActiveWindow);
    DrawObjectByName(name);
    DrawWindowChildren(name);
    Obj(index).extra2 = 1;
    SetObjectField(g.prevActiveWindow, "extra2", "", 0);
  }
  g.focused = index;
}

// After a text box was left with auto-advance on: the next text box of the
// form gets the focus and the pointer, and is entered on the next pass.  The
// walk goes forward only, so leaving the last box of the form ends the round.
void AdvanceFromTextBox(int32_t from) {
  GuiState& g = Gui();
  // Leaving the box with Tab has already moved the focus; the walk starts
  // from wherever the focus is now.
  int32_t next = g.focused;
  for (int32_t guard = 0; guard <= MAX_OBJECTS; ++guard) {
    if (next != from && IsTextBoxType(Obj(next).typeCode)) break;
    next = FocusNext();
    if (next == from) return;
  }
  if (next == from || !IsTextBoxType(Obj(next).typeCode)) return;
  if (next < from) {
    // Past the last box of the form: the focus stays on the box just left.
    g.focused = from;
    DrawObject(next);
    DrawFocusMark();
    return;
  }
  const GuiObject& box = Obj(next);
  veltounit::SetMousePosition(box.x1 + 1, box.y1 + 1);
  g.mouseX = box.x1 + 1;
  g.mouseY = box.y1 + 1;
  g.prevHovered = g.hovered;
  g.hovered = next;
  g.advanceTo = next;
}

void ClickTextBox(int32_t index) {
  // Focused first: leaving the box with Tab moves the focus on from here.
  Gui().focused = index;
  EditObjectText(index);
  if (Gui().autoAdvance) AdvanceFromTextBox(index);
}

void HoverChange(int32_t index) {
  GuiState& g = Gui();
  GuiObject& o = Obj(index);
  switch (o.typeCode) {
    case TYPE_WINDOW:
      if (g.prevHovered != 0 && Obj(g.prevHovered).typeCode != TYPE_WINDOW) DrawObject(g.prevHovered);
      ApplyCursor(CursorPath("ARROW"));
      break;
    case TYPE_LAYER: g.prevHovered = index; break;
    case TYPE_TEXTBOX:
      ApplyCursor(CursorPath("TYPE"));
      DrawTextBox(o.value, o.x1, o.y1, o.x2, o.y2);
      g.prevHovered = index;
      break;
    case TYPE_TEXTBOX_PASSWORD:
      ApplyCursor(CursorPath("TYPE"));
      DrawPasswordBox(o.value, o.x1, o.y1, o.x2, o.y2);
      g.prevHovered = index;
      break;
    case TYPE_COMMENT: DrawObject(index); break;
    case TYPE_LABEL:
      DrawLabelIn(o, MakeColour(0, 0, 255));
      g.prevHovered = index;
      break;
    case TYPE_CHECKBOXL:
    case TYPE_CHECKBOX:
      ApplyCursor(CursorPath("SELECT"));
      if (o.value == "1") DrawCheckBox(o.typeCode == TYPE_CHECKBOXL ? "large" : "small", "2", o.x1, o.y1);
      g.prevHovered = index;
      break;
    case TYPE_BUTTON:
    case TYPE_BUTTONL:
      ApplyCursor(CursorPath("SELECT"));
      if (o.value == "1") DrawButton(o.typeCode == TYPE_BUTTONL ? "large" : "small", "2", o.x1, o.y1);
      g.prevHovered = index;
      break;
    case TYPE_BUTTONC:
      ApplyCursor(CursorPath("SELECT"));
      if (o.value == "1") DrawCommandButton("2", o.extra1, o.x1, o.y1, o.x2, o.y2);
      g.prevHovered = index;
      break;
    case TYPE_ICON:
      DrawObject(index);
      g.prevHovered = index;
      break;
    case TYPE_BUTTONIVX:
      ApplyCursor(CursorPath("SELECT"));
      if (o.value == "1") DrawIvxButton("2", o.extra1, o.x1, o.y1);
      g.prevHovered = index;
      break;
    default: break;  // progress bars and data
  }
}

void Click(int32_t index) {
  GuiState& g = Gui();
  g.activated = index;
  GuiObject& o = Obj(index);
  switch (o.typeCode) {
    case TYPE_WINDOW: ClickWindow(index); break;
    case TYPE_LAYER:
    case TYPE_ICON:
      Toggle(o.value, "1", "4");
      Done(index);
      break;
    case TYPE_TEXTBOX:
    case TYPE_TEXTBOX_PASSWORD: ClickTextBox(index); break;
    case TYPE_LABEL:
      DrawLabelIn(o, MakeColour(255, 0, 0));
      Done(index);
      break;
    case TYPE_CHECKBOXL:
    case TYPE_CHECKBOX:
      Toggle(o.value, "1", "3");
      DrawObject(index);
      Done(index);
      if (o.typeCode == TYPE_CHECKBOX) {
        veltounit::ClearMouseButtons();
        veltounit::Delay(kFlashMs);
      }
      break;
    case TYPE_BUTTON:
    case TYPE_BUTTONL:
    case TYPE_BUTTONIVX:
      Toggle(o.value, "1", "3");
      DrawObject(index);
      Done(index);
      break;
    case TYPE_BUTTONC:
      // Pressed for a moment, then latched in "4" until the program
      // acknowledges it with SetObjectState.
      if (o.value == "1" || o.value == "4") o.value = "3";
      else if (o.value == "3") o.value = "1";
      DrawObject(index);
      veltounit::Delay(kFlashMs);
      if (o.value == "1") o.value = "3";
      else if (o.value == "3") o.value = "4";
      DrawObject(index);
      Done(index);
      break;
    default: break;  // comments, progress bars and data change nothing
  }
}

// Takes the pointer's present position and the object under it; false when
// the pointer has not moved since the last look.
bool TakePointer() {
  GuiState& g = Gui();
  const int32_t x = veltounit::GetMouseX();
  const int32_t y = veltounit::GetMouseY();
  if (x == g.mouseX && y == g.mouseY) return false;
  g.idleTimerStart = 0;
  g.prevHovered = g.hovered;
  g.mouseX = x;
  g.mouseY = y;
  g.hovered = ObjectAt(x, y);
  ShowStatusDot(g.hovered == 0 ? MakeColour(0, 255, 0) : MakeColour(255, 0, 0));
  return true;
}

}  // namespace

bool PollMouse() {
  GuiState& g = Gui();
  if (!TakePointer()) {
    const uint32_t now = static_cast<uint32_t>(veltounit::GetTicks());
    if (g.idleTimerStart == 0) {
      g.idleTimerStart = now;
    } else if (static_cast<int64_t>(now - g.idleTimerStart) > g.screenSaverDelay) {
      RunScreenSaver();
      g.idleTimerStart = 0;
    }
    if (g.guiSettings[4] > 0) veltounit::Delay(g.guiSettings[4]);
    return false;
  }
  if (g.hovered == 0) veltounit::GetMouseButton(1);  // a click on empty space is consumed
  return true;
}

// Each GetMouseButton call may take one message from the queue; the left
// button is asked again after each of the others, so a press that one of
// those calls took from the queue is still seen in this pass instead of being
// wiped by the pointer message that follows it.
int32_t WhichMouseButton() {
  if (veltounit::GetMouseButton(1) == veltounit::BUTTON_PRESSED) return 1;
  if (veltounit::GetMouseButton(2) == veltounit::BUTTON_PRESSED) return 2;
  if (veltounit::GetMouseButton(1) == veltounit::BUTTON_PRESSED) return 1;
  if (veltounit::GetMouseButton(3) == veltounit::BUTTON_PRESSED) return 3;
  if (veltounit::GetMouseButton(1) == veltounit::BUTTON_PRESSED) return 1;
  return 0;
}

void HandleGuiEvents() {
  GuiState& g = Gui();
  // Entering the next text box of an auto-advancing form.  No key is read in
  // that pass: keys typed ahead belong to the box being entered.
  bool entering = false;
  if (g.advanceTo != 0) {
    if (ValidIndex(g.advanceTo) && g.advanceTo <= g.count) {
      g.hovered = g.advanceTo;
      g.pendingKeyClick = 1;
      entering = true;
    }
    g.advanceTo = 0;
  }
  const bool moved = PollMouse();
  if (!moved && !entering && g.keyboardEnabled) HandleKey(veltounit::ReadKey());

  // A pending keyboard click is looked at first: asking the mouse buttons
  // takes messages from the queue, and keys typed ahead for a text box being
  // entered must stay there for its editor.
  bool click = g.pendingKeyClick != 0;
  if (!click && g.hovered != 0 && WhichMouseButton() == 1) {
    // The pointer was read before the pause and the key read above; a press
    // taken from the queue since may come after a jump of the pointer (a
    // quick hand, a touch screen, a test's jump-and-click) the look above did
    // not see yet.  The press belongs to the object under the pointer now,
    // not to the one it rested on, and a press that landed on empty space is
    // consumed there.
    click = !TakePointer() || g.hovered != 0;
  }

  const int32_t hovered = g.hovered;
  if (hovered != 0) {
    // A window is never redrawn for losing the pointer: its body would paint
    // over every object on it (moving from the window onto one of them).
    if (g.prevHovered != 0 && g.prevHovered != hovered && Obj(g.prevHovered).typeCode != TYPE_WINDOW) {
      DrawObject(g.prevHovered);
    }
    const GuiObject& o = Obj(hovered);
    if (!o.cursor.empty()) ApplyCursor(CursorPath(o.cursor));
    if (g.prevHovered != hovered) HoverChange(hovered);
    if (click) Click(hovered);
  } else if (g.prevHovered != 0) {
    if (Obj(g.prevHovered).typeCode != TYPE_WINDOW) DrawObject(g.prevHovered);
    ApplyCursor(CursorPath("ARROW"));
    g.prevHovered = 0;
  }
  g.pendingKeyClick = 0;
}

int32_t FocusNext() {
  GuiState& g = Gui();
  const int32_t old = g.focused;
  if (g.count < 1) return g.focused;
  int32_t candidate = old;
  for (int32_t tries = 0; tries < g.count; ++tries) {
    candidate = candidate + 1;
    if (candidate > g.count || candidate < 1) candidate = 1;
    const GuiObject& o = Obj(candidate);
    const std::string type = Upper(o.type);
    // Deleted slots (type code 0, no TYPE) are never focused either.
    const bool skip = o.typeCode == TYPE_DATA || type == "LABEL" || type == "COMMENT" || type == "WINDOW" ||
                      type == "LAYER" || type == "PROGRESSBAR" || type == "DATA";
    if (!skip) {
      g.focused = candidate;
      if (old != 0) DrawObject(old);
      DrawFocusMark();
      return g.focused;
    }
  }
  return g.focused;
}

std::string GetFocusedObjectName() { return GetObjectName(Gui().focused); }
int32_t GetFocusedObject() { return Gui().focused; }
int32_t GetHoveredObject() { return Gui().hovered; }
std::string GetActiveWindowName() { return Gui().activeWindow; }
std::string GetPointerFile() { return Gui().currentPointerFile; }

void ActivateObjectByName(const std::string& name) {
  if (name.empty()) return;
  GuiState& g = Gui();
  g.mouseX = veltounit::GetMouseX();
  g.mouseY = veltounit::GetMouseY();
  const int32_t index = FindObject(name);
  if (!ValidIndex(index)) return;
  g.pendingKeyClick = 1;
  g.prevHovered = g.hovered;
  g.hovered = index;
  if (g.prevHovered != 0) DrawObject(g.prevHovered);
}

void DrawObjectByName(const std::string& name) {
  const GuiState& g = Gui();
  const std::string wanted = Upper(name);
  for (int32_t i = 1; i <= g.count; ++i) {
    const std::string& n = g.objects[static_cast<size_t>(i)].name;
    if (!n.empty() && Upper(n) == wanted) {
      DrawObject(i);
      return;
    }
  }
  veltounit::WriteCentred("REACHES END+1 PROBLEM!!");
}

void DrawWindowChildren(const std::string& windowName) {
  if (windowName.empty()) return;
  const std::string wanted = Upper(windowName);
  for (int32_t i = 1; i <= Gui().count; ++i) {
    const std::string& owner = Gui().objects[static_cast<size_t>(i)].owningWindow;
    if (!owner.empty() && Upper(owner) == wanted) DrawObject(i);
  }
}

void DrawAllObjects() {
  ShowLanguageFlag(veltounit::GetKeyboardLanguage());
  for (int32_t i = 1; i <= Gui().count; ++i) DrawObject(i);
}

void ShowLanguageFlag(const std::string& language) {
  const std::string upper = Upper(language);
  const int32_t x = veltounit::WindowWidth() - 40;
  const int32_t y = veltounit::WindowHeight() - 20;
  if (upper == "ENGLISH") DrawStorePicture("uk", x, y);
  else if (upper == "GREEK") DrawStorePicture("gr", x, y);
}

void ShowStatusDot(Colour colour) {
  const int32_t w = veltounit::WindowWidth();
  const int32_t h = veltounit::WindowHeight();
  veltounit::SetWindowPixel(w - 5, h - 5, colour);
  veltounit::SetWindowPixel(w - 6, h - 5, colour);
  veltounit::SetWindowPixel(w - 5, h - 6, colour);
  veltounit::SetWindowPixel(w - 6, h - 6, colour);
}

void SetTextBoxAutoAdvance(int32_t flag) { Gui().autoAdvance = (flag == 1); }

void EditObjectText(int32_t index) {
  if (!ValidIndex(index)) return;
  GuiObject& o = Obj(index);
  const bool masked = o.typeCode == TYPE_TEXTBOX_PASSWORD;
  DrawTextBox("", o.x1, o.y1, o.x2, o.y2);
  veltounit::SetPenWidth(0, 0, Gui().textboxSize);
  veltounit::DrawRectangle(o.x1, o.y1, o.x2, o.y1 + veltounit::TextHeight("A") + 8,
                           SkinColour(COL_BUTTON_ACTIVE_TEXT));
  veltounit::SetPenWidth(0, 0, 1);
  veltounit::SetTextCursor(o.x1 + 4, o.y1 + 4);
#ifdef VELTOGUI_HAVE_TEXT_BOXES
  const std::string edited = EditText(o.value, o.x2 - o.x1, masked);
  // The editor may have changed the table (a program's menu action); store
  // the text only in a record that still holds a text box.
  GuiObject& after = Obj(index);
  if (IsTextBoxType(after.typeCode)) {
    after.value = edited;
    DrawObject(index);
  }
#else
  (void)masked;
#endif
}

}  // namespace veltogui
