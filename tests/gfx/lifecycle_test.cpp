// Making the window (styles, sizes) and the three ways the process ends:
// class registration failing, the window being closed, and CloseMainWindow.
#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

std::vector<int> g_endCodes;
void RecordEnd(int code) { g_endCodes.push_back(code); }

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::Reset();
    automation::SetHeadless(true);
    automation::SetVirtualTime(true);
    automation::SetScreenSize(640, 480);
    g_endCodes.clear();
    SetProcessEndHook(RecordEnd);
  }
  void TearDown() override { SetProcessEndHook(nullptr); }
};

TEST_F(Lifecycle, StyleCodesBecomeWindowStyles) {
  const struct {
    int code;
    DWORD style;
    DWORD exStyle;
  } codes[] = {
      {0, WS_POPUP, 0},
      {1, WS_BORDER, 0},
      {2, 2, 0},
      {3, WS_THICKFRAME, 0},
      {4, WS_POPUP, WS_EX_TRANSPARENT},
      {5, WS_POPUP, WS_EX_TOOLWINDOW},
      {6, WS_MAXIMIZE | WS_BORDER, 0},
      {7, WS_POPUP | WS_MAXIMIZE, WS_EX_TRANSPARENT},
      {static_cast<int>(WS_CAPTION | WS_VISIBLE), WS_CAPTION, 0},
  };
  for (const auto& c : codes) {
    automation::Reset();
    automation::SetHeadless(true);
    ASSERT_EQ(1, CreateMainWindow("style " + std::to_string(c.code), 120, 90, c.code));
    EXPECT_EQ(c.style | WS_VISIBLE, static_cast<DWORD>(GetWindowLongA(WindowHandle(), GWL_STYLE))) << c.code;
    EXPECT_EQ(c.exStyle, static_cast<DWORD>(GetWindowLongA(WindowHandle(), GWL_EXSTYLE))) << c.code;
    EXPECT_TRUE(IsWindowVisible(WindowHandle()));
  }
  EXPECT_TRUE(g_endCodes.empty());
}

TEST_F(Lifecycle, SizeZeroIsTheScreenPlusABorder) {
  ASSERT_EQ(1, CreateMainWindow("full screen", 0, 0, 0));
  EXPECT_EQ(640 + GetSystemMetrics(SM_CXBORDER), WindowWidth());
  EXPECT_EQ(480 + GetSystemMetrics(SM_CYBORDER), WindowHeight());
  // The screen copy keeps even the border column and row.
  PutPixel(WindowWidth() - 1, WindowHeight() - 1, MakeColour(1, 2, 3));
  SaveScreen();
  ClearWindowColour(0);
  RestoreScreen();
  EXPECT_EQ(MakeColour(1, 2, 3), ReadPixel(WindowWidth() - 1, WindowHeight() - 1));
}

TEST_F(Lifecycle, ClassThatCannotBeRegisteredEndsTheProcessAfterABox) {
  WNDCLASSEXA taken{};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = DefWindowProcA;
  taken.lpszClassName = "Trivane";
  ASSERT_NE(0, RegisterClassExA(&taken));
  automation::ScriptMessageBoxAnswer(IDOK);
  EXPECT_EQ(0, CreateMainWindow("Trivane", 100, 100, 0));
  EXPECT_EQ((std::vector<int>{1}), g_endCodes);
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("Could not register new window", automation::MessageBoxes()[0].text);
  EXPECT_EQ("Velto`s Graphic System Error", automation::MessageBoxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), automation::MessageBoxes()[0].style);
  EXPECT_EQ(nullptr, WindowHandle());
}

TEST_F(Lifecycle, WindowThatCannotBeMadeEndsTheProcessAfterABox) {
  automation::FailNextWindowCreation();
  automation::ScriptMessageBoxAnswer(IDOK);
  EXPECT_EQ(0, CreateMainWindow("no room", 100, 100, 0));
  EXPECT_EQ((std::vector<int>{1}), g_endCodes);
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("Window Creation failed", automation::MessageBoxes()[0].text);
  EXPECT_EQ("Velto`s Graphic System Error", automation::MessageBoxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), automation::MessageBoxes()[0].style);
  EXPECT_EQ(nullptr, WindowHandle());
}

TEST(LifecycleDeathTest, WindowThatCannotBeMadeReallyEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        automation::Reset();
        automation::SetHeadless(true);
        automation::FailNextWindowCreation();
        automation::ScriptMessageBoxAnswer(IDOK);
        CreateMainWindow("no room", 80, 60, 0);
        std::exit(3);  // not reached
      },
      ::testing::ExitedWithCode(1), "");
}

TEST_F(Lifecycle, ClosingTheWindowEndsTheProcess) {
  ASSERT_EQ(1, CreateMainWindow("closing", 100, 100, 0));
  DrainMessages();
  automation::RequestClose();
  DrainMessages();
  EXPECT_EQ((std::vector<int>{0}), g_endCodes);
}

TEST_F(Lifecycle, CloseMainWindowEndsTheProcess) {
  ASSERT_EQ(1, CreateMainWindow("closing", 100, 100, 0));
  DrainMessages();
  automation::MoveMouse(3, 3);  // one message left in the queue is fine
  automation::MoveMouse(4, 4);
  CloseMainWindow();
  EXPECT_EQ((std::vector<int>{0}), g_endCodes);
}

TEST(LifecycleDeathTest, CloseMainWindowReallyEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        automation::Reset();
        automation::SetHeadless(true);
        CreateMainWindow("the end", 80, 60, 0);
        CloseMainWindow();
        std::exit(3);  // not reached
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace gfxtest
