// Where the game puts its pictures on the 500 x 500 window, and the sizes of
// the pictures that follow from it.
#pragma once

namespace datagen {

// Board point (x, y), 1..7, is centred on (62 x, 62 y).
constexpr int kPointSpacing = 62;

// The background is drawn with its corner at (12, 29) and reaches the grey
// frame lines at x = 494 and y = 496; it covers those lines' pixels too, so no
// window pixel inside the frame is left unpainted.
constexpr int kBackLeft = 12;
constexpr int kBackTop = 29;
constexpr int kBackWidth = 494 - 12 + 1;
constexpr int kBackHeight = 496 - 29 + 1;

// A piece on the board fills the 42 x 42 square whose corner is 21 pixels up
// and left of the point's centre.
constexpr int kPieceSize = 42;
// A reserve piece fits the 32-pixel column; nine of them, each 5 pixels apart,
// stack upward from y = 398 and the count above them stays inside y >= 72.
constexpr int kReserveSize = 30;

constexpr int kWarningWidth = 120;
constexpr int kWarningHeight = 46;
constexpr int kSplashWidth = 380;
constexpr int kSplashHeight = 250;
constexpr int kLogoWidth = 220;
constexpr int kLogoHeight = 72;

// The 24 points of the board on the 7 x 7 grid.
constexpr bool IsBoardPoint(int x, int y) {
  if (x < 1 || x > 7 || y < 1 || y > 7 || (x == 4 && y == 4)) return false;
  const int dx = x > 4 ? x - 4 : 4 - x;
  const int dy = y > 4 ? y - 4 : 4 - y;
  return dx == 0 || dy == 0 || dx == dy;
}

}  // namespace datagen
