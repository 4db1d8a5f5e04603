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

constexpr int MILL_SLOTS = 20;  // mills 1..16; entries 0 and 17..19 stay zero

struct BoardGeometry {
  BoardNode nodes[BOARD_CELLS][BOARD_CELLS];    // [x][y]
  uint8_t MillTable[MILL_SLOTS][3][2];          // [mill][point][x, y]
};

extern BoardGeometry g_geometry;

void BuildBoardGeometry();
void ResetGameTables();
void AddMillToNode(uint8_t x, uint8_t y, uint8_t mill);

// The cell, or OFF_BOARD when a coordinate is outside 1..7.
uint8_t PieceAt(uint8_t x, uint8_t y);

// Cell tests and link reads index the tables directly: coordinates 0..7.
inline bool IsEmptyPoint(uint8_t x, uint8_t y) { return g_game.PieceTable[x][y] == EMPTY_POINT; }
inline bool HoldsPiece(uint8_t x, uint8_t y, uint8_t p) { return g_game.PieceTable[x][y] == p; }
inline uint8_t LinkCount(uint8_t x, uint8_t y) { return g_geometry.nodes[x][y].links_availiable; }
inline bool InGrid(uint32_t x, uint32_t y) { return x < BOARD_CELLS && y < BOARD_CELLS; }

// The n-th link (1..4); any other n leaves the outputs untouched.
void GetLink(uint8_t x, uint8_t y, uint8_t n, uint8_t& lx, uint8_t& ly);

// The mill numbers of a point: mill_1 then mill_2, up to mills_availiable.
uint8_t MillOfNode(uint8_t x, uint8_t y, uint8_t i);

// The same mills seen from one point, for the grading's inner loop: for each of
// the point's mills (at most two), the other two points as offsets into
// PieceTable (x * BOARD_CELLS + y).  Derived from the tables above whenever the
// geometry is built.
struct MillPartners {
  uint8_t count;
  uint8_t cell[2][2];
  uint8_t links;       // the point's neighbours, in link order, as offsets too
  uint8_t link_cell[4];
};
extern MillPartners g_mill_partners[BOARD_CELLS][BOARD_CELLS];
void IndexMillPartners();

uint8_t FreeLinks(uint8_t x, uint8_t y);
uint8_t OwnNeighbours(uint8_t x, uint8_t y, uint8_t player);

void PrintNodeData(uint8_t x, uint8_t y);

}  // namespace trivane
