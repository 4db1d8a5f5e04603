// Operations on stored pictures: channel scaling, mirroring, colour inversion,
// averaging, shrinking, and drawing rotated.
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "gfx/veltounit.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

// Rounding to the nearest integer, halves to even.
int64_t RoundEven(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

// The selection's columns and rows inside the store.
Span SelectedColumns() {
  const LibraryState& s = State();
  return ClipSpan(static_cast<int64_t>(s.left) + 1, static_cast<int64_t>(s.right) + 1, STORE_WIDTH);
}
Span SelectedRows() {
  const LibraryState& s = State();
  return ClipSpan(static_cast<int64_t>(s.top) + 1, static_cast<int64_t>(s.bottom) + 1, STORE_HEIGHT);
}

uint32_t ScaleComponent(uint32_t component, double factor) {
  const double v = component * factor;
  if (v >= 255.0) return 255;
  if (!(v > 0.0)) return 0;  // also a factor that is not a number
  return static_cast<uint32_t>(RoundEven(v));
}

void Plot(int64_t x, int64_t y, Colour colour) {
  if (FitsInt32(x) && FitsInt32(y)) veltounit::PutPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
}

void SwapCells(int64_t c1, int64_t r1, int64_t c2, int64_t r2) {
  // A partner outside the store has no cell to exchange with.
  if (!InStore(c1, r1) || !InStore(c2, r2)) return;
  const Colour a = Cell(c1, r1);
  PutCell(c1, r1, Cell(c2, r2));
  PutCell(c2, r2, a);
}

}  // namespace

// Operations that change cells refuse an unknown name rather than change the
// previously selected picture.
void ScaleChannel(const std::string& name, const std::string& channel, double percent) {
  if (SelectPicture(name) == 0) return;
  const double factor = percent / 100.0;
  const std::string word = UpperAscii(channel);
  const bool all = word == "ALL";
  const bool red = all || word == "RED";
  const bool green = all || word == "GREEN";
  const bool blue = all || word == "BLUE";
  const Span cols = SelectedColumns();
  const Span rows = SelectedRows();
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      const Colour cell = Cell(c, r);
      uint32_t cr = RedPart(cell);
      uint32_t cg = GreenPart(cell);
      uint32_t cb = BluePart(cell);
      if (red) cr = ScaleComponent(cr, factor);
      if (green) cg = ScaleComponent(cg, factor);
      if (blue) cb = ScaleComponent(cb, factor);
      PutCell(c, r, Rgb(cr, cg, cb));
    }
  }
}

void FlipPicture(const std::string& name, const std::string& mode) {
  if (SelectPicture(name) == 0) return;
  const LibraryState& s = State();
  const int64_t left = s.left, right = s.right, top = s.top, bottom = s.bottom;
  const std::string word = UpperAscii(mode);
  const Span cols = SelectedColumns();
  const Span rows = SelectedRows();
  if (word == "HORIZONTALY") {
    const int64_t halfWidth = (right + 1 - left) / 2;
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      for (int64_t c = std::max<int64_t>(left + 1, 1); c <= std::min<int64_t>(left + halfWidth, STORE_WIDTH); ++c) {
        SwapCells(c, r, left + right + 2 - c, r);
      }
    }
  } else if (word == "VERTICALY") {
    const int64_t halfHeight = (bottom + 1 - top) / 2;
    for (int64_t c = cols.first; c <= cols.last; ++c) {
      for (int64_t r = std::max<int64_t>(top + 1, 1); r <= std::min<int64_t>(top + halfHeight, STORE_HEIGHT); ++r) {
        SwapCells(c, r, c, top + bottom + 2 - r);
      }
    }
  } else if (word == "COLOR") {
    for (int64_t c = cols.first; c <= cols.last; ++c) {
      for (int64_t r = rows.first; r <= rows.last; ++r) {
        const Colour cell = Cell(c, r);
        PutCell(c, r, Rgb(255 - RedPart(cell), 255 - GreenPart(cell), 255 - BluePart(cell)));
      }
    }
  }
}

Colour AverageColour(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const Span cols = ClipSpan(x1, x2, STORE_WIDTH);
  const Span rows = ClipSpan(y1, y2, STORE_HEIGHT);
  uint64_t r = 0, g = 0, b = 0, n = 0;
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t y = rows.first; y <= rows.last; ++y) {
      const Colour cell = Cell(c, y);
      r += RedPart(cell);
      g += GreenPart(cell);
      b += BluePart(cell);
      ++n;
    }
  }
  if (n == 0) return 0;
  return Rgb(static_cast<int64_t>(r / n), static_cast<int64_t>(g / n), static_cast<int64_t>(b / n));
}

