// The software raster behind the GDI calls: device contexts over 32-bit pixel
// surfaces, pens, brushes, fonts, bitmaps and regions as handle-addressed
// objects, and the drawing rules of Windows (a line leaves out its end point,
// wide pens have round ends, rectangle fills leave out the right and bottom
// edges).  Handles are numbers looked up in tables, so a wrong or stale handle
// makes a call fail instead of touching freed memory.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/state.h"

namespace plat {

namespace {

enum ObjectKind { kPen = OBJ_PEN, kBrush = OBJ_BRUSH, kFont = OBJ_FONT, kBitmap = OBJ_BITMAP, kRegion = OBJ_REGION };

struct GdiObject {
  int kind = 0;
  bool stock = false;
  int selectCount = 0;         // DCs it is selected into
  bool deletePending = false;  // deleted while selected: goes when released
  // pen and brush
  int penStyle = PS_SOLID;
  int penWidth = 1;
  COLORREF colour = 0;
  bool hollow = false;
  int dcColour = 0;  // 1 = DC_PEN, 2 = DC_BRUSH: colour comes from the DC
  // font
  LOGFONTA font{};
  // bitmap
  Surface pixels;
  bool dib = false;
  // region
  RECT rect{};
};

struct Dc {
  HWND hwnd = nullptr;  // window DC, else a memory DC
  HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr, bitmap = nullptr;
  int bkMode = OPAQUE;
  COLORREF bkColour = RGB(255, 255, 255);
  COLORREF textColour = 0;
  int rop2 = R2_COPYPEN;
  POINT pos{0, 0};
  UINT align = TA_LEFT | TA_TOP;
  COLORREF dcPenColour = 0;
  COLORREF dcBrushColour = RGB(255, 255, 255);
};

}  // namespace

// The raster's part of the state record.
struct GdiTables {
  std::unordered_map<uintptr_t, GdiObject> objects;
  std::unordered_map<uintptr_t, Dc> dcs;
  uintptr_t nextId = 0x10000;
};

namespace {

GdiTables& Gdi() {
  std::shared_ptr<GdiTables>& tables = State().gdi;
  if (!tables) tables = std::make_shared<GdiTables>();
  return *tables;
}

constexpr uintptr_t kStockBase = 0x100;
constexpr uintptr_t kDefaultBitmap = kStockBase + 0x40;
constexpr int kMaxPixels = 1 << 27;  // 512 MB of pixels: refuse anything larger

uintptr_t Key(const void* h) { return reinterpret_cast<uintptr_t>(h); }
// Pixel coordinates as real numbers for the figure geometry; every coordinate
// here is far inside the range a double holds exactly.
constexpr double Real(long v) { return static_cast<double>(v); }
template <typename H>
H AsHandle(uintptr_t id) {
  return reinterpret_cast<H>(id);
}

GdiObject* Object(HGDIOBJ h);

void MakeStock() {
  if (!Gdi().objects.empty() && Gdi().objects.count(kStockBase + BLACK_BRUSH)) return;
  auto brush = [](int index, COLORREF c, bool hollow) {
    GdiObject o;
    o.kind = kBrush;
    o.stock = true;
    o.colour = c;
    o.hollow = hollow;
    Gdi().objects[kStockBase + static_cast<uintptr_t>(index)] = o;
  };
  brush(WHITE_BRUSH, RGB(255, 255, 255), false);
  brush(LTGRAY_BRUSH, RGB(192, 192, 192), false);
  brush(GRAY_BRUSH, RGB(128, 128, 128), false);
  brush(DKGRAY_BRUSH, RGB(64, 64, 64), false);
  brush(BLACK_BRUSH, RGB(0, 0, 0), false);
  brush(NULL_BRUSH, 0, true);
  brush(DC_BRUSH, 0, false);
  Gdi().objects[kStockBase + DC_BRUSH].dcColour = 2;
  auto pen = [](int index, COLORREF c, int style) {
    GdiObject o;
    o.kind = kPen;
    o.stock = true;
    o.colour = c;
    o.penStyle = style;
    o.penWidth = 1;
    Gdi().objects[kStockBase + static_cast<uintptr_t>(index)] = o;
  };
  pen(WHITE_PEN, RGB(255, 255, 255), PS_SOLID);
  pen(BLACK_PEN, 0, PS_SOLID);
  pen(NULL_PEN, 0, PS_NULL);
  pen(DC_PEN, 0, PS_SOLID);
  Gdi().objects[kStockBase + DC_PEN].dcColour = 1;
  // Stock fonts: all map to the desktop's sans face; the system font is bold
  // with a 16-pixel cell as on a 96-dpi Windows desktop.
  auto font = [](int index, int height, int weight, const char* face) {
    GdiObject o;
    o.kind = kFont;
    o.stock = true;
    o.font.lfHeight = height;
    o.font.lfWeight = weight;
    o.font.lfCharSet = ANSI_CHARSET;
    std::snprintf(o.font.lfFaceName, LF_FACESIZE, "%s", face);
    Gdi().objects[kStockBase + static_cast<uintptr_t>(index)] = o;
  };
  font(SYSTEM_FONT, 16, FW_BOLD, "sans-serif");
  font(DEVICE_DEFAULT_FONT, 16, FW_BOLD, "sans-serif");
  font(ANSI_VAR_FONT, 13, FW_NORMAL, "sans-serif");
  font(DEFAULT_GUI_FONT, -11, FW_NORMAL, "sans-serif");
  font(ANSI_FIXED_FONT, 13, FW_NORMAL, "monospace");
  font(OEM_FIXED_FONT, 12, FW_NORMAL, "monospace");
  font(SYSTEM_FIXED_FONT, 16, FW_NORMAL, "monospace");
  GdiObject bmp;
  bmp.kind = kBitmap;
  bmp.stock = true;
  AllocateSurface(bmp.pixels, 1, 1);
  Gdi().objects[kDefaultBitmap] = bmp;
}

GdiObject* Object(HGDIOBJ h) {
  MakeStock();
  auto it = Gdi().objects.find(Key(h));
  return it == Gdi().objects.end() ? nullptr : &it->second;
}

Dc* FindDc(HDC hdc) {
  auto it = Gdi().dcs.find(Key(hdc));
  return it == Gdi().dcs.end() ? nullptr : &it->second;
}

HGDIOBJ NewObject(GdiObject o) {
  MakeStock();
  uintptr_t id = Gdi().nextId++;
  Gdi().objects[id] = std::move(o);
  return AsHandle<HGDIOBJ>(id);
}

void Release(HGDIOBJ h) {
  GdiObject* o = Object(h);
  if (o == nullptr) return;
  if (o->selectCount > 0) o->selectCount--;
  if (o->selectCount == 0 && o->deletePending) Gdi().objects.erase(Key(h));
}

void Retain(HGDIOBJ h) {
  if (GdiObject* o = Object(h)) o->selectCount++;
}

Surface* DcSurface(Dc& dc) {
  if (dc.hwnd != nullptr) {
    Window* w = FindWindowByHandle(dc.hwnd);
    return w ? &w->surface : nullptr;
  }
  GdiObject* b = Object(dc.bitmap);
  return b ? &b->pixels : nullptr;
}

void Drawn(Surface* s) { NoteDrawn(s); }

// --- pixel writing with the DC's mix mode --------------------------------------
uint32_t Mix(int rop2, uint32_t dst, uint32_t pen) {
  switch (rop2) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(dst | pen) & 0xFFFFFF;
    case R2_MASKNOTPEN: return dst & ~pen & 0xFFFFFF;
    case R2_NOTCOPYPEN: return ~pen & 0xFFFFFF;
    case R2_MASKPENNOT: return pen & ~dst & 0xFFFFFF;
    case R2_NOT: return ~dst & 0xFFFFFF;
    case R2_XORPEN: return (dst ^ pen) & 0xFFFFFF;
    case R2_NOTMASKPEN: return ~(dst & pen) & 0xFFFFFF;
    case R2_MASKPEN: return dst & pen;
    case R2_NOTXORPEN: return ~(dst ^ pen) & 0xFFFFFF;
    case R2_NOP: return dst;
    case R2_MERGENOTPEN: return (dst | ~pen) & 0xFFFFFF;
    case R2_MERGEPENNOT: return (pen | ~dst) & 0xFFFFFF;
    case R2_MERGEPEN: return dst | pen;
    case R2_WHITE: return 0xFFFFFF;
    default: return pen;  // R2_COPYPEN
  }
}

struct PenPlot {
  Surface* s;
  uint32_t pixel;
  int rop2;
  void operator()(long x, long y) const {
    if (x < 0 || y < 0 || x >= s->width || y >= s->height) return;
    uint32_t& d = s->Row(static_cast<int>(y))[x];
    d = Mix(rop2, d, pixel);
  }
};

struct PenInfo {
  bool visible = false;
  int width = 1;
  COLORREF colour = 0;
};

PenInfo CurrentPen(Dc& dc) {
  PenInfo p;
  GdiObject* o = Object(dc.pen);
  if (o == nullptr || o->penStyle == PS_NULL) return p;
  p.visible = true;
  p.width = o->penWidth;
  p.colour = o->dcColour == 1 ? dc.dcPenColour : o->colour;
  return p;
}

// A one-pixel line from (x1, y1) towards (x2, y2), end point left out.  Pixel i
// along the major axis sits at round(i * minor / major) on the minor axis, which
// lets the walk start at the first pixel inside the surface however far away
// the line begins.
void CosmeticLine(const PenPlot& plot, long x1, long y1, long x2, long y2) {
  long dx = x2 - x1, dy = y2 - y1;
  long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  bool xMajor = adx >= ady;
  long major = xMajor ? adx : ady;
  long minor = xMajor ? ady : adx;
  if (major == 0) return;
  // Steps whose major coordinate falls inside the surface.
  long start = xMajor ? x1 : y1;
  int dir = xMajor ? sx : sy;
  long limit = xMajor ? plot.s->width : plot.s->height;
  long iFirst, iLast;  // inclusive range of steps within [0, limit)
  if (dir > 0) {
    iFirst = std::max(0L, -start);
    iLast = std::min(major - 1, limit - 1 - start);
  } else {
    iFirst = std::max(0L, start - (limit - 1));
    iLast = std::min(major - 1, start);
  }
  // A point exactly halfway between two pixels goes to the smaller
  // coordinate, whichever way the line runs: rounding half up when the minor
  // coordinate falls, half down when it grows.
  const int minorDir = xMajor ? sy : sx;
  for (long i = iFirst; i <= iLast; ++i) {
    __int128 num = static_cast<__int128>(2) * i * minor + major - (minorDir > 0 ? 1 : 0);
    long off = static_cast<long>(num / (2 * static_cast<__int128>(major)));
    long mx = start + dir * i;
    if (xMajor) plot(mx, y1 + sy * off);
    else plot(x1 + sx * off, mx);
  }
}

// Floor and ceiling of a / b for b > 0, exact over the whole range of
// products of two coordinates.
__int128 FloorDiv(__int128 a, __int128 b) {
  __int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}
__int128 CeilDiv(__int128 a, __int128 b) { return -FloorDiv(-a, b); }

// Columns [first, last] of one row; empty when last < first.
struct Span {
  __int128 first = 0;
  __int128 last = -1;
};

// The round end of a wide pen on row y: pixels whose centre lies closer than
// sqrt(r (r - 1/4)) to the end point, r half the width, with an even width's
// end point half a pixel up and left.  In doubled coordinates X = 2 (x - ex) + p,
// Y = 2 (y - ey) + p (p = 1 for even widths) that is 2 (X^2 + Y^2) < w (2w - 1):
// a plus of 5 pixels for width 3, 24 for 6, and 4, 12, 52 for 2, 4 and 8.
Span RoundEndRow(long ex, long ey, long y, int width) {
  const int p = width % 2 == 0 ? 1 : 0;
  const __int128 w = width;
  const __int128 bigY = 2 * (static_cast<__int128>(y) - ey) + p;
  const __int128 room = w * (2 * w - 1) - 2 * bigY * bigY;  // 2 X^2 must stay below this
  auto fits = [&](__int128 i) {
    const __int128 bigX = 2 * i + p;
    return 2 * bigX * bigX < room;
  };
  Span out;
  if (!fits(0)) return out;
  // The largest i >= 0 that fits, from a floating estimate put right exactly.
  auto k = static_cast<__int128>(std::sqrt(static_cast<double>(room) / 2.0) / 2.0);
  while (k > 0 && !fits(k)) --k;
  while (fits(k + 1)) ++k;
  out.first = static_cast<__int128>(ex) - k - p;
  out.last = static_cast<__int128>(ex) + k;
  return out;
}

// GDI's rounding of a positive real: halves go up.
__int128 RoundHalfUp(double v) { return static_cast<__int128>(std::floor(v + 0.5)); }

// The straight part of a wide line on row y.  A horizontal or vertical line
// covers exactly its width, an even width one more row or column above or
// left of the line than below or right.  A sloped line is the band between the
// line moved out to either side: the pen's width projected on each axis is
// halved and rounded to whole pixels, the left side taking half of it and the
// right side half of one more, so the band is one pixel thicker than the
// pixels whose centre lies within half the width (4, 6, 6, 10 and 12 pixels a
// row at 45 degrees for widths 2, 3, 4, 6 and 8) and stays centred on the
// line for every width.  A centre on the band's left edge is in, on its right
// edge out; the band ends square at both end points, where the round ends
// take over.
Span BandRow(long x1, long y1, long x2, long y2, long y, int width) {
  Span out;
  const __int128 half = width / 2;
  if (y1 == y2) {
    if (y < y1 - half || y > y1 - half + width - 1) return out;
    out.first = std::min(x1, x2);
    out.last = std::max(x1, x2);
    return out;
  }
  if (x1 == x2) {
    out.first = x1 - half;
    out.last = x1 - half + width - 1;
    if (y < std::min(y1, y2) || y > std::max(y1, y2)) out.last = out.first - 1;
    return out;
  }
  if (y2 < y1) {  // walked downwards, so the band is the same whichever way the line was drawn
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const __int128 dx = static_cast<__int128>(x2) - x1, dy = static_cast<__int128>(y2) - y1;
  const __int128 adx = dx < 0 ? -dx : dx;
  const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
  const double projX = width * static_cast<double>(dy) / len;   // the width seen along a row
  const double projY = width * static_cast<double>(adx) / len;  // and down a column
  // cross = (x - x1) dy - (y - y1) dx grows to the right; the band is
  // -leftSide <= cross < rightSide.
  const __int128 leftSide = RoundHalfUp(projX / 2) * dy + RoundHalfUp(projY / 2) * adx;
  const __int128 rightSide = RoundHalfUp((projX + 1) / 2) * dy + RoundHalfUp((projY + 1) / 2) * adx;
  const __int128 k = (static_cast<__int128>(y) - y1) * dx;
  __int128 lo = CeilDiv(k - leftSide, dy);
  __int128 hi = CeilDiv(k + rightSide, dy) - 1;
  // Between the end points: 0 <= (x - x1) dx + (y - y1) dy <= dx^2 + dy^2.
  const __int128 j = (static_cast<__int128>(y) - y1) * dy, length2 = dx * dx + dy * dy;
  if (dx > 0) {
    lo = std::max(lo, CeilDiv(-j, dx));
    hi = std::min(hi, FloorDiv(length2 - j, dx));
  } else {
    lo = std::max(lo, CeilDiv(j - length2, adx));
    hi = std::min(hi, FloorDiv(j, adx));
  }
  out.first = x1 + lo;
  out.last = x1 + hi;
  return out;
}

// A line of a pen wider than one pixel: the band of the line and a round end
// at each end point, every pixel of their union written once (so mix modes
// such as R2_NOT see each pixel one time).
void WideLine(const PenPlot& plot, long x1, long y1, long x2, long y2, int width) {
  const long w = width;
  const long top = std::max(std::min(y1, y2) - w - 1, 0L);
  const long bottom = std::min(std::max(y1, y2) + w + 1, static_cast<long>(plot.s->height) - 1);
  const __int128 right = plot.s->width - 1;
  for (long y = top; y <= bottom; ++y) {
    Span spans[3] = {BandRow(x1, y1, x2, y2, y, width), RoundEndRow(x1, y1, y, width),
                     RoundEndRow(x2, y2, y, width)};
    for (Span& sp : spans) {
      sp.first = std::max<__int128>(sp.first, 0);
      sp.last = std::min(sp.last, right);
    }
    std::sort(std::begin(spans), std::end(spans), [](const Span& a, const Span& b) { return a.first < b.first; });
    __int128 next = 0;  // first column not yet written on this row
    for (const Span& sp : spans) {
      if (sp.last < sp.first) continue;
      for (__int128 x = std::max(sp.first, next); x <= sp.last; ++x) plot(static_cast<long>(x), y);
      next = std::max(next, sp.last + 1);
    }
  }
}

void PenLine(Dc& dc, Surface* s, long x1, long y1, long x2, long y2) {
  PenInfo pen = CurrentPen(dc);
  if (!pen.visible || s == nullptr) return;
  PenPlot plot{s, ToPixel(pen.colour), dc.rop2};
  if (pen.width <= 1) CosmeticLine(plot, x1, y1, x2, y2);
  else WideLine(plot, x1, y1, x2, y2, pen.width);
}

// Angle on screen, counter-clockwise as the eye sees it (y grows downwards).
double ScreenAngle(double dx, double dy) { return std::atan2(-dy, dx); }

bool InSweep(double a, double start, double sweep) {
  constexpr double kTwoPi = 6.283185307179586;
  double d = std::fmod(a - start, kTwoPi);
  if (d < 0) d += kTwoPi;
  return d <= sweep + 1e-9;
}

// Outline of the ellipse inside (left, top, right, bottom), the right and
// bottom edges left out as for every GDI figure, from the start radial
// counter-clockwise to the end radial.  `open` is a full arc: the whole
// ellipse from the start radial round to it again, its last pixel left out.
void EllipseOutline(Dc& dc, Surface* s, long l, long t, long r, long b, bool partial, bool open, double a0,
                    double a1) {
  PenInfo pen = CurrentPen(dc);
  if (!pen.visible || s == nullptr) return;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (r - l < 1 || b - t < 1) return;
  constexpr double kTwoPi = 6.283185307179586;
  double sweep = 0;
  if (partial) {
    sweep = std::fmod(a1 - a0, kTwoPi);
    if (sweep <= 0) sweep += kTwoPi;
  }
  double cx = Real(l + r - 1) / 2.0, cy = Real(t + b - 1) / 2.0;
  double ra = Real(r - l - 1) / 2.0, rb = Real(b - t - 1) / 2.0;
  PenPlot plot{s, ToPixel(pen.colour), dc.rop2};
  auto put = [&](long x, long y) {
    if (partial && !InSweep(ScreenAngle(Real(x) - cx, Real(y) - cy), a0, sweep)) return;
    plot(x, y);
  };
  if (pen.width <= 1) {
    if (ra <= 0 || rb <= 0) {  // one or two pixels across: the box itself, clipped
      const long xs = std::max(l, 0L), xe = std::min(r, static_cast<long>(s->width));
      const long ys = std::max(t, 0L), ye = std::min(b, static_cast<long>(s->height));
      for (long y = ys; y < ye; ++y)
        for (long x = xs; x < xe; ++x) put(x, y);
      return;
    }
    // Each column gets its two outline rows and each row its two outline
    // columns; together they give a closed one-pixel curve, mirrored exactly.
    auto columnRows = [&](long x, long* upper, long* lower) {
      double u = (Real(x) - cx) / ra;
      if (u < -1 || u > 1) return false;
      double off = rb * std::sqrt(std::max(0.0, 1 - u * u));
      *upper = static_cast<long>(std::ceil(cy - off - 0.5));
      *lower = static_cast<long>(std::floor(cy + off + 0.5));
      return true;
    };
    auto rowColumns = [&](long y, long* left, long* right) {
      double v = (Real(y) - cy) / rb;
      if (v < -1 || v > 1) return false;
      double off = ra * std::sqrt(std::max(0.0, 1 - v * v));
      *left = static_cast<long>(std::ceil(cx - off - 0.5));
      *right = static_cast<long>(std::floor(cx + off + 0.5));
      return true;
    };
    // The curve's pixels from the columns and rows given, each once (a pixel
    // found by both passes is still written one time, which matters to the
    // mix modes).
    auto outline = [&](long xFrom, long xTo, long yFrom, long yTo) {
      std::vector<std::pair<long, long>> pts;
      for (long x = xFrom; x <= xTo; ++x) {
        long upper = 0, lower = 0;
        if (!columnRows(x, &upper, &lower)) continue;
        pts.emplace_back(x, upper);
        pts.emplace_back(x, lower);
      }
      for (long y = yFrom; y <= yTo; ++y) {
        long left = 0, right = 0;
        if (!rowColumns(y, &left, &right)) continue;
        pts.emplace_back(left, y);
        pts.emplace_back(right, y);
      }
      std::sort(pts.begin(), pts.end());
      pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
      return pts;
    };
    // A full arc runs once round from its start radial and, as every GDI line,
    // leaves out its last pixel: the one reached last counter-clockwise, just
    // clockwise of the start radial.  It lies next to where the radial meets
    // the ellipse, so only the pixels there are searched (the surface may
    // show none of them).
    bool leaveOut = false;
    std::pair<long, long> last{};
    if (open) {
      const double c = std::cos(a0), sn = std::sin(a0);
      const double reach = 1.0 / std::sqrt((c / ra) * (c / ra) + (sn / rb) * (sn / rb));
      const long px = std::lround(cx + reach * c), py = std::lround(cy - reach * sn);
      const auto near = outline(std::max(px - 2, l), std::min(px + 2, r - 1), std::max(py - 2, t),
                                std::min(py + 2, b - 1));
      double most = -1;
      for (const auto& q : near) {
        double d = std::fmod(ScreenAngle(Real(q.first) - cx, Real(q.second) - cy) - a0, kTwoPi);
        if (d < 0) d += kTwoPi;
        if (d > most) {
          most = d;
          last = q;
          leaveOut = true;
        }
      }
    }
    const auto pts = outline(std::max(l, 0L), std::min(r - 1, static_cast<long>(s->width) - 1), std::max(t, 0L),
                             std::min(b - 1, static_cast<long>(s->height) - 1));
    for (const auto& q : pts)
      if (!(leaveOut && q == last)) put(q.first, q.second);
    return;
  }
  // Wide pen: pixels whose distance to the outline is below half the width.
  double half = pen.width / 2.0;
  long minX = std::max(static_cast<long>(std::floor(cx - ra - half)) - 1, 0L);
  long maxX = std::min(static_cast<long>(std::ceil(cx + ra + half)) + 1, static_cast<long>(s->width) - 1);
  long minY = std::max(static_cast<long>(std::floor(cy - rb - half)) - 1, 0L);
  long maxY = std::min(static_cast<long>(std::ceil(cy + rb + half)) + 1, static_cast<long>(s->height) - 1);
  for (long y = minY; y <= maxY; ++y) {
    for (long x = minX; x <= maxX; ++x) {
      double dx = Real(x) - cx, dy = Real(y) - cy;
      double dist;
      if (ra == rb) {
        dist = std::fabs(std::sqrt(dx * dx + dy * dy) - ra);
      } else {
        double ea = std::max(ra, 0.5), eb = std::max(rb, 0.5);
        double f = std::sqrt((dx / ea) * (dx / ea) + (dy / eb) * (dy / eb));
        double d = std::sqrt(dx * dx + dy * dy);
        dist = f > 0 ? std::fabs(f - 1) * d / f : std::min(ea, eb);
      }
      if (dist < half) put(x, y);
    }
  }
}

void FillEllipse(Surface* s, long l, long t, long r, long b, uint32_t pixel) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  double cx = Real(l + r - 1) / 2.0, cy = Real(t + b - 1) / 2.0;
  double ra = Real(r - l) / 2.0, rb = Real(b - t) / 2.0;
  if (ra <= 0 || rb <= 0) return;
  for (long y = std::max(t, 0L); y < std::min(b, static_cast<long>(s->height)); ++y) {
    for (long x = std::max(l, 0L); x < std::min(r, static_cast<long>(s->width)); ++x) {
      double u = (Real(x) - cx) / ra, v = (Real(y) - cy) / rb;
      if (u * u + v * v < 1.0) s->Row(static_cast<int>(y))[x] = pixel;
    }
  }
}

// The pixels FillRect paints for a rectangle as the caller gave it.  An axis
// given the right way round covers [min, max); an inverted axis covers
// [min + 1, max + 1), since the edge left out is then the one named first.
RECT FillArea(const RECT& r) {
  auto axis = [](LONG a, LONG b, LONG* lo, LONG* hi) {
    if (b >= a) {
      *lo = a;
      *hi = b;
    } else {  // 64-bit steps: max + 1 must not wrap at the top of the range
      *lo = static_cast<LONG>(std::min<long long>(static_cast<long long>(b) + 1, INT32_MAX));
      *hi = static_cast<LONG>(std::min<long long>(static_cast<long long>(a) + 1, INT32_MAX));
    }
  };
  RECT out{};
  axis(r.left, r.right, &out.left, &out.right);
  axis(r.top, r.bottom, &out.top, &out.bottom);
  return out;
}
}  // namespace

