// Text boxes are edited modally: EditText runs its own key loop until the user
// leaves the box and returns the new text.  Two editors share the loop: the
// advanced one (a caret that moves and scrolls, clipboard keys) and the basic
// one (typing appends, with completions from the text memory).  Modifier keys
// latch for a moment so they can be pressed before the key they change, and
// the latched ones are shown on a strip at the bottom of the window.
#include <algorithm>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "gui/popup_menu.h"
#include "images/IvxFiles.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

// Key codes the editor acts on.
constexpr int32_t kBackspace = 8;
constexpr int32_t kShift = 16;
constexpr int32_t kControl = 17;
constexpr int32_t kAlt = 18;
constexpr int32_t kEscape = 27;
constexpr int32_t kLeft = 37;
constexpr int32_t kRight = 39;
constexpr int32_t kDelete = 46;
constexpr int32_t kMenu = 93;
constexpr int32_t kF1 = 112;

// Text starts this far inside the box's left and top edges.
constexpr int32_t kTextInset = 4;
// The modifier strip leaves the bottom-right corner to the language flag and
// the activity dot.
constexpr int32_t kStripRightGap = 44;

enum class Outcome { EDITING, ACCEPT, ACCEPT_AND_MOVE_FOCUS, RESTORE };

// One instance, valid during one EditText call.
struct Editor {
  std::string text;
  std::string original;  // for Escape
  bool masked = false;
  bool advanced = true;
  size_t caret = 0;  // characters before the caret
  size_t first = 0;  // first visible character
  // The caret rectangle: where the text and the caret line are drawn.
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  // The whole box: clicks inside it keep editing.
  int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;
  std::string clipboard;
  bool shift = false, control = false, alt = false;
  bool deadKey = false;  // Greek stress mark waiting for its letter
  std::string suggestion;
  int32_t steps = 0;      // poll steps, for the caret blink
  int32_t idleSteps = 0;  // poll steps since the last key, for dropping latches
  SavedArea strip;        // what lies under the modifier strip
  bool stripShown = false;
  Outcome outcome = Outcome::EDITING;
};

Editor g_editor;

std::string AsciiUpper(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void PictureSize(const std::string& name, int32_t& width, int32_t& height) {
  width = height = 0;
  if (ivxfiles::LocatePicture(name) == 0) return;
  width = std::max(0, ivxfiles::PictureMetric(name, "SIZEX"));
  height = std::max(0, ivxfiles::PictureMetric(name, "SIZEY"));
}

int32_t StripHeight() {
  int32_t height = veltounit::TextHeight("A");
  for (const char* name : {"guicontrol", "guishift", "guialt", "guiplus"}) {
    int32_t w = 0, h = 0;
    PictureSize(name, w, h);
    height = std::max(height, h);
  }
  return height + 4;
}

// Control characters have no place in a one-line box: line breaks and tabs of
// pasted text become spaces, the rest are dropped.
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\r' || c == '\n' || c == '\t') out.push_back(' ');
    else if (c >= 32 && c != 127) out.push_back(static_cast<char>(c));
  }
  return out;
}

int32_t CharWidth(const Editor& e, char c) {
  return veltounit::TextWidth(e.masked ? std::string("*") : std::string(1, c));
}

int32_t RunWidth(const Editor& e, size_t from, size_t to) {
  int32_t width = 0;
  for (size_t i = from; i < to && i < e.text.size(); ++i) width += CharWidth(e, e.text[i]);
  return width;
}

// Scrolling: the caret always stays inside the box; the view moves only as far
// as needed for that, and moves back when the end of the text would leave
// empty room on the right.
void Scroll(Editor& e) {
  const int32_t room = e.right - e.left;
  e.caret = std::min(e.caret, e.text.size());
  e.first = std::min(e.first, e.caret);
  while (e.first < e.caret && RunWidth(e, e.first, e.caret) > room) ++e.first;
  while (e.first > 0 && RunWidth(e, e.first - 1, e.text.size()) <= room) --e.first;
}

// The caret line stands one pixel before the character after the caret.
int32_t CaretX(const Editor& e) { return std::max(e.left - 1, e.left + RunWidth(e, e.first, e.caret) - 1); }

void DrawCaret(const Editor& e, veltounit::Colour colour) {
  const int32_t x = CaretX(e);
  veltounit::DrawLine(x, e.top, x, e.bottom + 1, colour);
}

