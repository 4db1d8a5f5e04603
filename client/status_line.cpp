// The status line beside the turn line: on its left the action due, on its
// right the pieces of both sides and the level; at the end of a game the
// reason it ended, in place of the turn line, left on the screen with the
// final board before "Play Again ?" is asked.
#include <cstdint>
#include <string>

#include "client/client.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"

namespace client {

namespace {

namespace vu = veltounit;

// The row of the turn line: its top, and the height the status clears.
int32_t RowTop() { return vu::WindowHeight() - 40; }
constexpr int32_t kRowHeight = 19;
// Inside the grey frame of the game window.
constexpr int32_t kRowLeft = 16;
constexpr int32_t kRowRight = 491;

int OnBoard(uint32_t player) {
  int n = 0;
  for (uint32_t x = 1; x <= 7; ++x)
    for (uint32_t y = 1; y <= 7; ++y) n += Engine_GetPieceTable(x, y) == player ? 1 : 0;
  return n;
}

std::string ActionText(uint32_t part) {
  switch (part) {
    case 1: return "place a piece";
    case 2: return "move a piece";
    case 3: return "fly a piece";
    case 4: return "take a piece";
    default: return "";
  }
}

// "P1 7+2" : player 1 has 7 pieces on the board and 2 in hand.
std::string PiecesText() {
  std::string s;
  for (uint32_t p = 1; p <= 2; ++p) {
    if (p == 2) s += "  ";
    s += "P" + std::to_string(p) + " " + std::to_string(OnBoard(p)) + "+" +
         std::to_string(Engine_GetRemainingPutPlayerPieces(p));
  }
  return s;
}

}  // namespace

std::string EndReasonText(uint32_t part) {
  if (part == TRIVANE_PHASE_PLAYER1_WON || part == TRIVANE_PHASE_PLAYER2_WON) {
    const uint32_t winner = part == TRIVANE_PHASE_PLAYER1_WON ? 1 : 2;
    const uint32_t loser = 3 - winner;
    if (OnBoard(loser) < 3) {
      return "Player " + std::to_string(winner) + " won: player " + std::to_string(loser) + " has " +
             std::to_string(OnBoard(loser)) + " pieces";
    }
    return "Player " + std::to_string(winner) + " won: player " + std::to_string(loser) + " cannot move";
  }
  if (part == TRIVANE_PHASE_DRAW) {
    switch (Engine_GetDrawReason()) {
      case 1: return "Draw: the same position three times";
      case 2: return "Draw: " + std::to_string(game_record::kDrawQuietMoves) + " moves without a mill";
      default: return "Draw agreed";
    }
  }
  return "";
}

std::string StatusText(uint32_t part) {
  if (part >= 5 && part <= 7) return EndReasonText(part);
  return ActionText(part) + " | " + PiecesText() + " | " + level_name;
}

void DrawStatusLine(uint32_t part) {
  RestoreBackground(kRowLeft - 2, RowTop(), kRowRight - kRowLeft + 4, kRowHeight);
  vu::SetTextMode("OPAQUE");
  if (part >= 5 && part <= 7) {
    vu::SetTextCursor(0, RowTop());
    vu::WriteCentred(EndReasonText(part));
  } else {
    WriteTurnLine();
    vu::SetTextMode("OPAQUE");
    vu::OutTextXY(kRowLeft, RowTop(), ActionText(part));
    const std::string right = PiecesText() + "  " + level_name;
    vu::OutTextXY(kRowRight - vu::TextWidth(right), RowTop(), right);
  }
  vu::SetTextMode("TRANSPARENT");
}

}  // namespace client
