// The polled mouse and key state: each event reported once, WM_SETCURSOR
// clearing pending buttons, button numbers, and the key-reading operations.
#include <cstdio>
#include <filesystem>

#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

using Input = WindowTest;

TEST_F(Input, AClickIsReportedOnce) {
  automation::PressButton(1);
  EXPECT_EQ(BUTTON_PRESSED, GetMouseButton(1));
  EXPECT_EQ(NO_EVENT, GetMouseButton(1));
  automation::ReleaseButton(1);
  EXPECT_EQ(BUTTON_RELEASED, GetMouseButton(1));
  EXPECT_EQ(NO_EVENT, GetMouseButton(1));

  automation::PressButton(2);
  automation::PressButton(3);
  EXPECT_EQ(NO_EVENT, GetMouseButton(3));  // the one message taken was the right button's
  EXPECT_EQ(BUTTON_PRESSED, GetMouseButton(2));
  EXPECT_EQ(BUTTON_PRESSED, GetMouseButton(3));
  EXPECT_EQ(NO_EVENT, GetMouseButton(2));
}

TEST_F(Input, SetCursorBetweenPressAndReadClearsThePress) {
  automation::PressButton(1);
  EXPECT_EQ(NO_EVENT, GetMouseButton(2));  // takes the left press on the way
  automation::MoveMouse(40, 50);           // brings WM_SETCURSOR first
  EXPECT_EQ(NO_EVENT, GetMouseButton(3));
  EXPECT_EQ(NO_EVENT, GetMouseButton(1));

  automation::PressButton(2);
  DrainMessages();
  ClearMouseButtons();
  EXPECT_EQ(NO_EVENT, GetMouseButton(2));
}

TEST_F(Input, OutOfRangeButtonNumbersReadTheLeftButton) {
  for (int button : {0, 7, -2, 4}) {
    automation::PressButton(1);
    EXPECT_EQ(BUTTON_PRESSED, GetMouseButton(button)) << button;
    automation::PressButton(2);
    EXPECT_EQ(NO_EVENT, GetMouseButton(button)) << button;
    EXPECT_EQ(BUTTON_PRESSED, GetMouseButton(2));
  }
}

TEST_F(Input, MousePositionIsInWindowPixels) {
  automation::MoveMouse(33, 44);
  DrainMessages();
  EXPECT_EQ(33, GetMouseX());
  EXPECT_EQ(44, GetMouseY());
  SetMousePosition(70, 80);
  EXPECT_EQ(70, GetMouseX());
  EXPECT_EQ(80, GetMouseY());
}

TEST_F(Input, PumpMessagesWithNothingToDoReturnsOneWithoutPumping) {
  automation::PressButton(1);
  automation::ReleaseButton(1);
  automation::PressButton(2);
  EXPECT_EQ(3, automation::PendingMessages());
  EXPECT_EQ(1, PumpMessages(0));
  EXPECT_EQ(1, PumpMessages(-3));
  EXPECT_EQ(3, automation::PendingMessages());
  EXPECT_EQ(2, PumpMessages(2));
  EXPECT_EQ(1, automation::PendingMessages());
  EXPECT_EQ(BUTTON_RELEASED, GetMouseButton(1));  // the last one of the two taken
}

TEST_F(Input, ReadKeyWithNothingPendingIsEmptyAndZeroesTheCode) {
  SetLastKeyCode(77);
  EXPECT_EQ(77, GetLastKeyCode());
  EXPECT_EQ("", ReadKey());
  EXPECT_EQ(0, GetLastKeyCode());
}

TEST_F(Input, ReadKeyNamesOnePendingKey) {
  automation::PressKey('A');
  EXPECT_EQ("a", ReadKey());
  EXPECT_EQ('A', GetLastKeyCode());
  // The character message that translation made of it is not a key.
  EXPECT_EQ("", ReadKey());
  EXPECT_EQ(0, GetLastKeyCode());

  automation::PressKey(92);  // a key without a name still sets the code
  EXPECT_EQ("", ReadKey());
  EXPECT_EQ(92, GetLastKeyCode());
}

// A program polls the mouse and then the keys, one message each: a key that
// the mouse poll let through is still read, once.
TEST_F(Input, KeyTakenByTheMousePollIsStillRead) {
  automation::TapKey(VK_ESCAPE);
  EXPECT_EQ(NO_EVENT, GetMouseButton(1));  // takes the key-down
  EXPECT_EQ("escape", ReadKey());
  EXPECT_EQ(VK_ESCAPE, GetLastKeyCode());
  for (int pass = 0; pass < 3; ++pass) {  // the character and the key-up are no keys
    GetMouseButton(1);
    EXPECT_EQ("", ReadKey()) << pass;
  }

  automation::PressKey('A');
  EXPECT_EQ(0, IsKeyDown('B'));  // this poll takes the key-down too
  EXPECT_EQ("a", ReadKey());
  DrainMessages();
}