// Draws the visible text, the completion after it (basic editor) and the caret.
void DrawEditor(const Editor& e, bool withCaret) {
  using namespace veltounit;
  const Colour in = SkinColour(COL_TEXTBOX_IN);
  FillRectangle(e.left - 1, e.top, e.right, e.bottom, in, in);
  const int32_t room = e.right - e.left;
  int32_t x = e.left;
  SetTextColour(SkinColour(COL_TEXTBOX_TEXT));
  for (size_t i = e.first; i < e.text.size(); ++i) {
    const int32_t w = CharWidth(e, e.text[i]);
    if (x + w - e.left > room) break;
    OutTextXY(x, e.top, e.masked ? std::string("*") : std::string(1, e.text[i]));
    x += w;
  }
  if (!e.suggestion.empty()) {
    SetTextColour(SkinColour(COL_TEXTBOX_SUGGESTION));
    for (char c : e.suggestion) {
      const std::string one(1, c);
      const int32_t w = TextWidth(one);
      if (x + w - e.left > room) break;
      OutTextXY(x, e.top, one);
      x += w;
    }
    SetTextColour(SkinColour(COL_TEXTBOX_TEXT));
  }
  if (withCaret) DrawCaret(e, SkinColour(COL_TEXTBOX_TEXT));
}

// After every change: the basic editor's caret is the end of the text and its
// completion is asked for anew; then the view follows the caret.
void Refresh(Editor& e) {
  if (!e.advanced) e.caret = e.text.size();
  e.suggestion = (!e.advanced && !e.masked) ? FastText(e.text) : std::string();
  Scroll(e);
  DrawEditor(e, true);
}

void HideLatches(Editor& e) {
  if (!e.stripShown) return;
  RestoreArea(e.strip);
  e.stripShown = false;
}

// Shows the modifiers that changed (or are about to change) a key, with that
// key's name; the strip stays until the latches are dropped.
void ShowLatches(Editor& e, bool shift, bool control, bool alt, const std::string& keyName) {
  if (!shift && !control && !alt) {
    HideLatches(e);
    return;
  }
  const int32_t height = StripHeight();
  if (e.stripShown) {
    RestoreArea(e.strip);
  } else {
    e.strip = SaveArea(0, veltounit::WindowHeight() - height, veltounit::WindowWidth() - kStripRightGap, height);
  }
  e.stripShown = true;
  ShowModifierKeys(shift, control, alt, keyName);
}

void DropLatches(Editor& e) {
  e.shift = e.control = e.alt = false;
  HideLatches(e);
}

void Insert(Editor& e, const std::string& piece) {
  e.caret = std::min(e.caret, e.text.size());
  e.text.insert(e.caret, piece);
  e.caret += piece.size();
}

void OpenMenu(Editor& e, int32_t x, int32_t y) {
  DropLatches(e);
  e.text = OneLine(RunTextBoxMenu(e.text, e.masked, e.clipboard, x, y));
  e.caret = e.text.size();
  Refresh(e);
  ApplyCursor(CursorPath("TYPE"));
}

bool InsideBox(const Editor& e, int32_t x, int32_t y) {
  return x >= e.boxLeft && x <= e.boxRight && y >= e.boxTop && y <= e.boxBottom;
}

// A click inside the box puts the caret at the nearest place between two
// characters (advanced editor only; the basic one always types at the end).
void PlaceCaret(Editor& e, int32_t x) {
  size_t at = e.first;
  int32_t px = e.left;
  while (at < e.text.size()) {
    const int32_t w = CharWidth(e, e.text[at]);
    if (x < px + w / 2 || px + w - e.left > e.right - e.left) break;
    px += w;
    ++at;
  }
  e.caret = at;
}

// Control with X, C or V; nothing in a masked box, so a password can be
// neither copied out nor cut.
void ClipboardKey(Editor& e, char letter) {
  if (e.masked) return;
  if (letter == 'X') {
    e.clipboard = e.text;
    e.text.clear();
    e.caret = 0;
  } else if (letter == 'C') {
    e.clipboard = e.text;
  } else if (letter == 'V') {
    if (!e.advanced) e.caret = e.text.size();
    Insert(e, OneLine(e.clipboard));
  }
}

void TypeCharacter(Editor& e, const std::string& name) {
  std::string piece = name;
  const bool greek = AsciiUpper(veltounit::GetKeyboardLanguage()) == "GREEK";
  if (greek && name == ";") {
    // The stress mark is a dead key; pressed twice it types itself.
    if (!e.deadKey) {
      e.deadKey = true;
      return;
    }
    e.deadKey = false;
  } else if (e.deadKey) {
    piece = veltounit::AccentFirstLetter(piece);
    e.deadKey = false;
  }
  if (e.shift) piece = ShiftedCharacter(piece);
  // A latched modifier changes one key; a held one latches again at once.
  e.shift = e.alt = false;
  if (!e.advanced) e.caret = e.text.size();
  Insert(e, piece);
}

