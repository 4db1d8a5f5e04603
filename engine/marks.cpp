#include "marks.h"

#include "geometry.h"
#include "rules.h"
#include "state.h"

namespace trivane {

namespace {

bool OnOuterSquare(uint8_t x, uint8_t y) { return x == 1 || x == 7 || y == 1 || y == 7; }

bool MiddleMidpoint(uint8_t x, uint8_t y) {
  return (x == 4 && (y == 2 || y == 6)) || (y == 4 && (x == 2 || x == 6));
}

int PlacementWeight(uint8_t x, uint8_t y) {
  if (OnOuterSquare(x, y)) return 1;
  if (MiddleMidpoint(x, y)) return 3;
  return 0;
}

int RemovalWeight(uint8_t x, uint8_t y) {
  if (OnOuterSquare(x, y)) return 1;
  if (MiddleMidpoint(x, y)) return 4;
  return 0;
}

}  // namespace

uint8_t OpposingTwos(uint8_t x, uint8_t y, uint8_t p) {
  // Players other than 1 and 2 have no opponent on the board: nothing to block.
  if (!IsPlayer(p)) return 0;
  const uint8_t o = Opponent(p);
  uint8_t blocked = 0;
  const uint8_t mills = BOARD.nodes[x][y].mills_availiable;
  for (uint8_t i = 1; i <= mills && i <= 2; ++i) {
    const auto& mill = BOARD.MillTable[MillOfNode(x, y, i)];
    int held = 0;
    for (const auto& point : mill) {
      if (point[0] == x && point[1] == y) continue;
      if (g_game.PieceTable[point[0]][point[1]] == o) ++held;
    }
    if (held == 2) ++blocked;
  }
  return blocked;
}

uint8_t MillClosingSlides(uint8_t x, uint8_t y, uint8_t owner) {
  uint8_t closing = 0;
  const uint8_t links = LinkCount(x, y);
  for (uint8_t n = 1; n <= links; ++n) {
    uint8_t lx = 0, ly = 0;
    GetLink(x, y, n, lx, ly);
    if (SlideMillCount(x, y, lx, ly, owner) != 0) ++closing;
  }
  return closing;
}

int32_t PlaceMark(uint8_t x, uint8_t y, uint8_t p) {
  return PlacementWeight(x, y) + 2 * FreeLinks(x, y) + 5 * OwnNeighbours(x, y, p) + 7 * MillsFormedAt(x, y, p) +
         8 * OpposingTwos(x, y, p);
}

uint8_t RemoveMark(uint8_t x, uint8_t y, uint8_t owner) {
  const int h = MillsHeld(x, y, owner);
  const int f = FreeLinks(x, y);
  const int n = OwnNeighbours(x, y, owner);
  const int c = MillClosingSlides(x, y, owner);
  int bonus = (h != 0 && f != 0) ? 15 : 0;
  if (c != 0 && h != 0) bonus += 10 + 9 * c;
  return static_cast<uint8_t>(3 * n + 4 * h + 2 * f + RemovalWeight(x, y) + bonus + c);
}

}  // namespace trivane