// ---------------------------------------------------------------------------
// Shared with the other files
// ---------------------------------------------------------------------------
Surface* SurfaceOfDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? DcSurface(*dc) : nullptr;
}

LOGFONTA* FontOfDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return nullptr;
  GdiObject* f = Object(dc->font);
  return f ? &f->font : nullptr;
}

HDC CreateWindowDc(Window& w) {
  MakeStock();
  uintptr_t id = Gdi().nextId++;
  Dc dc;
  dc.hwnd = w.handle;
  dc.pen = AsHandle<HGDIOBJ>(kStockBase + BLACK_PEN);
  dc.brush = AsHandle<HGDIOBJ>(kStockBase + WHITE_BRUSH);
  dc.font = AsHandle<HGDIOBJ>(kStockBase + SYSTEM_FONT);
  Gdi().dcs[id] = dc;
  return AsHandle<HDC>(id);
}

void DestroyDc(HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return;
  Release(dc->pen);
  Release(dc->brush);
  Release(dc->font);
  Release(dc->bitmap);
  Gdi().dcs.erase(Key(hdc));
}

bool BrushColour(HBRUSH brush, COLORREF* colour) {
  uintptr_t v = Key(brush);
  if (v >= 1 && v <= 31) {  // (HBRUSH)(COLOR_xxx + 1), as window classes use
    *colour = GetSysColor(static_cast<int>(v - 1));
    return true;
  }
  GdiObject* o = Object(brush);
  if (o == nullptr || o->kind != kBrush || o->hollow) return false;
  *colour = o->colour;
  return true;
}

}  // namespace plat

