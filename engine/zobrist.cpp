#include "zobrist.h"

namespace trivane {

namespace {

struct ZobristKeys {
  bool built = false;
  uint64_t piece[2][POINTS];
  uint64_t in_hand[2][MAX_PIECES + 1];
  uint64_t removals[4];
  uint64_t second_to_move;
};
ZobristKeys g_keys;

// splitmix64: well spread keys from a counter, with no table to ship.
uint64_t NextKey(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void BuildZobristKeys() {
  if (g_keys.built) return;
  uint64_t state = 0x74726976616E65ull;  // fixed: keys are the same in every run
  for (auto& side : g_keys.piece)
    for (uint64_t& k : side) k = NextKey(state);
  for (auto& side : g_keys.in_hand)
    for (uint64_t& k : side) k = NextKey(state);
  for (uint64_t& k : g_keys.removals) k = NextKey(state);
  g_keys.second_to_move = NextKey(state);
  g_keys.built = true;
}

uint64_t PositionHash(const Position& s) {
  uint64_t h = 0;
  for (int side = 0; side < 2; ++side) {
    for (uint32_t b = s.pieces[side]; b != 0; b &= b - 1) h ^= g_keys.piece[side][__builtin_ctz(b)];
    h ^= g_keys.in_hand[side][s.remaining[side] <= MAX_PIECES ? s.remaining[side] : MAX_PIECES];
  }
  h ^= g_keys.removals[s.removals_due & 3];
  if (s.to_move == 2) h ^= g_keys.second_to_move;
  return h;
}

}  // namespace trivane
