// The one game of the process, in one record: whose turn it is, pieces still to
// place, removals due, the board, the two piece maps, and the one-slot backups
// the search uses to try moves and take them back.
#pragma once

#include <cstdint>

namespace trivane {

constexpr uint8_t EMPTY_POINT = 0;
constexpr uint8_t OFF_BOARD = 255;
constexpr int BOARD_CELLS = 8;  // 8 x 8, row and column 0 are a frame of OFF_BOARD
constexpr int MAP_ROWS = 10;    // header row + up to nine pieces
constexpr int MAP_BYTES = 4;

using FastMapRows = uint8_t[MAP_ROWS][MAP_BYTES];

// The one-slot copies a search takes of the game before it plays moves on it,
// and puts back when it is done.
struct TurnBackup {
  uint8_t current_player = 1;
  uint8_t remaining_put_pieces[3] = {0, 9, 9};
  uint8_t removals_due = 0;
};

struct BoardBackup {
  uint8_t PieceTable[BOARD_CELLS][BOARD_CELLS] = {};
  FastMapRows FastMap[2] = {};
};

struct GameState {
  uint8_t current_player = 1;
  uint8_t remaining_put_pieces[3] = {0, 9, 9};  // indexed by player 1 and 2
  uint8_t removals_due = 0;
  uint8_t draw_offered = 0;
  // Set when the players accept the draw; until the next game every GamePart
  // answers 7, so a later query (the computer's own) cannot swallow the draw.
  uint8_t draw_agreed = 0;
  uint8_t engine_error = 0;
  // Set by the first InitEngine or RestartGame.  Until then the board is all
  // zeros, its non-points included, and the exports that move or search refuse.
  uint8_t board_ready = 0;
  uint8_t PieceTable[BOARD_CELLS][BOARD_CELLS] = {};  // [x][y]
  FastMapRows FastMap[2] = {};                        // player 1, player 2
  TurnBackup turn_backup;
  BoardBackup board_backup;
};

extern GameState g_game;

inline bool IsPlayer(uint8_t p) { return p == 1 || p == 2; }

// Both maps are indexed by player number; callers check IsPlayer first.
inline FastMapRows& FastMapOf(uint8_t p) { return g_game.FastMap[p - 1]; }

void SaveTurnState();
void RestoreTurnState();
void SaveBoardState();
void RestoreBoardState();

uint8_t GetPlayer();
void SetPlayer(uint8_t player);

// The body of RestartGame: tables reset, player 1 to move, nine pieces each.
void RestartGameState();

// Identification text, handed out one character at a time.
int EngineInfoSize();
int8_t EngineInfoChar(int index);

}  // namespace trivane