using namespace plat;

// ---------------------------------------------------------------------------
// Objects
// ---------------------------------------------------------------------------
HGDIOBJ WINAPI GetStockObject(int index) {
  MakeStock();
  if (index < 0 || index > DC_PEN) return nullptr;
  const uintptr_t id = kStockBase + static_cast<uintptr_t>(index);
  auto it = Gdi().objects.find(id);
  return it == Gdi().objects.end() ? nullptr : AsHandle<HGDIOBJ>(id);
}

HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
  GdiObject o;
  o.kind = kPen;
  o.penStyle = style & 0xF;
  o.penWidth = std::max(width, 1);
  o.colour = colour & 0xFFFFFF;
  return static_cast<HPEN>(NewObject(o));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr) return nullptr;
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
  GdiObject o;
  o.kind = kBrush;
  o.colour = colour & 0xFFFFFF;
  return static_cast<HBRUSH>(NewObject(o));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return nullptr;
  GdiObject o;
  o.kind = kBrush;
  o.colour = brush->lbColor & 0xFFFFFF;
  o.hollow = brush->lbStyle == BS_NULL;
  return static_cast<HBRUSH>(NewObject(o));
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return nullptr;
  GdiObject o;
  o.kind = kFont;
  o.font = *font;
  o.font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(NewObject(o));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA f{};
  f.lfHeight = height;
  f.lfWidth = width;
  f.lfEscapement = escapement;
  f.lfOrientation = orientation;
  f.lfWeight = weight;
  f.lfItalic = static_cast<BYTE>(italic != 0);
  f.lfUnderline = static_cast<BYTE>(underline != 0);
  f.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  f.lfCharSet = static_cast<BYTE>(charSet);
  f.lfOutPrecision = static_cast<BYTE>(outPrecision);
  f.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  f.lfQuality = static_cast<BYTE>(quality);
  f.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName != nullptr) std::snprintf(f.lfFaceName, LF_FACESIZE, "%s", faceName);
  return CreateFontIndirectA(&f);
}

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  GdiObject o;
  o.kind = kRegion;
  o.rect = RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  return static_cast<HRGN>(NewObject(o));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (FindDc(hdc) == nullptr && hdc != nullptr) return nullptr;
  // A zero size gives the 1 x 1 default bitmap, as on Windows.
  if (width == 0 || height == 0) return AsHandle<HBITMAP>(kDefaultBitmap);
  if (width < 0 || height < 0 || static_cast<long long>(width) * height > kMaxPixels) return nullptr;
  // Every bitmap here is 32-bit, also one made compatible with a memory DC
  // (where Windows would give a monochrome one).
  GdiObject o;
  o.kind = kBitmap;
  AllocateSurface(o.pixels, width, height);
  return static_cast<HBITMAP>(NewObject(std::move(o)));
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels || planes != 1)
    return nullptr;
  if (bitsPerPixel != 32 && bitsPerPixel != 24) return nullptr;
  GdiObject o;
  o.kind = kBitmap;
  AllocateSurface(o.pixels, width, height);
  if (bits != nullptr) {
    const auto* src = static_cast<const BYTE*>(bits);
    // Device-dependent bitmap rows are padded to 16 bits, top row first.
    size_t rowBytes = ((static_cast<size_t>(width) * bitsPerPixel + 15) / 16) * 2;
    for (int y = 0; y < height; ++y) {
      const BYTE* row = src + rowBytes * static_cast<size_t>(y);
      for (int x = 0; x < width; ++x) {
        const BYTE* p = row + static_cast<size_t>(x) * (bitsPerPixel / 8);
        o.pixels.Row(y)[x] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
      }
    }
  }
  return static_cast<HBITMAP>(NewObject(std::move(o)));
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  // Only 32-bit pixels can be shared with the caller as they are stored here.
  if (h.biBitCount != 32 || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)) return nullptr;
  long width = h.biWidth, height = h.biHeight < 0 ? -static_cast<long>(h.biHeight) : h.biHeight;
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) return nullptr;
  GdiObject o;
  o.kind = kBitmap;
  o.dib = true;
  AllocateSurface(o.pixels, static_cast<int>(width), static_cast<int>(height));
  if (h.biHeight > 0) {  // bottom-up: row 0 of the picture is the last in memory
    o.pixels.base = o.pixels.storage.data() + (height - 1) * width;
    o.pixels.rowStep = -width;
  }
  HGDIOBJ handle = NewObject(std::move(o));
  if (bits != nullptr) *bits = Object(handle)->pixels.storage.data();
  return static_cast<HBITMAP>(handle);
}