// A busy pass whose polls take several messages: Ctrl+minus twice, with
// Ctrl let go, all taken before the first key is read.  Both keys are read,
// in order, each with the Ctrl it was pressed with.
TEST_F(Input, KeysTakenBeforeTheFirstIsReadWaitTheirTurnWithTheirCtrl) {
  automation::PressKey(VK_CONTROL);
  automation::TapKey(VK_OEM_MINUS);
  automation::TapKey(VK_OEM_MINUS);
  automation::ReleaseKey(VK_CONTROL);
  automation::TapKey('Q');
  for (int poll = 0; poll < 12; ++poll) GetMouseButton(1);
  ReadKey();
  EXPECT_EQ(VK_CONTROL, GetLastKeyCode());
  for (int n = 0; n < 2; ++n) {
    ReadKey();
    EXPECT_EQ(VK_OEM_MINUS, GetLastKeyCode()) << n;
    EXPECT_TRUE(LastKeyCodeHadControl()) << n;
  }
  EXPECT_EQ("q", ReadKey());
  EXPECT_FALSE(LastKeyCodeHadControl());
  EXPECT_EQ("", ReadKey());
  DrainMessages();
}

TEST_F(Input, WaitForKeySkipsOtherMessages) {
  automation::MoveMouse(5, 5);
  automation::PressButton(1);
  automation::PressKey(VK_RETURN);
  EXPECT_EQ("enter", WaitForKey());
  EXPECT_EQ(VK_RETURN, GetLastKeyCode());

  automation::TapKey('X');
  automation::TapKey(VK_F5);
  automation::TapKey(VK_ESCAPE);
  WaitForNamedKey("Escape");
  EXPECT_EQ(VK_ESCAPE, GetLastKeyCode());
}

TEST_F(Input, PumpAndCheckKeyTellsKeysFromOtherMessages) {
  automation::MoveMouse(9, 9);
  automation::PressKey('Q');
  int keys = 0;
  int others = 0;
  while (automation::PendingMessages() > 0) (PumpAndCheckKey() == 1 ? keys : others)++;
  EXPECT_EQ(1, keys);
  EXPECT_GE(others, 1);
}

TEST_F(Input, IsKeyDownFollowsTheKeyboard) {
  automation::PressKey(VK_SHIFT);
  EXPECT_EQ(1, IsKeyDown(VK_SHIFT));
  automation::ReleaseKey(VK_SHIFT);
  DrainMessages();
  EXPECT_EQ(0, IsKeyDown(VK_SHIFT));
}

TEST_F(Input, PointerFileKeepsTheCurrentPointerWhenTheFileIsMissing) {
  SetPointerFile("arrow");
  const HCURSOR arrow = automation::CurrentCursor();
  automation::CursorInfo info;
  ASSERT_TRUE(automation::DescribeCursor(arrow, &info));
  EXPECT_TRUE(info.system);
  SetPointerFile("Pointers\\no such pointer.cur");
  EXPECT_EQ(arrow, automation::CurrentCursor());
}

// A 32 x 32 two-colour pointer file with its hot spot at (hotX, hotY).
void WritePointerFile(const std::string& path, int hotX, int hotY) {
  std::vector<unsigned char> bytes;
  auto put16 = [&bytes](int v) {
    bytes.push_back(static_cast<unsigned char>(v));
    bytes.push_back(static_cast<unsigned char>(v >> 8));
  };
  auto put32 = [&](int v) {
    put16(v & 0xFFFF);
    put16((v >> 16) & 0xFFFF);
  };
  put16(0), put16(2), put16(1);               // file header: a pointer file of one image
  bytes.insert(bytes.end(), {32, 32, 2, 0});  // size, colours
  put16(hotX), put16(hotY), put32(40 + 8 + 128 + 128), put32(22);
  put32(40), put32(32), put32(64), put16(1), put16(1);  // bitmap header: colour and mask rows
  for (int i = 0; i < 6; ++i) put32(0);
  put32(0), put32(0x00FFFFFF);                                              // black and white
  for (int i = 0; i < 128; ++i) bytes.push_back(i % 4 == 0 ? 0xF0 : 0x00);  // colour rows
  for (int i = 0; i < 128; ++i) bytes.push_back(i < 64 ? 0x00 : 0xFF);      // mask rows
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  ASSERT_EQ(0, std::fclose(file));
  ASSERT_EQ(bytes.size(), written);
}

TEST_F(Input, PointerFileBecomesThePointer) {
  const std::string path = (std::filesystem::temp_directory_path() / "veltounit_pointer.cur").string();
  WritePointerFile(path, 5, 7);
  SetPointerFile(path);
  automation::CursorInfo info;
  ASSERT_TRUE(automation::DescribeCursor(automation::CurrentCursor(), &info));
  EXPECT_FALSE(info.system);
  EXPECT_EQ(32, info.width);
  EXPECT_EQ(5, info.hotX);
  EXPECT_EQ(7, info.hotY);
  SetPointerFile("ARROW");
  ASSERT_TRUE(automation::DescribeCursor(automation::CurrentCursor(), &info));
  EXPECT_TRUE(info.system);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace gfxtest
