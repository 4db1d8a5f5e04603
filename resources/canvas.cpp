#include "resources/canvas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace datagen {

Rgb Mix(Rgb a, Rgb b, float t) { return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Rgb Scale(Rgb a, float k) {
  auto c = [k](float v) { return std::clamp(v * k, 0.0f, 255.0f); };
  return Rgb{c(a.r), c(a.g), c(a.b)};
}

Picture MakePicture(int width, int height, Pixel fill) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.assign(static_cast<size_t>(width) * height, fill);
  return p;
}

Layer MakeLayer(int width, int height) {
  Layer l;
  l.width = width;
  l.height = height;
  const size_t n = static_cast<size_t>(width) * height;
  l.r.assign(n, 0);
  l.g.assign(n, 0);
  l.b.assign(n, 0);
  l.a.assign(n, 0);
  return l;
}

Paint Solid(Rgb colour) {
  return [colour](float, float) { return colour; };
}

Paint Linear(float x0, float y0, Rgb from, float x1, float y1, Rgb to) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
  return [=](float x, float y) {
    const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f);
    return Mix(from, to, t);
  };
}

Paint Radial(float cx, float cy, float radius, Rgb inner, Rgb outer) {
  return [=](float x, float y) {
    const float t = std::clamp(std::hypot(x - cx, y - cy) / std::max(radius, 1e-3f), 0.0f, 1.0f);
    return Mix(inner, outer, t);
  };
}

Shape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Box(float x0, float y0, float x1, float y1, float cornerRadius) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  const float r = std::min({cornerRadius, hx, hy});
  return [=](float x, float y) {
    const float qx = std::fabs(x - cx) - hx + r;
    const float qy = std::fabs(y - cy) - hy + r;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
  };
}

Shape Segment(float x0, float y0, float x1, float y1, float halfWidth) {
  const float ex = x1 - x0, ey = y1 - y0;
  const float len2 = std::max(ex * ex + ey * ey, 1e-6f);
  return [=](float x, float y) {
    const float wx = x - x0, wy = y - y0;
    const float t = std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f);
    return std::hypot(wx - ex * t, wy - ey * t) - halfWidth;
  };
}

Shape Polygon(std::vector<float> xy) {
  return [xy = std::move(xy)](float px, float py) {
    const size_t n = xy.size() / 2;
    if (n < 3) return 1e9f;
    float d = (px - xy[0]) * (px - xy[0]) + (py - xy[1]) * (py - xy[1]);
    float s = 1.0f;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
      const float vix = xy[2 * i], viy = xy[2 * i + 1];
      const float vjx = xy[2 * j], vjy = xy[2 * j + 1];
      const float ex = vjx - vix, ey = vjy - viy;
      const float wx = px - vix, wy = py - viy;
      const float t = std::clamp((wx * ex + wy * ey) / std::max(ex * ex + ey * ey, 1e-9f), 0.0f, 1.0f);
      const float bx = wx - ex * t, by = wy - ey * t;
      d = std::min(d, bx * bx + by * by);
      const bool c1 = py >= viy, c2 = py<vjy, c3 = ex * wy> ey * wx;
      if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
  };
}

