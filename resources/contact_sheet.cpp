// One sheet with every picture at its real size under a caption: both skins,
// the pointers (hot spot marked by a red dot beside the caption's numbers),
// the game's pictures and the background.  The see-through olive is shown as
// it is stored.
#include <algorithm>
#include <cmath>

#include "resources/data_set.h"

namespace datagen {

namespace {

constexpr int kSheetWidth = 1240;
constexpr int kGap = 14;
constexpr float kCaption = 11;

const Rgb kSheet{226, 228, 232};
const Rgb kInk{30, 30, 40};

struct Flow {
  Layer* layer;
  int x = kGap;
  int y = 0;
  int rowHeight = 0;
  void NewRow() {
    if (rowHeight > 0) y += rowHeight + kGap;
    x = kGap;
    rowHeight = 0;
  }
  void Heading(const std::string& text) {
    NewRow();
    y += 8;
    DrawText(*layer, text, 16, true, kGap, static_cast<float>(y + 16), Solid(kInk));
    Fill(*layer, Box(kGap, static_cast<float>(y + 21), kSheetWidth - kGap, static_cast<float>(y + 22)),
         Solid(Rgb{120, 120, 140}));
    y += 30;
  }
  // Places a picture with its caption; returns its corner.
  std::pair<int, int> Place(const Picture& p, const std::string& caption) {
    const int captionWidth = static_cast<int>(std::ceil(TextWidth(caption, kCaption, false)));
    const int w = std::max(p.width, captionWidth);
    if (x + w > kSheetWidth - kGap) NewRow();
    for (int py = 0; py < p.height; ++py) {
      for (int px = 0; px < p.width; ++px) {
        const Pixel c = p.At(px, py);
        SetPixel(*layer, x + px, y + py, Rgb{float(c.r), float(c.g), float(c.b)});
      }
    }
    DrawText(*layer, caption, kCaption, false, static_cast<float>(x), static_cast<float>(y + p.height + 12),
             Solid(kInk));
    const std::pair<int, int> corner{x, y};
    x += w + kGap;
    rowHeight = std::max(rowHeight, p.height + 16);
    return corner;
  }
};

std::string SizeText(const Picture& p) { return std::to_string(p.width) + "x" + std::to_string(p.height); }

void PlaceAll(Flow& flow, Layer* sheet) {
  for (const std::string& name : SkinNames()) {
    const SkinFiles skin = MakeSkin(name);
    flow.Heading("Skin \"" + name + "\" (36 pictures)");
    for (const NamedPicture& p : skin.pictures) flow.Place(p.picture, p.name + " " + SizeText(p.picture));
    flow.NewRow();
  }
  flow.Heading("Pointers (red dot: hot spot)");
  for (const PointerPicture& p : MakePointers()) {
    // Shown over white so the rims and soft edges are visible.
    Picture shown = MakePicture(p.colours.width, p.colours.height, Pixel{255, 255, 255});
    for (size_t i = 0; i < shown.pixels.size(); ++i) {
      const float a = p.alpha[i] / 255.0f;
      const Pixel c = p.colours.pixels[i];
      shown.pixels[i] = Pixel{static_cast<uint8_t>(std::lround(c.r * a + 255 * (1 - a))),
                              static_cast<uint8_t>(std::lround(c.g * a + 255 * (1 - a))),
                              static_cast<uint8_t>(std::lround(c.b * a + 255 * (1 - a)))};
    }
    const auto [cx, cy] = flow.Place(shown,
                                     p.file + " (" + std::to_string(p.hotX) + "," + std::to_string(p.hotY) + ")");
    Fill(*sheet, Circle(static_cast<float>(cx + p.hotX) + 0.5f, static_cast<float>(cy + p.hotY) + 0.5f, 1.6f),
         Solid(Rgb{230, 0, 0}), 0.8f);
  }
  const Picture back = MakeBackground();
  flow.Heading("Game pictures");
  for (const NamedPicture& p : MakeGamePictures(back)) flow.Place(p.picture, p.name + " " + SizeText(p.picture));
  const NamedPicture logo = MakeScreenSaverLogo();
  flow.Place(logo.picture, "Resources: varnix " + SizeText(logo.picture));
  flow.NewRow();
  flow.Place(back, "back.jpg " + SizeText(back));
  flow.NewRow();
}

}  // namespace

Picture MakeContactSheet() {
  // Lay out once on a tall layer, then cut it to the height used.
  Layer sheet = MakeLayer(kSheetWidth, 2400);
  FillAll(sheet, kSheet);
  Flow flow{&sheet};
  PlaceAll(flow, &sheet);
  const int used = std::min(sheet.height, flow.y + kGap);
  Picture full = Flatten(sheet, kSheet, false);
  Picture cut = MakePicture(kSheetWidth, used, Pixel{});
  std::copy(full.pixels.begin(), full.pixels.begin() + static_cast<long>(used) * kSheetWidth, cut.pixels.begin());
  return cut;
}

}  // namespace datagen
