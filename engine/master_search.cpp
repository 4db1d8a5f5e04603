// The MASTER search.  Iterative deepening of a principal-variation alpha-beta
// search in negamax form over the move generator's compact positions.  A
// move here is a whole turn: the placement, slide or flight and the removals
// the mill it closes earns, so the side to move alternates at every ply and a
// mill is never cut off from its removal by the horizon.
//
// Decisions of this level (its own, beside the specified levels):
// - Outcome by the rules the referee applies (PositionPhase): a side below
//   three pieces once it has placed everything, or a sliding side with no
//   move, has lost.  A won game scores MASTER_WIN less the plies to reach it,
//   so the quicker win and the slower loss are preferred.
// - Draws: a position that occurred before on the search path is a draw
//   (going round in circles gains nothing); with the game's repetition rule
//   on, so is one that occurred in the game since its last irreversible
//   move (one more visit may be the draw).  With the quiet-moves rule on, a
//   position that reaches its count is a draw too.  A draw costs the player
//   who searches the settings' contempt, whatever the position: MASTER
//   plays on from level and worse positions, a piece down included,
//   instead of repeating, and takes a draw only where every other line
//   grades worse still.
// - Variety: at the root, the moves whose exact value is within
//   variety_margin of the best (opening_margin in a side's first two
//   placements) share the choice, made by a seeded random number; never
//   when the game is decided either way, and never a move back to a
//   position of the game unless it is the best (a repetition that scores
//   near the best is still a step towards a draw).
// - Late quiet moves (not the table's move, no mill, no block) are first
//   searched one or two plies shallower; a move that then looks better than
//   the best so far is searched again in full.
// - At the horizon, the mills the side to move can close at once, and the
//   answers that close one back, are searched before the grade counts.
// - Time: no new iteration starts after half the budget, and a forced move
//   is answered after the first; a running iteration stops at the budget and
//   its result is used only where it already found a better move than the
//   previous iteration's.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <random>
#include <string>

#include "draw_rules.h"
#include "master.h"
#include "rules.h"
#include "state.h"
#include "zobrist.h"

namespace trivane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTurnCapacity = 512;  // turns of one position (63 flights and their removals fit)
constexpr int kGameHistory = 256;   // as many as the draw rules keep
constexpr int32_t kInfinity = 32000;
constexpr int kHistorySlots = POINTS + 1;  // points, and one for "none"

struct PendingRemoval {
  bool set = false;
  uint64_t hash = 0;  // the position where the removal is due
  uint8_t point = NO_POINT;
};

// The one state record of the search, filled once; nothing is allocated
// while searching.
struct MasterState {
  MasterSettings settings;
  std::mt19937_64 rng;

  // One search.
  Clock::time_point start;
  Clock::time_point deadline;
  uint64_t nodes = 0;
  bool stop = false;

  // Positions by their index in the line: the game's history first, then
  // the search path.  quiet[i]: moves since the last irreversible one.
  uint64_t hashes[kGameHistory + MASTER_MAX_PLY + 2];
  int quiet[kGameHistory + MASTER_MAX_PLY + 2];
  uint8_t quiet_moves = 0;
  uint8_t root_player = 1;
  int32_t contempt = 0;  // what a draw costs the root's player

  MasterMove turns[MASTER_MAX_PLY][kTurnCapacity];
  int32_t order[MASTER_MAX_PLY][kTurnCapacity];
  MasterMove pv[MASTER_MAX_PLY + 1][MASTER_MAX_PLY + 1];
  int pv_length[MASTER_MAX_PLY + 1];
  int32_t history[2][kHistorySlots][kHistorySlots];

  // Root moves and their values in the current iteration.
  int32_t root_score[kTurnCapacity];
  bool root_exact[kTurnCapacity];
  bool root_repeats[kTurnCapacity];  // the move brings back a position of the game

  PendingRemoval pending[2];
  uint64_t decoded[kGameHistory];

  // The earliest line index a draw scored below the current node looked
  // back to (kNoReach: none).  A result that looked back above its own node
  // holds only for the path that led there, and must not enter the table.
  int reach = 0;
};
constexpr int kNoReach = 1 << 30;
MasterState g_ms;

inline int Slot(uint8_t point) { return point == NO_POINT ? POINTS : point; }

