// The game's icon for desktop menus: the board of three squares on wood, with
// a red and an orange piece, drawn at 64 x 64 with the same canvas as the game's
// pictures.  Opaque, so it looks the same on every menu background.
#include "resources/canvas.h"
#include "resources/data_set.h"

namespace datagen {

Picture MakeDesktopIcon() {
  constexpr int kSize = 64;
  Layer l = MakeLayer(kSize, kSize);
  const auto C = [](float r, float g, float b) { return MakeRgb(r, g, b); };
  Fill(l, Box(1, 1, 63, 63, 9), Linear(0, 0, C(226, 196, 150), 64, 64, C(184, 140, 88)));
  Fill(l, Ring(Box(1, 1, 63, 63, 9), 1.0f), Solid(C(110, 76, 40)));
  const Rgb line = C(0, 0, 64);
  // Three squares, 9 px apart, joined at the middles of their sides.
  for (float inset : {8.0f, 17.0f, 26.0f})
    Fill(l, Ring(Box(inset, inset, 64 - inset, 64 - inset), 1.3f), Solid(line));
  Fill(l, Segment(32, 8, 32, 26, 1.3f), Solid(line));
  Fill(l, Segment(32, 38, 32, 56, 1.3f), Solid(line));
  Fill(l, Segment(8, 32, 26, 32, 1.3f), Solid(line));
  Fill(l, Segment(38, 32, 56, 32, 1.3f), Solid(line));
  // Player 1's red piece and player 2's orange one, lit from the top left.
  const auto piece = [&](float cx, float cy, Rgb base, Rgb dark) {
    Fill(l, Circle(cx + 1, cy + 1.5f, 8.5f), Solid(C(60, 40, 20)), 0.35f);
    Fill(l, Circle(cx, cy, 8.0f), Radial(cx - 3, cy - 3, 12.0f, base, dark));
    Fill(l, Circle(cx - 3, cy - 3, 2.5f), Solid(C(255, 255, 255)), 0.6f);
  };
  piece(8, 8, C(236, 70, 64), C(150, 20, 18));
  piece(56, 32, C(255, 170, 106), C(196, 96, 40));
  return Flatten(l, C(184, 140, 88), false);
}

}  // namespace datagen
