// Pixel-exact checks of the raster: lines, pens, fills, arcs, blits, objects.
#include <climits>
#include <cmath>

#include "fixture.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

using Raster = HeadlessWindow;

TEST_F(Raster, OnePixelLinesLeaveOutTheirEndPoint) {
  Line(0, 0, 10, 0, 1, kRed);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(GetPixel(dc, x, 0), kRed) << x;
  EXPECT_EQ(GetPixel(dc, 10, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 0, 1), kBlack);
  EXPECT_EQ(CountColour(kRed), 10);

  Paint(kBlack);
  Line(10, 5, 0, 5, 1, kRed);  // drawn backwards: the start is in, the end out
  EXPECT_EQ(GetPixel(dc, 10, 5), kRed);
  EXPECT_EQ(GetPixel(dc, 0, 5), kBlack);
  EXPECT_EQ(CountColour(kRed), 10);

  Paint(kBlack);
  Line(20, 20, 25, 25, 1, kRed);  // diagonal
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GetPixel(dc, 20 + i, 20 + i), kRed);
  EXPECT_EQ(GetPixel(dc, 25, 25), kBlack);
  EXPECT_EQ(CountColour(kRed), 5);

  Paint(kBlack);
  Line(30, 10, 30, 10, 1, kRed);  // a line of no length draws nothing
  EXPECT_EQ(CountColour(kRed), 0);
}

TEST_F(Raster, ShallowLinesStepOncePerColumn) {
  Line(0, 0, 20, 5, 1, kRed);
  EXPECT_EQ(CountColour(kRed), 20);
  for (int x = 0; x < 20; ++x) {
    int hits = 0;
    for (int y = 0; y < kHeight; ++y) hits += GetPixel(dc, x, y) == kRed;
    EXPECT_EQ(hits, 1) << x;
  }
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(dc, 19, 5), kRed);
}

TEST_F(Raster, LinesFromFarAwayAreClippedNotWalked) {
  Line(INT_MIN / 2, 7, INT_MAX / 2, 7, 1, kRed);
  EXPECT_EQ(CountColour(kRed), kWidth);
  Paint(kBlack);
  Line(-1000000, -1000000, 1000000, 1000000, 1, kRed);
  EXPECT_EQ(GetPixel(dc, 33, 33), kRed);
  EXPECT_EQ(GetPixel(dc, 34, 33), kBlack);
}

