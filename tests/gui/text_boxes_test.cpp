// The text box editor driven as a person drives it: keys and clicks are queued
// on the headless window before the editor runs, and the editor's result, the
// toolkit clipboard and the window's pixels are checked afterwards.  Where the
// picture in the middle of an edit matters, the test opens the text box menu,
// picks the maker's item and looks at the window while that item's box is up.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "gui/gui_state.h"
#include "gui/popup_menu.h"
#include "images/IvxFiles.h"
#include "gui_fixture.h"
#include "platform/automation.h"

namespace {

using namespace veltogui;

constexpr int kWindowW = 320;
constexpr int kWindowH = 200;
constexpr int kBoxX = 20;  // the box's left and top edge
constexpr int kBoxY = 30;

void Drain() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Types lower-case letters, digits and spaces with the keys that make them.
void Type(const std::string& text) {
  for (char c : text) {
    if (c >= 'a' && c <= 'z') automation::TapKey(c - 'a' + 'A');
    else if (c >= '0' && c <= '9') automation::TapKey(c);
    else if (c == ' ') automation::TapKey(VK_SPACE);
    else ADD_FAILURE() << "no key for " << c;
  }
}

void Tap(int vk, int times = 1) {
  for (int i = 0; i < times; ++i) automation::TapKey(vk);
}

void ControlKey(int vk) {
  automation::PressKey(VK_CONTROL);
  automation::TapKey(vk);
  automation::ReleaseKey(VK_CONTROL);
}

// Queues the keys that open the text box menu and pick its last item; while
// that item's box is up, `look` runs and the box is answered.
void LookDuringEdit(std::function<void()> look) {
  automation::TapKey(VK_APPS);
  Tap(VK_DOWN, 9);
  automation::TapKey(VK_RETURN);
  automation::SetIdleHandler([look = std::move(look), done = false]() mutable {
    if (!done) look();
    done = true;
    automation::ScriptMessageBoxAnswer(IDOK);
    return true;
  });
}

class TextBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::Reset();
    automation::SetHeadless(true);
    automation::SetVirtualTime(true);
    automation::SetScreenSize(1024, 768);
    ASSERT_EQ(1, veltounit::CreateMainWindow("text boxes", kWindowW, kWindowH, 0));
    Drain();
    automation::SetCapsLock(false);
    veltounit::SetKeyboardLanguage("english");
    // A folder of its own, so no settings file of the checkout is read.
    char pattern[] = "/tmp/veltogui_textbox_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    folder_ = pattern;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    LoadColours();
    LoadMetrics();
    ResetObjects(0);
    SetAdvancedTextMode(true);
    SetGuiSetting(5, 3);
    SetToolkitClipboard("");
    TextMemory("CLEAR", "");
    veltounit::SetTextColour(veltounit::MakeColour(1, 2, 3));
  }
  void TearDown() override {
    automation::SetIdleHandler(nullptr);
    SetAdvancedTextMode(true);
    veltounit::SetKeyboardLanguage("english");
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  // Edits text in a box at (kBoxX, kBoxY), width pixels wide.
  std::string Edit(const std::string& text, int width = 200, bool masked = false) {
    veltounit::SetTextCursor(kBoxX + 4, kBoxY + 4);
    return EditText(text, width, masked);
  }

  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

// Columns of the caret rectangle that hold at least one pixel of the colour.
std::vector<int> ColumnsWith(veltounit::Colour colour, int left, int right, int top, int bottom) {
  std::vector<int> columns;
  for (int x = left; x <= right; ++x) {
    for (int y = top; y <= bottom; ++y) {
      if (automation::WindowPixel(x, y) == colour) {
        columns.push_back(x);
        break;
      }
    }
  }
  return columns;
}

// Columns where every pixel from top to bottom has the colour: the caret line.
std::vector<int> FullColumns(veltounit::Colour colour, int left, int right, int top, int bottom) {
  std::vector<int> columns;
  for (int x = left; x <= right; ++x) {
    bool full = true;
    for (int y = top; y <= bottom && full; ++y) full = automation::WindowPixel(x, y) == colour;
    if (full) columns.push_back(x);
  }
  return columns;
}

// ------------------------------------------------------------ advanced editor --

TEST_F(TextBoxes, TypingGoesInAtTheCaretWhichTheArrowsMove) {
  Tap(VK_LEFT, 2);
  Type("x");
  Tap(VK_RETURN);
  EXPECT_EQ("helxlo", Edit("hello"));

  // The caret stops at both ends of the text.
  Tap(VK_LEFT, 9);
  Type("z");
  Tap(VK_RIGHT, 9);
  Type("y");
  Tap(VK_RETURN);
  EXPECT_EQ("zabcy", Edit("abc"));
}

TEST_F(TextBoxes, BackspaceTakesTheCharacterBeforeTheCaretAndDeleteTheOneAfter) {
  Tap(VK_LEFT, 2);
  Tap(VK_BACK);
  Tap(VK_DELETE);
  Tap(VK_RETURN);
  EXPECT_EQ("ad", Edit("abcd"));

  Tap(VK_BACK, 3);  // more than there is
  Tap(VK_DELETE);   // nothing after the caret
  Tap(VK_RETURN);
  EXPECT_EQ("", Edit("ab"));
}

TEST_F(TextBoxes, EscapeGivesBackTheTextTheBoxHadAndEnterOrTabKeepTheTyping) {
  Type("zzz");
  Tap(VK_BACK, 6);
  Tap(VK_ESCAPE);
  EXPECT_EQ("before", Edit("before"));

  Type("abc");
  Tap(VK_TAB);
  EXPECT_EQ("xabc", Edit("x"));
}

TEST_F(TextBoxes, NoKeyIsLostBetweenKeysThatTypeNothing) {
  // Arrow keys bring no character message, so their releases follow each
  // other straight; reading the held modifiers between them must not take a
  // key from the queue.
  Type("abc");
  Tap(VK_LEFT);
  Tap(VK_LEFT);
  Tap(VK_RIGHT);
  Tap(VK_DELETE);
  Tap(VK_LEFT);
  Tap(VK_LEFT);
  Type("x");
  Tap(VK_RETURN);
  EXPECT_EQ("xab", Edit(""));
}

TEST_F(TextBoxes, ControlWithArrowsJumpsToSpaces) {
  ControlKey(VK_LEFT);
  Type("x");
  ControlKey(VK_LEFT);
  Type("y");
  Tap(VK_RETURN);
  EXPECT_EQ("oney twox three", Edit("one two three"));

  ControlKey(VK_LEFT);
  ControlKey(VK_LEFT);
  ControlKey(VK_LEFT);  // already at the start
  ControlKey(VK_RIGHT);
  Type("q");
  Tap(VK_RETURN);
  EXPECT_EQ("oneq two", Edit("one two"));

  // The latch is used up by the jump: the next arrow moves by one.
  ControlKey(VK_LEFT);
  Tap(VK_LEFT);
  Type("w");
  Tap(VK_RETURN);
  EXPECT_EQ("onwe two", Edit("one two"));
}

TEST_F(TextBoxes, ControlXCAndVWorkThroughTheEditorClipboard) {
  SetToolkitClipboard("old");
  ControlKey('V');
  ControlKey('C');
  Tap(VK_LEFT);
  ControlKey('V');
  Tap(VK_RETURN);
  // "old" pasted at the end, the whole text copied, pasted again one before
  // the end.
  EXPECT_EQ("abolaboldd", Edit("ab"));
  EXPECT_EQ("abold", GetToolkitClipboard());

  ControlKey('X');
  Type("n");
  Tap(VK_RETURN);
  EXPECT_EQ("n", Edit("cut me"));
  EXPECT_EQ("cut me", GetToolkitClipboard());

  // Pasted line breaks become spaces in a one-line box.
  SetToolkitClipboard("two\r\nlines");
  ControlKey('V');
  Tap(VK_RETURN);
  EXPECT_EQ(">two lines", Edit(">"));

  // A latched Control makes any other letter type nothing.
  ControlKey('Q');
  Tap(VK_RETURN);
  EXPECT_EQ("k", Edit("k"));
}

TEST_F(TextBoxes, ClipboardKeysDoNothingInAPasswordBox) {
  SetToolkitClipboard("keep");
  ControlKey('X');
  ControlKey('C');
  Tap(VK_RETURN);
  EXPECT_EQ("secret", Edit("secret", 200, true));
  EXPECT_EQ("keep", GetToolkitClipboard());

  ControlKey('V');
  Type("a");
  Tap(VK_RETURN);
  EXPECT_EQ("pwa", Edit("pw", 200, true));
}

TEST_F(TextBoxes, ALatchedShiftChangesTheNextKeyOnly) {
  Tap(VK_SHIFT);
  Type("a");
  Type("b");
  Tap(VK_SHIFT);
  Type("1");
  Tap(VK_SHIFT);
  automation::TapKey(VK_OEM_1);  // ";"
  Tap(VK_RETURN);
  EXPECT_EQ("Ab!:", Edit(""));
}

TEST_F(TextBoxes, AHeldShiftChangesEveryKeyWhileItIsHeld) {
  automation::PressKey(VK_SHIFT);
  Type("ab");
  automation::TapKey(VK_OEM_2);  // "/"
  Tap(VK_RETURN);
  const std::string text = Edit("");
  automation::ReleaseKey(VK_SHIFT);
  Drain();
  EXPECT_EQ("AB?", text);
}

TEST_F(TextBoxes, LatchesAreDroppedWhenNoKeyFollows) {
  // The Shift key's release and a pause of many poll steps: the latch is gone
  // before the letter comes.
  SetGuiSetting(2, 3);
  Tap(VK_SHIFT);
  for (int i = 0; i < 10; ++i) automation::MoveMouse(300, 190);  // steps without keys
  Type("a");
  Tap(VK_RETURN);
  EXPECT_EQ("a", Edit(""));
}

TEST(ShiftedCharacters, FollowAUsKeyboard) {
  EXPECT_EQ("~", ShiftedCharacter("`"));
  EXPECT_EQ(")", ShiftedCharacter("0"));
  EXPECT_EQ("@", ShiftedCharacter("2"));
  EXPECT_EQ("(", ShiftedCharacter("9"));
  EXPECT_EQ("_", ShiftedCharacter("-"));
  EXPECT_EQ("+", ShiftedCharacter("="));
  EXPECT_EQ("{", ShiftedCharacter("["));
  EXPECT_EQ("}", ShiftedCharacter("]"));
  EXPECT_EQ("|", ShiftedCharacter("\\"));
  EXPECT_EQ("<", ShiftedCharacter(","));
  EXPECT_EQ(">", ShiftedCharacter("."));
  EXPECT_EQ("?", ShiftedCharacter("/"));
  EXPECT_EQ(":", ShiftedCharacter(";"));
  EXPECT_EQ("\"", ShiftedCharacter("'"));
  EXPECT_EQ("Q", ShiftedCharacter("q"));
  EXPECT_EQ("\xC1", ShiftedCharacter("\xE1"));  // alpha
  EXPECT_EQ("\xA2", ShiftedCharacter("\xDC"));  // alpha with the stress mark
  EXPECT_EQ(" ", ShiftedCharacter(" "));
  EXPECT_EQ("enter", ShiftedCharacter("enter"));
}

// ---------------------------------------------------------------- Greek typing --

TEST_F(TextBoxes, GreekStressMarkIsADeadKey) {
  veltounit::SetKeyboardLanguage("greek");
  automation::TapKey(VK_OEM_1);  // the stress mark
  Type("a");                     // alpha with the mark
  Type("b");                     // beta, plain
  automation::TapKey(VK_OEM_1);
  Type("b");  // beta takes no mark
  automation::TapKey(VK_OEM_1);
  automation::TapKey(VK_OEM_1);  // pressed twice it types itself
  Tap(VK_SHIFT);
  automation::TapKey(VK_OEM_1);
  Type("o");  // capital omicron with the mark
  Tap(VK_RETURN);
  EXPECT_EQ("\xDC\xE2\xE2;\xBC", Edit(""));
}

TEST_F(TextBoxes, F1SwitchesTheLanguageWhileEditing) {
  Type("a");
  Tap(VK_F1);
  Type("a");
  Tap(VK_F1);
  Type("a");
  Tap(VK_RETURN);
  EXPECT_EQ(
      "a\xE1"
      "a",
      Edit(""));
  EXPECT_EQ("ENGLISH", veltounit::UpperCaseText(veltounit::GetKeyboardLanguage()));
}

// ----------------------------------------------------------------- the mouse --

TEST_F(TextBoxes, AClickOutsideTheBoxEndsEditingAndKeepsTheText) {
  Type("abc");
  automation::Click(kBoxX + 100, kBoxY + 60);
  Type("zzz");  // after the editor: not typed into the box
  EXPECT_EQ("abc", Edit(""));
  Drain();
}

TEST_F(TextBoxes, AClickInsideTheBoxMovesTheCaret) {
  automation::Click(kBoxX + 2, kBoxY + 5);  // before the first character
  Type("q");
  Tap(VK_RETURN);
  EXPECT_EQ("qabc", Edit("abc"));
}

// ----------------------------------------------------------------- the screen --

TEST_F(TextBoxes, APasswordBoxShowsStarsAndNeverItsText) {
  const veltounit::Colour text = GetSkinColour("Textbox_Text");
  const int top = kBoxY + 4;
  const int bottom = top + veltounit::TextHeight("A");
  Tap(VK_RETURN);
  Edit("abc", 200, true);
  std::vector<veltounit::Colour> first;
  for (int y = top; y <= bottom; ++y)
    for (int x = kBoxX; x < kBoxX + 200; ++x) first.push_back(automation::WindowPixel(x, y));
  const std::vector<int> lit = ColumnsWith(text, kBoxX, kBoxX + 199, top, bottom);
  ASSERT_FALSE(lit.empty());
  EXPECT_LE(lit.back() - kBoxX - 4, 3 * veltounit::TextWidth("*"));

  Tap(VK_RETURN);
  Edit("wxy", 200, true);
  std::vector<veltounit::Colour> second;
  for (int y = top; y <= bottom; ++y)
    for (int x = kBoxX; x < kBoxX + 200; ++x) second.push_back(automation::WindowPixel(x, y));
  EXPECT_EQ(first, second);  // three stars either way

  Tap(VK_RETURN);
  Edit("wxy", 200, false);
  std::vector<veltounit::Colour> plain;
  for (int y = top; y <= bottom; ++y)
    for (int x = kBoxX; x < kBoxX + 200; ++x) plain.push_back(automation::WindowPixel(x, y));
  EXPECT_NE(first, plain);
}

TEST_F(TextBoxes, TheViewScrollsSoTheCaretStaysInsideTheBox) {
  const veltounit::Colour text = GetSkinColour("Textbox_Text");
  const int width = 60;
  const int left = kBoxX + 4;
  const int top = kBoxY + 4;
  const int bottom = top + veltounit::TextHeight("A");
  const std::string longText(40, 'm');
  std::vector<int> atEnd;
  std::vector<int> inks;
  LookDuringEdit([&] {
    atEnd = FullColumns(text, left - 1, kBoxX + width + 10, top, bottom);
    inks = ColumnsWith(text, left - 1, kBoxX + width + 10, top, bottom);
  });
  Tap(VK_RETURN);
  EXPECT_EQ(longText, Edit(longText, width));
  ASSERT_EQ(1u, atEnd.size()) << "one caret line while the caret is at the end";
  EXPECT_GT(atEnd[0], left + (width - 8) / 2);
  EXPECT_LE(atEnd[0], kBoxX + width);
  ASSERT_FALSE(inks.empty());
  EXPECT_LE(inks.back(), kBoxX + width) << "nothing drawn past the box";

  std::vector<int> atStart;
  Tap(VK_LEFT, 40);
  LookDuringEdit([&] { atStart = FullColumns(text, left - 1, kBoxX + width + 10, top, bottom); });
  Tap(VK_RETURN);
  Edit(longText, width);
  ASSERT_EQ(1u, atStart.size());
  EXPECT_EQ(left - 1, atStart[0]);
}

TEST_F(TextBoxes, LeavingShowsTheTextFromItsBeginningWithoutCaret) {
  const veltounit::Colour text = GetSkinColour("Textbox_Text");
  const int top = kBoxY + 4;
  const int bottom = top + veltounit::TextHeight("A");
  Tap(VK_RETURN);
  Edit(std::string(40, 'm'), 60);
  EXPECT_TRUE(FullColumns(text, kBoxX, kBoxX + 70, top, bottom).empty());
  const std::vector<int> inks = ColumnsWith(text, kBoxX, kBoxX + 70, top, bottom);
  ASSERT_FALSE(inks.empty());
  EXPECT_LE(inks.front(), kBoxX + 6);  // the first "m" at the left
  EXPECT_EQ(veltounit::MakeColour(1, 2, 3), veltounit::GetTextColour()) << "text colour restored";
}

// The three modifier pictures and the plus, each one colour, in the store.
void MakeModifierPictures() {
  struct Pic {
    const char* name;
    veltounit::Colour colour;
  };
  const Pic pics[] = {{"guicontrol", veltounit::MakeColour(200, 0, 0)},
                      {"guishift", veltounit::MakeColour(0, 200, 0)},
                      {"guialt", veltounit::MakeColour(0, 0, 200)},
                      {"guiplus", veltounit::MakeColour(200, 200, 0)}};
  int x = 1;
  for (const Pic& p : pics) {
    for (int cx = x + 1; cx <= x + 10; ++cx)
      for (int cy = 2; cy <= 9; ++cy) ivxfiles::SetStoreCell(cx, cy, p.colour);
    ivxfiles::AddPictureName(p.name, x, 1, x + 10, 9);
    x += 12;
  }
}

TEST_F(TextBoxes, ModifierStripShowsTheHeldModifiersInOrder) {
  ivxfiles::ResetPictureStore();
  MakeModifierPictures();
  ShowModifierKeys(true, true, false, "X");
  // Along the middle row of the strip: control, plus, shift, plus, then text.
  const int y = kWindowH - 6;
  std::vector<veltounit::Colour> runs;
  for (int x = 0; x < 80; ++x) {
    const veltounit::Colour c = automation::WindowPixel(x, y);
    if (c == veltounit::MakeColour(200, 0, 0) || c == veltounit::MakeColour(0, 200, 0) ||
        c == veltounit::MakeColour(0, 0, 200) || c == veltounit::MakeColour(200, 200, 0)) {
      if (runs.empty() || runs.back() != c) runs.push_back(c);
    }
  }
  const std::vector<veltounit::Colour> expected{veltounit::MakeColour(200, 0, 0), veltounit::MakeColour(200, 200, 0),
                                                veltounit::MakeColour(0, 200, 0),
                                                veltounit::MakeColour(200, 200, 0)};
  EXPECT_EQ(expected, runs);
  EXPECT_EQ(TRANSPARENT, veltounit::GetTextMode());
  ivxfiles::ResetPictureStore();
}

TEST_F(TextBoxes, TheModifierStripGoesAwayAndLeavesTheWindowAsItWas) {
  ivxfiles::ResetPictureStore();
  MakeModifierPictures();
  veltounit::FillRectangle(0, 0, kWindowW - 1, kWindowH - 1, veltounit::MakeColour(9, 9, 9),
                           veltounit::MakeColour(9, 9, 9));
  std::vector<veltounit::Colour> before;
  for (int y = kWindowH - 30; y < kWindowH; ++y)
    for (int x = 0; x < kWindowW; ++x) before.push_back(automation::WindowPixel(x, y));
  Tap(VK_SHIFT);
  Type("a");
  Tap(VK_RETURN);
  EXPECT_EQ("A", Edit(""));
  std::vector<veltounit::Colour> after;
  for (int y = kWindowH - 30; y < kWindowH; ++y)
    for (int x = 0; x < kWindowW; ++x) after.push_back(automation::WindowPixel(x, y));
  EXPECT_EQ(before, after);
  ivxfiles::ResetPictureStore();
}

// ---------------------------------------------------------------- basic editor --

TEST_F(TextBoxes, BasicEditorAppendsAndOffersCompletions) {
  SetAdvancedTextMode(false);
  TextMemory("ADD", "hello world");
  Type("hel");
  Tap(VK_RETURN);  // takes the completion
  Type("s");
  Tap(VK_RETURN);  // no completion: ends
  EXPECT_EQ("hello worlds", Edit(""));

  // Arrows move no caret; Backspace takes the last character.
  Type("ab");
  Tap(VK_LEFT);
  Type("c");
  Tap(VK_BACK);
  Type("d");
  Tap(VK_RETURN);
  EXPECT_EQ("abd", Edit(""));
}

TEST_F(TextBoxes, BasicEditorNeedsThreeCharactersAndNoMask) {
  SetAdvancedTextMode(false);
  TextMemory("ADD", "hello world");
  Type("he");
  Tap(VK_RETURN);
  EXPECT_EQ("he", Edit(""));

  Type("hel");
  Tap(VK_RETURN);
  EXPECT_EQ("hel", Edit("", 200, true));

  // Any other key drops the offer and is handled as usual.
  Type("hel");
  Type("p");
  Tap(VK_RETURN);
  EXPECT_EQ("help", Edit(""));
}

TEST_F(TextBoxes, TheCompletionIsShownInItsOwnColour) {
  SetAdvancedTextMode(false);
  TextMemory("ADD", "hello world");
  const veltounit::Colour suggestion = GetSkinColour("Textbox_Suggestion");
  const int top = kBoxY + 4;
  const int bottom = top + veltounit::TextHeight("A");
  std::vector<int> offered;
  Type("hel");
  LookDuringEdit([&] { offered = ColumnsWith(suggestion, kBoxX, kBoxX + 199, top, bottom); });
  Tap(VK_ESCAPE);
  Edit("");
  ASSERT_FALSE(offered.empty());
  EXPECT_GE(offered.front(), kBoxX + 4 + veltounit::TextWidth("hel") - 1);
  EXPECT_TRUE(ColumnsWith(suggestion, kBoxX, kBoxX + 199, top, bottom).empty()) << "gone after editing";
}

TEST_F(TextBoxes, BasicEditorClipboardKeysWorkOnTheWholeText) {
  SetAdvancedTextMode(false);
  ControlKey('C');
  ControlKey('V');
  Tap(VK_RETURN);
  EXPECT_EQ("abab", Edit("ab"));
  ControlKey('X');
  Tap(VK_RETURN);
  EXPECT_EQ("", Edit("xy"));
  EXPECT_EQ("xy", GetToolkitClipboard());
}

// ------------------------------------------------------------- text box menu --

TEST_F(TextBoxes, TheMenuKeyOpensTheTextBoxMenu) {
  automation::TapKey(VK_APPS);
  Tap(VK_DOWN, 5);  // upcase
  Tap(VK_RETURN);
  Type("x");
  Tap(VK_RETURN);
  EXPECT_EQ("ABC\xC1x", Edit("abc\xE1"));

  automation::TapKey(VK_APPS);
  Tap(VK_DOWN, 7);  // flip
  Tap(VK_RETURN);
  Tap(VK_RETURN);
  EXPECT_EQ("cba", Edit("abc"));

  automation::TapKey(VK_APPS);
  Tap(VK_ESCAPE);  // the menu is cancelled, the editor goes on
  Type("d");
  Tap(VK_RETURN);
  EXPECT_EQ("abcd", Edit("abc"));
}

TEST_F(TextBoxes, AMiddleClickInsideTheBoxOpensTheMenu) {
  automation::Click(kBoxX + 20, kBoxY + 6, 3);
  Tap(VK_DOWN, 4);  // delete
  automation::TapKey(VK_SPACE);
  Tap(VK_RETURN);
  EXPECT_EQ("", Edit("gone"));
}

using TextBoxMenu = TextBoxes;

TEST_F(TextBoxMenu, ItemsAndTheirActions) {
  const std::vector<std::string> expected{"cut",       "copy", "paste",    "delete", "upcase",
                                          "lowercase", "flip", "multiple", "VARNIX"};
  EXPECT_EQ(expected, TextBoxMenuItems());
  std::string clip = "c";
  EXPECT_EQ("", ApplyTextBoxMenuItem(1, "abc", false, clip));
  EXPECT_EQ("abc", clip);
  EXPECT_EQ("abc", automation::ClipboardText());
  EXPECT_EQ("xyz", ApplyTextBoxMenuItem(2, "xyz", false, clip));
  EXPECT_EQ("xyz", clip);
  EXPECT_EQ("xyz", ApplyTextBoxMenuItem(3, "anything", false, clip));
  EXPECT_EQ("", ApplyTextBoxMenuItem(4, "abc", false, clip));
  EXPECT_EQ("ABC", ApplyTextBoxMenuItem(5, "aBc", false, clip));
  EXPECT_EQ("abc \xE1\xF2", ApplyTextBoxMenuItem(6, "ABC \xC1\xD3", false, clip));
  EXPECT_EQ("cba", ApplyTextBoxMenuItem(7, "abc", false, clip));
  EXPECT_EQ("abab", ApplyTextBoxMenuItem(8, "ab", false, clip));
  EXPECT_EQ(std::string(800, 'a'), ApplyTextBoxMenuItem(8, std::string(800, 'a'), false, clip));
  EXPECT_EQ("same", ApplyTextBoxMenuItem(-1, "same", false, clip));
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ClearMessageBoxes();
  EXPECT_EQ("kept", ApplyTextBoxMenuItem(9, "kept", false, clip));
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("VeltoGUI", automation::MessageBoxes()[0].caption);
  EXPECT_EQ("VeltoGUI " + GuiVersion(), automation::MessageBoxes()[0].text);

  // A password never reaches either clipboard.
  clip = "before";
  automation::SetClipboardText("sys");
  EXPECT_EQ("pw", ApplyTextBoxMenuItem(1, "pw", true, clip));
  EXPECT_EQ("pw", ApplyTextBoxMenuItem(2, "pw", true, clip));
  EXPECT_EQ("before", clip);
  EXPECT_EQ("sys", automation::ClipboardText());
}

TEST_F(TextBoxMenu, LowerCaseKnowsGreekAndTheFinalSigma) {
  EXPECT_EQ("\xF3\xE1\xF2 \xF3", LowerCaseText("\xD3\xC1\xD3 \xD3"));
  EXPECT_EQ("\xDC\xDD\xDE\xDF\xFC\xFD\xFE", LowerCaseText("\xA2\xB8\xB9\xBA\xBC\xBE\xBF"));
  EXPECT_EQ("abc 123 \xFA", LowerCaseText("ABC 123 \xFA"));
}

// ----------------------------------------------------------------- pop-up menu --

class PopupMenus : public TextBoxes {};

const std::vector<std::string> kItems{"first", "second", "third"};

TEST_F(PopupMenus, ArrowsWalkAroundAndEnterOrSpaceChoose) {
  Tap(VK_DOWN, 2);
  Tap(VK_RETURN);
  EXPECT_EQ(2, PopupMenu(kItems, 3, 50, 50));
  Tap(VK_UP);  // from nothing chosen to the last item
  automation::TapKey(VK_SPACE);
  EXPECT_EQ(3, PopupMenu(kItems, 3, 50, 50));
  Tap(VK_DOWN, 4);  // past the end and round to the first
  Tap(VK_RETURN);
  EXPECT_EQ(1, PopupMenu(kItems, 3, 50, 50));
  Tap(VK_RETURN);  // nothing chosen yet
  EXPECT_EQ(-1, PopupMenu(kItems, 3, 50, 50));
  Tap(VK_DOWN);
  Tap(VK_ESCAPE);
  EXPECT_EQ(-1, PopupMenu(kItems, 3, 50, 50));
}

TEST_F(PopupMenus, AClickChoosesTheItemUnderItOrCancelsBesideTheMenu) {
  const int line = veltounit::TextHeight("A") + 2;
  automation::Click(60, 50 + 3 + line + line / 2);
  EXPECT_EQ(2, PopupMenu(kItems, 3, 50, 50));
  automation::Click(5, 5);
  EXPECT_EQ(-1, PopupMenu(kItems, 3, 50, 50));
  EXPECT_EQ(-1, PopupMenu(kItems, 0, 50, 50));
  EXPECT_EQ(-1, PopupMenu({}, 5, 50, 50));
}

TEST_F(PopupMenus, RestoresWhatItCovered) {
  veltounit::FillRectangle(0, 0, kWindowW - 1, kWindowH - 1, veltounit::MakeColour(5, 6, 7),
                           veltounit::MakeColour(5, 6, 7));
  veltounit::OutTextXY(250, 150, "under");
  std::vector<veltounit::Colour> before;
  for (int y = 0; y < kWindowH; ++y)
    for (int x = 0; x < kWindowW; ++x) before.push_back(automation::WindowPixel(x, y));
  Tap(VK_DOWN);
  Tap(VK_DOWN);
  Tap(VK_RETURN);
  EXPECT_EQ(2, PopupMenu(kItems, 3, 240, 140));
  std::vector<veltounit::Colour> after;
  for (int y = 0; y < kWindowH; ++y)
    for (int x = 0; x < kWindowW; ++x) after.push_back(automation::WindowPixel(x, y));
  EXPECT_EQ(before, after);
}

TEST_F(PopupMenus, IsPlacedWholeInsideTheWindowAndHighlightsTheChosenItem) {
  const MenuBox corner = PlaceMenu(kItems, 3, 310, 190);
  EXPECT_EQ(3, corner.count);
  EXPECT_LE(corner.left + corner.width, kWindowW);
  EXPECT_LE(corner.top + corner.height, kWindowH);
  EXPECT_GE(corner.width, veltounit::TextWidth("second"));
  EXPECT_GE(corner.height, 3 * veltounit::TextHeight("A"));
  const MenuBox asked = PlaceMenu(kItems, 3, 40, 30);
  EXPECT_EQ(40, asked.left);
  EXPECT_EQ(30, asked.top);
  EXPECT_EQ(2, PlaceMenu(kItems, 2, 0, 0).count);
  EXPECT_EQ(3, PlaceMenu(kItems, 99, 0, 0).count);

  DrawMenu(kItems, asked, 2);
  const veltounit::Colour border = GetSkinColour("Window_Border");
  const veltounit::Colour fill = GetSkinColour("Window_Background");
  const veltounit::Colour active = GetSkinColour("Menu_Active");
  EXPECT_EQ(border, automation::WindowPixel(asked.left, asked.top));
  EXPECT_EQ(border, automation::WindowPixel(asked.left + asked.width - 1, asked.top + asked.height - 1));
  const int row1 = asked.top + 3 + asked.lineHeight / 2;
  const int row2 = row1 + asked.lineHeight;
  const int row3 = row2 + asked.lineHeight;
  const int x = asked.left + asked.width - 4;  // right of every caption
  EXPECT_EQ(fill, automation::WindowPixel(x, row1));
  EXPECT_EQ(active, automation::WindowPixel(x, row2));
  EXPECT_EQ(fill, automation::WindowPixel(x, row3));
  EXPECT_EQ(1, MenuItemAt(asked, x, row1));
  EXPECT_EQ(3, MenuItemAt(asked, x, row3));
  EXPECT_EQ(0, MenuItemAt(asked, asked.left - 1, row1));
  EXPECT_EQ(0, MenuItemAt(asked, x, asked.top + asked.height + 2));
}

// ------------------------------------------------- boxes on a screen, clicked --

// A screen of two text boxes, a password box and a button, edited by clicking
// them as a person does: the keys are waiting before the click is handled.
class TextBoxObjects : public guitest::GuiTest {
 protected:
  void SetUp() override {
    // The idle timer of an earlier test must not meet this test's clock.
    Gui().idleTimerStart = 0;
    guitest::GuiTest::SetUp();
    StartWithSkin();
    SetToolkitClipboard("");
    TextMemory("CLEAR", "");
    CreateObject("first", "TEXTBOX", "start", "", "", "", 40, 40, 240, -1);
    CreateObject("label", "LABEL", "Name:", "", "", "", 260, 40, -1, -1);
    CreateObject("pw", "TEXTBOX-PASSWORD", "secret", "", "", "", 40, 100, 240, -1);
    CreateObject("second", "TEXTBOX", "", "", "", "", 40, 160, 240, -1);
    CreateObject("ok", "BUTTON", "1", "", "", "", 40, 220, -1, -1);
    DrawAllObjects();
  }
  void TearDown() override {
    TextMemory("CLEAR", "");
    guitest::GuiTest::TearDown();
  }
  // Moves onto the object and clicks it; the keys queued by `keys` are
  // waiting when the editor starts.
  void ClickWithKeys(const std::string& name, const std::function<void()>& keys) {
    MoveTo(GetObjectX1(name) + 10, GetObjectY1(name) + 5);
    automation::PressButton(1);
    automation::ReleaseButton(1);
    keys();
    Passes();
  }
};

TEST_F(TextBoxObjects, EnterStoresTheTypedTextAndEscapeKeepsTheOldOne) {
  ClickWithKeys("first", [] {
    Type(" here");
    Tap(VK_RETURN);
  });
  EXPECT_EQ("start here", GetObjectValue("first"));
  EXPECT_EQ("first", GetActivatedObject());

  ClickWithKeys("first", [] {
    Tap(VK_BACK, 4);
    Type("zz");
    Tap(VK_ESCAPE);
  });
  EXPECT_EQ("start here", GetObjectValue("first"));
}

TEST_F(TextBoxObjects, AClickOutsideEndsEditingAndKeepsTheText) {
  ClickWithKeys("second", [] {
    Type("typed");
    automation::MoveMouse(400, 300);
    automation::PressButton(1);
    automation::ReleaseButton(1);
    // The pointer's place is read when the toolkit's pass runs: it must still
    // be over the box then, or the first click would miss it.
    automation::MoveMouse(GetObjectX1("second") + 10, GetObjectY1("second") + 5);
  });
  EXPECT_EQ("typed", GetObjectValue("second"));
  // The box shows its new text: text-coloured pixels inside it.
  EXPECT_GT(CountPixels(GetObjectX1("second") + 2, GetObjectY1("second") + 2, GetObjectX2("second") - 2,
                        GetObjectY2("second") - 2, GetSkinColour("Textbox_Text")),
            0);
}

TEST_F(TextBoxObjects, ControlXInAPasswordBoxDoesNothing) {
  SetToolkitClipboard("clip");
  ClickWithKeys("pw", [] {
    ControlKey('X');
    Tap(VK_RETURN);
  });
  EXPECT_EQ("secret", GetObjectValue("pw"));
  EXPECT_EQ("clip", GetToolkitClipboard());
  // The same keys in a plain box cut its text.
  ClickWithKeys("first", [] {
    ControlKey('X');
    Tap(VK_RETURN);
  });
  EXPECT_EQ("", GetObjectValue("first"));
  EXPECT_EQ("start", GetToolkitClipboard());
}

TEST_F(TextBoxObjects, TabLeavesTheBoxAndMovesTheFocusOn) {
  ClickWithKeys("first", [] {
    Type("x");
    Tap(VK_TAB);
  });
  EXPECT_EQ("startx", GetObjectValue("first"));
  // The label is skipped: the password box is next.
  EXPECT_EQ("pw", GetFocusedObjectName());
}

TEST_F(TextBoxObjects, GreekTypingWithTheStressMark) {
  Key(VK_F1);  // the toolkit's language key
  ClickWithKeys("second", [] {
    automation::TapKey(VK_OEM_1);
    Type("a");
    Type("b");
    Tap(VK_RETURN);
  });
  EXPECT_EQ("\xDC\xE2", GetObjectValue("second"));
}

TEST_F(TextBoxObjects, BasicModeCompletesFromTheTextMemory) {
  TextMemory("ADD", "Nine men's morris");
  automation::ScriptMessageBoxAnswer(IDOK);
  Key(VK_F2);  // to basic mode, with its message
  ASSERT_FALSE(AdvancedTextMode());
  ClickWithKeys("second", [] {
    Type("men");
    Tap(VK_RETURN);  // takes "'s morris"
    Tap(VK_RETURN);  // ends
  });
  EXPECT_EQ("men's morris", GetObjectValue("second"));
}

// Saves the window as a PNG into the folder named by TRIVANE_SHOT_DIR, when
// set, so a person can look at what the test saw.
void KeepShot(const std::string& name) {
  if (const char* folder = std::getenv("TRIVANE_SHOT_DIR")) {
    EXPECT_TRUE(automation::SaveWindowPng(std::string(folder) + "/" + name));
  }
}

TEST_F(TextBoxObjects, WhileEditingTheBoxIsFramedAndShowsTheCompletion) {
  SetAdvancedTextMode(false);
  TextMemory("ADD", "hello world");
  std::vector<int> offered;
  int frame = 0;
  const int x1 = GetObjectX1("first");
  const int y1 = GetObjectY1("first");
  const int x2 = GetObjectX2("first");
  const int y2 = GetObjectY2("first");
  ClickWithKeys("first", [&] {
    Tap(VK_BACK, 5);
    Type("hel");
    LookDuringEdit([&] {
      offered = ColumnsWith(GetSkinColour("Textbox_Suggestion"), x1, x2, y1, y2);
      frame = CountPixels(x1, y1, x2, y1 + 1, GetSkinColour("Button_Active_Text"));
      KeepShot("textbox_editing.png");
    });
    Tap(VK_RETURN);
    Tap(VK_RETURN);
  });
  EXPECT_EQ("hello world", GetObjectValue("first"));
  EXPECT_FALSE(offered.empty());
  EXPECT_GT(frame, (x2 - x1) / 2) << "the edited box is framed in the active colour";
  SetAdvancedTextMode(true);

  // The menu and the modifier strip, drawn as the editor draws them.
  const MenuBox box = PlaceMenu(TextBoxMenuItems(), 9, 300, 120);
  DrawMenu(TextBoxMenuItems(), box, 3);
  ShowModifierKeys(true, true, false, "V");
  KeepShot("textbox_menu_and_strip.png");
  EXPECT_EQ(GetSkinColour("Menu_Active"),
            automation::WindowPixel(box.left + box.width - 4, box.top + 3 + 2 * box.lineHeight + 2));
}

}  // namespace
