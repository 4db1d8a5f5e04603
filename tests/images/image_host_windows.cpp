// The picture tests' host on Windows: a real window of the system, and the
// library's boxes taken by its box handler, which sees the same caption, text
// and style the box would have (a real box would wait for a person).
#include <string>

#include "image_fixture.h"

namespace ivxtest {

namespace {
std::vector<BoxSeen>& Seen() {
  static std::vector<BoxSeen> seen;
  return seen;
}
}  // namespace

// The Windows Imaging Component, measured under Wine against the fixtures'
// references: 1 level for the baseline picture, 20 for the progressive one
// (the same limit as the decoder comparison of scripts/test-windows.sh).
const int kJpegLevels = 24;

void StartHost() {
  // veltounit has one window, whose destruction ends the process, and its
  // class is named by the title: each test gets a window and a class of its
  // own, and the one before is put out of sight.
  static int serial = 0;
  if (veltounit::WindowHandle() != nullptr) ShowWindow(veltounit::WindowHandle(), SW_HIDE);
  ASSERT_EQ(
      1, veltounit::CreateMainWindow("IvxFiles test " + std::to_string(++serial), kWindowWidth, kWindowHeight, 0));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Seen().clear();
  ivxfiles::SetBoxHandler([](const std::string& caption, const std::string& text, unsigned style) {
    Seen().push_back({text, caption, style});
  });
}

std::vector<BoxSeen> Boxes() { return Seen(); }

void ClearBoxes() { Seen().clear(); }

uint32_t WindowPixel(int x, int y) { return veltounit::ReadPixel(x, y); }

}  // namespace ivxtest
