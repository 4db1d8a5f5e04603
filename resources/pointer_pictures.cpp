// The thirteen mouse pointers: white shapes with a black rim (visible on any
// background), 32 x 32, soft edges kept in the cursor's alpha channel.
#include <algorithm>
#include <cmath>

#include "resources/data_set.h"

namespace datagen {

namespace {

constexpr int kSize = 32;

const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

Rgb C(int r, int g, int b) { return Rgb{float(r), float(g), float(b)}; }

// A shape drawn the pointer way: a faint shadow, a black rim, a white body.
void Outlined(Layer& l, const Shape& shape, Rgb body = kWhite, float rim = 1.0f) {
  Fill(l, Offset([&shape, rim](float x, float y) { return shape(x, y) - rim; }, 1.5f, 1.5f), Solid(kBlack), 0.25f);
  Fill(
      l, [&shape, rim](float x, float y) { return shape(x, y) - rim; }, Solid(kBlack));
  Fill(l, shape, Solid(body));
}

PointerPicture Finish(const std::string& file, const Layer& l, int hotX, int hotY) {
  PointerPicture p;
  p.file = file;
  p.hotX = hotX;
  p.hotY = hotY;
  p.colours = MakePicture(l.width, l.height, Pixel{0, 0, 0});
  p.alpha.assign(static_cast<size_t>(l.width) * l.height, 0);
  for (size_t i = 0; i < p.alpha.size(); ++i) {
    const float a = std::clamp(l.a[i], 0.0f, 1.0f);
    const auto alpha = static_cast<uint8_t>(std::lround(a * 255));
    p.alpha[i] = alpha;
    if (alpha == 0) continue;
    auto un = [a](float premultiplied) {
      return static_cast<uint8_t>(std::clamp(std::lround(premultiplied / a), 0L, 255L));
    };
    p.colours.pixels[i] = Pixel{un(l.r[i]), un(l.g[i]), un(l.b[i])};
  }
  return p;
}

Shape ArrowShape(float scale = 1.0f) {
  std::vector<float> pts = {1, 1, 1, 22, 6, 17.5f, 9.5f, 26, 13, 24.5f, 9.5f, 16, 16, 16};
  for (float& v : pts) v = 1 + (v - 1) * scale;
  return Polygon(pts);
}

PointerPicture ArrowPointer() {
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, ArrowShape());
  return Finish("Arrow.cur", l, 1, 1);
}

PointerPicture WaitPointer() {
  Layer l = MakeLayer(kSize, kSize);
  const Shape glass = Polygon({9, 5, 23, 5, 23, 8, 17.5f, 16, 23, 24, 23, 27, 9, 27, 9, 24, 14.5f, 16, 9, 8});
  Outlined(l, glass, C(235, 242, 255));
  // Sand: a heap below, a little left above, and the running thread.
  Fill(l, Polygon({11, 25.5f, 21, 25.5f, 16, 20}), Solid(C(222, 170, 40)));
  Fill(l, Polygon({12.5f, 9.5f, 19.5f, 9.5f, 16, 13.5f}), Solid(C(222, 170, 40)));
  Fill(l, Segment(16, 14, 16, 22, 0.5f), Solid(C(222, 170, 40)));
  Fill(l, Box(7, 3, 25, 6, 1), Solid(C(120, 70, 30)));
  Fill(l, Box(7, 26, 25, 29, 1), Solid(C(120, 70, 30)));
  Fill(l, Ring(Box(7, 3, 25, 6, 1), 0.5f), Solid(kBlack));
  Fill(l, Ring(Box(7, 26, 25, 29, 1), 0.5f), Solid(kBlack));
  return Finish("Wait.cur", l, 16, 16);
}

// A hand pointing up with its index finger; `open` spreads all the fingers.
Shape HandShape(bool open) {
  Shape palm = Box(9, 15, 24, 28, 4.5f);
  Shape thumb = Segment(10, 21, 6, 15.5f, 2.3f);
  if (open) {
    Shape f1 = Segment(11.5f, 16, 11.5f, 6, 2.1f);
    Shape f2 = Segment(15.5f, 16, 15.5f, 4, 2.1f);
    Shape f3 = Segment(19.5f, 16, 19.5f, 5, 2.1f);
    Shape f4 = Segment(23, 17, 23.5f, 9, 1.9f);
    return Union(Union(Union(palm, thumb), Union(f1, f2)), Union(f3, f4));
  }
  Shape index = Segment(12, 16, 12, 3.5f, 2.3f);
  Shape k1 = Segment(16, 15, 16, 13, 2.2f);
  Shape k2 = Segment(19.5f, 15.5f, 19.5f, 14, 2.1f);
  Shape k3 = Segment(22.5f, 17, 22.5f, 16, 1.9f);
  return Union(Union(Union(palm, thumb), index), Union(Union(k1, k2), k3));
}

void HandLines(Layer& l, bool open) {
  const Rgb crease = C(90, 90, 90);
  if (open) return;
  Fill(l, Segment(14, 14.5f, 14, 18, 0.4f), Solid(crease), 0.8f);
  Fill(l, Segment(17.8f, 14.5f, 17.8f, 18, 0.4f), Solid(crease), 0.8f);
  Fill(l, Segment(21.1f, 16, 21.1f, 19, 0.4f), Solid(crease), 0.8f);
}

PointerPicture SelectPointer() {
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, HandShape(false));
  HandLines(l, false);
  return Finish("Select.cur", l, 12, 2);
}

