// Move counting through the exports alone.  The interface has no undo, so after
// every move tried the position is rebuilt by replaying the line from a fresh
// game; a refused try changes nothing and needs no rebuild.
#include <cstddef>
#include <vector>

#include "TrivaneEngine.h"
#include "play.h"

namespace play {

namespace {

struct Move {
  uint32_t kind;  // GamePart code it was made under
  uint8_t fx, fy, tx, ty;
};

std::vector<Move> g_line;

uint32_t Apply(const Move& m) {
  switch (m.kind) {
    case TRIVANE_PHASE_PLACE: return Engine_MakePlaceMove(m.fx, m.fy);
    case TRIVANE_PHASE_SLIDE:
    case TRIVANE_PHASE_FLY: return Engine_MakeSlideMove(m.fx, m.fy, m.tx, m.ty);
    case TRIVANE_PHASE_REMOVE: return Engine_RemovePlay(m.fx, m.fy);
    default: return 0;
  }
}

void Replay() {
  RestartGame();
  for (const Move& m : g_line) Apply(m);
}

uint64_t Count(int depth) {
  const uint32_t g = GamePart(Engine_GetPlayer());
  if (g < TRIVANE_PHASE_PLACE || g > TRIVANE_PHASE_REMOVE) return 0;
  // The engine's own move list: every move on it is one the referee takes.
  uint8_t list[4 * TRIVANE_MAX_MOVES];
  const uint32_t n = Engine_LegalMoves(list, TRIVANE_MAX_MOVES);
  if (depth == 1) return n;
  uint64_t total = 0;
  for (size_t k = 0; k < n; ++k) {
    const Move m{g, list[4 * k], list[4 * k + 1], list[4 * k + 2], list[4 * k + 3]};
    if (!Apply(m)) continue;
    g_line.push_back(m);
    total += Count(depth - 1);
    g_line.pop_back();
    Replay();
  }
  return total;
}

}  // namespace

uint64_t Perft(int depth) {
  InitEngine();
  g_line.clear();
  if (depth <= 0) return 1;
  return Count(depth);
}

}  // namespace play
