// Colours, pixels, lines, pens, rectangles, circles, clearing and the screen
// copy, checked pixel by pixel on the headless window.
#include <cmath>

#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

const Colour kBlack = MakeColour(0, 0, 0);
const Colour kRed = MakeColour(255, 0, 0);
const Colour kGreen = MakeColour(0, 255, 0);
const Colour kWhite = MakeColour(255, 255, 255);

TEST(Colours, MakeColourPacksChannelsAndGreenSpillsIntoBlue) {
  EXPECT_EQ(255u, MakeColour(255, 0, 0));
  EXPECT_EQ(255u << 16, MakeColour(0, 0, 255));
  EXPECT_EQ(MakeColour(0, 0, 1), MakeColour(0, 256, 0));
  EXPECT_EQ(MakeColour(44, 0, 0), MakeColour(300, 0, 0));  // red keeps its low byte
  EXPECT_EQ(RGB(12, 34, 56), MakeColour(12, 34, 56));

  const Colour c = MakeColour(12, 34, 56);
  EXPECT_EQ(12u, RedOf(c));
  EXPECT_EQ(34u, GreenOf(c));
  EXPECT_EQ(56u, BlueOf(c));
  EXPECT_EQ(0xAB12u, BlueOf(0xAB123456u));  // blue is not masked

  EXPECT_EQ("#FF8001", ColourToHex(255, 128, 1));
  EXPECT_EQ("#00FF0A", ColourToHex(256, -1, 10));
}

using Raster = WindowTest;

TEST_F(Raster, PixelsGoToTheWindowAndComeBack) {
  PutPixel(3, 4, kRed);
  SetWindowPixel(5, 6, kGreen);
  EXPECT_EQ(kRed, ReadPixel(3, 4));
  EXPECT_EQ(kGreen, automation::WindowPixel(5, 6));
  EXPECT_EQ(kBlack, ReadPixel(4, 4));
  PutPixel(-1, 500, kRed);  // clipped by the platform, nothing breaks
  EXPECT_EQ(2, LitBox(kBlack).count);
}

TEST_F(Raster, LineLeavesOutItsEndPoint) {
  DrawLine(0, 0, 10, 0, kRed);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(kRed, ReadPixel(x, 0)) << "x=" << x;
  const Box box = LitBox(kBlack);
  EXPECT_EQ(10, box.count);
  EXPECT_EQ(9, box.right);
  EXPECT_EQ(0, box.bottom);

  SetDrawColour(kGreen);
  DrawLineCurrent(50, 20, 50, 30);
  EXPECT_EQ(kGreen, ReadPixel(50, 29));
  EXPECT_EQ(kBlack, ReadPixel(50, 30));
}

TEST_F(Raster, PenWidthWidensLinesWithRoundEnds) {
  SetPenWidth(7, 9, 5);
  DrawLine(40, 50, 100, 50, kRed);
  for (int y = 48; y <= 52; ++y) EXPECT_EQ(kRed, ReadPixel(70, y)) << "y=" << y;
  EXPECT_EQ(kBlack, ReadPixel(70, 47));
  EXPECT_EQ(kBlack, ReadPixel(70, 53));
  // A wide pen's round end reaches past the end point, but not its corners.
  EXPECT_EQ(kRed, ReadPixel(101, 50));
  EXPECT_EQ(kBlack, ReadPixel(102, 52));
  EXPECT_EQ(kBlack, ReadPixel(104, 50));

  // Every shape made afterwards uses the same width.
  DrawRectangle(20, 90, 60, 120, kGreen);
  EXPECT_EQ(kGreen, ReadPixel(40, 92));
  EXPECT_EQ(kGreen, ReadPixel(40, 88));
}

