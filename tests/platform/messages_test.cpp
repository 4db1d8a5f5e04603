// Message order and retrieval: what the window procedure receives, when, and
// how GetMessageA and PeekMessageA behave.
#include "fixture.h"

namespace {

using Messages = HeadlessWindow;

std::vector<UINT> Names() {
  std::vector<UINT> out;
  for (const Seen& s : SeenMessages()) out.push_back(s.message);
  return out;
}

TEST_F(Messages, CreationSendsCreateShowAndActivateInOrder) {
  std::vector<UINT> names = Names();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], static_cast<UINT>(WM_CREATE));
  EXPECT_EQ(names[1], static_cast<UINT>(WM_SHOWWINDOW));
  EXPECT_EQ(SeenMessages()[1].wParam, 1u);
  EXPECT_EQ(names[2], static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(SeenMessages()[2].wParam, static_cast<WPARAM>(WA_ACTIVE));
  EXPECT_EQ(GetActiveWindow(), hwnd);
}

TEST_F(Messages, SetCursorArrivesBeforeEveryMouseMessage) {
  SeenMessages().clear();
  automation::MoveMouse(10, 20);
  automation::PressButton(1);
  automation::ReleaseButton(1);
  automation::PressButton(2);
  automation::PressButton(3);
  Drain();
  std::vector<UINT> expected = {WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR,   WM_LBUTTONDOWN, WM_SETCURSOR,
                                WM_LBUTTONUP, WM_SETCURSOR, WM_RBUTTONDOWN, WM_SETCURSOR,   WM_MBUTTONDOWN};
  EXPECT_EQ(Names(), expected);
  const Seen& down = SeenMessages()[3];
  EXPECT_EQ(GET_X_LPARAM(down.lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(down.lParam), 20);
  EXPECT_EQ(LOWORD(SeenMessages()[2].lParam), static_cast<WORD>(HTCLIENT));
  EXPECT_EQ(HIWORD(SeenMessages()[2].lParam), static_cast<WORD>(WM_LBUTTONDOWN));
  EXPECT_EQ(reinterpret_cast<HWND>(SeenMessages()[2].wParam), hwnd);
}

TEST_F(Messages, SetCursorIsSentInsideTheRetrievalAndOnlyOnce) {
  SeenMessages().clear();
  automation::PressButton(1);
  MSG m{};
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(Names(), std::vector<UINT>{WM_SETCURSOR});  // already delivered, the button not yet
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
  DispatchMessageA(&m);
  EXPECT_EQ(Names(), (std::vector<UINT>{WM_SETCURSOR, WM_LBUTTONDOWN}));
}

TEST_F(Messages, PeekDoesNotWaitAndGetReturnsWhatIsQueued) {
  Drain();
  MSG m{};
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  automation::TapKey('Q');
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('Q'));
  ASSERT_EQ(GetMessageA(&m, hwnd, 0, 0), TRUE);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYUP));
  // A filter passes over what it does not want and leaves it queued.
  automation::TapKey('W');
  automation::MoveMouse(1, 1);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(automation::PendingMessages(), 2);
  EXPECT_EQ(GetMessageA(&m, reinterpret_cast<HWND>(0x7777), 0, 0), -1);
}

TEST_F(Messages, QuitEndsTheLoop) {
  Drain();
  PostQuitMessage(7);
  MSG m{};
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(Messages, BlockingWithNothingQueuedFailsLoudlyWhenHeadless) {
  Drain();
  MSG m{};
  EXPECT_DEATH(GetMessageA(&m, nullptr, 0, 0), "GetMessageA would wait");
}

TEST_F(Messages, WaitMessageReturnsForWhatIsQueuedAndLeavesItThere) {
  Drain();
  automation::TapKey('Z');
  EXPECT_TRUE(WaitMessage());
  EXPECT_EQ(automation::PendingMessages(), 2);  // nothing was taken
  Drain();
  InvalidateRect(hwnd, nullptr, TRUE);  // a repaint is a message too
  EXPECT_TRUE(WaitMessage());
  Drain();
  EXPECT_DEATH(WaitMessage(), "WaitMessage would wait");
  int calls = 0;
  automation::SetIdleHandler([&calls] {
    if (++calls == 2) automation::MoveMouse(3, 4);
    return true;
  });
  EXPECT_TRUE(WaitMessage());
  EXPECT_EQ(calls, 2);
}

TEST_F(Messages, IdleHandlerFeedsABlockedGetMessage) {
  Drain();
  int calls = 0;
  automation::SetIdleHandler([&calls] {
    ++calls;
    automation::TapKey(VK_RETURN);
    return true;
  });
  MSG m{};
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_RETURN));
}