namespace {
// Row r (in the caller's buffer order) of a DIB of the given header.
bool DibLayout(const BITMAPINFO* info, long* width, long* height, bool* bottomUp, int* bpp, size_t* rowBytes) {
  if (info == nullptr) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 && h.biBitCount != 24) return false;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
  *width = h.biWidth;
  *height = h.biHeight < 0 ? -static_cast<long>(h.biHeight) : h.biHeight;
  *bottomUp = h.biHeight > 0;
  *bpp = h.biBitCount;
  if (*width <= 0 || *height <= 0) return false;
  *rowBytes = ((static_cast<size_t>(*width) * static_cast<size_t>(*bpp) + 31) / 32) * 4;
  return true;
}
}  // namespace

int WINAPI GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  GdiObject* o = Object(bitmap);
  if (o == nullptr || o->kind != kBitmap || info == nullptr || usage != DIB_RGB_COLORS) return 0;
  if (info->bmiHeader.biBitCount == 0) {  // the caller asks for the format
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biWidth = o->pixels.width;
    h.biHeight = o->pixels.height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(o->pixels.width) * static_cast<DWORD>(o->pixels.height) * 4;
    return 1;
  }
  long width, height;
  bool bottomUp;
  int bpp;
  size_t rowBytes;
  if (!DibLayout(info, &width, &height, &bottomUp, &bpp, &rowBytes) || bits == nullptr) return 0;
  auto* dst = static_cast<BYTE*>(bits);
  int copied = 0;
  for (UINT i = 0; i < lines; ++i) {
    long scan = static_cast<long>(start) + i;  // scan line counted from the bottom when bottom-up
    if (scan >= height) break;
    long y = bottomUp ? height - 1 - scan : scan;
    BYTE* row = dst + rowBytes * i;
    for (long x = 0; x < width; ++x) {
      uint32_t p = (y < o->pixels.height && x < o->pixels.width) ? o->pixels.Row(static_cast<int>(y))[x] : 0;
      BYTE* q = row + x * (bpp / 8);
      q[0] = p & 0xFF;
      q[1] = (p >> 8) & 0xFF;
      q[2] = (p >> 16) & 0xFF;
      if (bpp == 32) q[3] = 0;
    }
    ++copied;
  }
  return copied;
}

