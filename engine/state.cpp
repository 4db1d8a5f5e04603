#include "state.h"

#include <cstring>

#include "geometry.h"

namespace trivane {

GameState g_game;

namespace {

constexpr char ENGINE_INFO[] = "IRVA AI Project #1 v.1049";

}  // namespace

void SaveTurnState() {
  g_game.turn_backup.current_player = g_game.current_player;
  g_game.turn_backup.remaining_put_pieces[1] = g_game.remaining_put_pieces[1];
  g_game.turn_backup.remaining_put_pieces[2] = g_game.remaining_put_pieces[2];
  g_game.turn_backup.removals_due = g_game.removals_due;
}

void RestoreTurnState() {
  g_game.current_player = g_game.turn_backup.current_player;
  g_game.remaining_put_pieces[1] = g_game.turn_backup.remaining_put_pieces[1];
  g_game.remaining_put_pieces[2] = g_game.turn_backup.remaining_put_pieces[2];
  g_game.removals_due = g_game.turn_backup.removals_due;
}

void SaveBoardState() {
  std::memcpy(g_game.board_backup.PieceTable, g_game.PieceTable, sizeof g_game.PieceTable);
  std::memcpy(g_game.board_backup.FastMap, g_game.FastMap, sizeof g_game.FastMap);
}

void RestoreBoardState() {
  std::memcpy(g_game.PieceTable, g_game.board_backup.PieceTable, sizeof g_game.PieceTable);
  std::memcpy(g_game.FastMap, g_game.board_backup.FastMap, sizeof g_game.FastMap);
}

uint8_t GetPlayer() { return g_game.current_player; }
void SetPlayer(uint8_t player) { g_game.current_player = player; }

void RestartGameState() {
  ResetGameTables();
  g_game.current_player = 1;
  g_game.remaining_put_pieces[1] = 9;
  g_game.remaining_put_pieces[2] = 9;
  // A removal still due from an interrupted game would refuse every move of
  // the new one until somebody happened to ask GamePart first.
  g_game.removals_due = 0;
  g_game.draw_offered = 0;
  g_game.draw_agreed = 0;
  g_game.engine_error = 0;
  g_game.board_ready = 1;
}

int EngineInfoSize() { return static_cast<int>(sizeof ENGINE_INFO - 1); }

int8_t EngineInfoChar(int index) {
  if (index < 0 || index >= EngineInfoSize()) return 0;
  return static_cast<int8_t>(ENGINE_INFO[index]);
}

}  // namespace trivane