TEST_F(Raster, ExtremeCoordinatesAreClippedSafely) {
  HPEN thin = CreatePen(PS_SOLID, 1, kRed);
  HPEN wide = CreatePen(PS_SOLID, 7, kRed);
  for (HPEN pen : {thin, wide}) {
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_TRUE(Arc(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0));
    EXPECT_TRUE(Arc(dc, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, 0, INT_MAX, 0));
    EXPECT_TRUE(Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_TRUE(Ellipse(dc, INT_MIN, 0, INT_MAX, 10));
    MoveToEx(dc, INT_MIN, INT_MIN, nullptr);
    EXPECT_TRUE(LineTo(dc, INT_MAX, INT_MAX));
    SelectObject(dc, old);
  }
  DeleteObject(thin);
  DeleteObject(wide);
  EXPECT_TRUE(PatBlt(dc, INT_MAX, INT_MAX, INT_MIN, INT_MIN, BLACKNESS));
  EXPECT_EQ(CountColour(kBlack), kWidth * kHeight);  // the whole window, blacked out
  // Only a circle that really passes through the window leaves pixels there.
  Paint(kBlack);
  HGDIOBJ old = SelectObject(dc, GetStockObject(WHITE_PEN));
  Arc(dc, -1000, -1000, 1000, 1000, 0, 0, 0, 0);
  EXPECT_EQ(CountColour(kWhite), 0);
  Arc(dc, -100, -100, 101, 101, 0, 0, 0, 0);  // radius 100 around the origin
  EXPECT_GT(CountColour(kWhite), 0);
  SelectObject(dc, old);
}

TEST_F(Raster, WidePensCoverTheirWidthWithRoundEnds) {
  Line(20, 40, 60, 40, 3, kRed);
  EXPECT_EQ(GetPixel(dc, 40, 38), kBlack);
  for (int y = 39; y <= 41; ++y) EXPECT_EQ(GetPixel(dc, 40, y), kRed) << y;
  EXPECT_EQ(GetPixel(dc, 40, 42), kBlack);
  // The ends are round: the end point itself and half a width beyond it are
  // covered on the axis, but not the corners of a square cap.
  EXPECT_EQ(GetPixel(dc, 60, 40), kRed);
  EXPECT_EQ(GetPixel(dc, 61, 40), kRed);
  EXPECT_EQ(GetPixel(dc, 19, 40), kRed);

  Paint(kBlack);
  Line(20, 40, 60, 40, 4, kRed);
  int rows = 0;
  for (int y = 0; y < kHeight; ++y) rows += GetPixel(dc, 40, y) == kRed;
  EXPECT_EQ(rows, 4);

  Paint(kBlack);
  Line(30, 40, 50, 40, 11, kRed);
  EXPECT_EQ(GetPixel(dc, 25, 40), kRed);    // on the axis, 5 beyond the start
  EXPECT_EQ(GetPixel(dc, 25, 35), kBlack);  // where a square cap would reach
  EXPECT_EQ(GetPixel(dc, 24, 40), kBlack);
  // Symmetric about the line.
  for (int x = 20; x < 60; ++x)
    for (int d = 1; d <= 6; ++d) EXPECT_EQ(GetPixel(dc, x, 40 - d), GetPixel(dc, x, 40 + d)) << x << "," << d;
}

// The pixels of one row that are red, as first column and count.
struct RowInk {
  int first = -1;
  int count = 0;
};

// Wide pens on sloped lines cover one pixel more than the pixels whose centre
// lies within half the width: at 45 degrees, widths 2, 3, 4, 6 and 8 give 4, 6,
// 6, 10 and 12 pixels a row.  The band stays centred on the line (within half
// a pixel) whichever way it slopes and is drawn; only horizontal and vertical
// lines of even width sit half a pixel up and left.
TEST_F(Raster, WidePensOnSlopedLines) {
  const int widths[] = {2, 3, 4, 6, 8};
  const int perRow[] = {4, 6, 6, 10, 12};
  struct Way {
    int x1, y1, x2, y2;
    int slope;  // the line's column on row y is centre + slope * (y - 40)
  };
  const Way ways[] = {
      {10, 10, 70, 70, 1},   // down and right
      {70, 70, 10, 10, 1},   // the same line drawn back
      {70, 10, 10, 70, -1},  // down and left
      {10, 70, 70, 10, -1},  // up and right
  };
  auto rowInk = [&](int y) {
    RowInk r;
    for (int x = 0; x < kWidth; ++x)
      if (GetPixel(dc, x, y) == kRed) {
        if (r.first < 0) r.first = x;
        ++r.count;
      }
    return r;
  };
  for (const Way& way : ways) {
    std::vector<COLORREF> first;
    for (int i = 0; i < 5; ++i) {
      Paint(kBlack);
      Line(way.x1, way.y1, way.x2, way.y2, widths[i], kRed);
      for (int y = 30; y <= 50; ++y) {  // well away from the round ends
        RowInk r = rowInk(y);
        EXPECT_EQ(r.count, perRow[i]) << "width " << widths[i] << " row " << y << " from " << way.x1 << ","
                                      << way.y1;
        const double middle = r.first + (r.count - 1) / 2.0;
        EXPECT_LE(std::fabs(middle - (40 + way.slope * (y - 40))), 0.5)
            << "width " << widths[i] << " row " << y << " from " << way.x1 << "," << way.y1;
      }
    }
  }
  // The same line drawn either way is the same picture.
  for (int w : widths) {
    Paint(kBlack);
    Line(12, 5, 61, 71, w, kRed);
    const std::vector<COLORREF> forth = Picture();
    Paint(kBlack);
    Line(61, 71, 12, 5, w, kRed);
    EXPECT_EQ(PixelsDifferingFrom(forth), 0) << "width " << w;
  }
  // Horizontal and vertical: exactly the width, an even one up and left.
  Paint(kBlack);
  Line(20, 40, 60, 40, 4, kRed);
  for (int y = 36; y <= 43; ++y) EXPECT_EQ(GetPixel(dc, 40, y) == kRed, y >= 38 && y <= 41) << y;
  Paint(kBlack);
  Line(40, 10, 40, 60, 4, kRed);
  for (int x = 36; x <= 43; ++x) EXPECT_EQ(GetPixel(dc, x, 30) == kRed, x >= 38 && x <= 41) << x;
}

// The band and the round ends overlap; each pixel of the line is written once,
// so a line drawn with R2_NOT is the copy-pen picture, without holes.
TEST_F(Raster, WideLinesWriteEachPixelOnce) {
  for (int w : {2, 3, 6, 9}) {
    Paint(kBlack);
    Line(15, 20, 70, 55, w, kWhite);
    const std::vector<COLORREF> copy = Picture();
    Paint(kBlack);
    SetROP2(dc, R2_NOT);
    Line(15, 20, 70, 55, w, kRed);
    SetROP2(dc, R2_COPYPEN);
    EXPECT_EQ(PixelsDifferingFrom(copy), 0) << "width " << w;
    EXPECT_GT(CountColour(kWhite), 55 * w);
  }
}

TEST_F(Raster, OneThickLineClearsTheWholeWindow) {
  Paint(kWhite);
  Line(0, kHeight / 2, kWidth, kHeight / 2, 2 * kHeight, kRed);
  EXPECT_EQ(CountColour(kRed), kWidth * kHeight);
  Paint(kWhite);
  Line(0, kHeight / 2, kWidth, kHeight / 2, kHeight, kRed);
  EXPECT_EQ(CountColour(kRed), kWidth * kHeight);
}

TEST_F(Raster, FillRectLeavesOutRightAndBottomEdges) {
  RECT r{10, 10, 20, 15};
  HBRUSH b = CreateSolidBrush(kRed);
  EXPECT_EQ(FillRect(dc, &r, b), 1);
  DeleteObject(b);
  EXPECT_EQ(GetPixel(dc, 10, 10), kRed);
  EXPECT_EQ(GetPixel(dc, 19, 14), kRed);
  EXPECT_EQ(GetPixel(dc, 20, 10), kBlack);
  EXPECT_EQ(GetPixel(dc, 10, 15), kBlack);
  EXPECT_EQ(GetPixel(dc, 9, 10), kBlack);
  EXPECT_EQ(CountColour(kRed), 50);
  // Beyond the window is clipped, a hollow brush paints nothing.
  RECT huge{-50, -50, 5000, 5000};
  EXPECT_EQ(FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 1);
  EXPECT_EQ(CountColour(kRed), 50);
  EXPECT_EQ(FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 1);
  EXPECT_EQ(CountColour(kWhite), kWidth * kHeight);
}

// An inverted axis is filled from min + 1 to max + 1 (the edge left out is the
// one named first); a rectangle off the surface or past either end of the
// coordinate range paints only what lies inside and never writes outside.
TEST_F(Raster, FillRectOrdersAndClipsItsOwnCorners) {
  HBRUSH red = CreateSolidBrush(kRed);
  struct Case {
    RECT r;
    int left, top, right, bottom;  // inclusive pixels painted, or right < left for none
  };
  const Case cases[] = {
      {{20, 10, 10, 15}, 11, 10, 20, 14},                 // x inverted
      {{10, 15, 20, 10}, 10, 11, 19, 15},                 // y inverted
      {{20, 15, 10, 10}, 11, 11, 20, 15},                 // both
      {{5, 5, 5, 9}, 0, 0, -1, -1},                       // no width
      {{kWidth + 10, 0, kWidth + 50, 10}, 0, 0, -1, -1},  // wholly right of the window
      {{kWidth + 50, 0, kWidth + 10, 10}, 0, 0, -1, -1},  // and inverted there
      {{-30, -30, -10, -10}, 0, 0, -1, -1},               // wholly above and left
      {{-10, 20, -1, 30}, 0, 0, -1, -1},
      {{0, 20, -10, 30}, 0, 20, 0, 29},            // inverted: reaches column 0
      {{kWidth, 0, kWidth - 1, 2}, 0, 0, -1, -1},  // inverted: min + 1 is past the edge
      {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 0, 0, kWidth - 1, kHeight - 1},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0, kWidth - 1, kHeight - 1},
  };
  for (const Case& c : cases) {
    Paint(kBlack);
    EXPECT_EQ(FillRect(dc, &c.r, red), 1);
    int expected = c.right < c.left ? 0 : (c.right - c.left + 1) * (c.bottom - c.top + 1);
    EXPECT_EQ(CountColour(kRed), expected) << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom;
    if (expected > 0) {
      EXPECT_EQ(GetPixel(dc, c.left, c.top), kRed);
      EXPECT_EQ(GetPixel(dc, c.right, c.bottom), kRed);
    }
  }
  DeleteObject(red);
}