int WINAPI SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
                     UINT usage) {
  GdiObject* o = Object(bitmap);
  if (o == nullptr || o->kind != kBitmap || bits == nullptr || usage != DIB_RGB_COLORS) return 0;
  long width, height;
  bool bottomUp;
  int bpp;
  size_t rowBytes;
  if (!DibLayout(info, &width, &height, &bottomUp, &bpp, &rowBytes)) return 0;
  const auto* src = static_cast<const BYTE*>(bits);
  int copied = 0;
  for (UINT i = 0; i < lines; ++i) {
    long scan = static_cast<long>(start) + i;
    if (scan >= height) break;
    long y = bottomUp ? height - 1 - scan : scan;
    const BYTE* row = src + rowBytes * i;
    for (long x = 0; x < width; ++x) {
      if (y >= o->pixels.height || x >= o->pixels.width) continue;
      const BYTE* q = row + x * (bpp / 8);
      o->pixels.Row(static_cast<int>(y))[x] = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
    }
    ++copied;
  }
  NoteDrawn(&o->pixels);
  return copied;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  GdiObject* o = Object(object);
  if (o == nullptr) return FALSE;
  if (o->stock) return TRUE;
  if (o->selectCount > 0) {
    // Windows refuses to delete a bitmap still selected; pens, brushes and
    // fonts go once the DC lets go of them.
    if (o->kind == kBitmap) return FALSE;
    o->deletePending = true;
    return TRUE;
  }
  Gdi().objects.erase(Key(object));
  return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ object) {
  if (Dc* dc = FindDc(static_cast<HDC>(object))) return dc->hwnd ? OBJ_DC : OBJ_MEMDC;
  GdiObject* o = Object(object);
  return o ? static_cast<DWORD>(o->kind) : 0;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID out) {
  GdiObject* o = Object(object);
  if (o == nullptr) return 0;
  auto give = [&](const void* data, int bytes) {
    if (out == nullptr) return bytes;
    int n = std::min(bytes, size);
    if (n <= 0) return 0;
    std::memcpy(out, data, static_cast<size_t>(n));
    return n;
  };
  switch (o->kind) {
    case kBitmap: {
      BITMAP b{};
      b.bmWidth = o->pixels.width;
      b.bmHeight = o->pixels.height;
      b.bmWidthBytes = o->pixels.width * 4;
      b.bmPlanes = 1;
      b.bmBitsPixel = 32;
      b.bmBits = o->dib ? o->pixels.storage.data() : nullptr;
      return give(&b, sizeof b);
    }
    case kPen: {
      LOGPEN p{};
      p.lopnStyle = static_cast<UINT>(o->penStyle);
      p.lopnWidth.x = o->penWidth;
      p.lopnColor = o->colour;
      return give(&p, sizeof p);
    }
    case kBrush: {
      LOGBRUSH b{};
      b.lbStyle = o->hollow ? BS_NULL : BS_SOLID;
      b.lbColor = o->colour;
      return give(&b, sizeof b);
    }
    case kFont: return give(&o->font, sizeof o->font);
    default: return 0;
  }
}

