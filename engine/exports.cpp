// The exported interface: thin wrappers that narrow each 32-bit argument slot
// to its low byte, refuse what would index outside a table, call the internal
// operation and widen the result.
#include "TrivaneEngine.h"

#include <cstddef>

#include "draw_rules.h"
#include "fastmap.h"
#include "geometry.h"
#include "marks.h"
#include "master.h"
#include "messages.h"
#include "movegen.h"
#include "rules.h"
#include "search.h"
#include "state.h"

using namespace trivane;

namespace {

inline uint8_t Byte(uint32_t slot) { return static_cast<uint8_t>(slot & 0xFF); }

// Coordinates the tables can be indexed with (0..7); the frame cells hold
// OFF_BOARD, so every rule refuses them on its own.
inline bool Cell(uint32_t x, uint32_t y) { return InGrid(Byte(x), Byte(y)); }

// Before the first InitEngine (or RestartGame) the loaded board has no
// off-board cells: a move or search then would put pieces on cells that are
// not points.  Those exports refuse, and say why each time they do.
bool Ready() {
  if (g_game.board_ready) return true;
  ShowEngineMessage("Call InitEngine first !", "", MB_OK_BOX);
  return false;
}

}  // namespace

extern "C" {

TRIVANE_API void TRIVANE_CALL InitEngine(void) {
  RestartGameState();
  DrawRulesNewGame();
}

TRIVANE_API void TRIVANE_CALL RestartGame(void) {
  RestartGameState();
  DrawRulesNewGame();
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_GetPlayer(void) { return GetPlayer(); }

TRIVANE_API void TRIVANE_CALL Engine_SetPlayer(uint32_t player) {
  // Only real players: any other value would index past the per-player tables.
  if (IsPlayer(Byte(player))) SetPlayer(Byte(player));
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_GetRemainingPutPlayerPieces(uint32_t player) {
  const uint8_t p = Byte(player);
  return IsPlayer(p) ? g_game.remaining_put_pieces[p] : 0;
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_GetPieceTable(uint32_t x, uint32_t y) { return PieceAt(Byte(x), Byte(y)); }

TRIVANE_API uint32_t TRIVANE_CALL Engine_SetPieceTable(uint32_t x, uint32_t y, uint32_t player) {
  if (!Cell(x, y) || !IsPlayer(Byte(player)) || !Ready()) return 0;
  const uint8_t done = PutPiece(Byte(x), Byte(y), Byte(player));
  if (done) DrawRulesNewGame();  // a board set by hand starts a history of its own
  return done;
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_PieceAllowedTable(uint32_t x, uint32_t y) {
  if (!Cell(x, y)) return 0;
  return IsEmptyPoint(Byte(x), Byte(y)) ? 1 : 0;
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_PlayerPieceExistsTable(uint32_t x, uint32_t y, uint32_t player) {
  if (!Cell(x, y) || !IsPlayer(Byte(player))) return 0;
  return HoldsPiece(Byte(x), Byte(y), Byte(player)) ? 1 : 0;
}

TRIVANE_API uint32_t TRIVANE_CALL GamePart(uint32_t player) { return DrawRulesGamePart(Byte(player)); }

TRIVANE_API uint32_t TRIVANE_CALL Engine_MakePlaceMove(uint32_t x, uint32_t y) {
  if (!Cell(x, y) || !Ready()) return 0;
  const uint8_t done = MakePlaceMove(Byte(x), Byte(y));
  if (done) DrawRulesAfterMove(DrawRulesMove::Placement, Byte(x), Byte(y));
  return done;
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_MakeSlideMove(uint32_t from_x, uint32_t from_y, uint32_t to_x,
                                                       uint32_t to_y) {
  if (!Cell(from_x, from_y) || !Cell(to_x, to_y) || !Ready()) return 0;
  const uint8_t done = MakeSlideMove(Byte(from_x), Byte(from_y), Byte(to_x), Byte(to_y));
  if (done) DrawRulesAfterMove(DrawRulesMove::Slide, Byte(to_x), Byte(to_y));
  return done;
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_RemovePlay(uint32_t x, uint32_t y) {
  if (!Cell(x, y) || !Ready()) return 0;
  const uint8_t done = RemovePiece(Byte(x), Byte(y));
  if (done) DrawRulesAfterMove(DrawRulesMove::Removal, Byte(x), Byte(y));
  return done;
}

TRIVANE_API int32_t TRIVANE_CALL Engine_Place_Mark(uint32_t x, uint32_t y, uint32_t player) {
  if (!Cell(x, y) || !IsPlayer(Byte(player))) return 0;
  if (!IsEmptyPoint(Byte(x), Byte(y))) {
    ShowEngineMessage("Not possible to place in this space", "", MB_OK_BOX);
    return 0;
  }
  return PlaceMark(Byte(x), Byte(y), Byte(player));
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_Remove_Mark(uint32_t x, uint32_t y, uint32_t player) {
  if (!Cell(x, y) || !IsPlayer(Byte(player))) return 0;
  if (!HoldsPiece(Byte(x), Byte(y), Byte(player))) {
    ShowEngineMessage("Not possible to remove in this space", "", MB_OK_BOX);
    return 0;
  }
  return RemoveMark(Byte(x), Byte(y), Byte(player));
}

TRIVANE_API uint32_t TRIVANE_CALL FastMapDEBUG(uint32_t row, uint32_t column, uint32_t player) {
  return FastMapByte(Byte(row), Byte(column), Byte(player));
}

TRIVANE_API void TRIVANE_CALL Engine_PrintNodeData(uint32_t x, uint32_t y) {
  if (!Cell(x, y)) return;
  PrintNodeData(Byte(x), Byte(y));
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_Error(void) {
  if (!g_game.engine_error) return 0;
  g_game.engine_error = 0;
  return 1;
}

TRIVANE_API int32_t TRIVANE_CALL Engine_Info_Size(void) { return EngineInfoSize(); }

TRIVANE_API int32_t TRIVANE_CALL Engine_Info(uint32_t index) { return EngineInfoChar(Byte(index)); }

// Choosing one of the specified levels leaves MASTER: the last level set wins.
TRIVANE_API void TRIVANE_CALL Engine_SetDifficulty(uint32_t level) {
  SetDifficulty(Byte(level));
  MasterConfig().on = false;
}

TRIVANE_API void TRIVANE_CALL AI_Play(uint8_t* from_x, uint8_t* from_y, uint8_t* to_x, uint8_t* to_y) {
  if (!from_x || !from_y || !to_x || !to_y || !Ready()) return;
  if (MasterConfig().on) MasterComputerMove(*from_x, *from_y, *to_x, *to_y);
  else ComputerMove(*from_x, *from_y, *to_x, *to_y);
}

TRIVANE_API void TRIVANE_CALL AI_PlayOLD(uint8_t* from_x, uint8_t* from_y, uint8_t* to_x, uint8_t* to_y) {
  if (!from_x || !from_y || !to_x || !to_y || !Ready()) return;
  GreedyMove(*from_x, *from_y, *to_x, *to_y);
}

TRIVANE_API void TRIVANE_CALL NodeTree(void) {
  if (Ready()) DumpNodeTree();
}

TRIVANE_API void TRIVANE_CALL Engine_SetDrawRules(uint32_t repetitions, uint32_t quiet_moves) {
  SetDrawRules(Byte(repetitions), Byte(quiet_moves));
}

TRIVANE_API uint32_t TRIVANE_CALL Engine_GetDrawReason(void) { return DrawReason(); }

TRIVANE_API void TRIVANE_CALL Engine_SetMasterLevel(uint32_t move_time_ms) {
  MasterConfig().on = move_time_ms != 0;
  if (move_time_ms != 0) MasterConfig().move_time_ms = move_time_ms;
}

TRIVANE_API void TRIVANE_CALL Engine_SetMasterVariety(uint32_t on, uint32_t seed) {
  MasterConfig().variety = on != 0;
  if (seed != 0) SetMasterSeed(seed);
}

TRIVANE_API void TRIVANE_CALL Engine_SetMessageHandler(TrivaneMessageHandler handler) { SetMessageHandler(handler); }

TRIVANE_API uint32_t TRIVANE_CALL Engine_LegalMoves(uint8_t* moves, uint32_t capacity) {
  if (!g_game.board_ready || g_game.draw_agreed) return 0;
  const Position s = PositionFromGame(g_game);
  Move list[MAX_MOVES];
  const int n = GenerateMoves(s, s.to_move, PositionPhase(s), list);
  for (int k = 0; moves != nullptr && k < n && static_cast<uint32_t>(k) < capacity; ++k) {
    uint8_t* out = moves + 4 * static_cast<ptrdiff_t>(k);
    out[0] = BOARD.masks.x[list[k].from];
    out[1] = BOARD.masks.y[list[k].from];
    out[2] = list[k].to == NO_POINT ? 0 : BOARD.masks.x[list[k].to];
    out[3] = list[k].to == NO_POINT ? 0 : BOARD.masks.y[list[k].to];
  }
  return static_cast<uint32_t>(n);
}

}  // extern "C"
