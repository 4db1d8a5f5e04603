// Keyboard and pointer state, and the pointers themselves.
#include <cstdio>
#include <fstream>

#include "fixture.h"

namespace {

using Input = HeadlessWindow;

TEST_F(Input, KeysReachTheProcedureWithVirtualKeyCodes) {
  Drain();
  SeenMessages().clear();
  automation::PressKey('A');
  EXPECT_NE(GetAsyncKeyState('A'), 0);
  EXPECT_EQ(GetKeyState('A'), 0) << "the key's message has not been taken yet";
  Drain();
  EXPECT_LT(GetKeyState('A'), 0);
  automation::ReleaseKey('A');
  EXPECT_EQ(GetAsyncKeyState('A'), 0);
  automation::TapKey(VK_F1);
  Drain();
  std::vector<UINT> names;
  for (const Seen& s : SeenMessages()) names.push_back(s.message);
  EXPECT_EQ(names, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_KEYUP}));
  EXPECT_EQ(SeenMessages()[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(SeenMessages()[1].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(SeenMessages()[3].wParam, static_cast<WPARAM>(VK_F1));
}

TEST_F(Input, CapitalLockIsReportedByGetKeyState) {
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
  automation::SetCapsLock(true);
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
  automation::PressKey(VK_CAPITAL);  // pressing the key turns it off, and it is held
  Drain();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
  EXPECT_LT(GetKeyState(VK_CAPITAL), 0);
  automation::ReleaseKey(VK_CAPITAL);
  automation::TapKey(VK_CAPITAL);
  Drain();
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
  Drain();
  SeenMessages().clear();
  automation::TapKey('B');
  Drain();
  ASSERT_GE(SeenMessages().size(), 2u);
  EXPECT_EQ(SeenMessages()[1].message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(SeenMessages()[1].wParam, static_cast<WPARAM>('B'));
}

// Ctrl (or Shift) released before the program reads the key it went with:
// the release waits in the queue, so the key is still read as Ctrl+key, and
// the desktop's own view already has Ctrl up.
TEST_F(Input, ModifiersAreReadAsOfTheMessageTakenNotAsTheDesktopHasThemNow) {
  Drain();
  SeenMessages().clear();
  automation::PressKey(VK_CONTROL);
  automation::TapKey(VK_OEM_MINUS);
  automation::ReleaseKey(VK_CONTROL);
  automation::PressKey(VK_SHIFT);
  automation::TapKey('K');
  automation::ReleaseKey(VK_SHIFT);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
  MSG m;
  bool minusSeen = false;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (m.message == WM_KEYDOWN && m.wParam == VK_OEM_MINUS) {
      minusSeen = true;
      EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "Ctrl's queued release was applied before the key was read";
    }
    if (m.message == WM_KEYDOWN && m.wParam == 'K') {
      EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    }
  }
  EXPECT_TRUE(minusSeen);
  EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  bool upperK = false;
  for (const Seen& s : SeenMessages()) upperK = upperK || (s.message == WM_CHAR && s.wParam == 'K');
  EXPECT_TRUE(upperK) << "Shift released behind the key did not type a capital";
}

TEST_F(Input, PointerPositionIsInWindowCoordinates) {
  automation::MoveMouse(42, 17);
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 42);
  EXPECT_EQ(p.y, 17);
  Drain();
  SeenMessages().clear();
  ASSERT_TRUE(SetCursorPos(3, 4));
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 3);
  Drain();
  ASSERT_EQ(SeenMessages().size(), 2u);  // moving the pointer is a mouse move
  EXPECT_EQ(SeenMessages()[1].message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(GET_X_LPARAM(SeenMessages()[1].lParam), 3);
}

TEST_F(Input, KeyboardLayoutNameIsEightHexDigits) {
  char name[KL_NAMELENGTH] = {};
  ASSERT_TRUE(GetKeyboardLayoutNameA(name));
  EXPECT_STREQ(name, "00000409");
  automation::SetKeyboardLayout("00000408");
  GetKeyboardLayoutNameA(name);
  EXPECT_STREQ(name, "00000408");
}

// A cursor file: one 32 x 32 image, 1 bit per pixel, with its AND mask.
std::vector<unsigned char> MonoCursor(int hotX, int hotY) {
  std::vector<unsigned char> f;
  auto u16 = [&f](unsigned v) {
    f.push_back(v & 0xFF);
    f.push_back((v >> 8) & 0xFF);
  };
  auto u32 = [&f](unsigned v) {
    for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF);
  };
  const unsigned rowBytes = 4, size = 40 + 8 + 32 * rowBytes * 2;
  u16(0), u16(2), u16(1);
  f.push_back(32), f.push_back(32), f.push_back(2), f.push_back(0);
  u16(hotX), u16(hotY), u32(size), u32(22);
  u32(40), u32(32), u32(64), u16(1), u16(1), u32(0), u32(0), u32(0), u32(0), u32(2), u32(0);
  u32(0x00000000), u32(0x00FFFFFF);  // palette: black, white
  // Colour rows, bottom first: the top row (last in the file) is white on the left half.
  for (int row = 0; row < 32; ++row) {
    bool top = row == 31;
    f.push_back(top ? 0xFF : 0), f.push_back(top ? 0xFF : 0), f.push_back(0), f.push_back(0);
  }
  // Mask rows: the right half is transparent.
  for (int row = 0; row < 32; ++row) f.push_back(0), f.push_back(0), f.push_back(0xFF), f.push_back(0xFF);
  return f;
}