// ---------------------------------------------------------------------------
// Device contexts
// ---------------------------------------------------------------------------
HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && FindDc(hdc) == nullptr) return nullptr;
  MakeStock();
  uintptr_t id = Gdi().nextId++;
  Dc dc;
  dc.pen = AsHandle<HGDIOBJ>(kStockBase + BLACK_PEN);
  dc.brush = AsHandle<HGDIOBJ>(kStockBase + WHITE_BRUSH);
  dc.font = AsHandle<HGDIOBJ>(kStockBase + SYSTEM_FONT);
  dc.bitmap = AsHandle<HGDIOBJ>(kDefaultBitmap);
  Gdi().dcs[id] = dc;
  return AsHandle<HDC>(id);
}

BOOL WINAPI DeleteDC(HDC hdc) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  if (dc->hwnd != nullptr) return FALSE;  // window DCs go with ReleaseDC / the window
  DestroyDc(hdc);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ object) {
  Dc* dc = FindDc(hdc);
  GdiObject* o = Object(object);
  if (dc == nullptr || o == nullptr) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->kind) {
    case kPen: slot = &dc->pen; break;
    case kBrush: slot = &dc->brush; break;
    case kFont: slot = &dc->font; break;
    case kBitmap:
      if (dc->hwnd != nullptr) return nullptr;  // only memory DCs hold bitmaps
      // A bitmap can be in one DC at a time.
      if (o->selectCount > 0 && !o->stock && dc->bitmap != object) return nullptr;
      slot = &dc->bitmap;
      break;
    case kRegion: return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(SIMPLEREGION));
    default: return nullptr;
  }
  HGDIOBJ previous = *slot;
  if (previous == object) return previous;
  Retain(object);
  *slot = object;
  Release(previous);
  return previous;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
  }
}

