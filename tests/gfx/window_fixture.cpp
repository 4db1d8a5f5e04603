#include "window_fixture.h"

namespace gfxtest {

using namespace veltounit;

void WindowTest::SetUp() {
  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  automation::SetScreenSize(1024, 768);
  ASSERT_EQ(1, CreateMainWindow("veltounit test", kWidth, kHeight, 0));
  DrainMessages();
  SetKeyboardLanguage("english");
}

void WindowTest::TearDown() {
  SetProcessEndHook(nullptr);
  automation::SetCommandRunner(nullptr);
  automation::SetIdleHandler(nullptr);
}

void DrainMessages() {
  // Peeking also delivers the messages the platform sends rather than posts
  // (focus and visibility), which a blocking read would wait past.
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

Box LitBox(Colour background) {
  Box box;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (automation::WindowPixel(x, y) == background) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

}  // namespace gfxtest