// Where a turn's piece arrives: the point placed on, or the slide's end.
inline uint8_t Arrival(const Move& m) { return m.kind == GAMEPART_PLACE ? m.from : m.to; }

void AddRemovals(const Position& after, const Move& base, uint8_t first, MasterMove* out, int& n, int capacity);

void Push(MasterMove* out, int& n, int capacity, const MasterMove& m) {
  if (n < capacity) out[n++] = m;
}

// After `base` (and the first removal, if `first` names one) the same player
// still has removals due: one turn per choice of them.
void AddRemovals(const Position& after, const Move& base, uint8_t first, MasterMove* out, int& n, int capacity) {
  Move removals[MAX_MOVES];
  const int k = GenerateMoves(after, after.to_move, GAMEPART_REMOVE, removals);
  for (int i = 0; i < k; ++i) {
    const uint8_t r = removals[i].from;
    MasterMove m;
    m.base = base;
    if (first == NO_POINT) {
      m.removal[0] = r;
      Position next = after;
      MakeMove(next, removals[i]);
      if (next.to_move == after.to_move && next.removals_due != 0) {
        // Two mills at once: each pair of pieces once, in point order (the
        // position after both does not depend on their order).
        Move second[MAX_MOVES];
        const int k2 = GenerateMoves(next, next.to_move, GAMEPART_REMOVE, second);
        // A removal never changes which of the other pieces stand in a
        // mill, so the second choices are the first ones less r: the pair
        // with a lower second point came with that point first.
        for (int j = 0; j < k2; ++j) {
          if (second[j].from < r) continue;
          m.removal[1] = second[j].from;
          Push(out, n, capacity, m);
        }
        continue;
      }
      Push(out, n, capacity, m);
    } else {
      m.removal[0] = r;
      Push(out, n, capacity, m);
    }
  }
}

bool Decided(int32_t score) { return score > MASTER_WIN_BOUND || score < -MASTER_WIN_BOUND; }

// Table scores of decided games count from the stored position, not the root.
int32_t ToTable(int32_t score, int ply) {
  if (score > MASTER_WIN_BOUND) return score + ply;
  if (score < -MASTER_WIN_BOUND) return score - ply;
  return score;
}
int32_t FromTable(int32_t score, int ply) {
  if (score > MASTER_WIN_BOUND) return score - ply;
  if (score < -MASTER_WIN_BOUND) return score + ply;
  return score;
}

void CheckLimits() {
  if (g_ms.settings.node_limit != 0 && g_ms.nodes >= g_ms.settings.node_limit) g_ms.stop = true;
  if (g_ms.settings.node_limit == 0 && Clock::now() >= g_ms.deadline) g_ms.stop = true;
}

// True when the turn cannot be taken back: a placement, or a mill closed.
bool Irreversible(const Position& before, const MasterMove& m) {
  if (m.base.kind == GAMEPART_PLACE || m.base.kind == GAMEPART_REMOVE || m.removal[0] != NO_POINT) return true;
  const uint8_t side = Side(before.to_move);
  return MillsCompletedAt(m.base.to, before.pieces[side] & ~PointBit(m.base.from)) != 0;
}

// The index of the earlier occurrence of the position at `index` since the
// last irreversible move, or -1.
int RepeatedAt(int index) {
  const uint64_t key = g_ms.hashes[index];
  const int since = g_ms.quiet[index];
  for (int back = 2; back <= since && index - back >= 0; back += 2)
    if (g_ms.hashes[index - back] == key) return index - back;
  return -1;
}

// Ordering values: the table's move, then turns that close a mill, then those
// that block a mill the opponent could close, then by history.
void ScoreTurns(const Position& s, const MasterMove* turns, int32_t* order, int n, uint32_t table_move) {
  const uint8_t side = Side(s.to_move);
  const uint32_t mine = s.pieces[side];
  const uint32_t theirs = s.pieces[side ^ 1];
  const uint32_t empty = EmptyPoints(s);
  uint32_t threats = 0;
  for (const uint32_t mill : BOARD.masks.mill_mask)
    if (CountPoints(theirs & mill) == 2 && (mine & mill) == 0) threats |= mill & empty;
  for (int i = 0; i < n; ++i) {
    const MasterMove& m = turns[i];
    int32_t v = g_ms.history[side][Slot(m.base.from)][Slot(m.base.to)];
    if (table_move != 0 && PackMove(m) == table_move) v = 1 << 30;
    else if (m.removal[0] != NO_POINT || m.base.kind == GAMEPART_REMOVE) v += 1 << 28;
    else if (m.base.kind != GAMEPART_REMOVE && (threats & PointBit(Arrival(m.base)))) v += 1 << 27;
    order[i] = v;
  }
}

