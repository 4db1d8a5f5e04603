// Drawing stored pictures into the headless window, compared pixel by pixel.
#include <algorithm>
#include <cstdlib>

#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

constexpr uint32_t kBackground = 0x00030201;
constexpr uint32_t kMagenta = 0x00FF00FF;

// A 4 x 3 picture at store (10, 20) with one magenta cell at its (2, 2).
void MakePicture() {
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) SetStoreCell(10 + x, 20 + y, Rgb(x * 50, y * 60, 7));
  SetStoreCell(12, 22, kMagenta);
  AddPictureName("pic", 10, 20, 14, 23);
}

// Expects the picture's cells at window (x + i, y + j) and the background
// around it; `transparentSkipped` expects the background at the magenta cell.
void ExpectPictureAt(int x, int y, bool transparentSkipped) {
  for (int i = 0; i <= 5; ++i) {
    for (int j = 0; j <= 4; ++j) {
      uint32_t want = kBackground;
      if (i >= 1 && i <= 4 && j >= 1 && j <= 3) want = StoreCell(10 + i, 20 + j);
      if (transparentSkipped && i == 2 && j == 2) want = kBackground;
      ASSERT_EQ(want, WindowPixel(x + i, y + j)) << i << "," << j;
    }
  }
}

class DrawingTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    veltounit::ClearWindowColour(kBackground);
    MakePicture();
  }
};

TEST_F(DrawingTest, DrawPictureFirstCellLandsOnXPlusOne) {
  DrawPicture("PIC", 0, 0);
  ExpectPictureAt(0, 0, false);
  veltounit::ClearWindowColour(kBackground);
  SetTransparentColour(kMagenta);
  DrawPicture("pic", 40, 50);
  ExpectPictureAt(40, 50, true);
  // An unknown name draws the previous selection.
  veltounit::ClearWindowColour(kBackground);
  DrawPicture("unknown", 100, 100);
  ExpectPictureAt(100, 100, true);
}

TEST_F(DrawingTest, BufferedAndScreenCopyHonourTransparencyByIndexDoesNot) {
  SetTransparentColour(kMagenta);
  DrawPictureBuffered("pic", 7, 8);
  ExpectPictureAt(7, 8, true);
  veltounit::ClearWindowColour(kBackground);
  DrawPictureByIndex(1, 20, 30);
  ExpectPictureAt(20, 30, false);
  veltounit::ClearWindowColour(kBackground);
  DrawPictureToScreenCopy("pic", 60, 60);  // no screen copy yet: nothing happens
  CaptureScreen();
  DrawPictureToScreenCopy("pic", 60, 60);
  EXPECT_EQ(kBackground, WindowPixel(61, 61));
  ReleaseScreen();
  ExpectPictureAt(60, 60, true);
}

TEST_F(DrawingTest, CentredFillAndAll) {
  DrawPictureCentred("pic");
  const int cx = PictureMetric("pic", "CENTERX");
  const int cy = PictureMetric("pic", "CENTERY");
  EXPECT_EQ(kWindowWidth / 2 - 1, cx);
  ExpectPictureAt(cx, cy, false);
  // Centred whatever its place in the store (this one starts at store x 10,
  // y 20): the 4 x 3 picture covers window columns cx + 1 .. cx + 4 and rows
  // cy + 1 .. cy + 3.  The offsets count from the first cell and halve the size
  // less one, so the margins differ by a few pixels, never by the store place.
  EXPECT_LE(std::abs((cx + 1) - (kWindowWidth - (cx + 5))), 4);
  EXPECT_LE(std::abs((cy + 1) - (kWindowHeight - (cy + 4))), 4);
  veltounit::ClearWindowColour(kBackground);
  FillPictureArea("pic", 100, 100, Rgb(9, 9, 9));
  // One line per column from y down to, not including, y + height - 1.
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(Rgb(9, 9, 9), WindowPixel(100 + i, 100));
    EXPECT_EQ(Rgb(9, 9, 9), WindowPixel(100 + i, 101));
    EXPECT_EQ(kBackground, WindowPixel(100 + i, 102));
  }
  EXPECT_EQ(kBackground, WindowPixel(100, 100));
  EXPECT_EQ(kBackground, WindowPixel(105, 100));
  // "ALL" is sized by the last loaded picture and starts at store cell (2, 2).
  veltounit::ClearWindowColour(kBackground);
  WriteFile("all.ivx", "*=ivx1*[BK(4,4,4)][LENGTH(3)][WIDTH(2)]&c200,0,0p1,1p4,3}");
  LoadIvxPicture("all");
  DrawPicture("ALL", 0, 0);
  EXPECT_EQ(Rgb(4, 4, 4), WindowPixel(1, 1));    // store (2, 2)
  EXPECT_EQ(Rgb(200, 0, 0), WindowPixel(3, 2));  // store (4, 3)
  EXPECT_EQ(kBackground, WindowPixel(0, 0));
  EXPECT_EQ(kBackground, WindowPixel(4, 1));
}

