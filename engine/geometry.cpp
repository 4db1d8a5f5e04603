#include "geometry.h"

#include <cstring>
#include <string>

#include "messages.h"

namespace trivane {

BoardGeometry g_geometry;
PointMasks g_masks;

namespace {

void SetLink(uint8_t (&link)[2], int x, int y) {
  link[0] = static_cast<uint8_t>(x);
  link[1] = static_cast<uint8_t>(y);
}

// Writes one point of a mill and registers the mill with that point, in the
// order that puts the constant-y mill in mill_1 and the constant-x one in mill_2.
void SetMillPoint(int mill, int slot, int x, int y) {
  g_geometry.MillTable[mill][slot][0] = static_cast<uint8_t>(x);
  g_geometry.MillTable[mill][slot][1] = static_cast<uint8_t>(y);
  AddMillToNode(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(mill));
}

void SetMill(int mill, int x0, int y0, int x1, int y1, int x2, int y2) {
  SetMillPoint(mill, 0, x0, y0);
  SetMillPoint(mill, 1, x1, y1);
  SetMillPoint(mill, 2, x2, y2);
}

}  // namespace

void BuildBoardGeometry() {
  std::memset(g_geometry.nodes, 0, sizeof g_geometry.nodes);

  // Corners of the three squares.
  for (int k = 1; k <= 7; ++k) {
    if (k == 4) continue;
    BoardNode& a = g_geometry.nodes[k][k];
    SetLink(a.link1, 4, k);
    SetLink(a.link2, k, 4);
    a.links_availiable = 2;
    BoardNode& b = g_geometry.nodes[k][8 - k];
    SetLink(b.link1, 4, 8 - k);
    SetLink(b.link2, k, 4);
    b.links_availiable = 2;
  }

  // Midpoints on y = 4, then on x = 4: the square's two corners first, then the
  // neighbour(s) across the squares.
  for (int k = 1; k <= 7; ++k) {
    if (k == 4) continue;
    BoardNode& h = g_geometry.nodes[k][4];
    BoardNode& v = g_geometry.nodes[4][k];
    SetLink(h.link1, k, k);
    SetLink(h.link2, k, 8 - k);
    SetLink(v.link1, k, k);
    SetLink(v.link2, 8 - k, k);
    if (k == 1 || k == 5) {
      SetLink(h.link3, k + 1, 4);
      SetLink(v.link3, 4, k + 1);
      h.links_availiable = v.links_availiable = 3;
    } else if (k == 3 || k == 7) {
      SetLink(h.link3, k - 1, 4);
      SetLink(v.link3, 4, k - 1);
      h.links_availiable = v.links_availiable = 3;
    } else {
      SetLink(h.link3, k - 1, 4);
      SetLink(h.link4, k + 1, 4);
      SetLink(v.link3, 4, k - 1);
      SetLink(v.link4, 4, k + 1);
      h.links_availiable = v.links_availiable = 4;
    }
  }

  std::memset(g_geometry.MillTable, 0, sizeof g_geometry.MillTable);
  for (int k = 1; k <= 7; ++k) {
    if (k != 4) {
      SetMill(k, k, k, 4, k, 8 - k, k);
    } else {
      SetMill(4, 1, 4, 2, 4, 3, 4);
      SetMill(8, 5, 4, 6, 4, 7, 4);
    }
  }
  for (int k = 1; k <= 7; ++k) {
    if (k != 4) {
      SetMill(k + 8, k, k, k, 4, k, 8 - k);
    } else {
      SetMill(12, 4, 1, 4, 2, 4, 3);
      SetMill(16, 4, 5, 4, 6, 4, 7);
    }
  }
  IndexPointMasks();
}

// The geometry is constant: it is built when the library is loaded, so no
// export can meet an empty link or mill table, InitEngine or not.
namespace {
const bool g_built_at_load = (BuildBoardGeometry(), true);
}

void IndexPointMasks() {
  std::memset(&g_masks, 0, sizeof g_masks);
  std::memset(g_masks.point_of_cell, NO_POINT, sizeof g_masks.point_of_cell);
  uint8_t next = 0;
  for (uint8_t x = 1; x < BOARD_CELLS; ++x)
    for (uint8_t y = 1; y < BOARD_CELLS; ++y) {
      // A cell is a point when it lies on a diagonal of the grid or on its
      // middle row or column, the centre excepted.
      const bool point = (x == y || x + y == 8 || x == 4 || y == 4) && !(x == 4 && y == 4);
      if (!point || next >= POINTS) continue;
      g_masks.point_of_cell[x][y] = next;
      g_masks.x[next] = x;
      g_masks.y[next] = y;
      g_masks.cell[next] = static_cast<uint8_t>(x * BOARD_CELLS + y);
      ++next;
    }
  for (uint8_t m = 1; m <= MILLS; ++m)
    for (const auto& pt : g_geometry.MillTable[m]) {
      const uint8_t q = g_masks.point_of_cell[pt[0] & 7][pt[1] & 7];
      if (q != NO_POINT) g_masks.mill_mask[m - 1] |= PointBit(q);
    }
  for (uint8_t q = 0; q < next; ++q) {
    const uint8_t x = g_masks.x[q], y = g_masks.y[q];
    const BoardNode& node = g_geometry.nodes[x][y];
    for (uint8_t i = 1; i <= node.mills_availiable && i <= 2; ++i) {
      const uint8_t mill = MillOfNode(x, y, i);
      if (mill < 1 || mill > MILLS) continue;
      const uint32_t partners = g_masks.mill_mask[mill - 1] & ~PointBit(q);
      uint8_t k = 0;
      for (uint32_t rest = partners; rest != 0 && k < 2; rest &= rest - 1)
        g_masks.partner_cell[q][g_masks.mills[q]][k++] = g_masks.cell[__builtin_ctz(rest)];
      g_masks.partners[q][g_masks.mills[q]++] = partners;
    }
    for (uint8_t k = 1; k <= node.links_availiable && k <= 4; ++k) {
      uint8_t lx = 0, ly = 0;
      GetLink(x, y, k, lx, ly);
      const uint8_t to = g_masks.point_of_cell[lx & 7][ly & 7];
      if (to == NO_POINT) continue;
      g_masks.link_cell[q][g_masks.links[q]] = g_masks.cell[to];
      g_masks.link[q][g_masks.links[q]++] = to;
      g_masks.link_mask[q] |= PointBit(to);
    }
  }
  for (uint8_t x = 0; x < BOARD_CELLS; ++x)
    for (uint8_t y = 0; y < BOARD_CELLS; ++y)
      g_masks.empty_board[x][y] = PointOf(x, y) == NO_POINT ? OFF_BOARD : EMPTY_POINT;
  // Once every point's partners are known: the slides' own view of them.
  for (uint8_t q = 0; q < next; ++q)
    for (uint8_t k = 0; k < 4; ++k) {
      uint32_t* out = g_masks.slide_partners[q][k];
      out[0] = out[1] = NEVER_HELD;
      if (k >= g_masks.links[q]) continue;
      const uint8_t to = g_masks.link[q][k];
      uint8_t n = 0;
      for (uint8_t i = 0; i < g_masks.mills[to]; ++i)
        if (!(g_masks.partners[to][i] & PointBit(q))) out[n++] = g_masks.partners[to][i];
    }
}

void AddMillToNode(uint8_t x, uint8_t y, uint8_t mill) {
  BoardNode& n = g_geometry.nodes[x][y];
  if (n.mills_availiable == 0) {
    n.mills_availiable = 1;
    n.mill_1 = mill;
    return;
  }
  if (n.mill_1 == mill) return;
  if (n.mills_availiable == 1) {
    n.mills_availiable = 2;
    n.mill_2 = mill;
    return;
  }
  if (n.mills_availiable == 2 && n.mill_2 == mill) return;
  ShowEngineMessage("Out of bounds mills_availiable " + IntToText(x) + "," + IntToText(y) + "=" + IntToText(mill),
                    "error", MB_OK_BOX);
  ShowEngineMessage("Mills Loaded are " + IntToText(n.mill_1) + " and " + IntToText(n.mill_2), "error", MB_OK_BOX);
}

void ResetGameTables() {
  std::memcpy(g_game.PieceTable, g_masks.empty_board, sizeof g_game.PieceTable);
  std::memset(g_game.FastMap, 0, sizeof g_game.FastMap);
}

uint8_t PieceAt(uint8_t x, uint8_t y) {
  if (x < 1 || x > 7 || y < 1 || y > 7) return OFF_BOARD;
  return g_game.PieceTable[x][y];
}

void GetLink(uint8_t x, uint8_t y, uint8_t n, uint8_t& lx, uint8_t& ly) {
  const BoardNode& node = g_geometry.nodes[x][y];
  const uint8_t* link = nullptr;
  switch (n) {
    case 1: link = node.link1; break;
    case 2: link = node.link2; break;
    case 3: link = node.link3; break;
    case 4: link = node.link4; break;
    default: return;
  }
  lx = link[0];
  ly = link[1];
}

uint8_t MillOfNode(uint8_t x, uint8_t y, uint8_t i) {
  const BoardNode& node = g_geometry.nodes[x][y];
  return i == 1 ? node.mill_1 : node.mill_2;
}

uint8_t FreeLinks(uint8_t x, uint8_t y) {
  const uint8_t q = PointOf(x, y);
  if (q == NO_POINT) return 0;
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t free = 0;
  for (uint8_t k = 0; k < g_masks.links[q]; ++k)
    if (cells[g_masks.link_cell[q][k]] == EMPTY_POINT) ++free;
  return free;
}

uint8_t OwnNeighbours(uint8_t x, uint8_t y, uint8_t player) {
  const uint8_t q = PointOf(x, y);
  if (q == NO_POINT) return 0;
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t own = 0;
  for (uint8_t k = 0; k < g_masks.links[q]; ++k)
    if (cells[g_masks.link_cell[q][k]] == player) ++own;
  return own;
}

void PrintNodeData(uint8_t x, uint8_t y) {
  const BoardNode& n = g_geometry.nodes[x][y];
  auto pair = [](const uint8_t(&p)[2]) { return IntToText(p[0]) + "," + IntToText(p[1]); };
  std::string text;
  text += "Data For Node " + IntToText(x) + "," + IntToText(y) + "\n";
  text += "links_availiable=" + IntToText(n.links_availiable) + "\n";
  text += "link1=" + pair(n.link1) + "\n";
  text += "link2=" + pair(n.link2) + "\n";
  text += "link3=" + pair(n.link3) + "\n";
  text += "link4=" + pair(n.link4) + "\n";
  text += "mills_availiable=" + IntToText(n.mills_availiable) + "\n";
  text += "mill_1=" + IntToText(n.mill_1) + "\n";
  text += "mill_2=" + IntToText(n.mill_2) + "\n";
  text += "mill_3=" + IntToText(n.mill_3) + "\n";
  ShowEngineMessage(text, "Node Data", MB_OK_BOX);
}

}  // namespace trivane
