// Per-player piece lists with cached free-link counts.  Row 0 is the header
// (byte 1 the count, byte 3 the mobility total); rows 1..count hold x, y and the
// free links the piece had when it last arrived.  The cached counts are not
// refreshed when neighbours change, and a deleted entry's row is taken by the
// last one: the search's move order depends on both.
#pragma once

#include <cstdint>

namespace trivane {

constexpr uint8_t MAX_PIECES = 9;

// Appends an entry; refuses (false, nothing changed) a tenth piece or a player
// other than 1 and 2.
bool map_piece(uint8_t x, uint8_t y, uint8_t player);
void move_map_piece(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty, uint8_t player);
void unmap_piece(uint8_t x, uint8_t y, uint8_t player);

uint8_t PiecesOnBoard(uint8_t player);
uint8_t Mobility(uint8_t player);
void MapEntry(uint8_t index, uint8_t player, uint8_t& x, uint8_t& y);
uint8_t FastMapByte(uint8_t row, uint8_t column, uint8_t player);

}  // namespace trivane
