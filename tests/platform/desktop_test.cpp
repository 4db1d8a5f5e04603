// The layer on a real (virtual) display: a private Xvfb server, a window
// drawn through SDL, and input from xdotool.  Skipped where Xvfb or xdotool
// is missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/automation.h"
#include "platform/win32.h"
#include "group_leader.h"
#include "virtual_display.h"

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
  auto field = [&d](size_t i) {
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

// The session and its group never outlive the test, whatever fails on the way.
struct Reap {
  pid_t pid;
  ~Reap() {
    if (pid <= 0) return;
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

// A private Xvfb display, optionally with openbox managing its windows.
struct VirtualDisplay {
  pid_t server = -1, manager = -1;
  std::string dir, name;

  bool Start(int width, int height, bool windowManager) {
    dir = ::testing::TempDir() + "trivane_xvfb_" + std::to_string(getpid()) + (windowManager ? "_wm" : "");
    mkdir(dir.c_str(), 0700);
    server = test_support::StartXvfb(std::to_string(width) + "x" + std::to_string(height) + "x24", {"-fbdir", dir},
                                     &name);
    if (server <= 0) return false;
    setenv("DISPLAY", name.c_str(), 1);
    if (windowManager) {
      // openbox runs its start-up command once it has taken the windows
      // already there and is about to serve requests.  A window mapped
      // earlier, while it still sets itself up, can lose its map request
      // (seen on a loaded machine), and the window then never appears.
      const std::string started = dir + "/manager_started";
      std::remove(started.c_str());
      manager = test_support::ForkGroupLeader(SIGTERM);
      if (manager == 0) {
        execlp("openbox", "openbox", "--sm-disable", "--startup", ("touch " + started).c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
      }
      for (int i = 0; i < 600; ++i) {
        struct stat st {};
        if (stat(started.c_str(), &st) == 0 && std::system("wmctrl -m >/dev/null 2>&1") == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      return false;
    }
    return true;
  }

  ~VirtualDisplay() {
    for (pid_t p : {manager, server})
      if (p > 0) {
        kill(p, SIGTERM);
        waitpid(p, nullptr, 0);
      }
    unsetenv("DISPLAY");
    std::remove((dir + "/Xvfb_screen0").c_str());
    std::remove((dir + "/manager_started").c_str());
    rmdir(dir.c_str());
  }
};

TEST(Desktop, WindowReachesTheScreenAndInputComesBack) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb or xdotool not installed";
  VirtualDisplay display;
  if (!display.Start(320, 240, false)) GTEST_SKIP() << "Xvfb did not start";
  pid_t session = test_support::ForkGroupLeader(SIGKILL);
  if (session == 0) RunWindowSession();
  Reap reap{session};

  // The red window shows on the screen.
  std::string fb = display.dir + "/Xvfb_screen0";
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
  reap.pid = -1;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no window, 11: no input, 12: input in the wrong order";
}

// Output of a shell command, or "" when it failed.
std::string Output(const std::string& command) {
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return "";
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
  return pclose(p) == 0 ? out : "";
}

struct Geometry {
  std::string id;
  int x = 0, y = 0, width = 0, height = 0;
  bool found = false;
};

// Where the top-level window of this title is on the screen (without the
// manager's frame), from the display's window tree.
Geometry FindWindow(const std::string& title) {
  Geometry g;
  const std::string quoted = "\"" + title + "\"";
  for (int i = 0; i < 100 && !g.found; ++i) {
    std::string tree = Output("xwininfo -root -tree 2>/dev/null");
    size_t at = tree.find(quoted);
    if (at != std::string::npos) {
      size_t lineStart = tree.rfind('\n', at);
      lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
      std::string line = tree.substr(lineStart, tree.find('\n', at) - lineStart);
      char id[32] = {};
      int w, h, x, y, ax, ay;
      size_t geometryAt = line.find(')', line.find(quoted) + quoted.size());
      if (std::sscanf(line.c_str(), " %31s", id) == 1 && geometryAt != std::string::npos &&
          std::sscanf(line.c_str() + geometryAt + 1, " %dx%d%d%d %d%d", &w, &h, &x, &y, &ax, &ay) == 6) {
        g = Geometry{id, ax, ay, w, h, true};
        break;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return g;
}

// Whether a window is on the screen (mapped, and its parents too).
bool Viewable(const std::string& id) {
  return Output("xwininfo -id " + id + " 2>/dev/null").find("IsViewable") != std::string::npos;
}

// The child's part of the pointer and box test: it reports what it saw, one
// line per step, through `out`.
[[noreturn]] void RunPointerAndBoxSession(int out) {
  auto say = [out](const std::string& line) {
    std::string l = line + "\n";
    (void)!write(out, l.data(), l.size());
  };
  automation::SetHeadless(false);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DesktopProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "Game";
  RegisterClassExA(&wc);
  HWND hwnd = CreateWindowExA(0, "Game", "Game", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                              nullptr);
  if (hwnd == nullptr || automation::IsHeadless()) _exit(10);
  HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW);
  UpdateWindow(hwnd);
  RECT r{0, 0, 300, 200};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &r, red);
  GdiFlush();
  say("ready");
  // A polled program reads the pointer, then takes what is queued, as the
  // game does once per pass; the click is taken where the pointer was read.
  // The jump and the click arrive together while the program is busy (the
  // sleep), so the position read must be the pointer's position now: a
  // position left from the last events taken would be where the pointer was
  // before the jump.
  MSG m;
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(15)) {
    POINT p{};
    GetCursorPos(&p);
    g_seen.clear();
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    bool clicked = false;
    for (UINT s : g_seen) clicked = clicked || s == WM_LBUTTONDOWN;
    if (clicked) {
      say("click " + std::to_string(p.x) + " " + std::to_string(p.y));
      break;
    }
    Sleep(250);
  }
  const int first = MessageBoxA(hwnd, "Close the game?", "Box one", MB_YESNO | MB_ICONQUESTION);
  say("box1 " + std::to_string(first));
  // Any Enter reaching the window now is the one that answered the box.
  g_seen.clear();
  start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(700)) {
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(10);
  }
  int enters = 0;
  for (size_t i = 0; i + 1 < g_seen.size(); ++i) enters += g_seen[i] == WM_KEYDOWN && g_seen[i + 1] == VK_RETURN;
  say("behind " + std::to_string(enters));
  say("box2 " + std::to_string(MessageBoxA(hwnd, "Play Again ?", "Box two", MB_YESNO)));
  say("box3 " + std::to_string(MessageBoxA(hwnd, "Resources missing", "Box three", MB_OK | MB_ICONEXCLAMATION)));
  _exit(0);
}

// Reads one line from the child, waiting at most `ms`.
std::string ReadLine(int fd, int ms) {
  std::string line;
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char c;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return line;
    line.push_back(c);
  }
  return line;
}

void PointerAndBoxes(bool windowManager) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb or xdotool not installed";
  if (windowManager && (!Installed("openbox") || !Installed("wmctrl"))) GTEST_SKIP() << "openbox not installed";
  VirtualDisplay display;
  ASSERT_TRUE(display.Start(640, 480, windowManager));
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t session = test_support::ForkGroupLeader(SIGKILL);
  if (session == 0) {
    close(fds[0]);
    RunPointerAndBoxSession(fds[1]);
  }
  close(fds[1]);
  Reap reap{session};
  ASSERT_EQ(ReadLine(fds[0], 30000), "ready");  // a loaded machine may take its time
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // A borderless window: no frame of the manager's around it, at its place.
  Geometry game = FindWindow("Game");
  ASSERT_TRUE(game.found);
  EXPECT_EQ(game.width, 300);
  EXPECT_EQ(game.height, 200);
  std::string fb = display.dir + "/Xvfb_screen0";
  EXPECT_EQ(ScreenPixel(fb, game.x + 1, game.y + 1), 0xFF0000) << "a frame drawn around a popup window";

  // Jump and click at once.
  std::system("xdotool mousemove 5 5");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::system(("xdotool mousemove " + std::to_string(game.x + 150) + " " + std::to_string(game.y + 80) + " click 1")
                  .c_str());
  EXPECT_EQ(ReadLine(fds[0], 5000), "click 150 80") << "the click was taken where the pointer was before the jump";

  // The box belongs to the game's window: centred on it, wholly on the screen.
  Geometry box = FindWindow("Box one");
  ASSERT_TRUE(box.found) << Output("xwininfo -root -tree | grep -i -e box -e game");
  EXPECT_GE(box.x, 0);
  EXPECT_GE(box.y, 0);
  EXPECT_LE(box.x + box.width, 640);
  EXPECT_LE(box.y + box.height, 480);
  EXPECT_NEAR(box.x + box.width / 2.0, game.x + 150, 40);
  EXPECT_NEAR(box.y + box.height / 2.0, game.y + 100, 60);
  std::system(("xdotool windowfocus --sync " + box.id + " 2>/dev/null; xdotool key Return").c_str());
  EXPECT_EQ(ReadLine(fds[0], 5000), "box1 " + std::to_string(IDYES));
  EXPECT_EQ(ReadLine(fds[0], 5000), "behind 0") << "the Enter that answered the box reached the game";

  // Closed from the frame (under a manager) or with Esc: No for a Yes/No box,
  // OK for a box of one button.  The manager may take a moment to adopt a new
  // box, so the request is repeated until the box answers.
  auto closeBox = [&](const std::string& title) {
    Geometry g = FindWindow(title);
    if (!g.found) return std::string("no box ") + title;
    for (int tries = 0; tries < 10; ++tries) {
      if (windowManager) std::system(("wmctrl -i -c " + g.id).c_str());
      else std::system(("xdotool windowfocus --sync " + g.id + " 2>/dev/null; xdotool key Escape").c_str());
      std::string line = ReadLine(fds[0], 700);
      if (!line.empty()) return line;
    }
    return std::string("no answer from ") + title;
  };
  // Under a manager, minimising the box alone must not take the game away
  // with it: the box is not minimised, or comes back together with the game.
  if (windowManager) {
    Geometry two = FindWindow("Box two");
    ASSERT_TRUE(two.found);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the manager has adopted the box
    std::system(("xdotool windowminimize " + two.id + " 2>/dev/null").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_TRUE(Viewable(game.id)) << "minimising the box hid the game";
    EXPECT_TRUE(Viewable(two.id)) << "the box stayed minimised, out of reach";
  }
  EXPECT_EQ(closeBox("Box two"), "box2 " + std::to_string(IDNO));
  EXPECT_EQ(closeBox("Box three"), "box3 " + std::to_string(IDOK));
  close(fds[0]);
}

TEST(Desktop, PointerAndBoxesWithoutAWindowManager) { PointerAndBoxes(false); }
TEST(Desktop, PointerAndBoxesUnderAWindowManager) { PointerAndBoxes(true); }

}  // namespace