std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return name;
}

TEST_F(Input, CursorFilesAreReadWithTheirHotSpot) {
  WriteFile("test_pointer.cur", MonoCursor(5, 7));
  HCURSOR c = LoadCursorFromFileA("test_pointer.cur");
  ASSERT_NE(c, nullptr);
  automation::CursorInfo info;
  ASSERT_TRUE(automation::DescribeCursor(c, &info));
  EXPECT_EQ(info.width, 32);
  EXPECT_EQ(info.height, 32);
  EXPECT_EQ(info.hotX, 5);
  EXPECT_EQ(info.hotY, 7);
  EXPECT_FALSE(info.system);
  EXPECT_EQ(info.argb[0], 0xFFFFFFFFu);       // top row, left: white
  EXPECT_EQ(info.argb[32 + 0], 0xFF000000u);  // second row, left: black
  EXPECT_EQ(info.argb[31], 0x00000000u);      // right half: transparent
  EXPECT_EQ(SetCursor(c), nullptr);
  EXPECT_EQ(automation::CurrentCursor(), c);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(SetCursor(arrow), c);
  ASSERT_TRUE(automation::DescribeCursor(arrow, &info));
  EXPECT_TRUE(info.system);
  EXPECT_TRUE(DestroyCursor(c));
  std::remove("test_pointer.cur");
}

TEST_F(Input, DamagedCursorFilesAreRefused) {
  std::vector<unsigned char> good = MonoCursor(1, 1);
  EXPECT_EQ(LoadCursorFromFileA("no/such/pointer.cur"), nullptr);
  for (size_t cut : {0u, 5u, 21u, 40u, 100u, 300u}) {
    std::vector<unsigned char> part(good.begin(),
                                    good.begin() + static_cast<std::ptrdiff_t>(std::min(cut, good.size())));
    WriteFile("damaged.cur", part);
    EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr) << cut;
  }
  std::vector<unsigned char> bad = good;
  bad[18] = 0xF0;  // image offset far beyond the file
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  bad = good;
  bad[22 + 4] = 0x00, bad[22 + 5] = 0x10;  // width 4096
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  bad = good;
  bad[18] = 6;  // the image said to start inside the directory
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  bad = good;
  bad[4] = 0xFF, bad[5] = 0xFF;  // 65535 images: a directory longer than the file
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  bad = good;
  bad[14] = 0xFF, bad[15] = 0xFF, bad[16] = 0xFF, bad[17] = 0xFF;  // image bytes past the end
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  bad = good;
  bad[22] = 0xFF, bad[23] = 0xFF, bad[24] = 0xFF, bad[25] = 0x7F;  // header size past the image
  WriteFile("damaged.cur", bad);
  EXPECT_EQ(LoadCursorFromFileA("damaged.cur"), nullptr);
  std::remove("damaged.cur");
}

}  // namespace