// A one-pixel line through a point exactly halfway between two pixels takes
// the smaller coordinate, in whichever direction it is drawn.
TEST_F(Raster, HalfwayPointsGoToTheSmallerCoordinate) {
  struct Case {
    int x1, y1, x2, y2;
    int px, py;  // the pixel of the halfway step
    int ox, oy;  // its neighbour across the half, left black
  };
  const Case cases[] = {
      {0, 0, 4, 1, 2, 0, 2, 1},        // x-major, y growing: (2, 0.5) -> row 0
      {4, 1, 0, 0, 2, 0, 2, 1},        // the same line backwards
      {10, 10, 14, 9, 12, 9, 12, 10},  // y falling: (12, 9.5) -> row 9
      {0, 20, 1, 24, 0, 22, 1, 22},    // y-major, x growing: (0.5, 22) -> column 0
      {1, 30, 0, 34, 0, 32, 1, 32},    // x falling: (0.5, 32) -> column 0
  };
  for (const Case& c : cases) {
    Paint(kBlack);
    Line(c.x1, c.y1, c.x2, c.y2, 1, kRed);
    EXPECT_EQ(GetPixel(dc, c.px, c.py), kRed) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    EXPECT_EQ(GetPixel(dc, c.ox, c.oy), kBlack) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
}

// A line of no length with a wide pen is its round end alone: a plus of 5
// pixels for width 3, 24 pixels (a 6 x 6 square less three at each corner)
// for width 6; widths 2, 4 and 8 give 4, 12 and 52 pixels.
TEST_F(Raster, RoundEndsOfWidePens) {
  const int widths[] = {2, 3, 4, 6, 8};
  const int pixels[] = {4, 5, 12, 24, 52};
  for (int i = 0; i < 5; ++i) {
    Paint(kBlack);
    Line(40, 40, 40, 40, widths[i], kRed);
    EXPECT_EQ(CountColour(kRed), pixels[i]) << "width " << widths[i];
  }
  Paint(kBlack);
  Line(40, 40, 40, 40, 3, kRed);
  for (int d = -1; d <= 1; ++d) {
    EXPECT_EQ(GetPixel(dc, 40 + d, 40), kRed);
    EXPECT_EQ(GetPixel(dc, 40, 40 + d), kRed);
  }
  EXPECT_EQ(GetPixel(dc, 41, 41), kBlack);
  Paint(kBlack);
  Line(40, 40, 40, 40, 6, kRed);  // even widths sit half a pixel up and left: columns 37..42
  EXPECT_EQ(GetPixel(dc, 37, 39), kRed);
  EXPECT_EQ(GetPixel(dc, 42, 40), kRed);
  EXPECT_EQ(GetPixel(dc, 37, 37), kBlack);
  EXPECT_EQ(GetPixel(dc, 38, 37), kBlack);
  EXPECT_EQ(GetPixel(dc, 39, 37), kRed);
  // Straight lines keep exactly their width in rows.
  for (int w : widths) {
    Paint(kBlack);
    Line(10, 40, 60, 40, w, kRed);
    int rows = 0;
    for (int y = 0; y < kHeight; ++y) rows += GetPixel(dc, 30, y) == kRed;
    EXPECT_EQ(rows, w) << "width " << w;
  }
}

TEST_F(Raster, ClosedEllipseIsAThinSymmetricCircle) {
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  // Centre (39.5, 39.5), radius 19.5: the outline alone.
  ASSERT_TRUE(Ellipse(dc, 20, 20, 60, 60));
  SelectObject(dc, oldBrush);
  SelectObject(dc, old);
  DeleteObject(pen);
  int count = 0;
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (GetPixel(dc, x, y) != kRed) continue;
      ++count;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
      double d = std::hypot(x - 39.5, y - 39.5);
      EXPECT_NEAR(d, 19.5, 1.0) << x << "," << y;
      // Mirror images across both axes and the diagonal are drawn too.
      EXPECT_EQ(GetPixel(dc, 79 - x, y), kRed);
      EXPECT_EQ(GetPixel(dc, x, 79 - y), kRed);
      EXPECT_EQ(GetPixel(dc, y, x), kRed);
    }
  // The bounding box leaves out its right and bottom edges, as GDI figures do.
  EXPECT_EQ(minX, 20);
  EXPECT_EQ(maxX, 59);
  EXPECT_EQ(minY, 20);
  EXPECT_EQ(maxY, 59);
  // Closed and thin: about the circumference, no filled ring.
  EXPECT_GT(count, 100);
  EXPECT_LT(count, 140);
  EXPECT_EQ(GetPixel(dc, 40, 40), kBlack);
}

