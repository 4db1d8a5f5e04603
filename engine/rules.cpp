#include "rules.h"

#include "fastmap.h"
#include "geometry.h"
#include "messages.h"
#include "movegen.h"
#include "state.h"

namespace trivane {

namespace {

void PassTurn() { g_game.current_player = g_game.current_player == 1 ? 2 : 1; }

bool SamePoint(const uint8_t* point, uint8_t x, uint8_t y) { return point[0] == x && point[1] == y; }

// After a move or removal: removals that can no longer be made (every opposing
// piece stands in a complete mill) are dropped, and the turn passes once
// nothing is due.  Leaving them due would keep the mover asked for a removal
// that no click can satisfy.
void SettleTurn(uint8_t p) {
  if (g_game.removals_due != 0 && FreePieces(Opponent(p)) == 0) g_game.removals_due = 0;
  if (g_game.removals_due == 0) PassTurn();
}

}  // namespace

uint8_t Opponent(uint8_t player) { return player == 1 ? 2 : 1; }

// Mills through the point whose other two points hold the player's pieces.
uint8_t MillsCompletedAround(uint8_t x, uint8_t y, uint8_t p) {
  const uint8_t q = PointOf(x, y);
  if (q == NO_POINT) return 0;
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t complete = 0;
  for (uint8_t i = 0; i < BOARD.masks.mills[q]; ++i)
    complete += cells[BOARD.masks.partner_cell[q][i][0]] == p && cells[BOARD.masks.partner_cell[q][i][1]] == p;
  return complete;
}

uint8_t MillsHeld(uint8_t x, uint8_t y, uint8_t p) {
  if (g_game.PieceTable[x][y] != p) return 0;
  return MillsCompletedAround(x, y, p);
}

uint8_t MillsFormedAt(uint8_t x, uint8_t y, uint8_t p) {
  const uint8_t cell = g_game.PieceTable[x][y];
  if (cell != EMPTY_POINT && cell != p) return 0;
  return MillsCompletedAround(x, y, p);
}

uint8_t SlideMillCount(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t p) {
  if (fx == tx && fy == ty) return 0;
  if (g_game.PieceTable[tx][ty] != EMPTY_POINT) return 0;
  if (g_game.PieceTable[fx][fy] != p) return 0;
  uint8_t formed = 0;
  const uint8_t mills = BOARD.nodes[tx][ty].mills_availiable;
  for (uint8_t i = 1; i <= mills && i <= 2; ++i) {
    const auto& mill = BOARD.MillTable[MillOfNode(tx, ty, i)];
    bool all = true;
    for (const auto& point : mill) {
      if (SamePoint(point, tx, ty)) continue;
      if (SamePoint(point, fx, fy) || g_game.PieceTable[point[0]][point[1]] != p) all = false;
    }
    if (all) ++formed;
  }
  return formed;
}

uint8_t FreePieces(uint8_t p) {
  if (!IsPlayer(p)) return 0;
  uint8_t free = 0;
  const uint8_t count = PiecesOnBoard(p);
  for (uint8_t n = 1; n <= count; ++n) {
    uint8_t x = 0, y = 0;
    MapEntry(n, p, x, y);
    if (MillsHeld(x, y, p) == 0) ++free;
  }
  return free;
}

uint8_t CheckGameOver() {
  if (Mobility(1) == 0 || PiecesOnBoard(1) <= 2) return 1;
  if (Mobility(2) == 0 || PiecesOnBoard(2) <= 2) return 2;
  return 0;
}

bool IsBlocked(uint8_t p) {
  for (uint8_t x = 1; x <= 7; ++x) {
    for (uint8_t y = 1; y <= 7; ++y) {
      if (g_game.PieceTable[x][y] == p && FreeLinks(x, y) != 0) return false;
    }
  }
  return true;
}

uint8_t PutPiece(uint8_t x, uint8_t y, uint8_t p) {
  if (g_game.PieceTable[x][y] != EMPTY_POINT) return 0;
  if (!map_piece(x, y, p)) return 0;
  g_game.PieceTable[x][y] = p;
  return 1;
}

uint8_t SlidePiece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t p) {
  bool linked = false;
  const uint8_t links = LinkCount(fx, fy);
  for (uint8_t k = 1; k <= links; ++k) {
    uint8_t lx = 0, ly = 0;
    GetLink(fx, fy, k, lx, ly);
    if (lx == tx && ly == ty) linked = true;
  }
  if (!linked) return 0;
  return FlyPiece(fx, fy, tx, ty, p);
}

