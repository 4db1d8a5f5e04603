// The referee: legality of placements, slides, flying moves and removals, mill
// detection, turn bookkeeping and the GamePart answer of what the player to move
// has to do next.
#pragma once

#include <cstdint>

#include "TrivaneEngine.h"

namespace trivane {

// The published phase codes under the engine's own names.
constexpr uint8_t GAMEPART_PLACE = TRIVANE_PHASE_PLACE;
constexpr uint8_t GAMEPART_SLIDE = TRIVANE_PHASE_SLIDE;
constexpr uint8_t GAMEPART_FLY = TRIVANE_PHASE_FLY;
constexpr uint8_t GAMEPART_REMOVE = TRIVANE_PHASE_REMOVE;
constexpr uint8_t GAMEPART_PLAYER1_WON = TRIVANE_PHASE_PLAYER1_WON;
constexpr uint8_t GAMEPART_PLAYER2_WON = TRIVANE_PHASE_PLAYER2_WON;
constexpr uint8_t GAMEPART_DRAW = TRIVANE_PHASE_DRAW;

// Turn operations, always for current_player: 1 done, 0 refused (nothing changed).
uint8_t MakePlaceMove(uint8_t x, uint8_t y);
uint8_t MakeSlideMove(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty);
uint8_t RemovePiece(uint8_t x, uint8_t y);
// What the player has to do next, with every effect the rules give the
// question: an agreed draw answers 7, removals of the player to move that have
// no target are cancelled, and the draw is proposed once both sides are down to
// three pieces.  The rest of the answer is PositionPhase's (movegen.h).
uint8_t GamePart(uint8_t player);
// The same without proposing the draw, for walks over hypothetical positions.
uint8_t GamePartWithoutDrawOffer(uint8_t player);

// Raw board operations: no turn bookkeeping.
uint8_t PutPiece(uint8_t x, uint8_t y, uint8_t player);
uint8_t SlidePiece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t player);
uint8_t FlyPiece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t player);
uint8_t TakePiece(uint8_t x, uint8_t y, uint8_t remover);

uint8_t Opponent(uint8_t player);
uint8_t MillsFormedAt(uint8_t x, uint8_t y, uint8_t player);
uint8_t MillsHeld(uint8_t x, uint8_t y, uint8_t player);
uint8_t SlideMillCount(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t player);
uint8_t FreePieces(uint8_t player);
uint8_t CheckGameOver();

// True when none of the player's pieces has an empty linked point, read from the
// board itself (not from the cached mobility).
bool IsBlocked(uint8_t player);

}  // namespace trivane
