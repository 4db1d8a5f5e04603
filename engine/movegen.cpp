#include "movegen.h"

#include <cstring>

namespace trivane {

namespace {

inline uint8_t Popcount(uint32_t v) { return CountPoints(v); }
inline uint8_t LowestPoint(uint32_t v) { return static_cast<uint8_t>(__builtin_ctz(v)); }

// The row of the player's piece map that holds the point (the first, as the
// referee's search finds it).
inline int RowOf(const Position& s, uint8_t side, uint8_t point) {
  for (int r = 0; r < s.count[side]; ++r)
    if (s.row_point[side][r] == point) return r;
  return -1;
}

// After a move or removal by `player`: removals without a target are dropped,
// and the turn passes once nothing is due.
inline void Settle(Position& s, uint8_t player) {
  const uint8_t other = Opponent(player);
  if (s.removals_due != 0 && FreePiecesOf(s, other) == 0) s.removals_due = 0;
  if (s.removals_due == 0) s.to_move = other;
}

}  // namespace

Position PositionFromGame(const GameState& game) {
  Position s;
  std::memset(&s, 0, sizeof s);
  for (uint8_t q = 0; q < POINTS; ++q) {
    const uint8_t cell = game.PieceTable[BOARD.masks.x[q]][BOARD.masks.y[q]];
    if (IsPlayer(cell)) s.pieces[Side(cell)] |= PointBit(q);
  }
  for (uint8_t side = 0; side < 2; ++side) {
    const FastMapRows& map = game.FastMap[side];
    const uint8_t count = map[0][1] < MAX_PIECES ? map[0][1] : MAX_PIECES;
    s.count[side] = count;
    s.mobility[side] = map[0][3];
    for (uint8_t r = 0; r < count; ++r) {
      const uint8_t point = PointOf(map[r + 1][1] & 7, map[r + 1][2] & 7);
      s.row_point[side][r] = point;
      s.row_free[side][r] = map[r + 1][3];
    }
    s.remaining[side] = game.remaining_put_pieces[side + 1];
  }
  s.removals_due = game.removals_due;
  s.to_move = game.current_player;
  return s;
}

void PositionToGame(const Position& s, GameState& game) {
  for (uint8_t q = 0; q < POINTS; ++q) {
    uint8_t cell = EMPTY_POINT;
    if (s.pieces[0] & PointBit(q)) cell = 1;
    if (s.pieces[1] & PointBit(q)) cell = 2;
    game.PieceTable[BOARD.masks.x[q]][BOARD.masks.y[q]] = cell;
  }
  std::memset(game.FastMap, 0, sizeof game.FastMap);
  for (uint8_t side = 0; side < 2; ++side) {
    FastMapRows& map = game.FastMap[side];
    map[0][1] = s.count[side];
    map[0][3] = s.mobility[side];
    for (uint8_t r = 0; r < s.count[side]; ++r) {
      const uint8_t point = s.row_point[side][r];
      map[r + 1][1] = BOARD.masks.x[point];
      map[r + 1][2] = BOARD.masks.y[point];
      map[r + 1][3] = s.row_free[side][r];
    }
    game.remaining_put_pieces[side + 1] = s.remaining[side];
  }
  game.removals_due = s.removals_due;
  game.current_player = s.to_move;
}

uint8_t FreePiecesOf(const Position& s, uint8_t player) {
  if (!IsPlayer(player)) return 0;
  const uint32_t own = s.pieces[Side(player)];
  return Popcount(own & ~PointsInMills(own));
}

bool BlockedIn(const Position& s, uint8_t player) {
  return (LinkedPoints(s.pieces[Side(player)]) & EmptyPoints(s)) == 0;
}

bool MovesTakeEffect(const Position& s) { return s.removals_due == 0 || FreePiecesOf(s, Opponent(s.to_move)) != 0; }

uint8_t PhaseWithRemovalsDue(const Position& s, uint8_t p, uint8_t due) {
  if (!IsPlayer(p)) return 0;
  const uint8_t side = Side(p);
  const uint8_t r = s.remaining[side];
  if (r == 0) {
    if (s.count[1] < 3) return GAMEPART_PLAYER1_WON;
    if (s.count[0] < 3) return GAMEPART_PLAYER2_WON;
    if (due == 0 && s.count[side] > 3 && BlockedIn(s, p))
      return p == 1 ? GAMEPART_PLAYER2_WON : GAMEPART_PLAYER1_WON;
  }
  if (due != 0) return GAMEPART_REMOVE;
  if (r != 0) return GAMEPART_PLACE;
  return s.count[side] == 3 ? GAMEPART_FLY : GAMEPART_SLIDE;
}

int GenerateMoves(const Position& s, uint8_t player, uint8_t phase, Move (&out)[MAX_MOVES]) {
  int n = 0;
  const uint8_t side = Side(player);
  const uint32_t empty = EmptyPoints(s);
  switch (phase) {
    case GAMEPART_PLACE:
      for (uint32_t e = empty; e != 0; e &= e - 1) out[n++] = {GAMEPART_PLACE, LowestPoint(e), NO_POINT};
      break;
    case GAMEPART_SLIDE:
      for (uint8_t r = 0; r < s.count[side]; ++r) {
        const uint8_t from = s.row_point[side][r];
        for (uint8_t k = 0; k < BOARD.masks.links[from]; ++k) {
          const uint8_t to = BOARD.masks.link[from][k];
          if (empty & PointBit(to)) out[n++] = {GAMEPART_SLIDE, from, to};
        }
      }
      break;
    case GAMEPART_FLY:
      for (uint32_t own = s.pieces[side]; own != 0; own &= own - 1)
        for (uint32_t e = empty; e != 0 && n < MAX_MOVES; e &= e - 1)
          out[n++] = {GAMEPART_FLY, LowestPoint(own), LowestPoint(e)};
      break;
    case GAMEPART_REMOVE: {
      const uint8_t other = Side(Opponent(player));
      const uint32_t held = PointsInMills(s.pieces[other]);
      for (uint8_t r = 0; r < s.count[other]; ++r) {
        const uint8_t point = s.row_point[other][r];
        if (!(held & PointBit(point))) out[n++] = {GAMEPART_REMOVE, point, NO_POINT};
      }
      break;
    }
    default: break;
  }
  return n;
}

void MakeMove(Position& s, const Move& m) {
  const uint8_t p = s.to_move;
  const uint8_t side = Side(p);
  switch (m.kind) {
    case GAMEPART_PLACE: {
      // The referee refuses a tenth piece and changes nothing.
      if (s.count[side] >= MAX_PIECES) return;
      const uint8_t free = Popcount(BOARD.masks.link_mask[m.from] & EmptyPoints(s));
      const uint8_t row = s.count[side]++;
      s.row_point[side][row] = m.from;
      s.row_free[side][row] = free;
      s.mobility[side] = static_cast<uint8_t>(s.mobility[side] + free);
      s.pieces[side] |= PointBit(m.from);
      --s.remaining[side];
      s.removals_due = MillsCompletedAt(m.from, s.pieces[side]);
      break;
    }
    case GAMEPART_SLIDE:
    case GAMEPART_FLY: {
      // The arrival's free links are counted before the piece leaves.
      const int row = RowOf(s, side, m.from);
      const uint8_t free = Popcount(BOARD.masks.link_mask[m.to] & EmptyPoints(s));
      if (row >= 0) {
        s.mobility[side] = static_cast<uint8_t>(s.mobility[side] - s.row_free[side][row] + free);
        s.row_point[side][row] = m.to;
        s.row_free[side][row] = free;
      }
      s.pieces[side] = (s.pieces[side] & ~PointBit(m.from)) | PointBit(m.to);
      s.removals_due = MillsCompletedAt(m.to, s.pieces[side]);
      break;
    }
    case GAMEPART_REMOVE: {
      // The last row takes the removed piece's place.
      const uint8_t other = Side(Opponent(p));
      const int row = RowOf(s, other, m.from);
      if (row >= 0) {
        const uint8_t last = static_cast<uint8_t>(s.count[other] - 1);
        s.mobility[other] = static_cast<uint8_t>(s.mobility[other] - s.row_free[other][row]);
        s.row_point[other][row] = s.row_point[other][last];
        s.row_free[other][row] = s.row_free[other][last];
        s.row_point[other][last] = 0;
        s.row_free[other][last] = 0;
        s.count[other] = last;
      }
      s.pieces[other] &= ~PointBit(m.from);
      --s.removals_due;
      break;
    }
    default: return;
  }
  Settle(s, p);
}

uint8_t LoserOf(const Position& s) {
  if (s.mobility[0] == 0 || s.count[0] <= 2) return 1;
  if (s.mobility[1] == 0 || s.count[1] <= 2) return 2;
  return 0;
}

// Over the player's pieces that stand in a complete mill, the slides to an
// empty linked point that would complete a mill there without the piece.
uint8_t MillRuns(const Position& s, uint8_t player) {
  const uint32_t own = s.pieces[Side(player)];
  const uint32_t empty = EmptyPoints(s);
  uint8_t runs = 0;
  for (uint32_t held = PointsInMills(own); held != 0; held &= held - 1) {
    const uint8_t here = LowestPoint(held);
    for (uint32_t to = BOARD.masks.link_mask[here] & empty; to != 0; to &= to - 1) {
      const uint32_t pair = BOARD.masks.slide_partners[here][LowestPoint(to)];
      if ((own & pair) == pair) ++runs;
    }
  }
  return runs;
}

int32_t GradePosition(const Position& s, uint8_t player) {
  const uint8_t o = Opponent(player);
  const uint8_t loser = LoserOf(s);
  int32_t decision = 0;
  if (loser == player) decision = -400;
  else if (loser == o) decision = 400;
  // A decided position keeps counting its own pieces as an undecided one does:
  // the decision term dominates either way, and among decided positions the
  // one with more material left is still the better.
  const uint8_t me = Side(player), them = Side(o);
  return decision + 15 * static_cast<int32_t>(s.count[me]) - 15 * static_cast<int32_t>(s.count[them]) +
         63 * static_cast<int32_t>(MillRuns(s, player)) - 63 * static_cast<int32_t>(MillRuns(s, o)) +
         static_cast<int32_t>(s.mobility[me] / 3u) - static_cast<int32_t>(s.mobility[them] / 3u);
}

}  // namespace trivane