uint8_t FlyPiece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t p) {
  if (g_game.PieceTable[fx][fy] != p || g_game.PieceTable[tx][ty] != EMPTY_POINT) return 0;
  if (!IsPlayer(p)) return 0;
  move_map_piece(fx, fy, tx, ty, p);
  g_game.PieceTable[fx][fy] = EMPTY_POINT;
  g_game.PieceTable[tx][ty] = p;
  return 1;
}

uint8_t TakePiece(uint8_t x, uint8_t y, uint8_t r) {
  const uint8_t o = Opponent(r);
  if (MillsHeld(x, y, o) != 0 || g_game.PieceTable[x][y] != o) return 0;
  unmap_piece(x, y, o);
  g_game.PieceTable[x][y] = EMPTY_POINT;
  return 1;
}

uint8_t MakePlaceMove(uint8_t x, uint8_t y) {
  const uint8_t p = g_game.current_player;
  if (!IsPlayer(p)) return 0;
  if (g_game.remaining_put_pieces[p] == 0) {
    ShowEngineMessage("Call to part II from part I !", "", MB_OK_BOX);
    return 0;
  }
  if (g_game.removals_due != 0) return 0;
  if (!PutPiece(x, y, p)) return 0;
  --g_game.remaining_put_pieces[p];
  g_game.removals_due = MillsFormedAt(x, y, p);
  SettleTurn(p);
  return 1;
}

uint8_t MakeSlideMove(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty) {
  const uint8_t p = g_game.current_player;
  if (!IsPlayer(p)) return 0;
  uint8_t moved = 0;
  if (g_game.remaining_put_pieces[p] == 0 && PiecesOnBoard(p) == 3) {
    if (g_game.removals_due != 0) return 0;
    moved = FlyPiece(fx, fy, tx, ty, p);
  } else if (g_game.remaining_put_pieces[p] != 0) {
    ShowEngineMessage("Call to part I from part II !", "", MB_OK_BOX);
    return 0;
  } else {
    if (g_game.removals_due != 0) return 0;
    moved = SlidePiece(fx, fy, tx, ty, p);
  }
  if (!moved) return 0;
  g_game.removals_due = MillsFormedAt(tx, ty, p);
  SettleTurn(p);
  return 1;
}

uint8_t RemovePiece(uint8_t x, uint8_t y) {
  const uint8_t p = g_game.current_player;
  // Without a due removal this would take a piece for nothing and wrap the
  // counter below zero.
  if (g_game.removals_due == 0) return 0;
  if (!TakePiece(x, y, p)) return 0;
  --g_game.removals_due;
  SettleTurn(p);
  return 1;
}

namespace {

uint8_t RefereePhase(uint8_t p, bool offer_draw) {
  if (!IsPlayer(p)) return 0;
  // An accepted draw ends the game for both sides until the next game.
  if (g_game.draw_agreed) return GAMEPART_DRAW;

  const bool all_placed = g_game.remaining_put_pieces[1] == 0 && g_game.remaining_put_pieces[2] == 0;

  // The due removals belong to the player to move; asked about the other player
  // they must not be cancelled on the strength of the wrong side's pieces.
  if (p == g_game.current_player && FreePieces(Opponent(p)) == 0) g_game.removals_due = 0;

  // Not while a removal is due: that removal leaves the opponent with two
  // pieces and wins the game, which a draw must not pre-empt.
  if (offer_draw && !g_game.draw_offered && all_placed && g_game.removals_due == 0 && PiecesOnBoard(1) == 3 &&
      PiecesOnBoard(2) == 3) {
    g_game.draw_offered = 1;
    const int answer = ShowEngineMessage("Would you like to end this game as a draw ?", "Draw Proposition...",
                                         MB_YESNO_QUESTION);
    if (answer == ANSWER_YES) {
      g_game.draw_agreed = 1;
      return GAMEPART_DRAW;
    }
    return RefereePhase(p, offer_draw);
  }

  // The effects done, the answer is the pure one, removals due as they stand.
  return PhaseWithRemovalsDue(PositionFromGame(g_game), p, g_game.removals_due);
}

}  // namespace

uint8_t GamePart(uint8_t p) { return RefereePhase(p, true); }

uint8_t GamePartWithoutDrawOffer(uint8_t p) { return RefereePhase(p, false); }

}  // namespace trivane