PointerPicture PickPointer() {
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, HandShape(true));
  return Finish("Pick.cur", l, 16, 16);
}

// The arrow with a small badge at its lower right.
PointerPicture ArrowWithBadge(const std::string& file, const std::function<void(Layer&)>& badge) {
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, ArrowShape(0.9f));
  badge(l);
  return Finish(file, l, 1, 1);
}

PointerPicture ForwardPointer() {
  return ArrowWithBadge("Forward.cur", [](Layer& l) {
    const Shape chevrons = Union(Polygon({16, 18, 22, 23.5f, 16, 29}), Polygon({22, 18, 28, 23.5f, 22, 29}));
    Outlined(l, chevrons, C(60, 190, 80), 0.9f);
  });
}

PointerPicture UsePointer() {
  return ArrowWithBadge("Use.cur", [](Layer& l) {
    const float cx = 22.5f, cy = 23.5f;
    Shape gear = Circle(cx, cy, 4.6f);
    for (int k = 0; k < 8; ++k) {
      const float a = static_cast<float>(k) * 3.14159265f / 4;
      gear = Union(gear, Segment(cx, cy, cx + std::cos(a) * 6.6f, cy + std::sin(a) * 6.6f, 1.3f));
    }
    gear = Subtract(gear, Circle(cx, cy, 1.8f));
    Outlined(l, gear, C(170, 180, 200), 0.9f);
  });
}

PointerPicture TypePointer() {
  Layer l = MakeLayer(kSize, kSize);
  const Shape beam = Union(Union(Segment(16, 7, 16, 25, 0.8f), Segment(12.5f, 6, 19.5f, 6, 0.8f)),
                           Segment(12.5f, 26, 19.5f, 26, 0.8f));
  // Reversed colours: a black beam with a white rim reads on light text boxes
  // and on the dark ones alike.
  Fill(
      l, [&](float x, float y) { return beam(x, y) - 1.0f; }, Solid(kWhite));
  Fill(l, beam, Solid(kBlack));
  return Finish("Type.cur", l, 16, 16);
}

// A bold arrow pointing right, turned for the other directions; the hot spot is the tip.
PointerPicture DirectionPointer(const std::string& file, int quarterTurns) {
  const std::vector<float> right = {3, 12.5f, 17, 12.5f, 17, 6, 29, 16, 17, 26, 17, 19.5f, 3, 19.5f};
  std::vector<float> pts;
  for (size_t i = 0; i < right.size(); i += 2) {
    float x = right[i] - 16, y = right[i + 1] - 16;
    for (int q = 0; q < quarterTurns; ++q) {
      const float nx = -y, ny = x;  // a quarter turn clockwise on screen
      x = nx;
      y = ny;
    }
    pts.push_back(x + 16);
    pts.push_back(y + 16);
  }
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, Polygon(pts));
  float tx = 29 - 16, ty = 0;
  for (int q = 0; q < quarterTurns; ++q) {
    const float nx = -ty, ny = tx;
    tx = nx;
    ty = ny;
  }
  const int hotX = std::clamp(static_cast<int>(std::lround(tx + 16)), 0, kSize - 1);
  const int hotY = std::clamp(static_cast<int>(std::lround(ty + 16)), 0, kSize - 1);
  return Finish(file, l, hotX, hotY);
}

PointerPicture MagnifierPointer() {
  Layer l = MakeLayer(kSize, kSize);
  const Shape handle = Segment(19, 19, 28, 28, 2.6f);
  Fill(
      l, [&](float x, float y) { return handle(x, y) - 1.0f; }, Solid(kBlack));
  Fill(l, handle, Solid(C(110, 70, 40)));
  const Shape rim = Ring(Circle(12, 12, 8.5f), 1.6f);
  Outlined(l, rim, C(210, 215, 225));
  Fill(l, Circle(12, 12, 6.9f), Radial(10, 10, 7, C(230, 245, 255), C(150, 195, 235)), 0.55f);
  Fill(l, Segment(8.5f, 9.5f, 10.5f, 7.5f, 0.9f), Solid(kWhite), 0.9f);
  return Finish("Magnifier.cur", l, 12, 12);
}

PointerPicture RingPointer() {
  Layer l = MakeLayer(kSize, kSize);
  Outlined(l, Ring(Circle(16, 16, 10), 1.4f));
  const Shape ticks = Union(Union(Segment(16, 1.5f, 16, 7.5f, 0.9f), Segment(16, 24.5f, 16, 30.5f, 0.9f)),
                            Union(Segment(1.5f, 16, 7.5f, 16, 0.9f), Segment(24.5f, 16, 30.5f, 16, 0.9f)));
  Outlined(l, ticks);
  Outlined(l, Circle(16, 16, 1.3f), C(230, 40, 30), 0.8f);
  return Finish("Ring.cur", l, 16, 16);
}

}  // namespace

std::vector<PointerPicture> MakePointers() {
  return {ArrowPointer(),
          WaitPointer(),
          SelectPointer(),
          ForwardPointer(),
          TypePointer(),
          DirectionPointer("Right.cur", 0),
          DirectionPointer("Left.cur", 2),
          DirectionPointer("Up.cur", 3),
          DirectionPointer("Down.cur", 1),
          MagnifierPointer(),
          UsePointer(),
          PickPointer(),
          RingPointer()};
}

}  // namespace datagen
