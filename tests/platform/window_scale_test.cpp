// The window shown at a whole factor of the surface drawn on: the presented
// picture repeats each pixel, and pointer positions come back divided.
#include "fixture.h"
#include "platform/window_scale.h"

namespace {

class WindowScale : public HeadlessWindow {};

TEST_F(WindowScale, PresentedPictureRepeatsEachPixel) {
  Paint(RGB(10, 20, 30));
  Line(3, 5, 90, 70, 1, RGB(255, 0, 0));
  Line(0, 79, 99, 0, 3, RGB(0, 200, 0));
  for (int factor : {2, 3}) {
    ASSERT_EQ(presentation::SetWindowScale(factor), factor);
    int w = 0, h = 0;
    const std::vector<COLORREF> shown = automation::PresentedPicture(&w, &h);
    ASSERT_EQ(w, kWidth * factor);
    ASSERT_EQ(h, kHeight * factor);
    ASSERT_EQ(shown.size(), static_cast<size_t>(w) * h);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        wrong += shown[static_cast<size_t>(y) * w + x] != automation::WindowPixel(x / factor, y / factor);
    EXPECT_EQ(wrong, 0) << "at factor " << factor;
    // What the program reads stays the surface's.
    RECT r{};
    GetClientRect(hwnd, &r);
    EXPECT_EQ(r.right, kWidth);
    EXPECT_EQ(r.bottom, kHeight);
  }
}

TEST_F(WindowScale, ClicksAreDividedBackBeforeTheProgramSeesThem) {
  for (int factor : {2, 3}) {
    presentation::SetWindowScale(factor);
    SeenMessages().clear();
    // Every presented pixel of a surface pixel's block lands on that pixel.
    for (int dx : {0, factor - 1}) {
      automation::ClickPresented(factor * 31 + dx, factor * 17 + dx);
      Drain();
      POINT p{};
      GetCursorPos(&p);
      EXPECT_EQ(p.x, 31);
      EXPECT_EQ(p.y, 17);
    }
    int downs = 0;
    for (const Seen& s : SeenMessages()) {
      if (s.message != WM_LBUTTONDOWN) continue;
      ++downs;
      EXPECT_EQ(LOWORD(s.lParam), 31);
      EXPECT_EQ(HIWORD(s.lParam), 17);
    }
    EXPECT_EQ(downs, 2) << "at factor " << factor;
  }
}

TEST_F(WindowScale, FactorStaysWithinOneToThreeAndStartsAtOne) {
  EXPECT_EQ(presentation::WindowScale(), 1);
  EXPECT_EQ(presentation::SetWindowScale(7), 3);
  EXPECT_EQ(presentation::SetWindowScale(-2), 1) << "no display: the desktop's choice is 1";
  EXPECT_EQ(presentation::SetWindowScale(0), 1);
  EXPECT_EQ(presentation::AutomaticScale(), 1);
  presentation::SetWindowScale(2);
  automation::Reset();
  EXPECT_EQ(presentation::WindowScale(), 1) << "a fresh state starts at factor 1";
}

}  // namespace