// An arc whose start and end points are the same goes once round the ellipse
// and, like a line, leaves out the pixel it ends on: the closed outline less
// the one pixel just clockwise of the start radial.
TEST_F(Raster, FullArcLeavesOutItsLastPixel) {
  struct Case {
    int xs, ys;  // start = end point
    int mx, my;  // the pixel left out
  };
  const Case cases[] = {
      {100, 39, 59, 40},  // right, a little above the centre row: the pixel below the radial
      {39, -50, 40, 20},  // top, a little left of the centre column: the pixel right of it
      {-50, 40, 20, 39},  // left, a little below: the pixel above
      {40, 120, 39, 59},  // bottom, a little right: the pixel left of it
  };
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Ellipse(dc, 20, 20, 60, 60);
  const std::vector<COLORREF> closed = Picture();
  for (const Case& c : cases) {
    Paint(kBlack);
    ASSERT_TRUE(Arc(dc, 20, 20, 60, 60, c.xs, c.ys, c.xs, c.ys));
    EXPECT_EQ(PixelsDifferingFrom(closed), 1) << c.xs << "," << c.ys;
    EXPECT_EQ(closed[(static_cast<size_t>(c.my) * kWidth) + static_cast<size_t>(c.mx)], kRed);
    EXPECT_EQ(GetPixel(dc, c.mx, c.my), kBlack) << c.xs << "," << c.ys;
  }
  // Each pixel is written once: under R2_NOT the full arc is the same
  // picture in white, not a curve with holes where two passes met.
  Paint(kBlack);
  SelectObject(dc, GetStockObject(WHITE_PEN));
  SetROP2(dc, R2_NOT);
  Ellipse(dc, 20, 20, 60, 60);
  SetROP2(dc, R2_COPYPEN);
  int white = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool lit = GetPixel(dc, x, y) == kWhite;
      white += lit;
      EXPECT_EQ(lit, closed[(static_cast<size_t>(y) * kWidth) + static_cast<size_t>(x)] == kRed) << x << "," << y;
    }
  EXPECT_GT(white, 100);
  SelectObject(dc, oldBrush);
  SelectObject(dc, old);
  DeleteObject(pen);
}

