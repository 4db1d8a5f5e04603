// The game's own pictures: the wooden board background, the pieces on the
// board and in the reserve stacks, the cross shown on a piece being taken, the
// warning plate, the splash, and the screen saver's logo.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "resources/board_layout.h"
#include "resources/data_set.h"

namespace datagen {

namespace {

Rgb C(int r, int g, int b) { return Rgb{float(r), float(g), float(b)}; }

// Deterministic value noise: the same numbers on every machine.
float Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / float(0xFFFFFF);
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

float ValueNoise(float x, float y, uint32_t seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float fx = Smooth(x - static_cast<float>(x0)), fy = Smooth(y - static_cast<float>(y0));
  const float a = Hash(x0, y0, seed), b = Hash(x0 + 1, y0, seed);
  const float c = Hash(x0, y0 + 1, seed), d = Hash(x0 + 1, y0 + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

float Fbm(float x, float y, uint32_t seed) {
  float sum = 0, amp = 0.5f, freq = 1;
  for (int i = 0; i < 4; ++i) {
    sum += amp * ValueNoise(x * freq, y * freq, seed + i);
    freq *= 2;
    amp *= 0.5f;
  }
  return sum;
}

// Light maple: long grain running across the board, a few darker growth lines.
Rgb WoodAt(float x, float y) {
  const float warp = Fbm(x * 0.012f, y * 0.05f, 7) * 6.0f;
  const float rings = y * 0.11f + warp + std::sin(x * 0.006f) * 1.5f;
  const float ring = rings - std::floor(rings);
  const float line = std::pow(1.0f - std::fabs(ring - 0.5f) * 2.0f, 6.0f);  // thin dark lines
  const float fine = ValueNoise(x * 0.9f, y * 0.12f, 3);
  const Rgb light = C(232, 203, 156), dark = C(196, 156, 104);
  Rgb c = Mix(light, dark,
              std::clamp(0.25f + line * 0.55f + (fine - 0.5f) * 0.25f + (warp - 3) * 0.04f, 0.0f, 1.0f));
  return c;
}

}  // namespace

Picture MakeBackground() {
  Layer l = MakeLayer(kBackWidth, kBackHeight);
  const float w = kBackWidth, h = kBackHeight;
  Fill(l, Box(-1, -1, w + 1, h + 1), [&](float x, float y) {
    Rgb c = WoodAt(x, y);
    // A soft vignette draws the eye to the middle of the board.
    const float dx = (x - w / 2) / (w / 2), dy = (y - h / 2) / (h / 2);
    const float v = std::clamp(1.0f - 0.16f * (dx * dx + dy * dy), 0.0f, 1.0f);
    return Scale(c, v);
  });
  // A raised rim: light on the top and left, shadow on the bottom and right.
  Fill(l, Ring(Box(0, 0, w, h), 1.5f), Solid(C(120, 84, 46)), 0.9f);
  Fill(l, Ring(Box(2, 2, w - 2, h - 2), 0.5f), Solid(C(250, 232, 200)), 0.5f);
  // A cup turned into the wood at every point, where the pieces rest.
  for (int gy = 1; gy <= 7; ++gy) {
    for (int gx = 1; gx <= 7; ++gx) {
      if (!IsBoardPoint(gx, gy)) continue;
      const float cx = static_cast<float>(kPointSpacing * gx - kBackLeft) + 0.5f;
      const float cy = static_cast<float>(kPointSpacing * gy - kBackTop) + 0.5f;
      Fill(l, Circle(cx, cy, 12), Linear(cx - 9, cy - 9, C(150, 110, 64), cx + 9, cy + 9, C(222, 192, 146)), 0.55f);
      Fill(l, Ring(Circle(cx, cy, 12), 0.6f), Solid(C(110, 76, 40)), 0.5f);
      Fill(l, Ring(Circle(cx, cy, 13.2f), 0.6f), Solid(C(252, 236, 206)), 0.45f);
    }
  }
  return Flatten(l, C(0, 0, 0), false);
}

namespace {

// The colour a piece's soft edge should fade into: the wood of the cups.
Rgb CupColour(const Picture& background) {
  double r = 0, g = 0, b = 0;
  long n = 0;
  for (int gy = 1; gy <= 7; ++gy) {
    for (int gx = 1; gx <= 7; ++gx) {
      if (!IsBoardPoint(gx, gy)) continue;
      const int cx = kPointSpacing * gx - kBackLeft, cy = kPointSpacing * gy - kBackTop;
      for (int y = cy - 22; y <= cy + 22; ++y) {
        for (int x = cx - 22; x <= cx + 22; ++x) {
          const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
          if (d2 < 17 * 17 || d2 > 22 * 22) continue;  // the ring just outside a piece
          if (x < 0 || y < 0 || x >= background.width || y >= background.height) continue;
          const Pixel p = background.At(x, y);
          r += p.r;
          g += p.g;
          b += p.b;
          ++n;
        }
      }
    }
  }
  if (n == 0) return C(214, 180, 128);
  const double count = static_cast<double>(n);
  return Rgb{static_cast<float>(r / count), static_cast<float>(g / count), static_cast<float>(b / count)};
}

struct PieceColours {
  Rgb light, base, dark, rim;
};

// A glossy turned piece seen from above: a bevelled rim, a groove, a domed
// middle and a highlight from the upper left.
Picture BoardPiece(const PieceColours& pc, Rgb matte) {
  Layer l = MakeLayer(kPieceSize, kPieceSize);
  // The rim line reaches 1.2 pixels past the radius: the outermost cells stay clear.
  const float c = kPieceSize / 2.0f, r = c - 1.9f;
  const Shape disc = Circle(c, c, r);
  Fill(l, disc, Radial(c - 5, c - 6, r * 1.5f, pc.base, pc.dark));
  // Bevel: a light upper-left half and a dark lower-right half of the rim.
  Fill(l, Ring(Circle(c, c, r - 2.0f), 1.6f),
       Linear(c - r, c - r, Mix(pc.light, pc.base, 0.3f), c + r, c + r, pc.dark), 0.85f);
  // The groove and the dome inside it.
  Fill(l, Ring(Circle(c, c, r - 6.0f), 0.8f), Solid(Scale(pc.dark, 0.85f)), 0.7f);
  Fill(l, Ring(Circle(c + 0.7f, c + 0.7f, r - 6.0f), 0.5f), Solid(pc.light), 0.35f);
  Fill(l, Circle(c, c, r - 7.0f), Radial(c - 4, c - 5, (r - 7.0f) * 1.6f, Mix(pc.light, pc.base, 0.35f), pc.base),
       0.9f);
  // Highlight.
  Fill(l, Circle(c - 5.5f, c - 6.5f, 5.0f), Radial(c - 5.5f, c - 6.5f, 5.0f, C(255, 255, 255), pc.light), 0.45f);
  Fill(l, Ring(disc, 0.7f), Solid(pc.rim));
  return Flatten(l, matte);
}

// The reserve piece: the same turned piece, flat and small, its face pure red
// so that the game can recolour player 2's copy by swapping that one colour.
// Only the rim fades into the reserve column's colour; inside, every pixel is
// one of a few crisp colours.
Picture ReservePiece(Rgb column) {
  const int n = kReserveSize;
  Layer l = MakeLayer(n, n);
  const float c = n / 2.0f, r = c - 1.0f;  // the outermost cells stay clear
  Fill(l, Circle(c, c, r), Solid(C(110, 0, 0)));
  Picture p = Flatten(l, column);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const float dx = static_cast<float>(x) + 0.5f - c, dy = static_cast<float>(y) + 0.5f - c;
      const float d = std::hypot(dx, dy);
      if (d > r - 2.0f) continue;                                   // rim and soft edge stay as painted
      Pixel px{255, 0, 0};                                          // the face
      if (std::fabs(d - (r - 6.0f)) < 0.5f) px = Pixel{190, 0, 0};  // groove
      // A glint of light at the upper left.
      const float hx = dx + 4.0f, hy = dy + 4.5f;
      if (std::hypot(hx, hy) < 2.6f) px = Pixel{255, 255, 255};
      else if (std::hypot(hx, hy) < 3.6f) px = Pixel{255, 150, 150};
      p.At(x, y) = px;
    }
  }
  return p;
}

// The cross laid over a piece that is being taken.
Picture TakenCross(Rgb matte) {
  Layer l = MakeLayer(kPieceSize, kPieceSize);
  const float c = kPieceSize / 2.0f, a = 9.5f;
  const Shape cross = Union(Segment(c - a, c - a, c + a, c + a, 2.6f), Segment(c - a, c + a, c + a, c - a, 2.6f));
  Fill(
      l, [&](float x, float y) { return cross(x, y) - 1.6f; }, Solid(C(255, 255, 255)));
  Fill(l, cross, Linear(c - a, c - a, C(70, 70, 70), c + a, c + a, C(10, 10, 10)));
  return Flatten(l, matte);
}

// A plate for the bottom-right corner: a yellow warning sign and two words.
Picture WarningPlate(Rgb matte) {
  Layer l = MakeLayer(kWarningWidth, kWarningHeight);
  // The game draws it at (500 - sizex, 500 - sizey), and sizex is one less
  // than the width: the last two columns and rows fall outside the window.
  const float w = kWarningWidth - 2.0f, h = kWarningHeight - 2.0f;
  const Shape plate = Box(0.5f, 0.5f, w - 1.0f, h - 1.0f, 7);
  Fill(l, plate, Linear(0, 0, C(70, 72, 80), 0, h, C(26, 27, 31)));
  Fill(l, Ring(plate, 0.6f), Solid(C(10, 10, 12)));
  Fill(l, Ring(Box(2, 2, w - 2.5f, h - 2.5f, 5.5f), 0.5f), Solid(C(255, 200, 40)), 0.6f);
  const float tx = 24, ty = h / 2 + 1;
  const Shape sign = Polygon({tx, ty - 15, tx + 16, ty + 12, tx - 16, ty + 12});
  Fill(
      l, [&](float x, float y) { return sign(x, y) - 1.2f; }, Solid(C(20, 20, 20)));
  Fill(l, sign, Linear(0, ty - 15, C(255, 226, 90), 0, ty + 12, C(240, 170, 0)));
  Fill(l, Segment(tx, ty - 6, tx, ty + 3, 1.7f), Solid(C(20, 20, 20)));
  Fill(l, Circle(tx, ty + 7.5f, 1.9f), Solid(C(20, 20, 20)));
  DrawText(l, "Engine", 13, true, 46, h / 2 - 2, Solid(C(255, 255, 255)));
  DrawText(l, "error", 13, true, 46, h / 2 + 13, Solid(C(255, 210, 60)));
  return Flatten(l, matte);
}

// A small board drawn as an emblem, with a few pieces on it.
void BoardEmblem(Layer& l, float x0, float y0, float size, Rgb line) {
  const float u = size / 6.0f;
  for (int k = 0; k < 3; ++k) {
    const float a = x0 + static_cast<float>(k) * u, b = y0 + static_cast<float>(k) * u,
                e = size - static_cast<float>(2 * k) * u;
    Fill(l, Ring(Box(a, b, a + e, b + e), 0.9f), Solid(line));
  }
  Fill(l, Segment(x0 + 3 * u, y0, x0 + 3 * u, y0 + 2 * u, 0.8f), Solid(line));
  Fill(l, Segment(x0 + 3 * u, y0 + 4 * u, x0 + 3 * u, y0 + 6 * u, 0.8f), Solid(line));
  Fill(l, Segment(x0, y0 + 3 * u, x0 + 2 * u, y0 + 3 * u, 0.8f), Solid(line));
  Fill(l, Segment(x0 + 4 * u, y0 + 3 * u, x0 + 6 * u, y0 + 3 * u, 0.8f), Solid(line));
  const struct {
    int gx, gy;
    bool red;
  } pieces[] = {{0, 0, true}, {3, 1, false}, {6, 6, true}, {4, 3, true}, {2, 4, false}, {6, 0, false}};
  for (const auto& p : pieces) {
    const float cx = x0 + static_cast<float>(p.gx) * u, cy = y0 + static_cast<float>(p.gy) * u;
    const Rgb base = p.red ? C(214, 30, 30) : C(255, 128, 64);
    Fill(l, Circle(cx, cy, u * 0.42f),
         Radial(cx - 1.5f, cy - 1.5f, u * 0.6f, Mix(base, C(255, 255, 255), 0.5f), base));
    Fill(l, Ring(Circle(cx, cy, u * 0.42f), 0.5f), Solid(Scale(base, 0.45f)));
  }
}

Picture Splash(Rgb matte) {
  Layer l = MakeLayer(kSplashWidth, kSplashHeight);
  const float w = kSplashWidth, h = kSplashHeight;
  const Shape plate = Box(0.5f, 0.5f, w - 0.5f, h - 0.5f, 14);
  Fill(l, plate, Linear(0, 0, C(252, 247, 234), 0, h, C(232, 216, 184)));
  // Title band.  The program writes its version and the engine's name in
  // black from window row 230 down, row 105 of the splash: the band and its
  // tag line end above that.
  const float band = 94;
  const Shape bandShape = Intersect(plate, Box(0, 0, w, band));
  Fill(l, bandShape, Linear(0, 0, C(26, 36, 96), 0, band, C(0, 0, 52)));
  Fill(l, Intersect(plate, Box(0, band - 1.5f, w, band + 1.5f)), Solid(C(214, 170, 60)));
  Fill(l, Intersect(plate, Box(0, 0, w, band * 0.45f)), Solid(C(255, 255, 255)), 0.06f);
  // Emblems either side of the name.
  BoardEmblem(l, 18, 21, 52, C(214, 180, 100));
  BoardEmblem(l, w - 70, 21, 52, C(214, 180, 100));
  const std::string title = "TRIVANE";
  const float size = 46;
  const float tw = TextWidth(title, size, true);
  const float tx = std::floor((w - tw) / 2), base = 58;
  DrawText(l, title, size, true, tx + 2, base + 3, Solid(C(0, 0, 0)), 0.6f);
  DrawText(l, title, size, true, tx, base, Linear(0, base - 34, C(255, 236, 150), 0, base, C(200, 140, 30)));
  const std::string tag = "NINE MEN'S MORRIS";
  const float tagSize = 11;
  DrawText(l, tag, tagSize, true, std::floor((w - TextWidth(tag, tagSize, true)) / 2), 81, Solid(C(232, 200, 120)));
  // A fine double border.
  Fill(l, Ring(Box(5, 5, w - 5, h - 5, 10), 0.6f), Solid(C(214, 170, 60)), 0.8f);
  Fill(l, Ring(plate, 0.9f), Solid(C(0, 0, 40)));
  // Footer: a row of small pieces like a reserve laid on its side.
  for (int k = 0; k < 9; ++k) {
    const float cx = static_cast<float>(w / 2) + static_cast<float>(k - 4) * 16.0f, cy = static_cast<float>(h - 17);
    const Rgb base2 = (k % 2 == 0) ? C(214, 30, 30) : C(255, 128, 64);
    Fill(l, Circle(cx, cy, 6), Radial(cx - 2, cy - 2, 8, Mix(base2, C(255, 255, 255), 0.45f), base2));
    Fill(l, Ring(Circle(cx, cy, 6), 0.5f), Solid(Scale(base2, 0.45f)));
  }
  return Flatten(l, matte);
}

}  // namespace

std::vector<NamedPicture> MakeGamePictures(const Picture& background) {
  const Rgb wood = CupColour(background);
  const Rgb column = C(0, 0, 64);  // the reserve columns are filled with the board colour
  const PieceColours red{C(255, 120, 110), C(214, 30, 30), C(110, 0, 0), C(70, 0, 0)};
  const PieceColours orange{C(255, 214, 160), C(255, 128, 64), C(176, 70, 16), C(96, 36, 6)};
  std::vector<NamedPicture> out;
  out.push_back({"pioni1", "", ReservePiece(column)});
  out.push_back({"pioniup1", "", BoardPiece(red, wood)});
  out.push_back({"pioniup2", "", BoardPiece(orange, wood)});
  out.push_back({"warning", "", WarningPlate(C(40, 44, 60))});
  out.push_back({"pionix", "", TakenCross(C(236, 80, 48))});
  out.push_back({"trivaneintro", "", Splash(wood)});
  return out;
}

NamedPicture MakeScreenSaverLogo() {
  Layer l = MakeLayer(kLogoWidth, kLogoHeight);
  FillAll(l, C(0, 0, 0));
  const float w = kLogoWidth, h = kLogoHeight;
  // An orbit behind the name.
  const Shape orbit = [&](float x, float y) {
    const float dx = (x - w / 2) / (w / 2 - 6), dy = (y - h / 2) / (h / 2 - 6);
    return std::fabs(std::sqrt(dx * dx + dy * dy) - 1.0f) * (h / 2 - 6) - 1.2f;
  };
  Fill(l, orbit, Linear(0, 0, C(30, 60, 160), w, 0, C(120, 200, 255)), 0.9f);
  const std::string name = "VARNIX";
  const float size = 38;
  const float tw = TextWidth(name, size, true);
  const float tx = std::floor((w - tw) / 2), base = std::floor(h / 2 + CapHeight(size, true) / 2);
  // Glow, then the letters in brushed steel.
  for (int k = 0; k < 4; ++k) {
    static const int off[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    DrawText(l, name, size, true, tx + static_cast<float>(off[k][0] * 2), base + static_cast<float>(off[k][1] * 2),
             Solid(C(40, 110, 255)), 0.35f);
  }
  DrawText(l, name, size, true, tx, base, Linear(0, base - 28, C(255, 255, 255), 0, base, C(130, 160, 200)));
  return NamedPicture{"varnix", "", Flatten(l, C(0, 0, 0), false)};
}

}  // namespace datagen
