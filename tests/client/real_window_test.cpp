// The program as a person starts it: a real window on a virtual X display,
// clicked with xdotool and photographed with xwd.  The headless start-up in
// this test program supplies the pictures and the place of the close area to
// compare the photographs with.  Skipped when the X tools are not installed.
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "client_fixture.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "group_leader.h"
#include "virtual_display.h"

namespace client_test {
namespace {

namespace fs = std::filesystem;

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Capture(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, p) != nullptr) out += buffer;
  pclose(p);
  return out;
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A photograph of a window: 0x00BBGGRR pixels, as the program's colours are.
struct Photo {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    return pixels[static_cast<size_t>(y) * width + x];
  }
};

uint32_t Big32(const std::vector<unsigned char>& d, size_t at) {
  return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) | d[at + 3];
}

int Shift(uint32_t mask) {
  int s = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++s;
  }
  return s;
}

// Reads an XWD file of a true-colour window with 32 bits per pixel.
bool ReadXwd(const std::string& path, Photo* photo) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), {});
  if (d.size() < 100) return false;
  const uint32_t headerSize = Big32(d, 0);
  const uint32_t width = Big32(d, 16), height = Big32(d, 20);
  const uint32_t byteOrder = Big32(d, 28), bitsPerPixel = Big32(d, 44), bytesPerLine = Big32(d, 48);
  const uint32_t red = Big32(d, 56), green = Big32(d, 60), blue = Big32(d, 64), colours = Big32(d, 76);
  if (bitsPerPixel != 32 || width == 0 || height == 0 || width > 10000 || height > 10000) return false;
  const size_t data = headerSize + static_cast<size_t>(colours) * 12;
  if (d.size() < data + static_cast<size_t>(bytesPerLine) * height) return false;
  photo->width = static_cast<int>(width);
  photo->height = static_cast<int>(height);
  photo->pixels.assign(static_cast<size_t>(width) * height, 0);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = data + static_cast<size_t>(y) * bytesPerLine + static_cast<size_t>(x) * 4;
      const uint32_t v = byteOrder == 0 ? (uint32_t{d[at]} | (uint32_t{d[at + 1]} << 8) |
                                           (uint32_t{d[at + 2]} << 16) | (uint32_t{d[at + 3]} << 24))
                                        : Big32(d, at);
      const uint32_t r = (v & red) >> Shift(red), g = (v & green) >> Shift(green), b = (v & blue) >> Shift(blue);
      photo->pixels[static_cast<size_t>(y) * width + x] = r | (g << 8) | (b << 16);
    }
  }
  return true;
}