// Shrinks the picture in place: target cell (tx, ty) of the new size is the
// mean of the block of source cells it covers.  The result keeps the picture's
// first cell where it was and never writes outside the old rectangle; the
// cells the picture no longer covers become black.
void ResizePicture(const std::string& name, int32_t newWidth, int32_t newHeight) {
  const int32_t index = SelectPicture(name);
  if (index == 0) return;
  const LibraryState& s = State();
  const int64_t left = s.left, top = s.top;
  const int64_t width = static_cast<int64_t>(s.right) + 1 - left;
  const int64_t height = static_cast<int64_t>(s.bottom) + 1 - top;
  if (newWidth == 0 && newHeight == 0) {
    veltounit::WriteCentred("Resize to 0 ?");
    return;
  }
  if (newWidth < 0 || newHeight < 0 || width <= 0 || height <= 0) return;
  int64_t nw = newWidth;
  int64_t nh = newHeight;
  double stepX = 0;
  double stepY = 0;
  if (nw == 0) {
    stepY = static_cast<double>(height) / static_cast<double>(nh);
    nw = RoundEven(static_cast<double>(width) / stepY);
    stepX = stepY;
  } else if (nh == 0) {
    stepX = static_cast<double>(width) / static_cast<double>(nw);
    nh = RoundEven(static_cast<double>(height) / stepX);
    stepY = stepX;
  } else {
    stepX = static_cast<double>(width) / static_cast<double>(nw);
    stepY = static_cast<double>(height) / static_cast<double>(nh);
  }
  if (nw > width || nh > height) return;  // only shrinking is done

  std::vector<Colour> target(static_cast<size_t>(nw * nh));
  for (int64_t ty = 1; ty <= nh; ++ty) {
    const int64_t r0 = top + 1 + RoundEven(static_cast<double>(ty - 1) * stepY);
    const int64_t r1 = std::max(r0, top + RoundEven(static_cast<double>(ty) * stepY));
    for (int64_t tx = 1; tx <= nw; ++tx) {
      const int64_t c0 = left + 1 + RoundEven(static_cast<double>(tx - 1) * stepX);
      const int64_t c1 = std::max(c0, left + RoundEven(static_cast<double>(tx) * stepX));
      target[static_cast<size_t>((ty - 1) * nw + (tx - 1))] = AverageColour(
          static_cast<int32_t>(c0), static_cast<int32_t>(r0), static_cast<int32_t>(c1), static_cast<int32_t>(r1));
    }
  }
  const Span cols = SelectedColumns();
  const Span rows = SelectedRows();
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      const int64_t tx = c - left;
      const int64_t ty = r - top;
      PutCell(c, r, tx <= nw && ty <= nh ? target[static_cast<size_t>((ty - 1) * nw + (tx - 1))] : 0);
    }
  }
  if (!SameNoCase(name, "ALL")) {
    IVX_INFO& entry = State().index[index];
    entry.x2 = static_cast<int32_t>(entry.x1 + nw);
    entry.y2 = static_cast<int32_t>(entry.y1 + nh);
  }
}

void SetRotationQuality(int32_t quality) {
  if (quality < 0) {
    NoticeBox("IvxFiles", "Wrong Argument For Rotation Quality , Rotation Quality off!", MB_ICONINFORMATION);
  } else if (quality > 3) {
    quality = 3;
    NoticeBox("IvxFiles",
              "A so high Rotation Quality is not supported by this version of IVXFiles , Rotation Quality set to "
              "maximum possible!",
              MB_ICONINFORMATION);
  }
  State().rotationQuality = quality;
}

int32_t RotationQuality() { return State().rotationQuality; }

// Draws the picture turned by `angle` degrees about its own centre; at angle 0
// it lands exactly where DrawPicture puts it.  Holes the turn leaves between
// neighbouring points are filled by the rotation quality: 1 with the cell's
// colour, 2 with the mean of the 2 x 2 block from the cell, 3 with the mean of
// the 3 x 3 block around the cell.
void DrawPictureRotated(const std::string& name, int32_t x, int32_t y, int32_t angle) {
  SelectPicture(name);
  const LibraryState& s = State();
  const int64_t left = s.left, top = s.top;
  const int64_t hx = (static_cast<int64_t>(s.right) - left) / 2;
  const int64_t hy = (static_cast<int64_t>(s.bottom) - top) / 2;
  const double theta = angle * std::numbers::pi / 180.0;
  const double cs = std::cos(theta);
  const double sn = std::sin(theta);
  const int32_t quality = s.rotationQuality;
  const Span cols = SelectedColumns();
  const Span rows = SelectedRows();
  bool first = true;
  int64_t px = 0, py = 0;
  for (int64_t c = cols.first; c <= cols.last; ++c) {
    for (int64_t r = rows.first; r <= rows.last; ++r) {
      const double u = static_cast<double>(c - left - 1 - hx);
      const double v = static_cast<double>(r - top - 1 - hy);
      const int64_t nx = static_cast<int64_t>(x) + 1 + RoundEven(cs * u - sn * v + static_cast<double>(hx));
      const int64_t ny = static_cast<int64_t>(y) + 1 + RoundEven(sn * u + cs * v + static_cast<double>(hy));
      const Colour cell = Cell(c, r);
      Plot(nx, ny, cell);
      if (first) {
        px = nx;
        py = ny;
        first = false;
      }
      if (quality >= 1) {
        const bool farX = std::llabs(nx - px) > 1;
        const bool farY = std::llabs(ny - py) > 1;
        if (farX || farY) {
          const int32_t ci = static_cast<int32_t>(c);
          const int32_t ri = static_cast<int32_t>(r);
          const Colour fill = quality == 1   ? cell
                              : quality == 2 ? AverageColour(ci, ri, ci + 1, ri + 1)
                                             : AverageColour(ci - 1, ri - 1, ci + 1, ri + 1);
          if (farX && farY) Plot(nx + 1, ny + 1, fill);
          if (farX) Plot(nx + 1, ny, fill);
          if (farY) Plot(nx, ny + 1, fill);
        }
      }
      px = nx;
      py = ny;
    }
  }
}

}  // namespace ivxfiles