TEST_F(Raster, PartialArcRunsCounterClockwise) {
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(dc, pen);
  // From the right-hand point to the left-hand one, counter-clockwise on screen:
  // the upper half.
  Arc(dc, 20, 20, 60, 60, 70, 40, 10, 40);
  SelectObject(dc, old);
  DeleteObject(pen);
  EXPECT_EQ(GetPixel(dc, 39, 20), kRed);
  EXPECT_EQ(GetPixel(dc, 39, 59), kBlack);
  for (int y = 41; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) EXPECT_NE(GetPixel(dc, x, y), kRed) << x << "," << y;
}

TEST_F(Raster, WideArcIsARing) {
  HPEN pen = CreatePen(PS_SOLID, 5, kRed);
  HGDIOBJ old = SelectObject(dc, pen);
  Arc(dc, 20, 20, 60, 60, 60, 60, 60, 60);
  SelectObject(dc, old);
  DeleteObject(pen);
  EXPECT_EQ(GetPixel(dc, 20, 39), kRed);
  EXPECT_EQ(GetPixel(dc, 18, 39), kRed);
  EXPECT_EQ(GetPixel(dc, 22, 39), kRed);
  EXPECT_EQ(GetPixel(dc, 16, 39), kBlack);
  EXPECT_EQ(GetPixel(dc, 25, 39), kBlack);
  EXPECT_EQ(GetPixel(dc, 39, 39), kBlack);
}

