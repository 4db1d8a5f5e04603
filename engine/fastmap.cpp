#include "fastmap.h"

#include <cstring>

#include "geometry.h"
#include "messages.h"
#include "state.h"

namespace trivane {

namespace {

constexpr int COUNT = 1;
constexpr int TOTAL = 3;

// The first row holding (x, y), only when the cell holds the player's piece; 0
// when there is none.
int FindEntry(uint8_t x, uint8_t y, uint8_t p) {
  if (!IsPlayer(p) || !InGrid(x, y) || g_game.PieceTable[x][y] != p) return 0;
  FastMapRows& map = FastMapOf(p);
  const int count = map[0][COUNT];
  for (int i = 1; i <= count && i < MAP_ROWS; ++i) {
    if (map[i][1] == x && map[i][2] == y) return i;
  }
  return 0;
}

}  // namespace

bool map_piece(uint8_t x, uint8_t y, uint8_t p) {
  if (!IsPlayer(p)) {
    ShowEngineMessage("MAP_PIECE WRONG PLAYER :P", "", MB_OK_BOX);
    return false;
  }
  FastMapRows& map = FastMapOf(p);
  // A player never has more than nine pieces on the board; a tenth row would
  // run past the map, so it is refused.
  if (map[0][COUNT] >= MAX_PIECES) return false;
  const uint8_t row = ++map[0][COUNT];
  map[row][0] = 0;
  map[row][1] = x;
  map[row][2] = y;
  map[row][3] = FreeLinks(x, y);
  map[0][TOTAL] = static_cast<uint8_t>(map[0][TOTAL] + map[row][3]);
  return true;
}

void move_map_piece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t p) {
  const int i = FindEntry(fx, fy, p);
  if (i == 0) {
    ShowEngineMessage("NOT MAPPED move_map_piece :( " + IntToText(fx) + "," + IntToText(fy), "", MB_OK_BOX);
    return;
  }
  FastMapRows& map = FastMapOf(p);
  map[0][TOTAL] = static_cast<uint8_t>(map[0][TOTAL] - map[i][3]);
  map[i][1] = tx;
  map[i][2] = ty;
  // Computed before the cells change: for a slide the source still counts as
  // occupied.
  map[i][3] = FreeLinks(tx, ty);
  map[0][TOTAL] = static_cast<uint8_t>(map[0][TOTAL] + map[i][3]);
}

void unmap_piece(uint8_t x, uint8_t y, uint8_t p) {
  const int i = FindEntry(x, y, p);
  if (i == 0) {
    ShowEngineMessage("NOT MAPPED :( " + IntToText(x) + "," + IntToText(y), "", MB_OK_BOX);
    return;
  }
  FastMapRows& map = FastMapOf(p);
  const int count = map[0][COUNT];
  if (count >= MAP_ROWS) {
    ShowEngineMessage(p == 1 ? "MAP OVERLOAD plr 1 :(" : "MAP OVERLOAD plr 2 :(", "", MB_OK_BOX);
    return;
  }
  if (i != count) {
    uint8_t tmp[MAP_BYTES];
    std::memcpy(tmp, map[i], MAP_BYTES);
    std::memcpy(map[i], map[count], MAP_BYTES);
    std::memcpy(map[count], tmp, MAP_BYTES);
  }
  map[0][COUNT] = static_cast<uint8_t>(count - 1);
  map[0][TOTAL] = static_cast<uint8_t>(map[0][TOTAL] - map[count][3]);
  std::memset(map[count], 0, MAP_BYTES);
}

uint8_t PiecesOnBoard(uint8_t p) { return IsPlayer(p) ? FastMapOf(p)[0][COUNT] : 0; }

uint8_t Mobility(uint8_t p) { return IsPlayer(p) ? FastMapOf(p)[0][TOTAL] : 0; }

void MapEntry(uint8_t index, uint8_t p, uint8_t& x, uint8_t& y) {
  if (!IsPlayer(p) || index >= MAP_ROWS) return;
  x = FastMapOf(p)[index][1];
  y = FastMapOf(p)[index][2];
}

uint8_t FastMapByte(uint8_t row, uint8_t column, uint8_t p) {
  if (!IsPlayer(p) || row >= MAP_ROWS || column >= MAP_BYTES) return 0;
  return FastMapOf(p)[row][column];
}

}  // namespace trivane