// Brings the best remaining turn to position i.
void PickNext(MasterMove* turns, int32_t* order, int i, int n) {
  int best = i;
  for (int j = i + 1; j < n; ++j)
    if (order[j] > order[best]) best = j;
  if (best != i) {
    std::swap(turns[i], turns[best]);
    std::swap(order[i], order[best]);
  }
}

void UpdatePv(int ply, const MasterMove& m) {
  g_ms.pv[ply][0] = m;
  const int rest = g_ms.pv_length[ply + 1];
  for (int k = 0; k < rest && k + 1 < MASTER_MAX_PLY; ++k) g_ms.pv[ply][k + 1] = g_ms.pv[ply + 1][k];
  g_ms.pv_length[ply] = std::min(rest + 1, MASTER_MAX_PLY);
}

// A lead that is not turned into a mill fades over the last four fifths of
// the quiet-moves count, to nothing at its end, as the rule would end the
// game: the side ahead then prefers the line that closes a mill soon to
// shuffling, and the side behind values the shuffling it can hope for.  A
// faded grade depends on the run of quiet moves that led to it, so it counts
// as reaching back to the run's start, like the count's draw.
int32_t LeafGrade(const Position& s, int index) {
  const int32_t grade = MasterGrade(s);
  const int32_t span = g_ms.quiet_moves;
  const int32_t fade_from = span / 5;
  const int32_t quiet = g_ms.quiet[index];
  if (span == 0 || quiet <= fade_from) return grade;
  g_ms.reach = std::min(g_ms.reach, index - quiet);
  return grade * (span - std::min(quiet, span)) / (span - fade_from);
}

// At the horizon, a side that can close a mill at once is graded after the
// mills it, and then its opponent, close: the grade alone counts a mill one
// turn away as a half mill, so the depth's parity would decide whose
// capture is seen.  Either side may instead make a quiet move, whose value
// the grade stands for.  Only turns that close a mill are searched, at most
// kCaptureTurns of them in a row.
constexpr int kCaptureTurns = 4;

// A won game by the rules the referee applies (PositionPhase): its score for
// the player to move, MASTER_WIN less the plies to reach it.
bool GameWon(const Position& s, int ply, int32_t& score) {
  const uint8_t phase = PositionPhase(s);
  if (phase != GAMEPART_PLAYER1_WON && phase != GAMEPART_PLAYER2_WON) return false;
  const uint8_t winner = phase == GAMEPART_PLAYER1_WON ? 1 : 2;
  score = winner == s.to_move ? MASTER_WIN - ply : -(MASTER_WIN - ply);
  return true;
}

// `s` is not won: the caller has looked.
int32_t Quiesce(const Position& s, int32_t alpha, int32_t beta, int ply, int index, int left) {
  g_ms.pv_length[ply] = 0;
  const int32_t stand = LeafGrade(s, index);
  if (left == 0 || ply >= MASTER_MAX_PLY - 1 || stand >= beta || ClosingPoints(s, s.to_move) == 0) return stand;
  if ((++g_ms.nodes & 1023u) == 0) CheckLimits();
  if (g_ms.stop) return 0;
  alpha = std::max(alpha, stand);
  int32_t best = stand;
  MasterMove* turns = g_ms.turns[ply];
  const int n = GenerateTurns(s, turns, kTurnCapacity);
  for (int i = 0; i < n; ++i) {
    if (turns[i].removal[0] == NO_POINT) continue;
    Position child = s;
    PlayMasterMove(child, turns[i]);
    g_ms.quiet[index + 1] = 0;
    int32_t v;
    if (GameWon(child, ply + 1, v)) v = -v;
    else v = -Quiesce(child, -beta, -alpha, ply + 1, index + 1, left - 1);
    if (g_ms.stop) return 0;
    if (v > best) {
      best = v;
      if (v > alpha) alpha = v;
      if (alpha >= beta) break;
    }
  }
  return best;
}

