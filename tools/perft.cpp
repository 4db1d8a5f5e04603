// Move counting through the exports alone.  The interface has no undo, so after
// every move tried the position is rebuilt by replaying the line from a fresh
// game; a refused try changes nothing and needs no rebuild.
#include <vector>

#include "TrivaneEngine.h"
#include "play.h"

namespace play {

namespace {

struct Move {
  uint32_t kind;  // GamePart code it was made under
  uint32_t fx, fy, tx, ty;
};

std::vector<Move> g_line;

uint32_t Apply(const Move& m) {
  switch (m.kind) {
    case 1: return Engine_MakePlaceMove(m.fx, m.fy);
    case 2:
    case 3: return Engine_MakeSlideMove(m.fx, m.fy, m.tx, m.ty);
    case 4: return Engine_RemovePlay(m.fx, m.fy);
    default: return 0;
  }
}

void Replay() {
  RestartGame();
  for (const Move& m : g_line) Apply(m);
}

std::vector<Move> Candidates(uint32_t player, uint32_t g) {
  std::vector<Move> out;
  const uint32_t other = player == 1 ? 2 : 1;
  for (uint32_t x = 1; x <= 7; ++x)
    for (uint32_t y = 1; y <= 7; ++y) {
      if (g == 1 && Engine_PieceAllowedTable(x, y)) out.push_back({g, x, y, 0, 0});
      if (g == 4 && Engine_PlayerPieceExistsTable(x, y, other)) out.push_back({g, x, y, 0, 0});
      if ((g == 2 || g == 3) && Engine_PlayerPieceExistsTable(x, y, player))
        for (uint32_t tx = 1; tx <= 7; ++tx)
          for (uint32_t ty = 1; ty <= 7; ++ty)
            if (Engine_PieceAllowedTable(tx, ty)) out.push_back({g, x, y, tx, ty});
    }
  return out;
}

uint64_t Count(int depth) {
  const uint32_t player = Engine_GetPlayer();
  const uint32_t g = GamePart(player);
  if (g < 1 || g > 4) return 0;
  const std::vector<Move> moves = Candidates(player, g);
  // Every empty point takes a placement: no need to play the last ply.
  if (depth == 1 && g == 1) return moves.size();
  uint64_t total = 0;
  for (const Move& m : moves) {
    if (!Apply(m)) continue;
    if (depth == 1) {
      ++total;
    } else {
      g_line.push_back(m);
      total += Count(depth - 1);
      g_line.pop_back();
    }
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
