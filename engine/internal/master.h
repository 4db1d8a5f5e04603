// The MASTER level: an iterative-deepening alpha-beta search (principal
// variation search) over the engine's own compact positions and move
// generator, with a transposition table, move ordering, the draw rules of the
// game along the game and the search path, a time budget per move and a
// seeded choice among root moves of nearly equal value.  Private to the engine
// target; the host reaches it through Engine_SetMasterLevel,
// Engine_SetMasterVariety and AI_Play.
#pragma once

#include <cstddef>
#include <cstdint>

#include "movegen.h"

namespace trivane {

// One turn of a player: a placement, slide or flight, and the removals the
// mill it closes earns (NO_POINT where none), searched as one move.  A turn
// that starts with a removal due (the host asks in the middle of a turn) has
// base.kind GAMEPART_REMOVE and base.from the first piece taken.
struct MasterMove {
  Move base{0, NO_POINT, NO_POINT};
  uint8_t removal[2] = {NO_POINT, NO_POINT};
};

inline bool SameMove(const MasterMove& a, const MasterMove& b) {
  return a.base.kind == b.base.kind && a.base.from == b.base.from && a.base.to == b.base.to &&
         a.removal[0] == b.removal[0] && a.removal[1] == b.removal[1];
}

// Five bits per point (31 for none), three for the kind: 23 bits.
inline uint32_t PackMove(const MasterMove& m) {
  auto p = [](uint8_t q) { return static_cast<uint32_t>(q == NO_POINT ? 31 : q); };
  return (m.base.kind & 7u) | p(m.base.from) << 3 | p(m.base.to) << 8 | p(m.removal[0]) << 13 |
         p(m.removal[1]) << 18;
}
inline MasterMove UnpackMove(uint32_t v) {
  auto q = [](uint32_t b) { return static_cast<uint8_t>(b == 31 ? NO_POINT : b); };
  MasterMove m;
  m.base.kind = static_cast<uint8_t>(v & 7u);
  m.base.from = q(v >> 3 & 31u);
  m.base.to = q(v >> 8 & 31u);
  m.removal[0] = q(v >> 13 & 31u);
  m.removal[1] = q(v >> 18 & 31u);
  return m;
}

// Plays the whole turn on the position.
void PlayMasterMove(Position& s, const MasterMove& m);

// Every turn of the player to move, each once (base moves in generator order,
// each followed by every choice of removals).  At most `capacity` are written;
// returns the count written.
int GenerateTurns(const Position& s, MasterMove* out, int capacity);

// ---- Transposition table (master_table.cpp) ----
enum : uint8_t { BOUND_NONE = 0, BOUND_UPPER = 1, BOUND_LOWER = 2, BOUND_EXACT = 3 };

struct TableHit {
  bool found = false;
  uint32_t move = 0;  // packed; 0 when none
  int32_t score = 0;
  int8_t depth = -1;
  uint8_t bound = BOUND_NONE;
};

// 2^20 buckets of two 12-byte entries (24 MB), allocated on the first call and never
// again; later calls only clear it.
void ClearTable();
// A new search: entries of earlier searches become first to be replaced.
void AgeTable();
TableHit ProbeTable(uint64_t key);
void StoreTable(uint64_t key, uint32_t move, int32_t score, int depth, uint8_t bound);
size_t TableEntries();

// ---- Grade (master_grade.cpp) ----
// Static value for the player to move, in hundredths of a piece.
int32_t MasterGrade(const Position& s);
// The empty points where `player` closes a mill with its next turn.
uint32_t ClosingPoints(const Position& s, uint8_t player);

// ---- Search (master_search.cpp) ----
constexpr int32_t MASTER_WIN = 30000;        // a won game, less one per ply to reach it
constexpr int32_t MASTER_WIN_BOUND = 29000;  // scores beyond this are decided games
constexpr int MASTER_MAX_PLY = 64;

struct MasterSettings {
  bool on = false;
  uint32_t move_time_ms = 1000;
  uint64_t node_limit = 0;  // 0: none (tests set one, with the time out of the way)
  int max_depth = MASTER_MAX_PLY - 4;
  bool variety = true;
  // Root moves this close to the best (hundredths of a piece) share the
  // choice.  Replayed from the openings of games drawn against EASY, MASTER
  // drew 24 of 157 games with 8 and 9 of 157 with 2; with the contempt
  // below, 10 of 336 with 2 and 3 of 336 with 1.  Since the search looks at
  // the mills closed at its horizon, its values are less often level: twenty
  // games from the empty board against EASY (1,000,000 nodes a move, seeds
  // 1 to 10 on either side) took 2 different placings with 1, 9 with 3 and
  // 11 with 6 (7 with 1 before).  0 (ties only) plays the same game whatever
  // the seed.
  uint32_t variety_margin = 3;
  // The margin in the first two placements of the side to move.  Since
  // mobility weighs more in the grade, the empty board's placings no longer
  // come out within 3 of each other: in games between two MASTERs (1,000,000
  // nodes a move) twelve seeds all played the same first four turns; with 10
  // in those turns they played 4 different ones (with 20, 3).  Placings this
  // early decide least, and the whole placing phase is still searched after
  // them.
  uint32_t opening_margin = 10;
  // What a draw costs the player who searches, in hundredths of a piece, in
  // every position.  With 80, MASTER a piece down after placing, in a
  // locked position, took the repetition: from the openings of four games
  // against EASY drawn that way (1,500,000 nodes a move, 25 seeds each) it
  // drew 21 of 67 games with 80 and none of 100 with 250.  From the
  // openings of five games drawn against HARD (10 seeds each), 250 lost
  // none.  Against MASTER with 80 (500,000 nodes a move, 40 seeded openings
  // played twice), 250 won 37, lost 41 and drew 2.
  uint32_t contempt = 250;
  uint64_t seed = 0;
  bool seeded = false;  // false: the first search seeds from the clock
};

struct MasterResult {
  bool found = false;
  MasterMove move;
  int32_t score = 0;
  int depth = 0;  // deepest iteration completed
  uint64_t nodes = 0;
  double seconds = 0;
  MasterMove pv[MASTER_MAX_PLY];
  int pv_length = 0;
  int candidates = 0;  // root moves the seeded choice was made among
};

MasterSettings& MasterConfig();
void SetMasterSeed(uint64_t seed);
// Forgets what earlier searches learnt (table, history, planned removals):
// the next search then depends on its position and settings alone.
void ClearMasterMemory();

// The search from `root`.  `history` holds the hashes of the game's positions
// since its last irreversible move, oldest first, the root's own last;
// `quiet_run` the moves made since then; repetitions and quiet_moves are the
// game's draw rules (0: off).
struct MasterGameContext {
  const uint64_t* history = nullptr;
  int history_length = 0;
  int quiet_run = 0;
  uint8_t quiet_moves = 0;
};
MasterResult MasterSearch(const Position& root, const MasterGameContext& game);

// AI_Play at the MASTER level: the current game's move, with the draw rules'
// history, as AI_Play writes it; "nodes.txt" gets the search's summary.
void MasterComputerMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y);

// "nodes.txt" for a MASTER search.
void WriteMasterSummary(const MasterResult& result);

}  // namespace trivane