int32_t Search(const Position& s, int depth, int32_t alpha, int32_t beta, int ply, int index) {
  g_ms.pv_length[ply] = 0;
  if ((++g_ms.nodes & 1023u) == 0) CheckLimits();
  if (g_ms.stop) return 0;

  if (int32_t won = 0; GameWon(s, ply, won)) return won;
  // A draw by the rules depends on the line that led here: on the earlier
  // occurrence, or on the whole run of quiet moves.
  const int earlier = RepeatedAt(index);
  const bool quiet_draw = g_ms.quiet_moves != 0 && g_ms.quiet[index] >= g_ms.quiet_moves;
  if (earlier >= 0 || quiet_draw) {
    g_ms.reach = std::min(g_ms.reach, earlier >= 0 ? earlier : index - g_ms.quiet[index]);
    return s.to_move == g_ms.root_player ? -g_ms.contempt : g_ms.contempt;
  }
  if (ply >= MASTER_MAX_PLY - 1) return LeafGrade(s, index);
  if (depth <= 0) return Quiesce(s, alpha, beta, ply, index, kCaptureTurns);

  const uint64_t key = g_ms.hashes[index];
  const TableHit hit = ProbeTable(key);
  const bool pv_node = beta - alpha > 1;
  // Near the end of the quiet-moves count the value depends on the count,
  // which the key leaves out: no cut on a result found with a shorter run.
  const bool count_matters = g_ms.quiet_moves != 0 && g_ms.quiet[index] + depth >= g_ms.quiet_moves;
  if (hit.found && hit.depth >= depth && !pv_node && !count_matters) {
    const int32_t v = FromTable(hit.score, ply);
    if (hit.bound == BOUND_EXACT || (hit.bound == BOUND_LOWER && v >= beta) ||
        (hit.bound == BOUND_UPPER && v <= alpha))
      return v;
  }

  MasterMove* turns = g_ms.turns[ply];
  int32_t* order = g_ms.order[ply];
  const int n = GenerateTurns(s, turns, kTurnCapacity);
  if (n == 0) return -(MASTER_WIN - ply);  // no move at all: the referee would have nothing to accept
  ScoreTurns(s, turns, order, n, hit.found ? hit.move : 0);

  const int outer_reach = g_ms.reach;
  g_ms.reach = kNoReach;
  const int32_t alpha_in = alpha;
  int32_t best = -kInfinity;
  MasterMove best_move = turns[0];
  for (int i = 0; i < n; ++i) {
    PickNext(turns, order, i, n);
    const MasterMove m = turns[i];
    Position child = s;
    PlayMasterMove(child, m);
    g_ms.hashes[index + 1] = PositionHash(child);
    g_ms.quiet[index + 1] = Irreversible(s, m) ? 0 : g_ms.quiet[index] + 1;
    int32_t v;
    if (i == 0) {
      v = -Search(child, depth - 1, -beta, -alpha, ply + 1, index + 1);
    } else {
      // Late quiet moves are searched shallower first, in full only when
      // they turn out better than the best so far.
      int reduction = 0;
      if (depth >= 3 && i >= 3 && order[i] < (1 << 27)) reduction = i >= 10 && depth >= 5 ? 2 : 1;
      v = -Search(child, depth - 1 - reduction, -alpha - 1, -alpha, ply + 1, index + 1);
      if (reduction != 0 && v > alpha && !g_ms.stop)
        v = -Search(child, depth - 1, -alpha - 1, -alpha, ply + 1, index + 1);
      if (v > alpha && v < beta && !g_ms.stop) v = -Search(child, depth - 1, -beta, -alpha, ply + 1, index + 1);
    }
    if (g_ms.stop) return 0;
    if (v > best) {
      best = v;
      best_move = m;
      if (v > alpha) {
        alpha = v;
        UpdatePv(ply, m);
        if (alpha >= beta) {
          if (m.removal[0] == NO_POINT && m.base.kind != GAMEPART_REMOVE) {
            int32_t& h = g_ms.history[Side(s.to_move)][Slot(m.base.from)][Slot(m.base.to)];
            h += depth * depth;
            if (h > (1 << 26)) {
              for (auto& side : g_ms.history)
                for (auto& row : side)
                  for (int32_t& cell : row) cell /= 2;
            }
          }
          break;
        }
      }
    }
  }
  const int reach = g_ms.reach;
  g_ms.reach = std::min(outer_reach, reach);
  if (reach < index || count_matters) {
    // The value holds for this path only (a draw looked back past this
    // node): the table keeps the move for ordering, at a depth no probe uses.
    StoreTable(key, PackMove(best_move), 0, 0, BOUND_UPPER);
    return best;
  }
  const uint8_t bound = best >= beta ? BOUND_LOWER : best > alpha_in ? BOUND_EXACT : BOUND_UPPER;
  StoreTable(key, PackMove(best_move), ToTable(best, ply), depth, bound);
  return best;
}