TEST_F(Raster, PixelsRoundTripAndStayInside) {
  EXPECT_TRUE(SetPixelV(dc, 3, 4, RGB(1, 2, 3)));
  EXPECT_EQ(GetPixel(dc, 3, 4), RGB(1, 2, 3));
  EXPECT_EQ(automation::WindowPixel(3, 4), RGB(1, 2, 3));
  EXPECT_EQ(SetPixel(dc, 5, 5, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_FALSE(SetPixelV(dc, -1, 0, kRed));
  EXPECT_FALSE(SetPixelV(dc, kWidth, 0, kRed));
  EXPECT_EQ(GetPixel(dc, 0, kHeight), CLR_INVALID);
  EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
  EXPECT_EQ(CountColour(kRed), 0);
}

TEST_F(Raster, BitBltRoundTripsThroughADisplaySizedMemoryBitmap) {
  Line(0, 0, kWidth, kHeight, 3, kRed);
  SetPixelV(dc, kWidth - 1, kHeight - 1, RGB(0, 255, 0));
  std::vector<COLORREF> before;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) before.push_back(GetPixel(dc, x, y));

  HDC mem = CreateCompatibleDC(dc);
  ASSERT_NE(mem, nullptr);
  int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  ASSERT_NE(bmp, nullptr);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  ASSERT_NE(oldBmp, nullptr);
  ASSERT_TRUE(BitBlt(mem, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY));
  Paint(kWhite);
  ASSERT_TRUE(BitBlt(dc, 0, 0, kWidth, kHeight, mem, 0, 0, SRCCOPY));
  size_t i = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(GetPixel(dc, x, y), before[i++]) << x << "," << y;

  // The bitmap cannot be deleted while selected; it can once released.
  EXPECT_FALSE(DeleteObject(bmp));
  SelectObject(mem, oldBmp);
  EXPECT_TRUE(DeleteObject(bmp));
  EXPECT_TRUE(DeleteDC(mem));
  EXPECT_FALSE(BitBlt(dc, 0, 0, 10, 10, mem, 0, 0, SRCCOPY));
}

TEST_F(Raster, BitBltClipsAndHandlesOverlap) {
  for (int x = 0; x < kWidth; ++x) SetPixelV(dc, x, 0, RGB(x, 0, 0));
  // Shift row 0 right by one within the same surface.
  ASSERT_TRUE(BitBlt(dc, 1, 0, kWidth, 1, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  for (int x = 1; x < kWidth; ++x) EXPECT_EQ(GetPixel(dc, x, 0), RGB(x - 1, 0, 0)) << x;
  // Far outside both surfaces: nothing happens, nothing breaks.
  EXPECT_TRUE(BitBlt(dc, -5000, -5000, 100000, 100000, dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dc, INT_MAX - 5, 0, 10, 10, dc, 0, 0, SRCCOPY));
}

TEST_F(Raster, ObjectsFollowSelectAndDeleteRules) {
  HGDIOBJ stockPen = GetStockObject(BLACK_PEN);
  HPEN pen = CreatePen(PS_SOLID, 2, kRed);
  EXPECT_EQ(SelectObject(dc, pen), stockPen);
  // Deleting a selected pen is deferred until the DC lets go of it.
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(SelectObject(dc, stockPen), pen);
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(SelectObject(dc, pen), nullptr);               // gone
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x1234)));
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
  // A bitmap cannot go into a window DC.
  HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 3);
  EXPECT_EQ(SelectObject(dc, bmp), nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bmp, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_TRUE(DeleteObject(bmp));
  EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 5), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 1 << 20, 1 << 20), nullptr);
  // Null pens draw nothing; mix modes apply to pens.
  SelectObject(dc, GetStockObject(NULL_PEN));
  MoveToEx(dc, 0, 3, nullptr);
  LineTo(dc, 50, 3);
  EXPECT_EQ(CountColour(kBlack), kWidth * kHeight);
  SelectObject(dc, GetStockObject(WHITE_PEN));
  EXPECT_EQ(SetROP2(dc, R2_NOT), R2_COPYPEN);
  MoveToEx(dc, 0, 3, nullptr);
  LineTo(dc, 50, 3);
  EXPECT_EQ(CountColour(kWhite), 50);
}

