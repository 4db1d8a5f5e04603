// The layer on a real (virtual) display: a private Xvfb server, a window
// drawn through SDL, and input from xdotool.  Skipped where Xvfb or xdotool
// is missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/automation.h"
#include "platform/win32.h"

namespace {

bool Installed(const char* program) {
  std::string cmd = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

// The framebuffer Xvfb keeps in an XWD file: the pixel at (x, y) as 0xRRGGBB.
long ScreenPixel(const std::string& file, int x, int y) {
  std::ifstream in(file, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (d.size() < 100) return -1;
  auto field = [&d](int i) {
    return (uint32_t(d[i * 4]) << 24) | (uint32_t(d[i * 4 + 1]) << 16) | (uint32_t(d[i * 4 + 2]) << 8) |
           d[i * 4 + 3];
  };
  uint32_t headerSize = field(0), byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
  uint32_t colours = field(19);
  if (bitsPerPixel != 32) return -1;
  size_t at = headerSize + colours * 12 + static_cast<size_t>(y) * bytesPerLine + static_cast<size_t>(x) * 4;
  if (at + 4 > d.size()) return -1;
  const unsigned char* p = &d[at];
  return byteOrder == 0 ? (long(p[2]) << 16) | (p[1] << 8) | p[0] : (long(p[1]) << 16) | (p[2] << 8) | p[3];
}

std::vector<UINT> g_seen;

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR || msg == WM_LBUTTONDOWN || msg == WM_KEYDOWN) g_seen.push_back(msg);
  if (msg == WM_KEYDOWN) g_seen.push_back(static_cast<UINT>(wParam));
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The child's part: a window on the display; exit code 0 when a click and the
// key B arrived, in Windows' order.
[[noreturn]] void RunWindowSession() {
  automation::SetHeadless(false);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DesktopProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "Desktop";
  RegisterClassExA(&wc);
  HWND hwnd = CreateWindowExA(0, "Desktop", "Desktop", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  if (hwnd == nullptr || automation::IsHeadless()) _exit(10);
  HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW);
  UpdateWindow(hwnd);
  RECT r{0, 0, 200, 100};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &r, red);
  auto start = std::chrono::steady_clock::now();
  MSG m;
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    bool clicked = false, typed = false;
    for (size_t i = 0; i < g_seen.size(); ++i) {
      if (g_seen[i] == WM_LBUTTONDOWN && i > 0 && g_seen[i - 1] == WM_SETCURSOR) clicked = true;
      if (g_seen[i] == WM_KEYDOWN && i + 1 < g_seen.size() && g_seen[i + 1] == 'B') typed = true;
    }
    if (clicked && typed) _exit(0);
    Sleep(10);
  }
  _exit(g_seen.empty() ? 11 : 12);
}

TEST(Desktop, WindowReachesTheScreenAndInputComesBack) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb or xdotool not installed";
  std::string dir = ::testing::TempDir() + "trivane_xvfb_" + std::to_string(getpid());
  mkdir(dir.c_str(), 0700);
  // Xvfb picks a free display number itself and tells it through a pipe.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t server = fork();
  if (server == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-fbdir", dir.c_str(),
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) {
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    GTEST_SKIP() << "Xvfb did not start";
  }
  std::string name = ":" + number;
  setenv("DISPLAY", name.c_str(), 1);
  pid_t session = fork();
  if (session == 0) RunWindowSession();

  // The red window shows on the screen.
  std::string fb = dir + "/Xvfb_screen0";
  long pixel = -1;
  for (int i = 0; i < 100 && pixel != 0xFF0000; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    pixel = ScreenPixel(fb, 20, 20);
  }
  EXPECT_EQ(pixel, 0xFF0000);
  EXPECT_EQ(ScreenPixel(fb, 250, 20), 0);  // outside the window

  std::string input = "xdotool mousemove 50 50 click 1 key b";
  EXPECT_EQ(std::system(input.c_str()), 0);
  int status = 0;
  waitpid(session, &status, 0);
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  unsetenv("DISPLAY");
  std::remove(fb.c_str());
  rmdir(dir.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no window, 11: no input, 12: input in the wrong order";
}

}  // namespace