TEST_F(DrawingTest, ExtremeCoordinatesDrawNothingInsideTheWindow) {
  DrawPicture("pic", INT32_MAX - 2, 0);
  DrawPictureBuffered("pic", 0, INT32_MIN);
  DrawPictureRotated("pic", INT32_MAX, 0, 45);
  FillPictureArea("pic", INT32_MAX, 5, Rgb(9, 9, 9));
  AddPictureName("huge", INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(INT32_MAX - 1, PictureMetric("huge", "X2"));
  EXPECT_EQ(-2, PictureMetric("huge", "SIZEX"));  // 2^32 - 2 cut to 32 bits
  ExportPictureSource("huge", "huge.txt", "a", 0, 1);
  const std::string exported = ReadFile("huge.txt");
  // The four fixed lines and one line for each of the 12 cells of "pic", the
  // only cells of the store that are not black.
  EXPECT_EQ(4 + 12, std::count(exported.begin(), exported.end(), '\n'));
  // Offsets whose window position lies 2^32 past the picture's cells: a
  // position cut to 32 bits would land "pic" at window (10..13, 20..23).
  DrawPicture("huge", INT32_MAX, INT32_MAX);
  DrawPictureByIndex(LocatePicture("huge"), INT32_MAX, INT32_MAX);
  DrawPictureBuffered("huge", INT32_MAX, INT32_MAX);
  FillPictureArea("huge", INT32_MAX, 0, Rgb(9, 9, 9));
  SetRotationQuality(3);
  DrawPictureRotated("huge", INT32_MAX, INT32_MAX, 0);
  DrawPictureRotated("huge", INT32_MIN, INT32_MAX, 90);
  for (int y = 0; y < kWindowHeight; ++y)
    for (int x = 0; x < kWindowWidth; ++x) ASSERT_EQ(kBackground, WindowPixel(x, y)) << x << "," << y;
}

TEST_F(DrawingTest, IvxPictureDrawsPixelByPixel) {
  WriteFile("logo.ivx",
            "*=ivx2*[BK(0,0,255)][LENGTH(5)][WIDTH(4)]&c255,255,0p1,1p5,4i\x01\x01\x01,\x02"
            "c0,255,0p3,2}");
  SetLoadOrigin(500, 600);
  LoadIvxPicture("logo");
  DrawPicture("logo", 10, 10);
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 4; ++y) {
      uint32_t want = Rgb(0, 0, 255);
      if ((x == 1 && y == 1) || (x == 5 && y == 4) || (x == 3 && y == 2)) want = Rgb(255, 255, 0);
      if (x == 3 && y == 2) want = Rgb(0, 255, 0);
      ASSERT_EQ(want, WindowPixel(10 + x, 10 + y)) << x << "," << y;
    }
  }
  EXPECT_EQ(kBackground, WindowPixel(16, 11));
}

}  // namespace
}  // namespace ivxtest
