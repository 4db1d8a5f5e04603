// Key names with the capital-letters lock, the Greek keyboard language, Greek
// upper-casing and stress marks, the desktop's layout, and the line editor.
#include <iterator>

#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

using Keyboard = WindowTest;

TEST_F(Keyboard, NamesFollowTheCapitalLettersLock) {
  automation::SetCapsLock(false);
  EXPECT_EQ("a", KeyName('A'));
  EXPECT_EQ("enter", KeyName(13));
  EXPECT_EQ("left arrow", KeyName(37));
  EXPECT_EQ("f12", KeyName(123));
  EXPECT_EQ(" ", KeyName(32));
  EXPECT_EQ("7", KeyName(103));  // numeric pad
  EXPECT_EQ("\\", KeyName(108));
  EXPECT_EQ("'", KeyName(222));
  EXPECT_EQ("windows", KeyName(91));
  EXPECT_EQ("", KeyName(92));
  EXPECT_EQ("", KeyName(3));
  EXPECT_EQ("", KeyName(-1));
  EXPECT_EQ("", KeyName(100000));

  automation::SetCapsLock(true);
  EXPECT_EQ("A", KeyName('A'));
  EXPECT_EQ("ENTER", KeyName(13));
  EXPECT_EQ("F1", KeyName(112));
  EXPECT_EQ("0", KeyName('0'));
  // Held down, the lock key's state is not exactly 1: lower case again.
  automation::PressKey(VK_CAPITAL);
  DrainMessages();
  EXPECT_EQ("a", KeyName('A'));
}

TEST_F(Keyboard, GreekLanguageTurnsLetterKeysIntoGreekLetters) {
  SetKeyboardLanguage("Greek");
  EXPECT_EQ("greek", GetKeyboardLanguage());
  automation::SetCapsLock(false);
  EXPECT_EQ("\xE1", KeyName('A'));
  EXPECT_EQ(";", KeyName('Q'));
  EXPECT_EQ("\xF2", KeyName('W'));
  EXPECT_EQ("\xF8", KeyName('C'));
  EXPECT_EQ("\xE6", KeyName('Z'));
  EXPECT_EQ("5", KeyName('5'));     // not a letter
  EXPECT_EQ("enter", KeyName(13));  // not one character
  automation::SetCapsLock(true);
  EXPECT_EQ("\xC1", KeyName('A'));
  EXPECT_EQ(":", KeyName('Q'));
  EXPECT_EQ("\xD3", KeyName('W'));
  EXPECT_EQ("\xD9", KeyName('V'));

  SetKeyboardLanguage("klingon");
  EXPECT_EQ("english", GetKeyboardLanguage());
  EXPECT_EQ("A", KeyName('A'));
}

TEST(GreekText, UpperCaseAndStressMarks) {
  EXPECT_EQ("\xD3", UpperCaseText("\xF2"));  // final sigma
  EXPECT_EQ("\xFA", UpperCaseText("\xFA"));  // with dialytika: unchanged
  EXPECT_EQ("ABC \xC1\xD9\xA2\xBF 1!", UpperCaseText("abc \xE1\xF9\xDC\xFE 1!"));
  EXPECT_EQ("\xD1\xD3\xD4", UpperCaseText("\xF1\xF3\xF4"));

  EXPECT_EQ("\xDC\xEB\xF6\xE1", AccentFirstLetter("\xE1\xEB\xF6\xE1"));
  EXPECT_EQ("\xBF", AccentFirstLetter("\xD9"));
  EXPECT_EQ("\xE2\xE1", AccentFirstLetter("\xE2\xE1"));  // beta takes no mark
  EXPECT_EQ("", AccentFirstLetter(""));
}

TEST_F(Keyboard, SystemLanguageComesFromTheDesktopLayout) {
  automation::SetKeyboardLayout("00000409");
  EXPECT_EQ("english", SystemKeyboardLanguage());
  automation::SetKeyboardLayout("00000408");
  EXPECT_EQ("greek", SystemKeyboardLanguage());
  automation::SetKeyboardLayout("00000407");
  EXPECT_EQ("00000407", SystemKeyboardLanguage());
  SetKeyboardLanguage("english");
  EXPECT_EQ("english", GetKeyboardLanguage());  // asking changed nothing
}

void Type(std::initializer_list<int> keys) {
  for (int key : keys) automation::TapKey(key);
}

TEST_F(Keyboard, ReadTextLineEditsAndErasesWhatItTook) {
  SetFontByName("arial", "greek", 20, 400, 0, 0);
  SetTextCursor(10, 30);
  Type({'H', 'I', 'J', VK_BACK, VK_BACK, 'O', VK_F2, VK_RETURN});
  EXPECT_EQ("ho", ReadTextLine());
  EXPECT_EQ(30 + TextHeight("ho") + 1, TextCursorY());

  // The picture is that of "ho" alone: the erased letters left nothing.
  std::vector<COLORREF> typed;
  for (int y = 30; y < 55; ++y)
    for (int x = 0; x < 60; ++x) typed.push_back(ReadPixel(x, y));
  ClearWindowColour(MakeColour(0, 0, 0));
  OutTextXY(10, 30, "ho");
  std::vector<COLORREF> drawn;
  for (int y = 30; y < 55; ++y)
    for (int x = 0; x < 60; ++x) drawn.push_back(ReadPixel(x, y));
  EXPECT_EQ(drawn, typed);
}

TEST_F(Keyboard, ReadTextLineSwitchesToGreekWithF1) {
  SetFontByName("arial", "greek", 20, 400, 0, 0);
  SetKeyboardLanguage("english");
  Type({'A', VK_F1, 'A', 'W', VK_F1, 'A', VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_RETURN});
  EXPECT_EQ("", ReadTextLine());
  Type({'A', VK_F1, 'A', 'W', VK_F1, 'A', VK_SPACE, VK_RETURN});
  EXPECT_EQ(
      "a\xE1\xF2"
      "a ",
      ReadTextLine());
  EXPECT_EQ("ENGLISH", GetKeyboardLanguage());
}

// Keys that arrive while the line is being read (a person typing) are taken
// as they come; the editor sleeps between them instead of spinning.
TEST_F(Keyboard, ReadTextLineWaitsForKeysTypedLater) {
  const int keys[] = {'O', 'K', VK_RETURN};
  size_t next = 0;
  int waits = 0;
  automation::SetIdleHandler([&] {
    ++waits;
    if (next >= std::size(keys)) return false;
    automation::TapKey(keys[next++]);
    return true;
  });
  EXPECT_EQ("ok", ReadTextLine());
  EXPECT_EQ(3, waits);  // one wait per key, none after the Enter
}

TEST_F(Keyboard, ReadTextLineWithNobodyToTypeFailsInsteadOfHanging) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  automation::TapKey('A');
  EXPECT_DEATH(ReadTextLine(), "WaitMessage would wait");
}

}  // namespace
}  // namespace gfxtest