TEST_F(Raster, FillRectangleFillsInsideAndOutlinesAllFourEdges) {
  FillRectangle(10, 10, 20, 16, kWhite, kGreen);
  for (int x = 10; x <= 20; ++x) {
    EXPECT_EQ(kWhite, ReadPixel(x, 10)) << x;
    EXPECT_EQ(kWhite, ReadPixel(x, 16)) << x;
  }
  for (int y = 10; y <= 16; ++y) {
    EXPECT_EQ(kWhite, ReadPixel(10, y)) << y;
    EXPECT_EQ(kWhite, ReadPixel(20, y)) << y;
  }
  for (int y = 11; y <= 15; ++y)
    for (int x = 11; x <= 19; ++x) EXPECT_EQ(kGreen, ReadPixel(x, y)) << x << "," << y;
  const Box box = LitBox(kBlack);
  EXPECT_EQ(10, box.left);
  EXPECT_EQ(10, box.top);
  EXPECT_EQ(20, box.right);
  EXPECT_EQ(16, box.bottom);
  EXPECT_EQ(11 * 7, box.count);

  FillRectangleByLines(50, 50, 60, 56, kWhite, kRed);
  EXPECT_EQ(kWhite, ReadPixel(60, 56));
  EXPECT_EQ(kWhite, ReadPixel(50, 53));
  EXPECT_EQ(kRed, ReadPixel(59, 55));
  EXPECT_EQ(kBlack, ReadPixel(61, 53));
  EXPECT_EQ(kBlack, ReadPixel(55, 57));
}

TEST_F(Raster, FillRectangleTakesCornersInAnyOrder) {
  // Each corner order gives the same picture as the ordered call.
  const int corners[4][4] = {{20, 16, 10, 10}, {20, 10, 10, 16}, {10, 16, 20, 10}, {10, 10, 20, 16}};
  for (const auto& c : corners) {
    ClearWindowColour(kBlack);
    FillRectangle(c[0], c[1], c[2], c[3], kWhite, kGreen);
    const Box box = LitBox(kBlack);
    EXPECT_EQ(10, box.left);
    EXPECT_EQ(10, box.top);
    EXPECT_EQ(20, box.right);
    EXPECT_EQ(16, box.bottom);
    EXPECT_EQ(11 * 7, box.count);
    EXPECT_EQ(kGreen, ReadPixel(11, 11));
    EXPECT_EQ(kGreen, ReadPixel(19, 15));
    EXPECT_EQ(kWhite, ReadPixel(20, 16));
  }
  // Wholly outside the window, far away or inverted across it: nothing
  // breaks, and only what lies inside the window is painted.
  ClearWindowColour(kBlack);
  FillRectangle(kWidth + 50, 10, kWidth + 5, 20, kWhite, kGreen);
  FillRectangle(-5, -50, -40, -10, kWhite, kGreen);
  FillRectangle(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, kGreen, kGreen);
  EXPECT_EQ(kGreen, ReadPixel(0, 0));
  EXPECT_EQ(kGreen, ReadPixel(kWidth - 1, kHeight - 1));
  EXPECT_EQ(kWidth * kHeight, LitBox(kBlack).count);
}

TEST_F(Raster, ClearWindowCoversEveryPixelAndHomesTheCursor) {
  FillRectangle(0, 0, kWidth, kHeight, kWhite, kGreen);
  SetTextCursor(30, 40);
  SetPenWidth(0, 0, 3);
  SetBackColour(kRed);
  ClearWindow();
  const Box notRed = LitBox(kRed);
  EXPECT_TRUE(notRed.Empty()) << notRed.count << " pixels left";
  EXPECT_EQ(0, TextCursorX());
  EXPECT_EQ(0, TextCursorY());

  // The pen width comes back: a line after clearing is 3 pixels thick.
  DrawLine(20, 50, 60, 50, kWhite);
  EXPECT_EQ(kWhite, ReadPixel(40, 49));
  EXPECT_EQ(kRed, ReadPixel(40, 48));
}