double Seconds() { return std::chrono::duration<double>(Clock::now() - g_ms.start).count(); }

std::string PointText(uint8_t q) {
  if (q == NO_POINT) return "0,0";
  return std::to_string(BOARD.masks.x[q]) + "," + std::to_string(BOARD.masks.y[q]);
}

std::string TurnText(const MasterMove& m) {
  std::string t;
  if (m.base.kind == GAMEPART_REMOVE) t = "x" + PointText(m.base.from);
  else if (m.base.kind == GAMEPART_PLACE) t = PointText(m.base.from);
  else t = PointText(m.base.from) + "-" + PointText(m.base.to);
  for (const uint8_t r : m.removal)
    if (r != NO_POINT) t += "x" + PointText(r);
  return t;
}

}  // namespace

void PlayMasterMove(Position& s, const MasterMove& m) {
  MakeMove(s, m.base);
  for (const uint8_t r : m.removal)
    if (r != NO_POINT) MakeMove(s, Move{GAMEPART_REMOVE, r, NO_POINT});
}

int GenerateTurns(const Position& s, MasterMove* out, int capacity) {
  int n = 0;
  if (!MovesTakeEffect(s)) return 0;
  const uint8_t phase = PositionPhase(s);
  if (phase == GAMEPART_REMOVE) {
    // The host asks in the middle of a turn: the removals still due.
    Move removals[MAX_MOVES];
    const int k = GenerateMoves(s, s.to_move, GAMEPART_REMOVE, removals);
    for (int i = 0; i < k; ++i) {
      Position after = s;
      MakeMove(after, removals[i]);
      if (after.to_move == s.to_move && after.removals_due != 0) {
        AddRemovals(after, removals[i], removals[i].from, out, n, capacity);
      } else {
        MasterMove m;
        m.base = removals[i];
        Push(out, n, capacity, m);
      }
    }
    return n;
  }
  if (phase != GAMEPART_PLACE && phase != GAMEPART_SLIDE && phase != GAMEPART_FLY) return 0;
  Move moves[MAX_MOVES];
  const int k = GenerateMoves(s, s.to_move, phase, moves);
  for (int i = 0; i < k; ++i) {
    Position after = s;
    MakeMove(after, moves[i]);
    if (after.to_move == s.to_move && after.removals_due != 0) {
      AddRemovals(after, moves[i], NO_POINT, out, n, capacity);
    } else {
      MasterMove m;
      m.base = moves[i];
      Push(out, n, capacity, m);
    }
  }
  return n;
}

MasterSettings& MasterConfig() { return g_ms.settings; }

void ClearMasterMemory() {
  ClearTable();
  for (auto& side : g_ms.history)
    for (auto& row : side)
      for (int32_t& cell : row) cell = 0;
  g_ms.pending[0].set = g_ms.pending[1].set = false;
}

void SetMasterSeed(uint64_t seed) {
  g_ms.settings.seed = seed;
  g_ms.settings.seeded = true;
  g_ms.rng.seed(seed);
}

