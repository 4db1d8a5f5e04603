// The engine's one move generator and the compact position the search plays
// on.  Private to the engine target (tests and benchmarks link the static copy).
//
// A Position is the part of the game a search needs, in 52 bytes: one bit mask
// per player over the 24 points, the piece-map rows in the referee's order with
// the free-link count each piece had when it arrived (the rules never refresh
// it), the pieces still to place, the removals due and the player to move.
// MakeMove changes it exactly as the referee's turn operations change the game
// (rows, their order and every cached count included), without checking the
// legality of a move the generator produced.  Copy a Position to take a move back.
//
// Usage:
//   Position s = PositionFromGame(g_game);
//   const uint8_t phase = PositionPhase(s);              // 1..6, as GamePart
//   Move moves[MAX_MOVES];
//   const int n = GenerateMoves(s, s.to_move, phase, moves);
//   for (int k = 0; k < n; ++k) {
//     Position child = s;
//     if (MovesTakeEffect(s)) MakeMove(child, moves[k]);
//     ...
//   }
#pragma once

#include <cstdint>

#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "state.h"

namespace trivane {

struct Position {
  uint32_t pieces[2];                // player 1, player 2: bit q for point q
  uint8_t row_point[2][MAX_PIECES];  // piece-map rows 1..count as points
  uint8_t row_free[2][MAX_PIECES];   // free links cached on arrival
  uint8_t count[2];                  // pieces on the board
  uint8_t mobility[2];               // sum of the cached free links
  uint8_t remaining[2];              // pieces still to place
  uint8_t removals_due;
  uint8_t to_move;  // 1 or 2
};

// kind is the phase the move was generated in (GAMEPART_PLACE .. GAMEPART_REMOVE).
// Placements and removals name their point in from and leave to at NO_POINT.
struct Move {
  uint8_t kind;
  uint8_t from;
  uint8_t to;
};

// Three flying pieces, each to one of at most 21 empty points.
constexpr int MAX_MOVES = TRIVANE_MAX_MOVES;

inline uint8_t Side(uint8_t player) { return player == 2 ? 1 : 0; }
inline uint32_t Occupied(const Position& s) { return s.pieces[0] | s.pieces[1]; }
inline uint32_t EmptyPoints(const Position& s) { return ALL_POINTS & ~Occupied(s); }

// The game's board, piece maps and turn as a Position, and the way back.
Position PositionFromGame(const GameState& game);
void PositionToGame(const Position& s, GameState& game);

// Pieces of the player that stand in no complete mill (the removable ones).
uint8_t FreePiecesOf(const Position& s, uint8_t player);

// No piece of the player has an empty linked point.
bool BlockedIn(const Position& s, uint8_t player);

// What `player` has to do (1..6) with `due` removals due: GamePart's answer
// once its own effects are done.  0 for a player other than 1 and 2.
uint8_t PhaseWithRemovalsDue(const Position& s, uint8_t player, uint8_t due);

// What `player` has to do, as GamePart answers it, but pure: no draw question,
// no agreed draw, nothing written.  For the player to move, removals that no
// longer have a target count as none, as GamePart cancels them.
inline uint8_t PositionPhase(const Position& s, uint8_t player) {
  const bool cancelled = player == s.to_move && FreePiecesOf(s, Opponent(player)) == 0;
  return PhaseWithRemovalsDue(s, player, cancelled ? 0 : s.removals_due);
}
inline uint8_t PositionPhase(const Position& s) { return PositionPhase(s, s.to_move); }

// False when removals are due that have no target: GamePart then answers for
// the turn without them, but the referee refuses every move until they are
// cancelled, so the children of such a position are the position itself.  A
// position reached by the referee's own moves never is in this state.
bool MovesTakeEffect(const Position& s);

// The legal moves of `player` in `phase`, in the order the search appends
// them: placements in point order; slides piece-map row by row, each piece's
// links in link order; flights piece by piece in point order, each to every
// empty point in point order; removals of the opponent's pieces outside mills
// in the opponent's piece-map order.  Returns the count (0 for phases 5..7).
int GenerateMoves(const Position& s, uint8_t player, uint8_t phase, Move (&out)[MAX_MOVES]);

// Plays a move of the player to move as the referee's turn operation does
// (piece maps, cached counts, pieces to place, removals due, turn passing).
void MakeMove(Position& s, const Move& m);

// CheckGameOver: 1 or 2 for the player who has lost (no cached mobility or
// fewer than three pieces), 0 while the game goes on.
uint8_t LoserOf(const Position& s);

// The search's grade of the position for `player`, and its mill-run count.
int32_t GradePosition(const Position& s, uint8_t player);
uint8_t MillRuns(const Position& s, uint8_t player);

}  // namespace trivane