TEST_F(Raster, ClearWindowColourCoversEveryPixelAndKeepsTheCursor) {
  FillRectangle(0, 0, kWidth, kHeight, kWhite, kGreen);
  SetTextCursor(30, 40);
  const Colour blue = MakeColour(0, 0, 200);
  ClearWindowColour(blue);
  const Box notBlue = LitBox(blue);
  EXPECT_TRUE(notBlue.Empty()) << notBlue.count << " pixels left, first at " << notBlue.left << "," << notBlue.top;
  EXPECT_EQ(blue, GetDrawColour());
  EXPECT_EQ(30, TextCursorX());
  EXPECT_EQ(40, TextCursorY());
  // The device's own background colour is left as it was.
  EXPECT_EQ(kBlack, GetBackColour());
}

TEST_F(Raster, CircleIsAClosedRingOfItsRadius) {
  const int cx = 60, cy = 70, r = 20;
  DrawCircle(cx, cy, r, kWhite);
  const Box box = LitBox(kBlack);
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(cx - r, box.left);
  EXPECT_EQ(cy - r, box.top);
  EXPECT_LE(box.right, cx + r);
  EXPECT_GE(box.right, cx + r - 1);
  EXPECT_LE(box.bottom, cy + r);
  EXPECT_GE(box.bottom, cy + r - 1);
  EXPECT_EQ(kBlack, ReadPixel(cx, cy));
  // Closed but for the one pixel a full arc leaves out, as GDI's does: every
  // lit pixel has at least two lit neighbours except the two ends beside that
  // gap, and every lit pixel lies on the ring.
  int ends = 0;
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      if (ReadPixel(x, y) != kWhite) continue;
      int neighbours = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if ((dx != 0 || dy != 0) && ReadPixel(x + dx, y + dy) == kWhite) ++neighbours;
      EXPECT_GE(neighbours, 1) << x << "," << y;
      ends += neighbours < 2;
      const double d = std::hypot(x - cx + 0.5, y - cy + 0.5);
      EXPECT_NEAR(r, d, 1.5) << x << "," << y;
    }
  }
  EXPECT_LE(ends, 2);
  // A thin ring: about 4 * sqrt(2) pixels per unit of radius.
  EXPECT_GT(box.count, 5 * r);
  EXPECT_LT(box.count, 7 * r);
}

TEST_F(Raster, ScreenCopyRoundTripsTheWholeWindow) {
  for (int i = 0; i < 15; ++i) DrawLine(i * 13, 0, kWidth - i * 7, kHeight, MakeColour(i * 17, 255 - i * 9, i * 5));
  std::vector<COLORREF> before;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) before.push_back(ReadPixel(x, y));

  SaveScreen();
  ClearWindowColour(kRed);
  RestoreScreen();
  size_t i = 0;
  int different = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) different += ReadPixel(x, y) != before[i++];
  EXPECT_EQ(0, different);
}

// The desktop painting over a window in the background: pixels the program
// did not draw and that the screen copy has to put right.
void DamageFromOutside(Colour colour) {
  RECT all{0, 0, kWidth, kHeight};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(GetDC(WindowHandle()), &all, brush);
  DeleteObject(brush);
}