TEST_F(Messages, IdleHandlerThatNeverGivesInputStillFails) {
  Drain();
  automation::SetIdleHandler([] { return true; });
  MSG m{};
  EXPECT_DEATH(GetMessageA(&m, nullptr, 0, 0), "GetMessageA would wait");
}

TEST_F(Messages, IdleHandlerCanAnswerMessageBoxes) {
  automation::SetIdleHandler([] {
    automation::ScriptMessageBoxAnswer(IDNO);
    return true;
  });
  for (int i = 0; i < 3; ++i) EXPECT_EQ(MessageBoxA(nullptr, "Again?", "Q", MB_YESNO), IDNO);
  EXPECT_EQ(automation::MessageBoxes().size(), 3u);
}

TEST_F(Messages, CloseButtonDestroysTheWindowThroughDefaultProcessing) {
  SeenMessages().clear();
  automation::RequestClose();
  Drain();
  EXPECT_EQ(Names(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(DestroyWindow(hwnd));
}

TEST_F(Messages, FocusAndVisibilityChangesAreSent) {
  Drain();
  SeenMessages().clear();
  automation::SetActive(false);
  automation::SetActive(false);  // no change, no message
  automation::SetShown(false);
  automation::SetShown(true);
  automation::SetActive(true);
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_PAINT);
  ASSERT_EQ(SeenMessages().size(), 4u);
  EXPECT_EQ(SeenMessages()[0].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(SeenMessages()[0].wParam, static_cast<WPARAM>(WA_INACTIVE));
  EXPECT_EQ(SeenMessages()[1].message, static_cast<UINT>(WM_SHOWWINDOW));
  EXPECT_EQ(SeenMessages()[1].wParam, 0u);
  EXPECT_EQ(SeenMessages()[2].wParam, 1u);
  EXPECT_EQ(SeenMessages()[3].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(SeenMessages()[3].wParam, static_cast<WPARAM>(WA_ACTIVE));
}

TEST_F(Messages, ClassesAndWindowsRefuseBadRequests) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "testwindow";  // class names ignore case
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  wc.lpfnWndProc = nullptr;
  wc.lpszClassName = "Other";
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  // A raw style value is kept as given; sizes are bounded.
  HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "TestWindow", "x", 2 + WS_VISIBLE, 0, 0, 1 << 30, 50, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(GetWindowLongA(other, GWL_STYLE), static_cast<int32_t>(2 + WS_VISIBLE));
  EXPECT_EQ(GetWindowLongA(other, GWL_EXSTYLE), static_cast<int32_t>(WS_EX_TOOLWINDOW));
  RECT r{};
  GetClientRect(other, &r);
  EXPECT_EQ(r.right, 16384);
  EXPECT_EQ(r.bottom, 50);
  HWND maximized = CreateWindowExA(0, "TestWindow", "x", WS_POPUP | WS_MAXIMIZE, 30, 30, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
  GetWindowRect(maximized, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 1024);
  EXPECT_EQ(r.bottom, 768);
}

TEST_F(Messages, WindowGeometryAndTitle) {
  RECT r{};
  ASSERT_TRUE(GetWindowRect(hwnd, &r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, kWidth);
  EXPECT_EQ(r.bottom, kHeight);
  ASSERT_TRUE(MoveWindow(hwnd, 5, 6, kWidth, kHeight, TRUE));
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.right, 5 + kWidth);
  GetClientRect(hwnd, &r);
  EXPECT_EQ(r.right, kWidth);
  ASSERT_TRUE(SetWindowTextA(hwnd, "New title"));
  char title[5];
  EXPECT_EQ(GetWindowTextA(hwnd, title, sizeof title), 4);
  EXPECT_STREQ(title, "New ");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_SLOWMACHINE), 0);
}

}  // namespace