int WINAPI GetDeviceCaps(HDC, int index) {
  int w = 0, h = 0;
  Backend().screenSize(&w, &h);
  switch (index) {
    case HORZRES: return w;
    case VERTRES: return h;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case NUMCOLORS: return -1;
    case HORZSIZE: return static_cast<int>(std::lround(w * 25.4 / 96));
    case VERTSIZE: return static_cast<int>(std::lround(h * 25.4 / 96));
    default: return 0;
  }
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->bkMode;
  dc->bkMode = mode;
  return old;
}
int WINAPI GetBkMode(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->bkMode : 0;
}
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF colour) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF old = dc->bkColour;
  dc->bkColour = colour & 0xFFFFFF;
  return old;
}
COLORREF WINAPI GetBkColor(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->bkColour : CLR_INVALID;
}
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF old = dc->textColour;
  dc->textColour = colour & 0xFFFFFF;
  return old;
}
COLORREF WINAPI GetTextColor(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->textColour : CLR_INVALID;
}
UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return GDI_ERROR;
  UINT old = dc->align;
  dc->align = align;
  return old;
}
UINT WINAPI GetTextAlign(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->align : GDI_ERROR;
}
int WINAPI SetROP2(HDC hdc, int mode) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = dc->rop2;
  dc->rop2 = mode;
  return old;
}
int WINAPI GetROP2(HDC hdc) {
  Dc* dc = FindDc(hdc);
  return dc ? dc->rop2 : 0;
}
COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF colour) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF old = dc->dcPenColour;
  dc->dcPenColour = colour & 0xFFFFFF;
  return old;
}
COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF colour) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  COLORREF old = dc->dcBrushColour;
  dc->dcBrushColour = colour & 0xFFFFFF;
  return old;
}

BOOL WINAPI GdiFlush(void) {
  PresentIfDue();
  return TRUE;
}

// ---------------------------------------------------------------------------
// Pixels, lines, figures, fills, blits
// ---------------------------------------------------------------------------
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  Surface* s = SurfaceOfDC(hdc);
  if (s == nullptr || !s->Contains(x, y)) return CLR_INVALID;
  s->Row(y)[x] = ToPixel(colour);
  Drawn(s);
  return colour & 0xFFFFFF;
}

BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF colour) { return SetPixel(hdc, x, y, colour) != CLR_INVALID; }

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  Surface* s = SurfaceOfDC(hdc);
  if (s == nullptr || !s->Contains(x, y)) return CLR_INVALID;
  return ToColour(s->Row(y)[x]);
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->pos;
  dc->pos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT point) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || point == nullptr) return FALSE;
  *point = dc->pos;
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Surface* s = DcSurface(*dc);
  PenLine(*dc, s, dc->pos.x, dc->pos.y, x, y);
  dc->pos = POINT{x, y};
  if (s) Drawn(s);
  return TRUE;
}

BOOL WINAPI Arc(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Surface* s = DcSurface(*dc);
  double cx = (static_cast<double>(left) + right - 1) / 2.0, cy = (static_cast<double>(top) + bottom - 1) / 2.0;
  bool full = xStart == xEnd && yStart == yEnd;
  double a0 = ScreenAngle(xStart - cx, yStart - cy), a1 = ScreenAngle(xEnd - cx, yEnd - cy);
  EllipseOutline(*dc, s, left, top, right, bottom, !full, full, a0, a1);
  if (s) Drawn(s);
  return TRUE;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Surface* s = DcSurface(*dc);
  if (s == nullptr) return TRUE;
  COLORREF c;
  GdiObject* b = Object(dc->brush);
  if (b && b->dcColour == 2) {
    FillEllipse(s, left, top, right, bottom, ToPixel(dc->dcBrushColour));
  } else if (BrushColour(static_cast<HBRUSH>(dc->brush), &c)) {
    FillEllipse(s, left, top, right, bottom, ToPixel(c));
  }
  EllipseOutline(*dc, s, left, top, right, bottom, false, false, 0, 0);
  Drawn(s);
  return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Surface* s = DcSurface(*dc);
  if (s == nullptr) return TRUE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  COLORREF c;
  GdiObject* b = Object(dc->brush);
  bool filled = false;
  if (b && b->dcColour == 2) {
    c = dc->dcBrushColour;
    filled = true;
  } else {
    filled = BrushColour(static_cast<HBRUSH>(dc->brush), &c);
  }
  if (filled) FillSurface(*s, RECT{left, top, right, bottom}, ToPixel(c));
  PenInfo pen = CurrentPen(*dc);
  if (pen.visible && right > left && bottom > top) {
    long r = static_cast<long>(right) - 1, btm = static_cast<long>(bottom) - 1;
    PenLine(*dc, s, left, top, r, top);
    PenLine(*dc, s, r, top, r, btm);
    PenLine(*dc, s, r, btm, left, btm);
    PenLine(*dc, s, left, btm, left, top);
  }
  Drawn(s);
  return TRUE;
}

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Surface* s = SurfaceOfDC(hdc);
  if (s == nullptr || rect == nullptr) return 0;
  COLORREF c;
  GdiObject* b = Object(brush);
  if (b && b->dcColour == 2) {
    c = FindDc(hdc)->dcBrushColour;
  } else if (!BrushColour(brush, &c)) {
    return b ? 1 : 0;  // a hollow brush paints nothing
  }
  FillSurface(*s, FillArea(*rect), ToPixel(c));
  Drawn(s);
  return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return 0;
  RECT r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                   {r.left, r.bottom - 1, r.right, r.bottom},
                   {r.left, r.top, r.left + 1, r.bottom},
                   {r.right - 1, r.top, r.right, r.bottom}};
  int ok = 1;
  for (const RECT& e : edges) ok &= FillRect(hdc, &e, brush);
  return ok;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Surface* s = DcSurface(*dc);
  if (s == nullptr) return FALSE;
  // A negative size extends left or up from the given corner.
  long lx = x, ly = y, lw = width, lh = height;
  if (lw < 0) {
    lx += lw;
    lw = -lw;
  }
  if (lh < 0) {
    ly += lh;
    lh = -lh;
  }
  COLORREF brush = 0;
  if (!BrushColour(static_cast<HBRUSH>(dc->brush), &brush)) brush = 0;
  uint32_t pat = ToPixel(brush);
  for (long j = std::max(ly, 0L); j < std::min<long>(ly + lh, s->height); ++j) {
    for (long i = std::max(lx, 0L); i < std::min<long>(lx + lw, s->width); ++i) {
      uint32_t& d = s->Row(static_cast<int>(j))[i];
      switch (rop) {
        case PATCOPY: d = pat; break;
        case PATINVERT: d = (d ^ pat) & 0xFFFFFF; break;
        case DSTINVERT: d = ~d & 0xFFFFFF; break;
        case BLACKNESS: d = 0; break;
        case WHITENESS: d = 0xFFFFFF; break;
        default: return FALSE;
      }
    }
  }
  Drawn(s);
  return TRUE;
}

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS)
    return PatBlt(dest, x, y, width, height, rop);
  Surface* d = SurfaceOfDC(dest);
  Surface* s = SurfaceOfDC(src);
  if (d == nullptr || s == nullptr || width <= 0 || height <= 0) return FALSE;
  if (rop != SRCCOPY && rop != NOTSRCCOPY && rop != SRCPAINT && rop != SRCAND && rop != SRCINVERT && rop != SRCERASE)
    return FALSE;
  // Clip against both surfaces.
  long x0 = x, y0 = y, sx0 = srcX, sy0 = srcY, w = width, h = height;
  if (sx0 < 0) {
    x0 -= sx0;
    w += sx0;
    sx0 = 0;
  }
  if (sy0 < 0) {
    y0 -= sy0;
    h += sy0;
    sy0 = 0;
  }
  if (x0 < 0) {
    sx0 -= x0;
    w += x0;
    x0 = 0;
  }
  if (y0 < 0) {
    sy0 -= y0;
    h += y0;
    y0 = 0;
  }
  w = std::min({w, static_cast<long>(d->width) - x0, static_cast<long>(s->width) - sx0});
  h = std::min({h, static_cast<long>(d->height) - y0, static_cast<long>(s->height) - sy0});
  if (w <= 0 || h <= 0) return TRUE;
  // A copy within one surface may overlap: go through a buffer.
  const auto cols = static_cast<size_t>(w);
  std::vector<uint32_t> buffer(cols * static_cast<size_t>(h));
  for (long j = 0; j < h; ++j)
    std::memcpy(&buffer[static_cast<size_t>(j) * cols], s->Row(static_cast<int>(sy0 + j)) + sx0,
                sizeof(uint32_t) * cols);
  for (long j = 0; j < h; ++j) {
    uint32_t* row = d->Row(static_cast<int>(y0 + j)) + x0;
    const uint32_t* from = &buffer[static_cast<size_t>(j) * cols];
    for (long i = 0; i < w; ++i) {
      uint32_t sp = from[i], dp = row[i];
      switch (rop) {
        case SRCCOPY: row[i] = sp; break;
        case NOTSRCCOPY: row[i] = ~sp & 0xFFFFFF; break;
        case SRCPAINT: row[i] = sp | dp; break;
        case SRCAND: row[i] = sp & dp; break;
        case SRCINVERT: row[i] = (sp ^ dp) & 0xFFFFFF; break;
        case SRCERASE: row[i] = sp & ~dp & 0xFFFFFF; break;
      }
    }
  }
  Drawn(d);
  return TRUE;
}

