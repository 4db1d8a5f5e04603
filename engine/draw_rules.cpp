#include "draw_rules.h"

#include "TrivaneEngine.h"
#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "state.h"

namespace trivane {

namespace {

// Positions since the last irreversible move: a placement, a removal or a
// mill closed.  None of the positions before such a move can occur again, so
// only these are compared.  With the quiet-move rule on (at most 255 moves)
// the run never outgrows the ring; with it off a repetition more than
// kHistory moves apart is not seen, which no real game reaches.
constexpr int kHistory = 256;

struct DrawRules {
  uint8_t repetitions = 0;  // 0: off
  uint8_t quiet_moves = 0;  // 0: off
  uint8_t reason = DRAW_REASON_NONE;
  int quiet_run = 0;  // moves since the last irreversible move
  uint64_t history[kHistory] = {};
  int count = 0;  // keys in the ring, at most kHistory
  int next = 0;   // where the next key goes
};
DrawRules g_draw;

uint32_t InHand(uint8_t player) { return Engine_GetRemainingPutPlayerPieces(player); }

// Board (two bits per point), player to move and pieces in hand of both.  A
// removal still due is left out on purpose: the history restarts at every
// mill, so a position with a removal due is never compared with another.
uint64_t PositionKey() {
  uint64_t key = 0;
  for (uint8_t y = 1; y <= 7; ++y) {
    for (uint8_t x = 1; x <= 7; ++x) {
      const uint8_t cell = PieceAt(x, y);
      if (cell == OFF_BOARD) continue;
      key = (key << 2) | (cell & 3u);
    }
  }
  key = (key << 1) | (GetPlayer() == 2 ? 1u : 0u);
  key = (key << 4) | (InHand(1) & 15u);
  key = (key << 4) | (InHand(2) & 15u);
  return key;
}

void StartHistory() {
  g_draw.count = 0;
  g_draw.next = 0;
  g_draw.quiet_run = 0;
}

// How many times `key` occurs in the ring after adding it.
int AddPosition(uint64_t key) {
  g_draw.history[g_draw.next] = key;
  g_draw.next = (g_draw.next + 1) % kHistory;
  if (g_draw.count < kHistory) ++g_draw.count;
  int seen = 0;
  for (int i = 0; i < g_draw.count; ++i) seen += g_draw.history[i] == key ? 1 : 0;
  return seen;
}

// The move just made has already ended the game by the ordinary rules (a side
// below three pieces, or the player to move blocked): that result stands.
bool DecidedByTheRules() {
  if (InHand(1) != 0 || InHand(2) != 0) return false;
  if (PiecesOnBoard(1) < 3 || PiecesOnBoard(2) < 3) return true;
  const uint8_t p = GetPlayer();
  return IsPlayer(p) && PiecesOnBoard(p) > 3 && IsBlocked(p);
}

}  // namespace

void SetDrawRules(uint8_t repetitions, uint8_t quiet_moves) {
  g_draw.repetitions = repetitions >= 2 ? repetitions : 0;
  g_draw.quiet_moves = quiet_moves;
}

void DrawRulesNewGame() {
  g_draw.reason = DRAW_REASON_NONE;
  StartHistory();
  AddPosition(PositionKey());
}

void DrawRulesAfterMove(DrawRulesMove kind, uint8_t to_x, uint8_t to_y) {
  // A slide that ends in a mill closed it: the moved piece stands in a
  // complete mill only if the move completed one, since its source is empty.
  const bool irreversible = kind != DrawRulesMove::Slide || MillsHeld(to_x, to_y, PieceAt(to_x, to_y)) != 0;
  if (irreversible) {
    StartHistory();
  } else {
    ++g_draw.quiet_run;
  }
  const int seen = AddPosition(PositionKey());
  if (g_draw.reason != DRAW_REASON_NONE || DecidedByTheRules()) return;
  if (g_draw.repetitions != 0 && seen >= g_draw.repetitions) {
    g_draw.reason = DRAW_REASON_REPETITION;
  } else if (g_draw.quiet_moves != 0 && g_draw.quiet_run >= g_draw.quiet_moves) {
    g_draw.reason = DRAW_REASON_QUIET_MOVES;
  }
}

uint8_t DrawRulesGamePart(uint8_t player) {
  if (g_draw.reason != DRAW_REASON_NONE && IsPlayer(player)) return GAMEPART_DRAW;
  return GamePart(player);
}

uint8_t DrawReason() { return g_draw.reason; }

DrawRulesView DrawRulesSettings() {
  DrawRulesView view;
  view.repetitions = g_draw.repetitions;
  view.quiet_moves = g_draw.quiet_moves;
  view.quiet_run = g_draw.quiet_run;
  return view;
}

int DrawRulesHistory(uint64_t* keys, int capacity) {
  const int n = g_draw.count < capacity ? g_draw.count : capacity;
  // The newest n keys of the ring, oldest first.
  for (int i = 0; i < n; ++i) keys[i] = g_draw.history[(g_draw.next - n + i + kHistory) % kHistory];
  return n;
}

void DrawKeyContents(uint64_t key, uint32_t (&pieces)[2], uint8_t& to_move, uint8_t (&in_hand)[2]) {
  in_hand[1] = static_cast<uint8_t>(key & 15u);
  in_hand[0] = static_cast<uint8_t>(key >> 4 & 15u);
  to_move = (key >> 8 & 1u) ? 2 : 1;
  uint64_t cells = key >> 9;
  pieces[0] = pieces[1] = 0;
  // PositionKey's walk backwards: the last point it wrote is in the low bits.
  for (int y = 7; y >= 1; --y) {
    for (int x = 7; x >= 1; --x) {
      const uint8_t point = BOARD.masks.point_of_cell[x][y];
      if (point == NO_POINT) continue;
      const uint8_t cell = static_cast<uint8_t>(cells & 3u);
      cells >>= 2;
      if (cell == 1 || cell == 2) pieces[cell - 1] |= PointBit(point);
    }
  }
}

}  // namespace trivane