TEST_F(Raster, DibSectionsShareTheirPixelsBottomUp) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = 2;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(bits, nullptr);
  static_cast<uint32_t*>(bits)[0] = 0x00FF0000;  // first in memory: bottom-left, red
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, dib);
  EXPECT_EQ(GetPixel(mem, 0, 1), kRed);
  EXPECT_EQ(GetPixel(mem, 0, 0), kBlack);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  bi.bmiHeader.biBitCount = 8;
  EXPECT_EQ(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
}

TEST_F(Raster, InvalidatingWithErasePaintsTheClassBrush) {
  Paint(kWhite);
  RECT all{0, 0, kWidth, kHeight};
  ASSERT_TRUE(RedrawWindow(hwnd, &all, nullptr, RDW_INVALIDATE | RDW_ERASE));
  EXPECT_EQ(CountColour(kWhite), kWidth * kHeight);  // nothing until painted
  UpdateWindow(hwnd);
  EXPECT_EQ(CountColour(kBlack), kWidth * kHeight);

  // Without erase the picture stays; the pending paint comes from the queue.
  Paint(kWhite);
  InvalidateRect(hwnd, nullptr, FALSE);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
  DispatchMessageA(&m);
  EXPECT_EQ(CountColour(kWhite), kWidth * kHeight);
  EXPECT_FALSE(PeekMessageA(&m, hwnd, 0, 0, PM_REMOVE));  // validated by painting
}

TEST_F(Raster, DrawingReachesTheScreenWhenThePumpRuns) {
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  int before = automation::PresentCount();
  SetPixelV(dc, 1, 1, kRed);
  PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  EXPECT_GT(automation::PresentCount(), before);
  int after = automation::PresentCount();
  PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);  // nothing new drawn: nothing handed over
  EXPECT_EQ(automation::PresentCount(), after);
}

// A program that only draws (no pump, no sleep) has its picture handed to the
// screen once a frame has passed, not after every call; the next sleep hands
// over whatever is left.
TEST_F(Raster, DrawingAloneReachesTheScreenAtMostOncePerFrame) {
  automation::SetVirtualTime(true);
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  const int start = automation::PresentCount();
  for (int i = 0; i < 50; ++i) SetPixelV(dc, i, 2, kRed);
  EXPECT_EQ(automation::PresentCount(), start);  // no time has passed
  automation::AdvanceTime(17);
  SetPixelV(dc, 60, 2, kRed);
  EXPECT_EQ(automation::PresentCount(), start + 1);
  for (int i = 0; i < 50; ++i) SetPixelV(dc, i, 3, kRed);
  EXPECT_EQ(automation::PresentCount(), start + 1);
  Sleep(0);  // nothing drawn is left behind
  EXPECT_EQ(automation::PresentCount(), start + 2);
  Sleep(0);
  EXPECT_EQ(automation::PresentCount(), start + 2);
}

}  // namespace