bool SavePng(const Photo& photo, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, photo.width, photo.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<size_t>(photo.width) * 3);
  for (int y = 0; y < photo.height; ++y) {
    for (int x = 0; x < photo.width; ++x) {
      const uint32_t c = photo.At(x, y);
      const size_t at = static_cast<size_t>(x) * 3;
      row[at] = c & 0xFF;
      row[at + 1] = (c >> 8) & 0xFF;
      row[at + 2] = (c >> 16) & 0xFF;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

// Share of the opaque cells of a stored picture, drawn at (x, y), that the
// photograph shows; rows from firstRow on.
double PhotoMatch(const Photo& photo, const std::string& name, int x, int y, int firstRow) {
  const ivxfiles::IVX_INFO e = ivxfiles::PictureEntry(ivxfiles::LocatePicture(name));
  const uint32_t transparent = ivxfiles::GetTransparentColour();
  int opaque = 0, same = 0;
  for (int j = 1 + firstRow; j <= e.y2 - e.y1; ++j) {
    for (int i = 1; i <= e.x2 - e.x1; ++i) {
      const uint32_t cell = ivxfiles::StoreCell(e.x1 + i, e.y1 + j);
      if (cell == transparent) continue;
      ++opaque;
      same += photo.At(x + i, y + j) == cell ? 1 : 0;
    }
  }
  return opaque == 0 ? 0.0 : static_cast<double>(same) / opaque;
}

int PieceInPhoto(const Photo& photo, Pt p) {
  const int half = ivxfiles::PictureMetric("pioniup1", "SIZEY") / 2;
  const int x = client::PieceLeft(p.x), y = client::PieceTop(p.y);
  if (PhotoMatch(photo, "pioniup1", x, y, half) >= 0.95) return 1;
  if (PhotoMatch(photo, "pioniup2", x, y, half) >= 0.95) return 2;
  return 0;
}

// Starts a program in `folder` on `display`.  With `windowed`, under the
// sanitizers the child keeps its memory checks but not
// the leak report at its end, which lists what the desktop's own libraries
// (the message bus the windowing layer opens) keep until the process is gone.
pid_t Start(const std::vector<std::string>& argv, const std::string& display, const std::string& folder,
            bool windowed = false) {
  const pid_t pid = test_support::ForkGroupLeader(SIGTERM);
  if (pid != 0) return pid;
  if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
  unsetenv("TRIVANE_HEADLESS");
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  if (windowed) {
    const char* had = getenv("ASAN_OPTIONS");
    const std::string options = (had != nullptr && *had != '\0' ? std::string(had) + ":" : std::string()) +
                                "detect_leaks=0";
    setenv("ASAN_OPTIONS", options.c_str(), 1);
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

// Waits up to `ms` for the process to end; its exit status, or -1.
int WaitFor(pid_t pid, int ms) {
  for (int waited = 0; waited <= ms; waited += 50) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    Pause(50);
  }
  return -1;
}

// The program and whatever it started (a box's process).
void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(-pid, SIGTERM);
  if (WaitFor(pid, 3000) == -1) {
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

class RealWindow : public GameStage {
 protected:
  void TearDown() override {
    Stop(game_);
    Stop(xserver_);
    GameStage::TearDown();
  }
  bool Shoot(const std::string& window, const std::string& name, Photo* photo) {
    const std::string xwd = (folder_ / (name + ".xwd")).string();
    const std::string command = "DISPLAY=" + display_ + " xwd -silent -id " + window + " -out " + xwd;
    if (std::system(command.c_str()) != 0 || !ReadXwd(xwd, photo)) return false;
    SavePng(*photo, ArtifactPath(name + ".png").string());
    return true;
  }
  // With `settle`, the pointer rests a moment on the point before the click;
  // without, it jumps there and clicks at once, as a quick hand or a touch
  // screen does.
  void ClickAt(const std::string& window, int x, int y, bool settle = true) {
    const std::string command = "DISPLAY=" + display_ + " xdotool mousemove --window " + window + " " +
                                std::to_string(x) + " " + std::to_string(y) + (settle ? " sleep 0.3" : "") +
                                " click 1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  void RestAt(const std::string& window, int x, int y) {
    const std::string command = "DISPLAY=" + display_ + " xdotool mousemove --window " + window + " " +
                                std::to_string(x) + " " + std::to_string(y);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  // The splash stays about three seconds, then the board is built: waits for
  // the board's lines on the window shown `scale` times enlarged (a slow build
  // may take longer), then for the marks that follow the board in the same
  // pass, and photographs the board.  A window that cannot be photographed is
  // looked for again by its title: on a loaded machine the search once found
  // a window of the game that was gone a moment later, and every photograph
  // of it failed for the whole minute.
  bool WaitForBoard(std::string& window, const std::string& name, int scale, Photo* board) {
    const uint32_t line = veltounit::MakeColour(0, 0, 64);
    const int last = scale - 1;  // the last photographed pixel of each drawn one
    bool built = false;
    for (int waited = 0; waited < 60000 && !built; waited += 500) {
      Pause(500);
      // Until the window is mapped it cannot be photographed.
      if (!Shoot(window, name, board)) {
        const std::string again = FindGameWindow();
        if (!again.empty()) window = again;
        continue;
      }
      if (board->width != 500 * scale) continue;
      built = board->At(scale * 62 + last, scale * 155 + last) == line &&
              board->At(scale * 160 + last, scale * 248 + last) == line;
    }
    if (!built) return false;
    Pause(500);
    return Shoot(window, name, board);
  }
  // A private virtual display of the given size ("640x560x24") and density.
  void StartDisplay(const std::string& screen, const std::string& dpi = "96") {
    xserver_ = test_support::StartXvfb(screen, {"-dpi", dpi}, &display_);
    ASSERT_GT(xserver_, 0) << "Xvfb did not start";
  }
  std::string FindGameWindow() {
    const std::string found = Capture("DISPLAY=" + display_ +
                                      " timeout 30 xdotool search --sync --name '^Trivane GUI 0.72$' 2>/dev/null");
    return found.substr(0, found.find('\n'));
  }
  pid_t xserver_ = 0;
  pid_t game_ = 0;
  std::string display_;
};

TEST_F(RealWindow, APersonClicksAPointAndClosesTheGame) {
  for (const char* tool : {"Xvfb", "xdotool", "xwd"}) {
    if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  const fs::path program = bin_ / "TrivaneGUI";
  if (!fs::exists(program)) GTEST_SKIP() << "TrivaneGUI is not built";

  // The pictures and the board objects, from the same start-up headless here.
  StartProgram({});
  client::NewGame();
  const int closeX = (veltogui::GetObjectX1("wnd_exit") + veltogui::GetObjectX2("wnd_exit")) / 2;
  const int closeY = (veltogui::GetObjectY1("wnd_exit") + veltogui::GetObjectY2("wnd_exit")) / 2;
  ASSERT_GT(closeX, 0);

  // Too small a screen for a larger window: the desktop's choice is 1.
  StartDisplay("640x560x24");
  if (HasFatalFailure()) return;

  // Started from another folder, as a person starts it from a menu.
  game_ = Start({program.string(), "EASY"}, display_, "/", true);
  std::string window = FindGameWindow();
  ASSERT_FALSE(window.empty()) << "the game window did not appear";

  Photo board;
  ASSERT_TRUE(WaitForBoard(window, "real_window_board", 1, &board)) << "the board did not appear";
  ASSERT_EQ(board.width, 500);
  ASSERT_EQ(board.height, 500);
  for (const Pt& p : BoardPoints()) EXPECT_EQ(PieceInPhoto(board, p), 0) << p.x << "," << p.y;

  // The pointer rests on one point, then jumps to another and clicks at once:
  // the piece goes where the click was, not where the pointer rested.
  RestAt(window, 434, 434);
  Pause(500);
  ClickAt(window, 62, 62, false);
  // The piece, the computer's answer and their pauses.
  int computer = 0;
  Photo after;
  for (int waited = 0; waited < 15000 && computer == 0; waited += 500) {
    Pause(500);
    ASSERT_TRUE(Shoot(window, "real_window_after_click", &after));
    computer = 0;
    for (const Pt& p : BoardPoints()) computer += PieceInPhoto(after, p) == 2 ? 1 : 0;
  }
  EXPECT_EQ(PieceInPhoto(after, {1, 1}), 1) << "no piece of player 1 where the click was";
  EXPECT_NE(PieceInPhoto(after, {7, 7}), 1) << "the piece went where the pointer rested";
  EXPECT_EQ(computer, 1) << "the computer did not answer with one piece";

  ClickAt(window, closeX, closeY);
  EXPECT_EQ(WaitFor(game_, 10000), 0) << "the close area did not end the program with code 0";
  game_ = 0;
}

// Every second pixel of a photograph of the doubled window: the picture drawn.
Photo Halved(const Photo& big) {
  Photo small;
  small.width = big.width / 2;
  small.height = big.height / 2;
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x) small.pixels.push_back(big.At(2 * x, 2 * y));
  return small;
}

// Blocks of 2 x 2 photographed pixels that are not one colour: zero when the
// picture is enlarged by repeating pixels, as it must be to stay sharp.
int MixedBlocks(const Photo& big) {
  int mixed = 0;
  for (int y = 0; y + 1 < big.height; y += 2)
    for (int x = 0; x + 1 < big.width; x += 2) {
      const uint32_t c = big.At(x, y);
      mixed += (big.At(x + 1, y) != c || big.At(x, y + 1) != c || big.At(x + 1, y + 1) != c) ? 1 : 0;
    }
  return mixed;
}

TEST_F(RealWindow, ALargeScreenShowsTheBoardDoubledAndClicksLandOnThePoints) {
  for (const char* tool : {"Xvfb", "xdotool", "xwd"}) {
    if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  const fs::path program = bin_ / "TrivaneGUI";
  if (!fs::exists(program)) GTEST_SKIP() << "TrivaneGUI is not built";
  StartProgram({});
  client::NewGame();

  // Room for 1000 x 1000 but not for 1500 x 1500, at the usual density: the
  // desktop's choice is 2 without any word.
  StartDisplay("1280x1100x24", "96");
  if (HasFatalFailure()) return;
  game_ = Start({program.string(), "EASY"}, display_, "/", true);
  std::string window = FindGameWindow();
  ASSERT_FALSE(window.empty()) << "the game window did not appear";

  Photo board;
  ASSERT_TRUE(WaitForBoard(window, "real_window_2x_board", 2, &board))
      << "the doubled board did not appear (photo " << board.width << " x " << board.height << ")";
  ASSERT_EQ(board.width, 1000);
  ASSERT_EQ(board.height, 1000);
  EXPECT_EQ(MixedBlocks(board), 0) << "pixels were blended, not repeated";

  // Point (4, 1) is drawn at (248, 62): on the doubled window at (496, 124).
  ClickAt(window, 2 * 248 + 1, 2 * 62 + 1);
  int computer = 0;
  Photo after;
  for (int waited = 0; waited < 15000 && computer == 0; waited += 500) {
    Pause(500);
    ASSERT_TRUE(Shoot(window, "real_window_2x_after_click", &after));
    const Photo drawn = Halved(after);
    computer = 0;
    for (const Pt& p : BoardPoints()) computer += PieceInPhoto(drawn, p) == 2 ? 1 : 0;
  }
  Pause(1000);  // the marks for player 1's next turn follow the answer
  ASSERT_TRUE(Shoot(window, "real_window_2x_after_click", &after));
  const Photo drawn = Halved(after);
  EXPECT_EQ(PieceInPhoto(drawn, {4, 1}), 1) << "no piece of player 1 where the click was";
  EXPECT_EQ(computer, 1) << "the computer did not answer with one piece";
  EXPECT_EQ(MixedBlocks(after), 0);

  // Ctrl held as a person holds it, then Ctrl+plus (3x) and twice Ctrl+minus
  // in quick succession: back to 500 x 500, where the close area is at its
  // own place.  The desktop's late reports of the passing sizes must not reach the picture.
  const std::string key = "DISPLAY=" + display_ +
                          " xdotool keydown ctrl sleep 0.3 key equal sleep 0.3 key minus sleep 0.3 key minus"
                          " sleep 0.3 keyup ctrl";
  ASSERT_EQ(std::system(key.c_str()), 0);
  Photo small;
  for (int waited = 0; waited < 10000 && small.width != 500; waited += 250) {
    Pause(250);
    if (!Shoot(window, "real_window_2x_then_1x", &small)) small.width = 0;
  }
  ASSERT_EQ(small.width, 500) << "Ctrl+minus did not shrink the window";
  Pause(500);
  ASSERT_TRUE(Shoot(window, "real_window_2x_then_1x", &small));
  EXPECT_EQ(small.height, 500);
  EXPECT_EQ(PieceInPhoto(small, {4, 1}), 1);
  EXPECT_EQ(small.At(62, 155), veltounit::MakeColour(0, 0, 64)) << "the board is no longer where it was drawn";
  const int closeX = (veltogui::GetObjectX1("wnd_exit") + veltogui::GetObjectX2("wnd_exit")) / 2;
  const int closeY = (veltogui::GetObjectY1("wnd_exit") + veltogui::GetObjectY2("wnd_exit")) / 2;
  ClickAt(window, closeX, closeY);
  EXPECT_EQ(WaitFor(game_, 10000), 0) << "the close area did not end the program with code 0";
  game_ = 0;
}

}  // namespace
}  // namespace client_test