MasterResult MasterSearch(const Position& root, const MasterGameContext& game) {
  BuildZobristKeys();
  AgeTable();
  MasterSettings& cfg = g_ms.settings;
  if (!cfg.seeded) {
    SetMasterSeed(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  }
  g_ms.start = Clock::now();
  g_ms.deadline = g_ms.start + std::chrono::milliseconds(cfg.move_time_ms);
  g_ms.nodes = 0;
  g_ms.stop = false;
  g_ms.quiet_moves = game.quiet_moves;
  g_ms.root_player = root.to_move;
  g_ms.contempt = static_cast<int32_t>(cfg.contempt);
  for (auto& side : g_ms.history)
    for (auto& row : side)
      for (int32_t& cell : row) cell /= 8;

  // The game's positions, the root last.
  int length = std::min(game.history_length, kGameHistory - 1);
  const int skip = game.history_length - length;
  for (int i = 0; i < length; ++i) {
    g_ms.hashes[i] = game.history[skip + i];
    g_ms.quiet[i] = 0;  // the game's own repetitions are read through the root's count
  }
  if (length == 0 || g_ms.hashes[length - 1] != PositionHash(root)) g_ms.hashes[length++] = PositionHash(root);
  const int root_index = length - 1;
  g_ms.quiet[root_index] = game.quiet_run;
  // Earlier game positions carry the run they had, so the search's scan back
  // from any node stops at the last irreversible move.
  for (int i = root_index - 1; i >= 0; --i) g_ms.quiet[i] = std::max(0, g_ms.quiet[i + 1] - 1);

  MasterResult result;
  MasterMove* turns = g_ms.turns[0];
  int32_t* order = g_ms.order[0];
  const int n = GenerateTurns(root, turns, kTurnCapacity);
  if (n == 0) return result;
  result.found = true;
  result.move = turns[0];
  const TableHit hit = ProbeTable(g_ms.hashes[root_index]);
  ScoreTurns(root, turns, order, n, hit.found ? hit.move : 0);
  // Stable order by score, best first.
  for (int i = 0; i < n; ++i) PickNext(turns, order, i, n);

  MasterMove candidates[kTurnCapacity];
  int candidate_count = 0;
  const bool opening = root.remaining[Side(root.to_move)] >= MAX_PIECES - 1;  // its first two placements
  const int margin = static_cast<int>(opening ? std::max(cfg.variety_margin, cfg.opening_margin)
                                              : cfg.variety_margin);
  for (int depth = 1; depth <= cfg.max_depth && depth < MASTER_MAX_PLY - 2; ++depth) {
    int32_t alpha = -kInfinity;
    int32_t best = -kInfinity;
    int best_index = -1;
    for (int i = 0; i < n; ++i) {
      Position child = root;
      PlayMasterMove(child, turns[i]);
      g_ms.hashes[root_index + 1] = PositionHash(child);
      g_ms.quiet[root_index + 1] = Irreversible(root, turns[i]) ? 0 : g_ms.quiet[root_index] + 1;
      g_ms.reach = kNoReach;
      g_ms.root_repeats[i] = RepeatedAt(root_index + 1) >= 0;
      int32_t v;
      bool exact = true;
      if (i == 0) {
        v = -Search(child, depth - 1, -kInfinity, kInfinity, 1, root_index + 1);
      } else {
        // Moves within the margin of the best get an exact value: they may
        // share the choice.
        const int32_t bar = (cfg.variety && !Decided(best)) ? std::max(alpha - margin, -kInfinity + 1) : alpha;
        v = -Search(child, depth - 1, -bar - 1, -bar, 1, root_index + 1);
        if (v > bar && !g_ms.stop) v = -Search(child, depth - 1, -kInfinity, -bar, 1, root_index + 1);
        exact = v > bar;
      }
      if (g_ms.stop) break;
      g_ms.root_score[i] = v;
      g_ms.root_exact[i] = exact;
      if (v > best) {
        best = v;
        best_index = i;
        alpha = std::max(alpha, v);
        UpdatePv(0, turns[i]);
        if (g_ms.stop) break;
      }
    }
    if (g_ms.stop) {
      // A partial iteration counts only where its first move (last
      // iteration's best) was searched and another beat it.
      if (best_index > 0) {
        result.move = turns[best_index];
        result.score = best;
        candidate_count = 0;
        result.pv_length = g_ms.pv_length[0];
        std::copy(g_ms.pv[0], g_ms.pv[0] + result.pv_length, result.pv);
      }
      break;
    }
    result.depth = depth;
    result.score = best;
    result.move = turns[best_index];
    result.pv_length = g_ms.pv_length[0];
    std::copy(g_ms.pv[0], g_ms.pv[0] + result.pv_length, result.pv);
    candidate_count = 0;
    if (cfg.variety && !Decided(best))
      for (int i = 0; i < n; ++i)
        if (g_ms.root_exact[i] && g_ms.root_score[i] >= best - margin && (i == best_index || !g_ms.root_repeats[i]))
          candidates[candidate_count++] = turns[i];
    // Next iteration: the best first, then by this iteration's values.
    for (int i = 0; i < n; ++i) order[i] = i == best_index ? kInfinity : g_ms.root_score[i];
    for (int i = 0; i < n; ++i) PickNext(turns, order, i, n);
    if (Decided(best) && MASTER_WIN - std::abs(best) < depth) break;  // the quickest result is known
    // A forced move needs no deeper look.  Searching on to the end of the
    // budget instead was tried: it drew 4 of 400 games against EASY (8 of
    // 1,200 at half the budget) and 7 of 200 against HARD, and a drawn game
    // replayed from its opening at 1, 3 and 10 million nodes a move drew 0, 1
    // and 1 times in three.  The draws left do not come from too little depth.
    if (cfg.node_limit == 0 && (n == 1 || Seconds() * 2 > cfg.move_time_ms / 1000.0)) break;
  }
  result.nodes = g_ms.nodes;
  result.seconds = Seconds();
  if (candidate_count > 1) {
    const int pick = static_cast<int>(g_ms.rng() % static_cast<uint64_t>(candidate_count));
    result.move = candidates[pick];
  }
  result.candidates = candidate_count;
  return result;
}

void WriteMasterSummary(const MasterResult& r) {
  std::ofstream out("nodes.txt", std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out) return;
  out << "MASTER depth " << r.depth << " nodes " << r.nodes << " time " << std::lround(r.seconds * 1000.0)
      << " ms score " << r.score << "\n";
  out << "pv";
  for (int i = 0; i < r.pv_length; ++i) out << " " << TurnText(r.pv[i]);
  out << "\n";
  out << "choose " << (r.found ? TurnText(r.move) : std::string("none")) << " among " << std::max(r.candidates, 1)
      << "\n";
}

void MasterComputerMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y) {
  const uint8_t p = GetPlayer();
  const uint8_t g = DrawRulesGamePart(p);
  if (g == GAMEPART_PLAYER1_WON || g == GAMEPART_PLAYER2_WON) return;
  from_x = from_y = to_x = to_y = 0;
  if (g == GAMEPART_DRAW || !IsPlayer(p)) return;
  BuildZobristKeys();

  const Position root = PositionFromGame(g_game);
  const uint64_t root_hash = PositionHash(root);
  // The second half of a turn already searched: the removal it planned.
  for (PendingRemoval& pending : g_ms.pending) {
    if (pending.set && pending.hash == root_hash && g == GAMEPART_REMOVE) {
      pending.set = false;
      from_x = BOARD.masks.x[pending.point];
      from_y = BOARD.masks.y[pending.point];
      return;
    }
  }
  g_ms.pending[0].set = g_ms.pending[1].set = false;

  const DrawRulesView rules = DrawRulesSettings();
  uint64_t keys[kGameHistory];
  const int count = DrawRulesHistory(keys, kGameHistory);
  for (int i = 0; i < count; ++i) {
    Position q{};
    uint8_t to_move = 1;
    uint8_t in_hand[2] = {0, 0};
    DrawKeyContents(keys[i], q.pieces, to_move, in_hand);
    q.to_move = to_move;
    q.remaining[0] = in_hand[0];
    q.remaining[1] = in_hand[1];
    g_ms.decoded[i] = PositionHash(q);
  }
  MasterGameContext context;
  context.history = g_ms.decoded;
  // The history's newest key is the root as the rules saw it; the search adds
  // the root with its removals due.
  context.history_length = count > 0 ? count - 1 : 0;
  context.quiet_run = rules.quiet_run;
  context.quiet_moves = rules.quiet_moves;
  if (rules.repetitions == 0) context.history_length = 0;  // no rule: only the search's own path repeats

  const MasterResult result = MasterSearch(root, context);
  WriteMasterSummary(result);
  if (!result.found) return;
  const MasterMove& m = result.move;
  from_x = BOARD.masks.x[m.base.from];
  from_y = BOARD.masks.y[m.base.from];
  if (m.base.kind == GAMEPART_SLIDE || m.base.kind == GAMEPART_FLY) {
    to_x = BOARD.masks.x[m.base.to];
    to_y = BOARD.masks.y[m.base.to];
  }
  Position after = root;
  MakeMove(after, m.base);
  for (int k = 0; k < 2 && m.removal[k] != NO_POINT; ++k) {
    g_ms.pending[k] = PendingRemoval{true, PositionHash(after), m.removal[k]};
    MakeMove(after, Move{GAMEPART_REMOVE, m.removal[k], NO_POINT});
  }
}

}  // namespace trivane
