// Move counting from the empty board: the number of action sequences of each
// length, a removal counting as an action of its own.  The counts for the
// first plies are known for these rules; deeper ones are left to the terminal
// program's counter.
#include <cstdint>

#include "board_tables.h"
#include "engine_fixture.h"
#include "rules.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

uint64_t CountSequences(int depth) {
  if (depth == 0) return 1;
  const uint8_t code = trivane::GamePart(GetPlayer());
  if (code >= GAMEPART_PLAYER1_WON) return 0;
  const GameState saved = g_game;
  uint64_t total = 0;
  for (const PointRecord& from : kPoints) {
    if (code == GAMEPART_PLACE || code == GAMEPART_REMOVE) {
      const uint8_t done = code == GAMEPART_PLACE ? MakePlaceMove(from.x, from.y) : RemovePiece(from.x, from.y);
      if (done) total += CountSequences(depth - 1);
      g_game = saved;
      continue;
    }
    for (const PointRecord& to : kPoints) {
      if (MakeSlideMove(from.x, from.y, to.x, to.y)) total += CountSequences(depth - 1);
      g_game = saved;
    }
  }
  return total;
}

class MoveCount : public EngineTest {};

TEST_F(MoveCount, FromTheEmptyBoard) {
  EXPECT_EQ(CountSequences(1), 24u);
  EXPECT_EQ(CountSequences(2), 552u);
  EXPECT_EQ(CountSequences(3), 12144u);
  EXPECT_EQ(CountSequences(4), 255024u);
  EXPECT_EQ(CountSequences(5), 5100480u);
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