Shape Ring(const Shape& shape, float halfWidth) {
  return [=](float x, float y) { return std::fabs(shape(x, y)) - halfWidth; };
}
Shape Union(const Shape& a, const Shape& b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Shape Intersect(const Shape& a, const Shape& b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Shape Subtract(const Shape& a, const Shape& b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Offset(const Shape& shape, float dx, float dy) {
  return [=](float x, float y) { return shape(x - dx, y - dy); };
}

namespace {

void Blend(Layer& layer, size_t i, Rgb c, float alpha) {
  if (alpha <= 0) return;
  alpha = std::min(alpha, 1.0f);
  const float keep = 1.0f - alpha;
  layer.r[i] = c.r * alpha + layer.r[i] * keep;
  layer.g[i] = c.g * alpha + layer.g[i] * keep;
  layer.b[i] = c.b * alpha + layer.b[i] * keep;
  layer.a[i] = alpha + layer.a[i] * keep;
}

}  // namespace

void Fill(Layer& layer, const Shape& shape, const Paint& paint, float opacity) {
  for (int y = 0; y < layer.height; ++y) {
    for (int x = 0; x < layer.width; ++x) {
      const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
      const float coverage = std::clamp(0.5f - shape(cx, cy), 0.0f, 1.0f);
      if (coverage <= 0) continue;
      Blend(layer, static_cast<size_t>(y) * layer.width + x, paint(cx, cy), coverage * opacity);
    }
  }
}

void FillAll(Layer& layer, Rgb colour) {
  for (size_t i = 0; i < layer.a.size(); ++i) {
    layer.r[i] = colour.r;
    layer.g[i] = colour.g;
    layer.b[i] = colour.b;
    layer.a[i] = 1;
  }
}

void SetPixel(Layer& layer, int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= layer.width || y >= layer.height) return;
  const size_t i = static_cast<size_t>(y) * layer.width + x;
  layer.r[i] = colour.r;
  layer.g[i] = colour.g;
  layer.b[i] = colour.b;
  layer.a[i] = 1;
}

void Compose(Layer& layer, const Layer& top, int ox, int oy) {
  for (int y = 0; y < top.height; ++y) {
    for (int x = 0; x < top.width; ++x) {
      const int tx = ox + x, ty = oy + y;
      if (tx < 0 || ty < 0 || tx >= layer.width || ty >= layer.height) continue;
      const size_t s = static_cast<size_t>(y) * top.width + x;
      const size_t d = static_cast<size_t>(ty) * layer.width + tx;
      const float keep = 1.0f - top.a[s];
      layer.r[d] = top.r[s] + layer.r[d] * keep;
      layer.g[d] = top.g[s] + layer.g[d] * keep;
      layer.b[d] = top.b[s] + layer.b[d] * keep;
      layer.a[d] = top.a[s] + layer.a[d] * keep;
    }
  }
}

// ---------------------------------------------------------------- text ----

namespace {

struct Fonts {
  bool tried = false;
  bool ok = false;
  std::string error;
  FT_Library library = nullptr;
  FT_Face face[2] = {nullptr, nullptr};  // regular, bold
};

Fonts& TheFonts() {
  static Fonts fonts;
  return fonts;
}

// The face fontconfig chooses for a pattern, as a file path.
std::string FindFontFile(const char* pattern) {
  std::string path;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  if (pat == nullptr) return path;
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  if (match != nullptr) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
      path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return path;
}

// Hands everything back at exit, so leak checkers see a clean run.
void CloseFonts() {
  Fonts& f = TheFonts();
  for (FT_Face& face : f.face) {
    if (face != nullptr) FT_Done_Face(face);
    face = nullptr;
  }
  if (f.library != nullptr) FT_Done_FreeType(f.library);
  f.library = nullptr;
  FcFini();
}

Fonts& OpenFonts() {
  Fonts& f = TheFonts();
  if (f.tried) return f;
  f.tried = true;
  std::atexit(CloseFonts);
  if (!FcInit()) {
    f.error = "the font configuration could not be read";
    return f;
  }
  if (FT_Init_FreeType(&f.library) != 0) {
    f.error = "the font renderer could not start";
    return f;
  }
  // One face family for every picture, so the same fonts give the same bytes.
  const char* patterns[2] = {"DejaVu Sans:style=Book", "DejaVu Sans:style=Bold"};
  for (int i = 0; i < 2; ++i) {
    const std::string file = FindFontFile(patterns[i]);
    if (file.empty() || FT_New_Face(f.library, file.c_str(), 0, &f.face[i]) != 0) {
      f.error = std::string("no font for \"") + patterns[i] + "\"";
      return f;
    }
  }
  f.ok = true;
  return f;
}

// Calls draw(bitmap, left, top) for each glyph; returns the advance.
template <typename Draw>
float LayOut(const std::string& text, float sizePx, bool bold, float x, Draw draw) {
  Fonts& f = OpenFonts();
  if (!f.ok) return 0;
  FT_Face face = f.face[bold ? 1 : 0];
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::lround(sizePx)));
  float pen = x;
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt glyph = FT_Get_Char_Index(face, ch);
    if (previous != 0 && glyph != 0 && FT_HAS_KERNING(face)) {
      FT_Vector kern{};
      if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern) == 0)
        pen += static_cast<float>(kern.x) / 64.0f;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    draw(slot->bitmap, static_cast<int>(std::lround(pen)) + slot->bitmap_left, slot->bitmap_top);
    pen += static_cast<float>(slot->advance.x) / 64.0f;
    previous = glyph;
  }
  return pen - x;
}

}  // namespace

bool FontsAvailable(std::string* error) {
  Fonts& f = OpenFonts();
  if (!f.ok && error != nullptr) *error = f.error;
  return f.ok;
}

float DrawText(Layer& layer, const std::string& text, float sizePx, bool bold, float x, float baseline,
               const Paint& paint, float opacity) {
  const int base = static_cast<int>(std::lround(baseline));
  return LayOut(text, sizePx, bold, x, [&](const FT_Bitmap& bm, int left, int top) {
    for (unsigned row = 0; row < bm.rows; ++row) {
      for (unsigned col = 0; col < bm.width; ++col) {
        const int px = left + static_cast<int>(col);
        const int py = base - top + static_cast<int>(row);
        if (px < 0 || py < 0 || px >= layer.width || py >= layer.height) continue;
        const float coverage = bm.buffer[row * bm.pitch + col] / 255.0f;
        Blend(layer, static_cast<size_t>(py) * layer.width + px,
              paint(static_cast<float>(px) + 0.5f, static_cast<float>(py) + 0.5f), coverage * opacity);
      }
    }
  });
}

float TextWidth(const std::string& text, float sizePx, bool bold) {
  return LayOut(text, sizePx, bold, 0, [](const FT_Bitmap&, int, int) {});
}

float CapHeight(float sizePx, bool bold) {
  int top = 0;
  LayOut("H", sizePx, bold, 0, [&](const FT_Bitmap&, int, int t) { top = t; });
  return static_cast<float>(top);
}

// ------------------------------------------------------------ flatten ----

Picture Flatten(const Layer& layer, Rgb matte, bool seeThrough) {
  Picture p = MakePicture(layer.width, layer.height, kSeeThrough);
  for (size_t i = 0; i < layer.a.size(); ++i) {
    const float a = std::clamp(layer.a[i], 0.0f, 1.0f);
    if (seeThrough && a < 0.5f / 255.0f) continue;
    auto channel = [&](float premultiplied, float m) {
      return static_cast<uint8_t>(std::clamp(std::lround(premultiplied + m * (1.0f - a)), 0L, 255L));
    };
    Pixel px{channel(layer.r[i], matte.r), channel(layer.g[i], matte.g), channel(layer.b[i], matte.b)};
    // A painted cell that happens to come out olive would vanish on screen.
    if (seeThrough && px == kSeeThrough) px.b = 1;
    p.pixels[i] = px;
  }
  return p;
}

}  // namespace datagen
