// Painting the game's pictures: a layer of premultiplied colour with coverage,
// shapes given as signed distance functions (so every edge is anti-aliased the
// same way), text through FreeType, and flattening to the opaque picture the
// file writers take, with the see-through colour where nothing was painted.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace datagen {

struct Rgb {
  float r = 0;
  float g = 0;
  float b = 0;
};

inline Rgb MakeRgb(float r, float g, float b) { return Rgb{r, g, b}; }
Rgb Mix(Rgb a, Rgb b, float t);  // a at t = 0, b at t = 1
Rgb Scale(Rgb a, float k);       // brightness, clamped to 0..255

struct Pixel {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Pixel&) const = default;
};

// A finished picture: opaque pixels, row by row from the top left.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;
  Pixel At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  Pixel& At(int x, int y) {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

Picture MakePicture(int width, int height, Pixel fill);

// Olive marks the cells every picture of the game leaves see-through.
constexpr Pixel kSeeThrough{123, 123, 0};

struct Layer {
  int width = 0;
  int height = 0;
  // Premultiplied colour 0..255 and coverage 0..1 per pixel.
  std::vector<float> r, g, b, a;
};

Layer MakeLayer(int width, int height);

// Signed distance in pixels from a point to a shape's edge, negative inside.
using Shape = std::function<float(float x, float y)>;
using Paint = std::function<Rgb(float x, float y)>;

Paint Solid(Rgb colour);
// Linear gradient from `from` at (x0, y0) to `to` at (x1, y1).
Paint Linear(float x0, float y0, Rgb from, float x1, float y1, Rgb to);
// Radial gradient around (cx, cy): `inner` at the centre, `outer` at radius.
Paint Radial(float cx, float cy, float radius, Rgb inner, Rgb outer);

Shape Circle(float cx, float cy, float radius);
Shape Box(float x0, float y0, float x1, float y1, float cornerRadius = 0);
Shape Segment(float x0, float y0, float x1, float y1, float halfWidth);
Shape Polygon(std::vector<float> xy);             // x0, y0, x1, y1, ... in order
Shape Ring(const Shape& shape, float halfWidth);  // a band of that width along the edge
Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
Shape Offset(const Shape& shape, float dx, float dy);

// Paints `paint` where `shape` covers the pixel, anti-aliased over one pixel.
void Fill(Layer& layer, const Shape& shape, const Paint& paint, float opacity = 1.0f);
// Fills every pixel (a picture's background).
void FillAll(Layer& layer, Rgb colour);
// Sets one pixel opaque, bypassing blending (crisp one-pixel details).
void SetPixel(Layer& layer, int x, int y, Rgb colour);
// Paints `top` over `layer` at (x, y).
void Compose(Layer& layer, const Layer& top, int x, int y);

// Text in the bundled sans-serif face; `bold` picks its bold cut.  Returns the
// advance of the text in pixels.  `x` is the pen start, `baseline` the base line.
float DrawText(Layer& layer, const std::string& text, float sizePx, bool bold, float x, float baseline,
               const Paint& paint, float opacity = 1.0f);
float TextWidth(const std::string& text, float sizePx, bool bold);
// Height above the base line of capital letters at that size.
float CapHeight(float sizePx, bool bold);
// True when the fonts could be found and opened; the generator stops early
// with a clear message otherwise.
bool FontsAvailable(std::string* error);

// Opaque picture: every pixel with coverage is blended over `matte` (the
// colour that will surround it on the screen, so that soft edges meet the
// real background); pixels with no coverage become the see-through colour.
// A painted pixel never ends up exactly olive.
Picture Flatten(const Layer& layer, Rgb matte, bool seeThrough = true);

}  // namespace datagen
