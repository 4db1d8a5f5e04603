// Draw rules of the host's choosing: a position repeated a given number of
// times, or a run of moves without a mill, ends the game as a draw.  They are
// off until a host turns them on, so a host that knows only the original
// interface sees the game it always saw.  The state lives in draw_rules.cpp
// and is touched only from the exported interface: the search plays its
// moves through the internal operations and never sees a repetition.
#pragma once

#include <cstdint>

namespace trivane {

// Why the game was drawn by a rule (Engine_GetDrawReason).
constexpr uint8_t DRAW_REASON_NONE = 0;
constexpr uint8_t DRAW_REASON_REPETITION = 1;
constexpr uint8_t DRAW_REASON_QUIET_MOVES = 2;

enum class DrawRulesMove : uint8_t { Placement, Slide, Removal };

// repetitions: how often a position must occur (2 or more; less turns the rule
// off).  quiet_moves: moves of both sides counted together without a mill
// (0 turns the rule off).  Kept across games.
void SetDrawRules(uint8_t repetitions, uint8_t quiet_moves);
// A new game or a board set by hand: the history starts again from here.
void DrawRulesNewGame();
// After an export's move succeeded; (to_x, to_y) is where a slide ended.
void DrawRulesAfterMove(DrawRulesMove kind, uint8_t to_x, uint8_t to_y);
// GamePart as the host sees it: 7 for both players once a rule has drawn the game.
uint8_t DrawRulesGamePart(uint8_t player);
uint8_t DrawReason();

// For a search that must see the draws ahead (the MASTER level): the rules in
// force, the moves since the last irreversible one, and the positions since
// then, oldest first (the current one last).  Returns the number of keys
// copied, at most `capacity`.
struct DrawRulesView {
  uint8_t repetitions = 0;
  uint8_t quiet_moves = 0;
  int quiet_run = 0;
};
DrawRulesView DrawRulesSettings();
int DrawRulesHistory(uint64_t* keys, int capacity);
// A history key read back: each side's points as a mask over the 24 points
// (bit q for point q, as the move generator numbers them), the player to move
// and the pieces in hand.
void DrawKeyContents(uint64_t key, uint32_t (&pieces)[2], uint8_t& to_move, uint8_t (&in_hand)[2]);

}  // namespace trivane
