// Pieces of the pop-up menu that the text box editor shares: keeping what lies
// under something drawn for a moment, one step of polled input that loses no
// key, and the text box menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltogui {

// The window pixels of a rectangle, kept so they can be put back.
struct SavedArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};
// Keeps (x, y) .. (x + width - 1, y + height - 1), clipped to the window.
SavedArea SaveArea(int32_t x, int32_t y, int32_t width, int32_t height);
void RestoreArea(const SavedArea& area);

// One step of polled input.  The next waiting message is looked at first: a
// left or middle button press is taken as a click (with the place it happened),
// anything else goes through ReadKey.  One message is taken per step, so a
// key can never be swallowed by a mouse poll.
struct InputStep {
  enum Kind { NONE, KEY, LEFT_CLICK, MIDDLE_CLICK } kind = NONE;
  std::string name;  // the key name, as ReadKey gives it
  int32_t code = 0;  // the key code, as GetLastKeyCode gives it
  int32_t x = 0;     // where a click happened
  int32_t y = 0;
};
InputStep PollInputStep();

// Where a menu of `count` items asked for at (x, y) is drawn: near that
// place, but whole inside the window.
struct MenuBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t lineHeight = 0;
  int32_t count = 0;
};
MenuBox PlaceMenu(const std::vector<std::string>& items, int32_t count, int32_t x, int32_t y);
// Draws the menu with item `selected` (1..count, 0 none) highlighted.
void DrawMenu(const std::vector<std::string>& items, const MenuBox& box, int32_t selected);
// The item under a window point, 0 when the point is not on an item.
int32_t MenuItemAt(const MenuBox& box, int32_t x, int32_t y);

// The text box menu at (x, y): lets the user choose one of its nine items and
// returns the text after that item's action.  `clipboard` is the editor's
// clipboard; cut and copy write it, paste reads it.  In a masked box cut and
// copy do nothing, so a password never leaves its box.
std::string RunTextBoxMenu(const std::string& text, bool masked, std::string& clipboard, int32_t x, int32_t y);
// The nine items, in menu order.
const std::vector<std::string>& TextBoxMenuItems();
// What item `choice` (1..9) does to text; used by RunTextBoxMenu.
std::string ApplyTextBoxMenuItem(int32_t choice, const std::string& text, bool masked, std::string& clipboard);
// Lower-case letters, Greek ones too; a capital sigma that ends a word becomes
// the final sigma.
std::string LowerCaseText(const std::string& text);

}  // namespace veltogui
