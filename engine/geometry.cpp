#include "geometry.h"

#include <cstring>
#include <string>

#include "messages.h"

namespace trivane {

namespace {

constexpr void SetLink(uint8_t (&link)[2], int x, int y) {
  link[0] = static_cast<uint8_t>(x);
  link[1] = static_cast<uint8_t>(y);
}

// Registers a mill with a point: false when the point already has two other
// mills, which the board never gives it.
constexpr bool RegisterMill(BoardNode& n, uint8_t mill) {
  if (n.mills_availiable == 0) {
    n.mills_availiable = 1;
    n.mill_1 = mill;
    return true;
  }
  if (n.mill_1 == mill) return true;
  if (n.mills_availiable == 1) {
    n.mills_availiable = 2;
    n.mill_2 = mill;
    return true;
  }
  return n.mills_availiable == 2 && n.mill_2 == mill;
}

// Not constexpr on purpose: a table that does not add up stops the build of
// the constant tables, at compile time.
void BoardTablesDoNotAddUp() {}

// Writes one point of a mill and registers the mill with that point, in the
// order that puts the constant-y mill in mill_1 and the constant-x one in mill_2.
constexpr void SetMillPoint(BoardGeometry& g, int mill, int slot, int x, int y) {
  g.MillTable[mill][slot][0] = static_cast<uint8_t>(x);
  g.MillTable[mill][slot][1] = static_cast<uint8_t>(y);
  if (!RegisterMill(g.nodes[x][y], static_cast<uint8_t>(mill))) BoardTablesDoNotAddUp();
}

constexpr void SetMill(BoardGeometry& g, int mill, int x0, int y0, int x1, int y1, int x2, int y2) {
  SetMillPoint(g, mill, 0, x0, y0);
  SetMillPoint(g, mill, 1, x1, y1);
  SetMillPoint(g, mill, 2, x2, y2);
}

constexpr void BuildLinksAndMills(BoardGeometry& g) {
  // Corners of the three squares.
  for (int k = 1; k <= 7; ++k) {
    if (k == 4) continue;
    BoardNode& a = g.nodes[k][k];
    SetLink(a.link1, 4, k);
    SetLink(a.link2, k, 4);
    a.links_availiable = 2;
    BoardNode& b = g.nodes[k][8 - k];
    SetLink(b.link1, 4, 8 - k);
    SetLink(b.link2, k, 4);
    b.links_availiable = 2;
  }

  // Midpoints on y = 4, then on x = 4: the square's two corners first, then the
  // neighbour(s) across the squares.
  for (int k = 1; k <= 7; ++k) {
    if (k == 4) continue;
    BoardNode& h = g.nodes[k][4];
    BoardNode& v = g.nodes[4][k];
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

  for (int k = 1; k <= 7; ++k) {
    if (k != 4) {
      SetMill(g, k, k, k, 4, k, 8 - k, k);
    } else {
      SetMill(g, 4, 1, 4, 2, 4, 3, 4);
      SetMill(g, 8, 5, 4, 6, 4, 7, 4);
    }
  }
  for (int k = 1; k <= 7; ++k) {
    if (k != 4) {
      SetMill(g, k + 8, k, k, k, 4, k, 8 - k);
    } else {
      SetMill(g, 12, 4, 1, 4, 2, 4, 3);
      SetMill(g, 16, 4, 5, 4, 6, 4, 7);
    }
  }
}

constexpr const uint8_t* LinkOf(const BoardNode& node, uint8_t n) {
  switch (n) {
    case 1: return node.link1;
    case 2: return node.link2;
    case 3: return node.link3;
    case 4: return node.link4;
    default: return nullptr;
  }
}

// The masks, from the link and mill tables above.
constexpr void IndexPointMasks(BoardGeometry& g) {
  PointMasks& m = g.masks;
  for (auto& column : m.point_of_cell)
    for (uint8_t& cell : column) cell = NO_POINT;
  uint8_t next = 0;
  for (uint8_t x = 1; x < BOARD_CELLS; ++x)
    for (uint8_t y = 1; y < BOARD_CELLS; ++y) {
      if (!IsPointCell(x, y) || next >= POINTS) continue;
      m.point_of_cell[x][y] = next;
      m.x[next] = x;
      m.y[next] = y;
      m.cell[next] = static_cast<uint8_t>(x * BOARD_CELLS + y);
      ++next;
    }
  for (uint8_t mill = 1; mill <= MILLS; ++mill)
    for (const auto& pt : g.MillTable[mill]) {
      const uint8_t q = m.point_of_cell[pt[0] & 7][pt[1] & 7];
      if (q != NO_POINT) m.mill_mask[mill - 1] |= PointBit(q);
    }
  for (uint8_t q = 0; q < next; ++q) {
    const BoardNode& node = g.nodes[m.x[q]][m.y[q]];
    for (uint8_t i = 1; i <= node.mills_availiable && i <= 2; ++i) {
      const uint8_t mill = i == 1 ? node.mill_1 : node.mill_2;
      if (mill < 1 || mill > MILLS) continue;
      const uint32_t partners = m.mill_mask[mill - 1] & ~PointBit(q);
      uint8_t k = 0;
      for (uint32_t rest = partners; rest != 0 && k < 2; rest &= rest - 1)
        m.partner_cell[q][m.mills[q]][k++] = m.cell[__builtin_ctz(rest)];
      m.partners[q][m.mills[q]++] = partners;
    }
    for (uint8_t k = 1; k <= node.links_availiable && k <= 4; ++k) {
      const uint8_t* link = LinkOf(node, k);
      const uint8_t to = m.point_of_cell[link[0] & 7][link[1] & 7];
      if (to == NO_POINT) continue;
      m.link_cell[q][m.links[q]] = m.cell[to];
      m.link[q][m.links[q]++] = to;
      m.link_mask[q] |= PointBit(to);
    }
  }
  for (uint8_t x = 0; x < BOARD_CELLS; ++x)
    for (uint8_t y = 0; y < BOARD_CELLS; ++y)
      m.empty_board[x][y] = m.point_of_cell[x][y] == NO_POINT ? OFF_BOARD : EMPTY_POINT;
  // Once every point's partners are known: the slides' own view of them.
  for (auto& row : m.slide_partners)
    for (uint32_t& pair : row) pair = NEVER_HELD;
  for (uint8_t q = 0; q < next; ++q)
    for (uint8_t k = 0; k < m.links[q]; ++k) {
      const uint8_t to = m.link[q][k];
      uint8_t n = 0;
      for (uint8_t i = 0; i < m.mills[to]; ++i)
        if (!(m.partners[to][i] & PointBit(q))) {
          m.slide_partners[q][to] = m.partners[to][i];
          ++n;
        }
      if (n != 1) BoardTablesDoNotAddUp();
    }
}

constexpr BoardGeometry MakeBoardGeometry() {
  BoardGeometry g{};
  BuildLinksAndMills(g);
  IndexPointMasks(g);
  return g;
}

// PointsInMills reads the mills from the numbering, not from the tables.
constexpr bool MillsAsNumbered(const PointMasks& m) {
  uint32_t columns = 0;
  for (int k = 0; k < 8; ++k) {
    if (m.mill_mask[k] != ROW_MILLS[k]) return false;
    const uint32_t column = m.mill_mask[8 + k];
    const int first = __builtin_ctz(column);
    if (first % 3 != 0 || column != 7u << first) return false;
    columns |= column;
  }
  return columns == ALL_POINTS;
}
static_assert(MillsAsNumbered(MakeBoardGeometry().masks));

}  // namespace

// Built by the compiler: constant data from the moment the library is loaded,
// so no export, InitEngine or not, can meet an empty link or mill table.
constinit const BoardGeometry BOARD = MakeBoardGeometry();

void AddMillToNode(BoardNode& n, uint8_t x, uint8_t y, uint8_t mill) {
  if (RegisterMill(n, mill)) return;
  ShowEngineMessage("Out of bounds mills_availiable " + IntToText(x) + "," + IntToText(y) + "=" + IntToText(mill),
                    "error", MB_OK_BOX);
  ShowEngineMessage("Mills Loaded are " + IntToText(n.mill_1) + " and " + IntToText(n.mill_2), "error", MB_OK_BOX);
}

void ResetGameTables() {
  std::memcpy(g_game.PieceTable, BOARD.masks.empty_board, sizeof g_game.PieceTable);
  std::memset(g_game.FastMap, 0, sizeof g_game.FastMap);
}

uint8_t PieceAt(uint8_t x, uint8_t y) {
  if (x < 1 || x > 7 || y < 1 || y > 7) return OFF_BOARD;
  return g_game.PieceTable[x][y];
}

void GetLink(uint8_t x, uint8_t y, uint8_t n, uint8_t& lx, uint8_t& ly) {
  const uint8_t* link = LinkOf(BOARD.nodes[x][y], n);
  if (link == nullptr) return;
  lx = link[0];
  ly = link[1];
}

uint8_t MillOfNode(uint8_t x, uint8_t y, uint8_t i) {
  const BoardNode& node = BOARD.nodes[x][y];
  return i == 1 ? node.mill_1 : node.mill_2;
}

uint8_t FreeLinks(uint8_t x, uint8_t y) {
  const uint8_t q = PointOf(x, y);
  if (q == NO_POINT) return 0;
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t free = 0;
  for (uint8_t k = 0; k < BOARD.masks.links[q]; ++k)
    if (cells[BOARD.masks.link_cell[q][k]] == EMPTY_POINT) ++free;
  return free;
}

uint8_t OwnNeighbours(uint8_t x, uint8_t y, uint8_t player) {
  const uint8_t q = PointOf(x, y);
  if (q == NO_POINT) return 0;
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t own = 0;
  for (uint8_t k = 0; k < BOARD.masks.links[q]; ++k)
    if (cells[BOARD.masks.link_cell[q][k]] == player) ++own;
  return own;
}

void PrintNodeData(uint8_t x, uint8_t y) {
  const BoardNode& n = BOARD.nodes[x][y];
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