// ---------------------------------------------------------------------------
// Text (drawing itself lives with the fonts)
// ---------------------------------------------------------------------------
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || (text == nullptr && length > 0) || length < 0) return FALSE;
  Surface* s = DcSurface(*dc);
  GdiObject* f = Object(dc->font);
  if (s == nullptr || f == nullptr) return FALSE;
  bool updateCp = (dc->align & TA_UPDATECP) != 0;
  TextStyle style{&f->font,
                  updateCp ? static_cast<int>(dc->pos.x) : x,
                  updateCp ? static_cast<int>(dc->pos.y) : y,
                  dc->align,
                  dc->textColour,
                  dc->bkMode == OPAQUE,
                  dc->bkColour};
  SIZE extent{};
  bool ok = DrawText8(s, style, text, length, &extent);
  if (updateCp)  // held at the end of the coordinate range rather than wrapping round
    dc->pos.x = static_cast<LONG>(
        std::clamp<long long>(static_cast<long long>(dc->pos.x) + extent.cx, INT32_MIN, INT32_MAX));
  Drawn(s);
  return ok ? TRUE : FALSE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || size == nullptr || length < 0 || (text == nullptr && length > 0)) return FALSE;
  GdiObject* f = Object(dc->font);
  if (f == nullptr) return FALSE;
  TextStyle style{&f->font, 0, 0, TA_LEFT | TA_TOP, 0, false, 0};
  return DrawText8(nullptr, style, text, length, size) ? TRUE : FALSE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
  Dc* dc = FindDc(hdc);
  if (dc == nullptr || metrics == nullptr) return FALSE;
  GdiObject* f = Object(dc->font);
  return f && FontMetrics(f->font, metrics) ? TRUE : FALSE;
}

int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR faceName) {
  LOGFONTA* f = FontOfDC(hdc);
  if (f == nullptr) return 0;
  int len = static_cast<int>(strnlen(f->lfFaceName, LF_FACESIZE - 1));
  if (faceName == nullptr) return len + 1;
  if (count <= 0) return 0;
  int n = std::min(len, count - 1);
  std::memcpy(faceName, f->lfFaceName, static_cast<size_t>(n));
  faceName[n] = '\0';
  return n;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

DWORD WINAPI GetSysColor(int index) {
  switch (index) {
    case COLOR_DESKTOP: return RGB(0, 78, 152);
    case COLOR_ACTIVECAPTION: return RGB(0, 84, 227);
    case COLOR_INACTIVECAPTION: return RGB(122, 150, 223);
    case COLOR_MENU:
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
    case COLOR_MENUTEXT:
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(49, 106, 197);
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
    case COLOR_APPWORKSPACE: return RGB(128, 128, 128);
    default: return RGB(212, 208, 200);
  }
}

BOOL WINAPI PaintDesktop(HDC hdc) {
  Surface* s = SurfaceOfDC(hdc);
  if (s == nullptr) return FALSE;
  // There is no wallpaper to show: the desktop is its plain colour.
  FillSurface(*s, RECT{0, 0, s->width, s->height}, ToPixel(GetSysColor(COLOR_DESKTOP)));
  Drawn(s);
  return TRUE;
}
