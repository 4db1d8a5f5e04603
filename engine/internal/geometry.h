// The board: 24 points on a 7 x 7 grid, their links and mills.  The rules and the
// search walk these tables rather than derive links or mills from coordinates,
// and the stored link order is the order in which the search generates moves.
#pragma once

#include <cstdint>

#include "state.h"

namespace trivane {

struct BoardNode {
  uint8_t links_availiable;
  uint8_t link1[2];
  uint8_t link2[2];
  uint8_t link3[2];
  uint8_t link4[2];
  uint8_t mills_availiable;
  uint8_t mill_1;
  uint8_t mill_2;
  uint8_t mill_3;
};

// The 24 points numbered 0..23 in the order x = 1..7, then y = 1..7, so that
// walking a bit mask from its lowest bit visits the points in the order the
// placement scan visits the cells.  Links and mills become 24-bit masks, built
// from the tables above with the geometry; the search and the
// rules read positions through them.
constexpr int POINTS = 24;
constexpr uint8_t NO_POINT = 255;
constexpr uint32_t ALL_POINTS = (1u << POINTS) - 1;
constexpr int MILLS = 16;

struct PointMasks {
  uint8_t empty_board[BOARD_CELLS][BOARD_CELLS];    // PieceTable of a new game
  uint8_t point_of_cell[BOARD_CELLS][BOARD_CELLS];  // [x][y]: 0..23, or NO_POINT
  uint8_t x[POINTS];
  uint8_t y[POINTS];
  uint8_t cell[POINTS];  // x * BOARD_CELLS + y: the point's offset into PieceTable
  uint8_t links[POINTS];
  uint8_t link[POINTS][4];             // neighbours in link order
  uint8_t link_cell[POINTS][4];        // the same as PieceTable offsets
  uint8_t partner_cell[POINTS][2][2];  // each mill's other two points as offsets
  uint32_t link_mask[POINTS];
  uint8_t mills[POINTS];         // mills through the point: mill_1, then mill_2
  uint32_t partners[POINTS][2];  // for each of them, the other two points
  uint32_t mill_mask[MILLS];     // every mill's three points
  // For the slide from a point to a linked one: the partner pair of the
  // arrival's mill that does not hold the point itself (every link lies in
  // one of the arrival's two mills, so there is exactly one such pair);
  // NEVER_HELD for points that are not linked.
  uint32_t slide_partners[POINTS][POINTS];
};
constexpr uint32_t NEVER_HELD = 1u << 31;  // no piece ever stands on bit 31

constexpr int MILL_SLOTS = 20;  // mills 1..16; entries 0 and 17..19 stay zero

// The board's constant tables: links and mills as the rules read them, and
// the same as masks for the search.
struct BoardGeometry {
  BoardNode nodes[BOARD_CELLS][BOARD_CELLS];  // [x][y]
  uint8_t MillTable[MILL_SLOTS][3][2];        // [mill][point][x, y]
  PointMasks masks;
};

extern const BoardGeometry BOARD;

void ResetGameTables();
// Registers a mill with a node's record as the board build does, and reports
// a third mill (the record then stays as it was).
void AddMillToNode(BoardNode& node, uint8_t x, uint8_t y, uint8_t mill);

// The cell, or OFF_BOARD when a coordinate is outside 1..7.
uint8_t PieceAt(uint8_t x, uint8_t y);

// Cell tests and link reads index the tables directly: coordinates 0..7.
inline bool IsEmptyPoint(uint8_t x, uint8_t y) { return g_game.PieceTable[x][y] == EMPTY_POINT; }
inline bool HoldsPiece(uint8_t x, uint8_t y, uint8_t p) { return g_game.PieceTable[x][y] == p; }
inline uint8_t LinkCount(uint8_t x, uint8_t y) { return BOARD.nodes[x][y].links_availiable; }
inline bool InGrid(uint32_t x, uint32_t y) { return x < BOARD_CELLS && y < BOARD_CELLS; }

// The n-th link (1..4); any other n leaves the outputs untouched.
void GetLink(uint8_t x, uint8_t y, uint8_t n, uint8_t& lx, uint8_t& ly);

// The mill numbers of a point: mill_1 then mill_2, up to mills_availiable.
uint8_t MillOfNode(uint8_t x, uint8_t y, uint8_t i);

inline uint8_t PointOf(uint8_t x, uint8_t y) { return BOARD.masks.point_of_cell[x][y]; }


constexpr uint32_t PointBit(uint8_t point) { return 1u << point; }

// Pieces in a mask, without relying on a population-count instruction: the
// engine is built for any x86-64 processor, where the standard popcount is a
// call into the compiler's runtime, and the MASTER search counts half-built
// mills and free links at every leaf (those calls took a sixth of its time).
inline uint8_t CountPoints(uint32_t v) {
  v = v - ((v >> 1) & 0x55555555u);
  v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
  return static_cast<uint8_t>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

// Whether a cell of the grid is one of the 24 points: on a diagonal or on the
// middle row or column, the centre excepted.
constexpr bool IsPointCell(int x, int y) {
  return x >= 1 && x <= 7 && y >= 1 && y <= 7 && (x == y || x + y == 8 || x == 4 || y == 4) && !(x == 4 && y == 4);
}

// The number of the point at (x, y) in the numbering above.
constexpr uint8_t PointNumber(int x, int y) {
  uint8_t n = 0;
  for (int cx = 1; cx <= 7; ++cx)
    for (int cy = 1; cy <= 7; ++cy) {
      if (cx == x && cy == y) return n;
      if (IsPointCell(cx, cy)) ++n;
    }
  return NO_POINT;
}

// In that numbering the eight mills along a column (constant x, mills 9..16)
// are the triples of consecutive points 3k, 3k + 1, 3k + 2, so one shift test
// finds them all; the eight along a row (constant y, mills 1..8) are these.
constexpr uint32_t COLUMN_MILL_BASES = 0x249249u;  // bit 3k, k = 0..7
constexpr uint32_t RowMill(int x0, int x1, int x2, int y) {
  return (1u << PointNumber(x0, y)) | (1u << PointNumber(x1, y)) | (1u << PointNumber(x2, y));
}
constexpr uint32_t ROW_MILLS[8] = {RowMill(1, 4, 7, 1), RowMill(2, 4, 6, 2), RowMill(3, 4, 5, 3),
                                   RowMill(1, 2, 3, 4), RowMill(3, 4, 5, 5), RowMill(2, 4, 6, 6),
                                   RowMill(1, 4, 7, 7), RowMill(5, 6, 7, 4)};

// The points of the mask that stand in a complete mill of the mask.
inline uint32_t PointsInMills(uint32_t pieces) {
  const uint32_t columns = pieces & (pieces >> 1) & (pieces >> 2) & COLUMN_MILL_BASES;
  uint32_t in_mills = columns * 7u;
  for (const uint32_t mill : ROW_MILLS) in_mills |= (pieces & mill) == mill ? mill : 0;
  return in_mills;
}

// Mills the point would complete with the mask's pieces (the point's own bit
// is not read).
inline uint8_t MillsCompletedAt(uint8_t point, uint32_t pieces) {
  uint8_t formed = 0;
  for (uint8_t i = 0; i < BOARD.masks.mills[point]; ++i)
    if ((pieces & BOARD.masks.partners[point][i]) == BOARD.masks.partners[point][i]) ++formed;
  return formed;
}

// Every point linked to one of the mask's points.
inline uint32_t LinkedPoints(uint32_t pieces) {
  uint32_t linked = 0;
  while (pieces != 0) {
    linked |= BOARD.masks.link_mask[__builtin_ctz(pieces)];
    pieces &= pieces - 1;
  }
  return linked;
}

uint8_t FreeLinks(uint8_t x, uint8_t y);
uint8_t OwnNeighbours(uint8_t x, uint8_t y, uint8_t player);

void PrintNodeData(uint8_t x, uint8_t y);

}  // namespace trivane
