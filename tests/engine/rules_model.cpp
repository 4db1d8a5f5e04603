#include "rules_model.h"

#include <cstring>

#include "board_tables.h"

namespace trivane_test {

namespace {

int Other(int p) { return p == 1 ? 2 : 1; }

void PassTurn(ModelState& m) { m.player = static_cast<uint8_t>(Other(m.player)); }

// Due removals that no piece of the opponent can satisfy are dropped, and the
// turn passes once nothing is due.
void Settle(ModelState& m) {
  if (m.due != 0 && ModelFreePieces(m, Other(m.player)) == 0) m.due = 0;
  if (m.due == 0) PassTurn(m);
}

int FindRow(const ModelState& m, int x, int y, int p) {
  for (int i = 1; i <= m.map[p][0][1]; ++i) {
    if (m.map[p][i][1] == x && m.map[p][i][2] == y) return i;
  }
  return 0;
}

bool Linked(int fx, int fy, int tx, int ty) {
  const PointRecord* r = FindPoint(fx, fy);
  if (!r) return false;
  for (int k = 0; k < r->links; ++k) {
    if (r->link[k][0] == tx && r->link[k][1] == ty) return true;
  }
  return false;
}

// Moves p's piece, keeping the map as the engine does: the moved entry keeps
// its row and gets the free links of the target counted before the move.
void MovePiece(ModelState& m, int fx, int fy, int tx, int ty, int p) {
  const int i = FindRow(m, fx, fy, p);
  m.map[p][0][3] = static_cast<uint8_t>(m.map[p][0][3] - m.map[p][i][3]);
  m.map[p][i][1] = static_cast<uint8_t>(tx);
  m.map[p][i][2] = static_cast<uint8_t>(ty);
  m.map[p][i][3] = static_cast<uint8_t>(ModelFreeLinks(m, tx, ty));
  m.map[p][0][3] = static_cast<uint8_t>(m.map[p][0][3] + m.map[p][i][3]);
  m.cell[fx][fy] = 0;
  m.cell[tx][ty] = static_cast<uint8_t>(p);
}

}  // namespace

bool IsPointCell(int x, int y) { return FindPoint(x, y) != nullptr; }

ModelState NewModelGame() {
  ModelState m;
  std::memset(&m, 0, sizeof m);
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) m.cell[x][y] = IsPointCell(x, y) ? 0 : 255;
  }
  m.player = 1;
  m.remaining[1] = m.remaining[2] = 9;
  return m;
}

int ModelFreeLinks(const ModelState& m, int x, int y) {
  const PointRecord* r = FindPoint(x, y);
  if (!r) return 0;
  int free = 0;
  for (int k = 0; k < r->links; ++k) free += m.cell[r->link[k][0]][r->link[k][1]] == 0;
  return free;
}

int ModelMillsHeld(const ModelState& m, int x, int y, int p) {
  const PointRecord* r = FindPoint(x, y);
  if (!r) return 0;
  int held = 0;
  for (int mill : {r->mill_1, r->mill_2}) {
    bool all = true;
    for (const auto& pt : kMills[mill]) all = all && m.cell[pt[0]][pt[1]] == p;
    held += all;
  }
  return held;
}

int ModelMillsFormedAt(const ModelState& m, int x, int y, int p) {
  const PointRecord* r = FindPoint(x, y);
  if (!r || (m.cell[x][y] != 0 && m.cell[x][y] != p)) return 0;
  int formed = 0;
  for (int mill : {r->mill_1, r->mill_2}) {
    bool all = true;
    for (const auto& pt : kMills[mill]) all = all && ((pt[0] == x && pt[1] == y) || m.cell[pt[0]][pt[1]] == p);
    formed += all;
  }
  return formed;
}

int ModelPieces(const ModelState& m, int p) {
  int n = 0;
  for (const PointRecord& r : kPoints) n += m.cell[r.x][r.y] == p;
  return n;
}

int ModelFreePieces(const ModelState& m, int p) {
  int n = 0;
  for (const PointRecord& r : kPoints) n += m.cell[r.x][r.y] == p && ModelMillsHeld(m, r.x, r.y, p) == 0;
  return n;
}