TEST_F(Raster, DeactivationKeepsTheImageUntilTheWindowComesBack) {
  FillRectangle(30, 30, 90, 80, kWhite, kGreen);
  EXPECT_FALSE(WasRestored());
  automation::SetActive(false);
  DrainMessages();
  DamageFromOutside(kRed);
  automation::SetActive(true);
  DrainMessages();
  EXPECT_EQ(kGreen, ReadPixel(50, 50));
  EXPECT_EQ(kWhite, ReadPixel(90, 80));
  EXPECT_EQ(kBlack, ReadPixel(100, 100));
  EXPECT_TRUE(WasRestored());
  EXPECT_FALSE(WasRestored());

  automation::SetShown(false);
  DrainMessages();
  DamageFromOutside(kRed);
  automation::SetShown(true);
  DrainMessages();
  EXPECT_EQ(kGreen, ReadPixel(50, 50));
  EXPECT_TRUE(WasRestored());

  // Losing focus while minimised is still losing focus.
  FillRectangle(30, 30, 90, 80, kWhite, kBlack);
  SendMessageA(WindowHandle(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
  DamageFromOutside(kRed);
  EXPECT_FALSE(WasRestored());
  SendMessageA(WindowHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(WasRestored());
  EXPECT_EQ(kBlack, ReadPixel(50, 50));
  EXPECT_EQ(kWhite, ReadPixel(30, 50));
}

// The computer goes on playing while another window has the focus: what it
// draws then is newer than the copy taken when the focus went, and coming
// back must not undo it.
TEST_F(Raster, DrawingDoneInTheBackgroundIsNotUndoneOnReturn) {
  FillRectangle(10, 10, 40, 40, kWhite, kGreen);
  automation::SetActive(false);
  DrainMessages();
  FillRectangle(60, 10, 90, 40, kWhite, kRed);  // a move made meanwhile
  PutPixel(120, 20, kGreen);
  automation::SetActive(true);
  DrainMessages();
  EXPECT_EQ(kRed, ReadPixel(70, 20));
  EXPECT_EQ(kGreen, ReadPixel(120, 20));
  EXPECT_EQ(kGreen, ReadPixel(20, 20));
  EXPECT_FALSE(WasRestored());

  // Text, and pictures drawn through the window's DC, count as drawing too.
  automation::SetShown(false);
  DrainMessages();
  SetFontByName("arial", "ansi", 20, 400, 0, 0);
  OutTextXY(10, 60, "Mill");
  automation::SetShown(true);
  DrainMessages();
  int inked = 0;
  for (int y = 60; y < 85; ++y)
    for (int x = 5; x < 70; ++x) inked += ReadPixel(x, y) != kBlack;
  EXPECT_GT(inked, 20);  // the text drawn while hidden is still there
  EXPECT_FALSE(WasRestored());

  const Colour blue = MakeColour(0, 0, 255);
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(memory, 10, 10);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT cell{0, 0, 10, 10};
  HBRUSH brush = CreateSolidBrush(blue);
  FillRect(memory, &cell, brush);
  DeleteObject(brush);
  automation::SetActive(false);
  DrainMessages();
  BitBlt(WindowDC(), 150, 100, 10, 10, memory, 0, 0, SRCCOPY);  // a picture drawn meanwhile
  automation::SetActive(true);
  DrainMessages();
  EXPECT_EQ(blue, ReadPixel(155, 105));
  EXPECT_FALSE(WasRestored());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);

  // Nothing drawn in between: the copy goes back, the same picture as before.
  automation::SetActive(false);
  DrainMessages();
  automation::SetActive(true);
  DrainMessages();
  EXPECT_TRUE(WasRestored());
  EXPECT_EQ(kRed, ReadPixel(70, 20));
}

// The toolkit saves the screen, draws over it (its screen saver) and puts it
// back; the focus going away and coming back meanwhile must not change which
// picture it puts back.
TEST_F(Raster, FocusChangesLeaveTheCallersOwnCopyAlone) {
  FillRectangle(10, 10, 60, 60, kWhite, kGreen);
  SaveScreen();
  ClearWindowColour(kRed);  // the saver's picture
  automation::SetActive(false);
  DrainMessages();
  automation::SetActive(true);
  DrainMessages();
  EXPECT_TRUE(WasRestored());
  EXPECT_EQ(kRed, ReadPixel(30, 30));  // the picture of the moment the focus went
  RestoreScreen();
  EXPECT_EQ(kGreen, ReadPixel(30, 30));
  EXPECT_EQ(kBlack, ReadPixel(100, 100));
}

}  // namespace
}  // namespace gfxtest
