// The pop-up menu (a list of items chosen with the mouse or the arrow keys),
// the text box menu built on it, and the small input and screen helpers both
// share with the text box editor.
#include "gui/popup_menu.h"

#include <algorithm>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "platform/win32.h"

namespace veltogui {

namespace {

// Pause after each arrow-key step, so a held arrow key walks the items at a
// pace the eye can follow.
constexpr int32_t kArrowStepPause = 70;
// Inner margins of the menu box.
constexpr int32_t kMarginX = 6;
constexpr int32_t kMarginY = 3;
// The "multiple" item doubles the text only while the result stays this short;
// pressed again and again it would otherwise grow without end.
constexpr size_t kMultipleLimit = 1024;

bool IsGreekCapital(unsigned char c) { return (c >= 0xC1 && c <= 0xD1) || (c >= 0xD3 && c <= 0xD9); }

bool IsLetter(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  if (c >= 0xC1 && c <= 0xFE && c != 0xD2) return true;
  return c == 0xA2 || c == 0xB8 || c == 0xB9 || c == 0xBA || c == 0xBC || c == 0xBE || c == 0xBF;
}

int32_t PauseSetting() { return std::max<int32_t>(0, GetGuiSetting(1)); }

}  // namespace

SavedArea SaveArea(int32_t x, int32_t y, int32_t width, int32_t height) {
  SavedArea area;
  const int32_t x2 = std::min(x + width, veltounit::WindowWidth());
  const int32_t y2 = std::min(y + height, veltounit::WindowHeight());
  area.x = std::max(0, x);
  area.y = std::max(0, y);
  area.width = std::max(0, x2 - area.x);
  area.height = std::max(0, y2 - area.y);
  area.pixels.reserve(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
  for (int32_t row = 0; row < area.height; ++row) {
    for (int32_t col = 0; col < area.width; ++col)
      area.pixels.push_back(veltounit::ReadPixel(area.x + col, area.y + row));
  }
  return area;
}

void RestoreArea(const SavedArea& area) {
  size_t i = 0;
  for (int32_t row = 0; row < area.height; ++row) {
    for (int32_t col = 0; col < area.width; ++col) {
      if (i < area.pixels.size()) veltounit::PutPixel(area.x + col, area.y + row, area.pixels[i]);
      ++i;
    }
  }
}

InputStep PollInputStep() {
  InputStep step;
  MSG next{};
  HWND window = veltounit::WindowHandle();
  if (window != nullptr && PeekMessageA(&next, window, 0, 0, PM_NOREMOVE) &&
      (next.message == WM_LBUTTONDOWN || next.message == WM_MBUTTONDOWN)) {
    const int32_t button = next.message == WM_LBUTTONDOWN ? 1 : 3;
    // A state left over from an earlier release would be answered instead of
    // taking this press from the queue.
    veltounit::ClearMouseButtons();
    if (veltounit::GetMouseButton(button) == veltounit::BUTTON_PRESSED) {
      step.kind = button == 1 ? InputStep::LEFT_CLICK : InputStep::MIDDLE_CLICK;
      step.x = static_cast<int16_t>(LOWORD(next.lParam));
      step.y = static_cast<int16_t>(HIWORD(next.lParam));
    }
    return step;
  }
  step.name = veltounit::ReadKey();
  if (!step.name.empty()) {
    step.kind = InputStep::KEY;
    step.code = veltounit::GetLastKeyCode();
  }
  return step;
}

MenuBox PlaceMenu(const std::vector<std::string>& items, int32_t count, int32_t x, int32_t y) {
  using namespace veltounit;
  MenuBox box;
  box.count = std::max<int32_t>(
      0, std::min<int32_t>(count, static_cast<int32_t>(std::min<size_t>(items.size(), 1000))));
  box.lineHeight = TextHeight("A") + 2;
  for (int32_t i = 0; i < box.count; ++i) box.width = std::max(box.width, TextWidth(items[static_cast<size_t>(i)]));
  box.width += 2 * kMarginX;
  box.height = box.count * box.lineHeight + 2 * kMarginY;
  box.left = std::max(0, std::min(x, WindowWidth() - box.width));
  box.top = std::max(0, std::min(y, WindowHeight() - box.height));
  return box;
}

void DrawMenu(const std::vector<std::string>& items, const MenuBox& box, int32_t selected) {
  using namespace veltounit;
  FillRectangle(box.left, box.top, box.left + box.width - 1, box.top + box.height - 1, SkinColour(COL_WINDOW_BORDER),
                SkinColour(COL_WINDOW_BACKGROUND));
  for (int32_t i = 1; i <= box.count && i <= static_cast<int32_t>(items.size()); ++i) {
    const int32_t top = box.top + kMarginY + (i - 1) * box.lineHeight;
    if (i == selected) {
      const Colour active = SkinColour(COL_MENU_ACTIVE);
      FillRectangle(box.left + 2, top, box.left + box.width - 3, top + box.lineHeight - 1, active, active);
      SetTextColour(SkinColour(COL_MENU_ACTIVE_TEXT));
    } else {
      // The skin names no colour for items that are not highlighted; the
      // caption colour of a normal button reads well on the window colour.
      SetTextColour(SkinColour(COL_BUTTON_TEXT));
    }
    OutTextXY(box.left + kMarginX, top + 1, items[static_cast<size_t>(i - 1)]);
  }
}

int32_t MenuItemAt(const MenuBox& box, int32_t x, int32_t y) {
  if (box.lineHeight <= 0 || x < box.left || x >= box.left + box.width) return 0;
  const int32_t first = box.top + kMarginY;
  if (y < first || y >= first + box.count * box.lineHeight) return 0;
  return (y - first) / box.lineHeight + 1;
}

int32_t PopupMenu(const std::vector<std::string>& items, int32_t count, int32_t x, int32_t y) {
  using namespace veltounit;
  const MenuBox box = PlaceMenu(items, count, x, y);
  const int32_t n = box.count;
  if (n <= 0) return -1;

  // Only the menu's own rectangle is kept: the window's screen copy belongs to
  // the window (it is taken whenever the window loses the focus).
  const SavedArea under = SaveArea(box.left, box.top, box.width, box.height);
  const Colour savedText = GetTextColour();
  ApplyCursor(CursorPath("ARROW"));

  int32_t selected = 0;
  DrawMenu(items, box, selected);
  int32_t lastMouseX = GetMouseX();
  int32_t lastMouseY = GetMouseY();

  int32_t result = 0;  // 0 while the menu is open
  while (result == 0) {
    if (WindowHandle() == nullptr) {
      result = -1;
      break;
    }
    const InputStep step = PollInputStep();
    int32_t show = selected;
    // The mouse chooses only when it moves, so a still pointer over the menu
    // does not undo what the arrow keys chose.
    const int32_t mx = GetMouseX();
    const int32_t my = GetMouseY();
    if (mx != lastMouseX || my != lastMouseY) {
      lastMouseX = mx;
      lastMouseY = my;
      if (const int32_t hit = MenuItemAt(box, mx, my); hit != 0) show = hit;
    }
    if (step.kind == InputStep::LEFT_CLICK) {
      const int32_t item = MenuItemAt(box, step.x, step.y);
      result = item != 0 ? item : -1;  // a click beside the menu closes it
    } else if (step.kind == InputStep::KEY) {
      const std::string key = Upper(step.name);
      if (key == "UP ARROW" || key == "DOWN ARROW") {
        if (key == "UP ARROW") show = selected <= 1 ? n : selected - 1;
        else show = selected >= n ? 1 : selected + 1;
        DrawMenu(items, box, show);
        selected = show;
        Delay(kArrowStepPause);
      } else if (key == "ENTER" || key == " ") {
        result = selected != 0 ? selected : -1;
      } else if (key == "ESCAPE") {
        result = -1;
      }
    }
    if (result == 0 && show != selected) {
      selected = show;
      DrawMenu(items, box, selected);
    }
    if (result == 0 && step.kind == InputStep::NONE) Sleep(static_cast<DWORD>(PauseSetting()));
  }

  RestoreArea(under);
  SetTextColour(savedText);
  return result;
}

// ------------------------------------------------------------ text box menu --

const std::vector<std::string>& TextBoxMenuItems() {
  static const std::vector<std::string> items{"cut",       "copy", "paste",    "delete", "upcase",
                                              "lowercase", "flip", "multiple", "VARNIX"};
  return items;
}

std::string LowerCaseText(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    unsigned char lower = c;
    if (c >= 'A' && c <= 'Z') {
      lower = static_cast<unsigned char>(c - 'A' + 'a');
    } else if (c == 0xD3) {
      const bool endsWord = i + 1 == out.size() || !IsLetter(static_cast<unsigned char>(out[i + 1]));
      const bool inWord = i > 0 && IsLetter(static_cast<unsigned char>(out[i - 1]));
      lower = endsWord && inWord ? 0xF2 : 0xF3;
    } else if (IsGreekCapital(c)) {
      lower = static_cast<unsigned char>(c + 0x20);
    } else {
      switch (c) {
        case 0xA2: lower = 0xDC; break;
        case 0xB8: lower = 0xDD; break;
        case 0xB9: lower = 0xDE; break;
        case 0xBA: lower = 0xDF; break;
        case 0xBC: lower = 0xFC; break;
        case 0xBE: lower = 0xFD; break;
        case 0xBF: lower = 0xFE; break;
        default: break;
      }
    }
    out[i] = static_cast<char>(lower);
  }
  return out;
}

// What the three items with no fixed meaning do:
//   "lowercase": the text in small letters (Greek too, with the final sigma at
//                the end of a word), the counterpart of "upcase";
//   "multiple":  the text repeated once more (doubled), while the result stays
//                within 1024 characters;
//   "VARNIX":    the maker's item: a box naming the toolkit and its version;
//                the text is left as it is.
std::string ApplyTextBoxMenuItem(int32_t choice, const std::string& text, bool masked, std::string& clipboard) {
  switch (choice) {
    case 1:  // cut
      if (masked) return text;
      clipboard = text;
      veltounit::CopyTextToClipboard(text);
      return std::string();
    case 2:  // copy
      if (masked) return text;
      clipboard = text;
      veltounit::CopyTextToClipboard(text);
      return text;
    case 3: return clipboard;      // paste
    case 4: return std::string();  // delete
    case 5: return veltounit::UpperCaseText(text);
    case 6: return LowerCaseText(text);
    case 7: return std::string(text.rbegin(), text.rend());
    case 8: return text.size() * 2 <= kMultipleLimit ? text + text : text;
    case 9: veltounit::AskUser("VeltoGUI", "VeltoGUI " + GuiVersion(), "OK", "I", ""); return text;
    default: return text;  // cancelled
  }
}

std::string RunTextBoxMenu(const std::string& text, bool masked, std::string& clipboard, int32_t x, int32_t y) {
  const std::vector<std::string>& items = TextBoxMenuItems();
  const int32_t choice = PopupMenu(items, static_cast<int32_t>(items.size()), x, y);
  return ApplyTextBoxMenuItem(choice, text, masked, clipboard);
}

}  // namespace veltogui
