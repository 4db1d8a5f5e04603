// Quick one-point scores of a candidate placement or removal, used by the
// one-ply computer player and shown as hints on the board.
#pragma once

#include <cstdint>

namespace trivane {

int32_t PlaceMark(uint8_t x, uint8_t y, uint8_t player);
uint8_t RemoveMark(uint8_t x, uint8_t y, uint8_t owner);
uint8_t OpposingTwos(uint8_t x, uint8_t y, uint8_t player);
uint8_t MillClosingSlides(uint8_t x, uint8_t y, uint8_t owner);

}  // namespace trivane
