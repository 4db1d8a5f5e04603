// The two skins.  Window frames are built so that the toolkit's tiling fills a
// window exactly: the title and edge tiles step by one pixel, so whole tiles
// always reach the far edge, and the button strip holds the three buttons with
// nothing left over (see skin_layout.h).
#include <algorithm>
#include <cmath>

#include "resources/data_set.h"
#include "resources/skin_layout.h"

namespace datagen {

namespace {

struct Style {
  std::string name;
  // title bars: active and inactive, top and bottom of the gradient
  Rgb titleTop, titleBottom, title2Top, title2Bottom;
  Rgb titleShine;                 // the light line under the top edge
  Rgb stripTop, stripBottom;      // button strip, shared by both states
  Rgb outer;                      // outermost line of the frame
  Rgb face, light, shade, inner;  // frame bevel
  Rgb windowBack;                 // body colour, also written to colours.dat
  Rgb controlTop, controlBottom, controlEdge, controlText;
  Rgb accent;  // hover rings, check marks, pressed light
  Rgb keyTop, keyBottom, keyText;
  bool dark = false;
};

Rgb C(int r, int g, int b) { return Rgb{float(r), float(g), float(b)}; }

Style StyleFor(const std::string& name) {
  Style s;
  s.name = name;
  if (name == "skin2") {
    s.titleTop = C(78, 82, 92);
    s.titleBottom = C(38, 40, 46);
    s.title2Top = C(64, 66, 72);
    s.title2Bottom = C(36, 37, 41);
    s.titleShine = C(255, 150, 40);
    s.stripTop = C(34, 35, 40);
    s.stripBottom = C(20, 20, 23);
    s.outer = C(8, 8, 10);
    s.face = C(44, 46, 52);
    s.light = C(86, 90, 100);
    s.shade = C(28, 29, 33);
    s.inner = C(14, 14, 16);
    s.windowBack = C(44, 47, 54);
    s.controlTop = C(92, 96, 106);
    s.controlBottom = C(46, 48, 54);
    s.controlEdge = C(10, 10, 12);
    s.controlText = C(235, 235, 235);
    s.accent = C(255, 150, 40);
    s.keyTop = C(82, 86, 96);
    s.keyBottom = C(40, 42, 48);
    s.keyText = C(240, 240, 240);
    s.dark = true;
  } else {
    s.titleTop = C(86, 140, 226);
    s.titleBottom = C(28, 70, 156);
    s.title2Top = C(132, 150, 188);
    s.title2Bottom = C(82, 98, 136);
    s.titleShine = C(190, 215, 255);
    s.stripTop = C(52, 70, 116);
    s.stripBottom = C(26, 38, 72);
    s.outer = C(14, 22, 44);
    s.face = C(58, 80, 128);
    s.light = C(150, 176, 226);
    s.shade = C(36, 50, 86);
    s.inner = C(20, 28, 52);
    s.windowBack = C(208, 219, 241);
    s.controlTop = C(250, 252, 255);
    s.controlBottom = C(188, 200, 224);
    s.controlEdge = C(60, 76, 112);
    s.controlText = C(20, 30, 60);
    s.accent = C(40, 120, 240);
    s.keyTop = C(250, 250, 252);
    s.keyBottom = C(200, 204, 214);
    s.keyText = C(30, 34, 44);
  }
  return s;
}

// Colour of title row y (0 .. kTitleHeight-1) for a bar from `top` to `bottom`:
// a dark top edge, a shine line, the gradient, a dark line where the body starts.
Rgb TitleRow(const Style& s, Rgb top, Rgb bottom, float y) {
  if (y < 1) return s.outer;
  if (y < 2) return Mix(top, s.titleShine, 0.55f);
  if (y >= kTitleHeight - 1) return s.inner;
  const float t = (y - 2) / float(kTitleHeight - 3);
  // A glassy bar: the upper half lighter, a step near the middle.
  const Rgb mid = Mix(top, bottom, 0.5f);
  if (t < 0.48f) return Mix(top, Mix(mid, top, 0.25f), t / 0.48f);
  return Mix(Mix(mid, bottom, 0.2f), bottom, (t - 0.48f) / 0.52f);
}

// Frame bevel by distance d (pixels) in from the outer edge; `lit` edges face
// the light (left), the others are in shadow.
Rgb EdgeProfile(const Style& s, float d, bool lit) {
  if (d < 1) return s.outer;
  if (d < 2) return lit ? s.light : Mix(s.face, s.shade, 0.5f);
  if (d < 4) return s.face;
  if (d < 5) return s.shade;
  return s.inner;
}

// The bottom bevel by distance d from the bottom edge: outer line, shadow,
// face, and the dark line along the window body.
Rgb BottomProfile(const Style& s, float d) {
  if (d < 1) return s.outer;
  if (d < 2) return s.shade;
  if (d < 4) return s.face;
  return s.inner;
}

Picture FromLayer(const Layer& l, Rgb matte, bool seeThrough = true) { return Flatten(l, matte, seeThrough); }

// ------------------------------------------------------------ window ----

Picture TitleTile(const Style& s, bool active, int width) {
  Layer l = MakeLayer(width, kTitleHeight);
  const Rgb top = active ? s.titleTop : s.title2Top;
  const Rgb bottom = active ? s.titleBottom : s.title2Bottom;
  Fill(l, Box(-1, -1, static_cast<float>(width) + 1.f, static_cast<float>(kTitleHeight) + 1.f),
       [&](float, float y) { return TitleRow(s, top, bottom, y); });
  return FromLayer(l, s.outer, false);
}

Picture StripTile(const Style& s) {
  Layer l = MakeLayer(kStripTileWidth, kTitleHeight);
  Fill(l, Box(-1, -1, kStripTileWidth + 1.f, kTitleHeight + 1.f),
       [&](float, float y) { return TitleRow(s, s.stripTop, s.stripBottom, y); });
  return FromLayer(l, s.outer, false);
}

// The title's left end: the frame's outer lines turning into the bar, with a
// rounded corner that lets the desktop show through.
Picture TitleLeft(const Style& s, bool active) {
  Layer l = MakeLayer(kEdgeWidth, kTitleHeight);
  const Rgb top = active ? s.titleTop : s.title2Top;
  const Rgb bottom = active ? s.titleBottom : s.title2Bottom;
  const Shape outline = Box(0, 0, kEdgeWidth + 12.f, kTitleHeight + 12.f, 6);
  Fill(l, outline, [&](float x, float y) {
    const float d = std::min(x, -outline(x, y));
    const Rgb row = TitleRow(s, top, bottom, y);
    if (d < 1) return s.outer;
    // The frame's light line runs down the left side only; along the top the
    // bar's own shine line carries on from the title tiles.
    if (x < 2) return y >= kTitleHeight - 1 ? s.light : Mix(row, s.titleShine, 0.45f);
    return row;
  });
  return FromLayer(l, s.outer);
}

Picture TitleRight(const Style& s) {
  Layer l = MakeLayer(kEdgeWidth, kTitleHeight);
  const Shape outline = Box(-12, 0, kEdgeWidth, kTitleHeight + 12.f, 6);
  Fill(l, outline, [&](float x, float y) {
    const float d = std::min(kEdgeWidth - x, -outline(x, y));
    const Rgb row = TitleRow(s, s.stripTop, s.stripBottom, y);
    if (d < 1) return s.outer;
    if (kEdgeWidth - x < 2) return y >= kTitleHeight - 1 ? s.inner : Mix(row, s.outer, 0.5f);
    return row;
  });
  return FromLayer(l, s.outer);
}

// Between the title and the button strip: the bar sweeps into the strip along
// a slanted edge with a fine light seam.
Picture TitleJoin(const Style& s, bool active) {
  Layer l = MakeLayer(kJoinWidth, kTitleHeight);
  const Rgb top = active ? s.titleTop : s.title2Top;
  const Rgb bottom = active ? s.titleBottom : s.title2Bottom;
  Fill(l, Box(-1, -1, kJoinWidth + 1.f, kTitleHeight + 1.f), [&](float x, float y) {
    const Rgb a = TitleRow(s, top, bottom, y);
    const Rgb b = TitleRow(s, s.stripTop, s.stripBottom, y);
    if (y < 1 || y >= kTitleHeight - 1) return a;
    // Slanted boundary from (10, 0) to (4, 28).
    const float edge = 10.0f - (y / kTitleHeight) * 6.0f;
    const float t = std::clamp(x - edge + 0.5f, 0.0f, 1.0f);
    Rgb c = Mix(a, b, t);
    const float seam = std::fabs(x - edge);
    if (seam < 1.0f) c = Mix(c, s.titleShine, 0.35f * (1.0f - seam));
    return c;
  });
  return FromLayer(l, s.outer, false);
}

Picture LeftEdge(const Style& s) {
  Layer l = MakeLayer(kEdgeWidth, kEdgeTileLength);
  Fill(l, Box(-1, -1, kEdgeWidth + 1.f, kEdgeTileLength + 1.f),
       [&](float x, float) { return EdgeProfile(s, x, true); });
  return FromLayer(l, s.outer, false);
}

Picture RightEdge(const Style& s) {
  Layer l = MakeLayer(kEdgeWidth, kEdgeTileLength);
  Fill(l, Box(-1, -1, kEdgeWidth + 1.f, kEdgeTileLength + 1.f),
       [&](float x, float) { return EdgeProfile(s, kEdgeWidth - x, false); });
  return FromLayer(l, s.outer, false);
}

Picture BottomEdge(const Style& s) {
  Layer l = MakeLayer(kEdgeTileLength, kBottomHeight);
  Fill(l, Box(-1, -1, kEdgeTileLength + 1.f, kBottomHeight + 1.f),
       [&](float, float y) { return BottomProfile(s, kBottomHeight - y); });
  return FromLayer(l, s.outer, false);
}

// Bottom corners: the side bevel and the bottom bevel meet along the
// diagonal, around a rounded outer corner.
Picture BottomLeft(const Style& s) {
  Layer l = MakeLayer(kEdgeWidth, kBottomHeight);
  const Shape outline = Box(0, -12, kEdgeWidth + 12.f, kBottomHeight, 5);
  Fill(l, outline, [&](float x, float y) {
    const float side = x, bottom = kBottomHeight - y;
    if (-outline(x, y) < 1) return s.outer;
    return side <= bottom ? EdgeProfile(s, side, true) : BottomProfile(s, bottom);
  });
  return FromLayer(l, s.outer);
}

Picture BottomRight(const Style& s) {
  Layer l = MakeLayer(kEdgeWidth, kBottomHeight);
  const Shape outline = Box(-12, -12, kEdgeWidth, kBottomHeight, 5);
  Fill(l, outline, [&](float x, float y) {
    const float side = kEdgeWidth - x, bottom = kBottomHeight - y;
    if (-outline(x, y) < 1) return s.outer;
    return side <= bottom ? EdgeProfile(s, side, false) : BottomProfile(s, bottom);
  });
  return FromLayer(l, s.outer);
}

enum class FrameGlyph { Minimize, Maximize, Close };

Picture FrameButton(const Style& s, FrameGlyph glyph) {
  Layer l = MakeLayer(kFrameButtonWidth, kFrameButtonHeight);
  const float w = kFrameButtonWidth, h = kFrameButtonHeight;
  const Shape body = Box(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4);
  Rgb top, bottom;
  if (glyph == FrameGlyph::Close) {
    top = C(236, 112, 92);
    bottom = C(168, 32, 22);
  } else {
    top = Mix(s.stripTop, C(255, 255, 255), s.dark ? 0.22f : 0.35f);
    bottom = Mix(s.stripBottom, C(255, 255, 255), s.dark ? 0.08f : 0.12f);
  }
  Fill(l, body, Linear(0, 0, top, 0, h, bottom));
  // Glass: a soft light over the upper half.
  Fill(l, Intersect(body, Box(0, 0, w, h * 0.5f)), Solid(C(255, 255, 255)), 0.18f);
  Fill(l, Ring(body, 0.5f), Solid(s.outer), 0.9f);
  Fill(l, Ring(Box(1.5f, 1.5f, w - 1.5f, h - 1.5f, 3), 0.5f), Solid(C(255, 255, 255)), 0.25f);
  const Rgb ink = C(255, 255, 255);
  const Rgb shadow = C(0, 0, 0);
  auto mark = [&](const Shape& shape) {
    Fill(l, Offset(shape, 0.8f, 0.8f), Solid(shadow), 0.45f);
    Fill(l, shape, Solid(ink));
  };
  const float cx = w / 2, cy = h / 2;
  switch (glyph) {
    case FrameGlyph::Minimize: mark(Segment(cx - 4.5f, cy + 3.5f, cx + 4.5f, cy + 3.5f, 1.1f)); break;
    case FrameGlyph::Maximize:
      mark(Ring(Box(cx - 4.5f, cy - 4.0f, cx + 4.5f, cy + 4.5f, 0.5f), 0.75f));
      mark(Box(cx - 4.5f, cy - 4.0f, cx + 4.5f, cy - 2.0f));
      break;
    case FrameGlyph::Close:
      mark(Union(Segment(cx - 4, cy - 4, cx + 4, cy + 4, 1.25f), Segment(cx - 4, cy + 4, cx + 4, cy - 4, 1.25f)));
      break;
  }
  const Rgb matte = TitleRow(s, s.stripTop, s.stripBottom, kTitleHeight / 2.0f);
  return FromLayer(l, matte);
}

// ---------------------------------------------------------- controls ----

// Small round push button: raised, raised and lit, pressed in and on.
Picture SmallButton(const Style& s, int state) {
  Layer l = MakeLayer(kSmallButton, kSmallButton);
  const float c = kSmallButton / 2.0f, r = c - 1.0f;
  const Shape disc = Circle(c, c, r);
  const bool pressed = state == 3;
  Rgb top = s.controlTop, bottom = s.controlBottom;
  if (state == 2) {
    top = Mix(top, s.accent, 0.15f);
    bottom = Mix(bottom, s.accent, 0.25f);
  }
  if (pressed) std::swap(top, bottom);
  Fill(l, disc, Linear(c, c - r, top, c, c + r, bottom));
  if (!pressed)
    Fill(l, Circle(c - 2.5f, c - 3.0f, r * 0.45f), Radial(c - 2.5f, c - 3.0f, r * 0.45f, C(255, 255, 255), top),
         0.55f);
  Fill(l, Ring(disc, 0.6f), Solid(s.controlEdge));
  if (state == 2) Fill(l, Ring(Circle(c, c, r - 1.5f), 0.6f), Solid(s.accent), 0.8f);
  if (pressed) {
    // The latched button glows in its centre.
    Fill(l, Circle(c, c, 3.5f), Radial(c - 1, c - 1, 4.0f, Mix(s.accent, C(255, 255, 255), 0.6f), s.accent));
    Fill(l, Ring(Circle(c, c, 3.5f), 0.5f), Solid(Scale(s.accent, 0.5f)), 0.8f);
  }
  return FromLayer(l, C(0, 0, 0));  // the toolkit clears a button to black first
}

Picture SmallCheck(const Style& s, int state) {
  Layer l = MakeLayer(kSmallCheck, kSmallCheck);
  const float w = kSmallCheck;
  const Shape box = Box(0.5f, 0.5f, w - 0.5f, w - 0.5f, 3);
  const bool checked = state == 3;
  if (checked) {
    Fill(l, box, Linear(0, 0, Mix(s.accent, C(255, 255, 255), 0.25f), 0, w, Scale(s.accent, 0.8f)));
  } else {
    Fill(l, box,
         Linear(0, 0, s.dark ? C(70, 74, 82) : C(255, 255, 255), 0, w, s.dark ? C(40, 42, 48) : C(214, 222, 238)));
  }
  Fill(l, Ring(box, 0.55f), Solid(state == 1 ? s.controlEdge : Scale(s.accent, 0.75f)));
  if (state == 2) Fill(l, Ring(Box(2, 2, w - 2, w - 2, 2), 0.5f), Solid(s.accent), 0.6f);
  if (checked) {
    const Shape tick = Union(Segment(3.8f, 8.2f, 6.6f, 11.0f, 1.25f), Segment(6.6f, 11.0f, 12.2f, 4.6f, 1.25f));
    Fill(l, Offset(tick, 0.6f, 0.7f), Solid(C(0, 0, 0)), 0.3f);
    Fill(l, tick, Solid(C(255, 255, 255)));
  }
  return FromLayer(l, s.windowBack);
}

// A keyboard key cap with its label, as shown in the modifier strip.
Picture KeyCap(const Style& s, const std::string& label, int width) {
  Layer l = MakeLayer(width, kKeyHeight);
  const float w = static_cast<float>(width), h = static_cast<float>(kKeyHeight);
  const Shape cap = Box(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3.5f);
  Fill(l, cap, Solid(Scale(s.keyBottom, 0.75f)));
  const Shape top = Box(2, 1.5f, w - 2, h - 3.5f, 2.5f);
  Fill(l, top, Linear(0, 1, s.keyTop, 0, h - 3, s.keyBottom));
  Fill(l, Ring(cap, 0.5f), Solid(s.controlEdge), 0.9f);
  const float size = label.size() == 1 ? 12.0f : 10.0f;
  const float tw = TextWidth(label, size, true);
  const float baseline = 1.5f + (h - 5.0f + CapHeight(size, true)) / 2.0f;
  DrawText(l, label, size, true, std::floor((w - tw) / 2), baseline, Solid(s.keyText));
  return FromLayer(l, s.windowBack);
}

Picture PlusSign(const Style& s) {
  Layer l = MakeLayer(kPlusWidth, kKeyHeight);
  const float cx = kPlusWidth / 2.0f, cy = kKeyHeight / 2.0f - 1;
  const Shape plus = Union(Segment(cx - 4, cy, cx + 4, cy, 1.2f), Segment(cx, cy - 4, cx, cy + 4, 1.2f));
  Fill(l, plus, Solid(s.dark ? C(235, 235, 235) : C(30, 40, 70)));
  return FromLayer(l, s.windowBack);
}

enum class Arrow { Down, Up, Left, Right };

// The four small scroll arrows of a window.
Picture ArrowButton(const Style& s, Arrow dir) {
  Layer l = MakeLayer(kArrowButton, kArrowButton);
  const float w = kArrowButton;
  const Shape box = Box(0.5f, 0.5f, w - 0.5f, w - 0.5f, 3);
  Fill(l, box, Linear(0, 0, s.controlTop, 0, w, s.controlBottom));
  Fill(l, Ring(box, 0.5f), Solid(s.controlEdge));
  const float c = w / 2;
  std::vector<float> tri;
  switch (dir) {
    case Arrow::Down: tri = {c - 4, c - 2, c + 4, c - 2, c, c + 3}; break;
    case Arrow::Up: tri = {c - 4, c + 2, c, c - 3, c + 4, c + 2}; break;
    case Arrow::Left: tri = {c + 2, c - 4, c + 2, c + 4, c - 3, c}; break;
    case Arrow::Right: tri = {c - 2, c - 4, c + 3, c, c - 2, c + 4}; break;
  }
  Fill(l, Polygon(tri), Solid(s.controlText));
  return FromLayer(l, s.windowBack);
}

// -------------------------------------------------------------- flags ----

Picture GreekFlag() {
  Layer l = MakeLayer(kFlagWidth, kFlagHeight);
  const Rgb blue = C(13, 94, 175), white = C(255, 255, 255);
  FillAll(l, white);
  const float stripe = kFlagHeight / 9.0f;
  for (int i = 0; i < 9; i += 2)
    Fill(l,
         Box(-1, static_cast<float>(i) * stripe, static_cast<float>(kFlagWidth) + 1.f,
             static_cast<float>(i + 1) * stripe),
         Solid(blue));
  const float canton = 5 * stripe;
  Fill(l, Box(-1, -1, canton, canton), Solid(blue));
  Fill(l, Box(-1, 2 * stripe, canton, 3 * stripe), Solid(white));
  Fill(l, Box(canton / 2 - stripe / 2, -1, canton / 2 + stripe / 2, canton), Solid(white));
  Fill(l, Ring(Box(0, 0, kFlagWidth, kFlagHeight), 0.5f), Solid(C(40, 40, 40)), 0.6f);
  return FromLayer(l, white, false);
}

Picture BritishFlag() {
  Layer l = MakeLayer(kFlagWidth, kFlagHeight);
  const float w = kFlagWidth, h = kFlagHeight;
  const Rgb blue = C(1, 33, 105), red = C(200, 16, 46), white = C(255, 255, 255);
  FillAll(l, blue);
  const float unit = h / 30.0f;  // the flag is 60 x 30 units
  Fill(l, Union(Segment(0, 0, w, h, 3 * unit), Segment(0, h, w, 0, 3 * unit)), Solid(white));
  const Shape diagonals = Union(Segment(0, 0, w, h, unit), Segment(0, h, w, 0, unit));
  Fill(l, diagonals, Solid(red));
  Fill(l,
       Union(Box(w / 2 - 5 * unit, -1, w / 2 + 5 * unit, h + 1), Box(-1, h / 2 - 5 * unit, w + 1, h / 2 + 5 * unit)),
       Solid(white));
  Fill(l,
       Union(Box(w / 2 - 3 * unit, -1, w / 2 + 3 * unit, h + 1), Box(-1, h / 2 - 3 * unit, w + 1, h / 2 + 3 * unit)),
       Solid(red));
  Fill(l, Ring(Box(0, 0, w, h), 0.5f), Solid(C(40, 40, 40)), 0.6f);
  return FromLayer(l, blue, false);
}

std::string ColourLine(const std::string& key, Rgb c) {
  return key + "(" + std::to_string(std::lround(c.r)) + "," + std::to_string(std::lround(c.g)) + "," +
         std::to_string(std::lround(c.b)) + ")\n";
}

std::string ColoursFile(const Style& s) {
  std::string out;
  if (s.dark) {
    out += ColourLine("Window_Background", s.windowBack);
    out += ColourLine("Window_Background_Inactive", C(38, 40, 46));
    out += ColourLine("Window_Border", C(120, 124, 134));
    out += ColourLine("Window_Title", C(240, 240, 240));
    out += ColourLine("Menu_Active", C(255, 150, 40));
    out += ColourLine("Menu_Active_Text", C(0, 0, 0));
    out += ColourLine("Textbox_Out", C(255, 150, 40));
    out += ColourLine("Textbox_In", C(20, 20, 24));
    out += ColourLine("Textbox_Text", C(240, 240, 240));
    out += ColourLine("Textbox_Suggestion", C(150, 150, 160));
    out += ColourLine("Comments", C(230, 230, 230));
    out += ColourLine("Button", C(70, 74, 84));
    out += ColourLine("Button_Text", C(20, 20, 24));
    out += ColourLine("Button_Active_Text", C(255, 150, 40));
    out += ColourLine("Button_Activated_Text", C(210, 40, 20));
    out += ColourLine("ProgressBar", C(255, 150, 40));
  } else {
    // The light skin keeps the toolkit's own colours.
    out += ColourLine("Window_Background", C(208, 219, 241));
    out += ColourLine("Window_Background_Inactive", C(208, 219, 241));
    out += ColourLine("Window_Border", C(116, 127, 155));
    out += ColourLine("Window_Title", C(255, 255, 255));
    out += ColourLine("Menu_Active", C(0, 0, 255));
    out += ColourLine("Menu_Active_Text", C(0, 0, 0));
    out += ColourLine("Textbox_Out", C(44, 0, 255));
    out += ColourLine("Textbox_In", C(0, 0, 0));
    out += ColourLine("Textbox_Text", C(255, 255, 255));
    out += ColourLine("Textbox_Suggestion", C(255, 0, 0));
    out += ColourLine("Comments", C(255, 255, 255));
    out += ColourLine("Button", C(192, 192, 192));
    out += ColourLine("Button_Text", C(0, 0, 0));
    out += ColourLine("Button_Active_Text", C(255, 230, 23));
    out += ColourLine("Button_Activated_Text", C(255, 0, 0));
    out += ColourLine("ProgressBar", C(255, 0, 0));
  }
  return out;
}

}  // namespace

std::vector<std::string> SkinNames() { return {"skin1", "skin2"}; }

SkinFiles MakeSkin(const std::string& name) {
  const Style s = StyleFor(name);
  SkinFiles skin;
  skin.name = name;
  skin.colours = ColoursFile(s);
  skin.metrics = "Textbox_Size(2)\n";
  const std::string top = "";
  const std::string win = "Window";
  auto add = [&](const std::string& picture, const std::string& folder, Picture p) {
    skin.pictures.push_back(NamedPicture{picture, folder, std::move(p)});
  };
  // The toolkit's loading order.
  add("guiuppercase", top, KeyCap(s, "A", kLetterKeyWidth));
  add("guilowercase", top, KeyCap(s, "a", kLetterKeyWidth));
  add("guicontrol", top, KeyCap(s, "Ctrl", kControlKeyWidth));
  add("wnddn", top, ArrowButton(s, Arrow::Down));
  add("wndup", top, ArrowButton(s, Arrow::Up));
  add("wndlt", top, ArrowButton(s, Arrow::Left));
  add("wndrt", top, ArrowButton(s, Arrow::Right));
  add("guishift", top, KeyCap(s, "Shift", kShiftKeyWidth));
  add("guialt", top, KeyCap(s, "Alt", kAltKeyWidth));
  add("guiplus", top, PlusSign(s));
  for (int state = 1; state <= 3; ++state) add("btns" + std::to_string(state), top, SmallButton(s, state));
  for (int state = 1; state <= 3; ++state) add("chks" + std::to_string(state), top, SmallCheck(s, state));
  add("downleft", win, BottomLeft(s));
  add("downmiddle", win, BottomEdge(s));
  add("downright", win, BottomRight(s));
  add("middleleft", win, LeftEdge(s));
  add("middleright", win, RightEdge(s));
  add("upleft", win, TitleLeft(s, true));
  add("upmiddle2", win, StripTile(s));
  add("upmiddle", win, TitleTile(s, true, kTitleTileWidth));
  add("upright", win, TitleRight(s));
  add("uptransection", win, TitleJoin(s, true));
  add("btnminimize", win, FrameButton(s, FrameGlyph::Minimize));
  add("btnmaximize", win, FrameButton(s, FrameGlyph::Maximize));
  add("btnexit", win, FrameButton(s, FrameGlyph::Close));
  add("up2middle", win, TitleTile(s, false, kTitleTileWidth));
  add("middle2left", win, LeftEdge(s));
  add("up2transection", win, TitleJoin(s, false));
  add("down2left", win, BottomLeft(s));
  add("up2left", win, TitleLeft(s, false));
  add("gr", top, GreekFlag());
  add("uk", top, BritishFlag());
  return skin;
}

}  // namespace datagen