void HandleKey(Editor& e, const InputStep& step) {
  const std::string key = AsciiUpper(step.name);
  const int32_t code = step.code;

  if (code == kShift || code == kControl || code == kAlt) {
    bool& latch = code == kShift ? e.shift : (code == kControl ? e.control : e.alt);
    if (!latch) {
      latch = true;
      ShowLatches(e, e.shift, e.control, e.alt, std::string());
    }
    return;
  }
  if (key == "ENTER") {
    if (!e.suggestion.empty()) {
      // The completion is taken as if typed; editing goes on.
      e.text += e.suggestion;
      e.caret = e.text.size();
      Refresh(e);
    } else {
      e.outcome = Outcome::ACCEPT;
    }
    return;
  }
  if (key == "TAB") {
    e.outcome = Outcome::ACCEPT_AND_MOVE_FOCUS;
    return;
  }
  if (code == kEscape) {
    e.outcome = Outcome::RESTORE;
    return;
  }
  if (code == kF1) {
    const bool english = AsciiUpper(veltounit::GetKeyboardLanguage()) != "GREEK";
    veltounit::SetKeyboardLanguage(english ? "GREEK" : "ENGLISH");
    ShowLanguageFlag(english ? "GREEK" : "ENGLISH");
    e.deadKey = false;
    return;
  }
  if (code == kMenu) {
    OpenMenu(e, veltounit::GetMouseX(), veltounit::GetMouseY());
    return;
  }

  const bool shift = e.shift;
  const bool control = e.control;
  const bool alt = e.alt;
  DrawCaret(e, SkinColour(COL_TEXTBOX_IN));
  if (code == kBackspace) {
    if (!e.advanced) e.caret = e.text.size();
    if (e.caret > 0 && e.caret <= e.text.size()) {
      e.text.erase(e.caret - 1, 1);
      --e.caret;
    }
  } else if (code == kDelete) {
    if (e.advanced && e.caret < e.text.size()) e.text.erase(e.caret, 1);
  } else if (code == kLeft || code == kRight) {
    if (e.advanced) {
      const size_t n = e.text.size();
      if (control) {
        // To the previous or next space character.
        size_t p = e.caret;
        if (code == kLeft) {
          if (p > 0) --p;
          while (p > 0 && e.text[p] != ' ') --p;
        } else {
          if (p < n) ++p;
          while (p < n && e.text[p] != ' ') ++p;
        }
        e.caret = p;
        e.control = false;
      } else if (code == kLeft) {
        if (e.caret > 0) --e.caret;
      } else if (e.caret < n) {
        ++e.caret;
      }
    }
  } else if (step.name.size() == 1) {
    if (control) {
      ClipboardKey(e, AsciiUpper(step.name)[0]);
      e.control = false;
      e.shift = e.alt = false;
    } else {
      TypeCharacter(e, step.name);
    }
  }
  if (shift || control || alt) ShowLatches(e, shift, control, alt, key);
  Refresh(e);
}

}  // namespace

std::string GetToolkitClipboard() { return Gui().clipboard; }

void SetToolkitClipboard(const std::string& text) { Gui().clipboard = text; }

std::string ShiftedCharacter(const std::string& key) {
  if (key.size() != 1) return key;
  static const char kPlain[] = "`1234567890-=[]\\,./;'";
  static const char kShifted[] = "~!@#$%^&*()_+{}|<>?:\"";
  for (size_t i = 0; kPlain[i] != '\0'; ++i) {
    if (key[0] == kPlain[i]) return std::string(1, kShifted[i]);
  }
  return veltounit::UpperCaseText(key);
}

void ShowModifierKeys(bool shift, bool control, bool alt, const std::string& keyName) {
  using namespace veltounit;
  const int32_t height = StripHeight();
  const int32_t top = WindowHeight() - height;
  std::vector<std::string> pictures;
  if (control) pictures.push_back("guicontrol");
  if (shift) pictures.push_back("guishift");
  if (alt) pictures.push_back("guialt");
  // Width of what is drawn, so the strip covers exactly that.
  int32_t width = 4;
  int32_t plusW = 0, plusH = 0;
  PictureSize("guiplus", plusW, plusH);
  for (size_t i = 0; i < pictures.size(); ++i) {
    int32_t w = 0, h = 0;
    PictureSize(pictures[i], w, h);
    width += w + 1;
    if (i + 1 < pictures.size() || !keyName.empty()) width += plusW + 1;
  }
  width += TextWidth(keyName);
  width = std::min(width, WindowWidth() - kStripRightGap);
  const Colour back = GetBackColour();
  FillRectangle(0, top, width, WindowHeight() - 1, back, back);

  int32_t x = 2;
  for (size_t i = 0; i < pictures.size(); ++i) {
    int32_t w = 0, h = 0;
    PictureSize(pictures[i], w, h);
    ivxfiles::DrawPicture(pictures[i], x, top + (height - h) / 2);
    x += w + 1;
    if (i + 1 < pictures.size() || !keyName.empty()) {
      ivxfiles::DrawPicture("guiplus", x, top + (height - plusH) / 2);
      x += plusW + 1;
    }
  }
  if (!keyName.empty()) {
    SetTextMode("OPAQUE");
    OutTextXY(x, top + 2, keyName);
  }
  SetTextMode("TRANSPARENT");
}

