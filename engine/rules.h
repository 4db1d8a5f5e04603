// The referee: legality of placements, slides, flying moves and removals, mill
// detection, turn bookkeeping and the GamePart answer of what the player to move
// has to do next.
#pragma once

#include <cstdint>

namespace trivane {

constexpr uint8_t GAMEPART_PLACE = 1;
constexpr uint8_t GAMEPART_SLIDE = 2;
constexpr uint8_t GAMEPART_FLY = 3;
constexpr uint8_t GAMEPART_REMOVE = 4;
constexpr uint8_t GAMEPART_PLAYER1_WON = 5;
constexpr uint8_t GAMEPART_PLAYER2_WON = 6;
constexpr uint8_t GAMEPART_DRAW = 7;

// Turn operations, always for current_player: 1 done, 0 refused (nothing changed).
uint8_t MakePlaceMove(uint8_t x, uint8_t y);
uint8_t MakeSlideMove(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty);
uint8_t RemovePiece(uint8_t x, uint8_t y);
uint8_t GamePart(uint8_t player);

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

// While set, GamePart behaves as if the draw had already been proposed: the
// search sets it while it expands hypothetical positions of its tree.
void SetDrawOfferSuppressed(bool suppressed);

}  // namespace trivane