bool ModelBlocked(const ModelState& m, int p) {
  for (const PointRecord& r : kPoints) {
    if (m.cell[r.x][r.y] == p && ModelFreeLinks(m, r.x, r.y) != 0) return false;
  }
  return true;
}

int ModelPlace(ModelState& m, int x, int y, std::vector<std::string>& boxes) {
  const int p = m.player;
  if (x < 0 || x > 7 || y < 0 || y > 7) return 0;
  if (m.remaining[p] == 0) {
    boxes.push_back("Call to part II from part I !");
    return 0;
  }
  if (m.due != 0 || m.cell[x][y] != 0) return 0;
  const uint8_t row = ++m.map[p][0][1];
  m.map[p][row][1] = static_cast<uint8_t>(x);
  m.map[p][row][2] = static_cast<uint8_t>(y);
  m.map[p][row][3] = static_cast<uint8_t>(ModelFreeLinks(m, x, y));
  m.map[p][0][3] = static_cast<uint8_t>(m.map[p][0][3] + m.map[p][row][3]);
  m.cell[x][y] = static_cast<uint8_t>(p);
  --m.remaining[p];
  m.due = static_cast<uint8_t>(ModelMillsFormedAt(m, x, y, p));
  Settle(m);
  return 1;
}

int ModelSlide(ModelState& m, int fx, int fy, int tx, int ty, std::vector<std::string>& boxes) {
  const int p = m.player;
  const bool in_grid = fx >= 0 && fx <= 7 && fy >= 0 && fy <= 7 && tx >= 0 && tx <= 7 && ty >= 0 && ty <= 7;
  if (!in_grid) return 0;
  if (m.remaining[p] != 0) {
    boxes.push_back("Call to part I from part II !");
    return 0;
  }
  if (m.due != 0) return 0;
  if (m.cell[fx][fy] != p || m.cell[tx][ty] != 0) return 0;
  const bool flying = ModelPieces(m, p) == 3;
  if (!flying && !Linked(fx, fy, tx, ty)) return 0;
  MovePiece(m, fx, fy, tx, ty, p);
  m.due = static_cast<uint8_t>(ModelMillsFormedAt(m, tx, ty, p));
  Settle(m);
  return 1;
}

int ModelRemove(ModelState& m, int x, int y) {
  const int o = Other(m.player);
  if (m.due == 0 || x < 0 || x > 7 || y < 0 || y > 7) return 0;
  if (m.cell[x][y] != o || ModelMillsHeld(m, x, y, o) != 0) return 0;
  const int i = FindRow(m, x, y, o);
  const int last = m.map[o][0][1];
  uint8_t row[4];
  std::memcpy(row, m.map[o][i], 4);
  std::memcpy(m.map[o][i], m.map[o][last], 4);
  std::memcpy(m.map[o][last], row, 4);
  m.map[o][0][1] = static_cast<uint8_t>(last - 1);
  m.map[o][0][3] = static_cast<uint8_t>(m.map[o][0][3] - m.map[o][last][3]);
  std::memset(m.map[o][last], 0, 4);
  m.cell[x][y] = 0;
  --m.due;
  Settle(m);
  return 1;
}

int ModelGamePart(ModelState& m, int p, int answer, bool& asked) {
  asked = false;
  if (p != 1 && p != 2) return 0;
  for (;;) {
    if (m.draw_agreed) return 7;
    const int r = m.remaining[p];
    const bool all_placed = m.remaining[1] == 0 && m.remaining[2] == 0;
    if (p == m.player && ModelFreePieces(m, Other(p)) == 0) m.due = 0;
    if (!m.draw_offered && all_placed && m.due == 0 && ModelPieces(m, 1) == 3 && ModelPieces(m, 2) == 3) {
      m.draw_offered = 1;
      asked = true;
      if (answer == 6) {
        m.draw_agreed = 1;
        return 7;
      }
      continue;
    }
    if (r == 0) {
      if (ModelPieces(m, 2) < 3) return 5;
      if (ModelPieces(m, 1) < 3) return 6;
      if (m.due == 0 && ModelPieces(m, p) > 3 && ModelBlocked(m, p)) return p == 1 ? 6 : 5;
    }
    if (m.due != 0) return 4;
    if (r != 0) return 1;
    return ModelPieces(m, p) == 3 ? 3 : 2;
  }
}

}  // namespace trivane_test