std::string EditText(const std::string& text, int32_t width, bool masked) {
  using namespace veltounit;
  Editor& e = g_editor;
  e = Editor{};
  const int32_t pause = std::max(0, GetGuiSetting(1));
  const int32_t dropAfter = std::max(1, GetGuiSetting(2));
  const int32_t blinkPeriod = std::max(2, GetGuiSetting(3));

  e.text = text;
  e.original = text;
  e.masked = masked;
  e.advanced = AdvancedTextMode();
  e.left = TextCursorX();
  e.top = TextCursorY();
  e.bottom = e.top + TextHeight("A");
  e.boxLeft = e.left - kTextInset;
  e.boxTop = e.top - kTextInset;
  e.boxRight = e.boxLeft + std::max(0, width);
  e.boxBottom = e.bottom + kTextInset;
  // Never past the inner edge of the box's frame.
  e.right = std::min(e.left + width - TextWidth("A"), e.boxRight - GetTextboxSize() - 1);
  e.right = std::max(e.right, e.left);
  e.clipboard = GetToolkitClipboard();
  e.caret = e.text.size();

  const Colour savedColour = GetTextColour();
  SetTextColour(SkinColour(COL_TEXTBOX_TEXT));
  SetMousePosition(GetMouseX() + 1, GetMouseY());
  ClearMouseButtons();
  Refresh(e);

  while (e.outcome == Outcome::EDITING) {
    // A window that is gone can send no more keys.
    if (WindowHandle() == nullptr) {
      e.outcome = Outcome::ACCEPT;
      break;
    }
    InputStep step = PollInputStep();
    if (step.kind == InputStep::NONE) {
      // Held modifiers are read from the key state, which takes no message
      // from the queue, so no typed key is lost on the way.
      if (GetAsyncKeyState(kShift) & 0x8000) {
        step.kind = InputStep::KEY;
        step.name = "SHIFT";
        step.code = kShift;
      } else if (GetAsyncKeyState(kControl) & 0x8000) {
        step.kind = InputStep::KEY;
        step.name = "CONTROL";
        step.code = kControl;
      }
      if (step.kind == InputStep::KEY) SetLastKeyCode(step.code);
    }

    ++e.steps;
    if (e.steps % blinkPeriod == 0) DrawCaret(e, SkinColour(COL_TEXTBOX_TEXT));
    else if (e.steps % blinkPeriod == blinkPeriod / 2) DrawCaret(e, SkinColour(COL_TEXTBOX_IN));

    switch (step.kind) {
      case InputStep::NONE:
        if (++e.idleSteps >= dropAfter && (e.shift || e.control || e.alt || e.stripShown)) DropLatches(e);
        Sleep(static_cast<DWORD>(pause));
        break;
      case InputStep::LEFT_CLICK:
        e.idleSteps = 0;
        if (!InsideBox(e, step.x, step.y)) {
          e.outcome = Outcome::ACCEPT;
        } else if (e.advanced) {
          DrawCaret(e, SkinColour(COL_TEXTBOX_IN));
          PlaceCaret(e, step.x);
          Refresh(e);
        }
        break;
      case InputStep::MIDDLE_CLICK:
        e.idleSteps = 0;
        if (InsideBox(e, step.x, step.y)) OpenMenu(e, step.x, step.y);
        break;
      case InputStep::KEY:
        e.idleSteps = 0;
        HandleKey(e, step);
        break;
    }
  }

  if (e.outcome == Outcome::RESTORE) e.text = e.original;
  // The box is left showing the text from its beginning, without caret or
  // completion.
  HideLatches(e);
  e.suggestion.clear();
  e.caret = 0;
  e.first = 0;
  DrawEditor(e, false);
  SetToolkitClipboard(e.clipboard);
  SetTextColour(savedColour);
  if (e.outcome == Outcome::ACCEPT_AND_MOVE_FOCUS) FocusNext();
  return e.text;
}

}  // namespace veltogui
