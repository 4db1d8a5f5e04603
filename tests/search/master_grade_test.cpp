// MASTER's grade where it decides the ending against three flying pieces.
#include <gtest/gtest.h>

#include "master.h"
#include "search_support.h"
#include "state.h"

namespace {

using search_test::SetPosition;
using namespace trivane;

class MasterGradeTest : public search_test::SearchTest {};

int32_t GradeFor(uint8_t player) {
  Position p = PositionFromGame(g_game);
  p.to_move = player;
  return MasterGrade(p);
}

TEST_F(MasterGradeTest, AgainstFlyersOnlyTwoMillsReadyAtOnceCount) {
  // Player 1 slides with six pieces: the top row waits for (7,1), which
  // (7,4) can reach; the middle square's bottom row waits for (6,6), which
  // (6,4) can reach.  Player 2 flies with three and can block only one.
  SetPosition({{1, 1}, {4, 1}, {7, 4}, {2, 6}, {4, 6}, {6, 4}}, {{3, 3}, {5, 5}, {1, 7}}, 2, 0, 0);
  const int32_t two = GradeFor(1);
  EXPECT_EQ(GradeFor(2), -two) << "the grade is one number seen from either side";
  // The second closer moved away: the same material, one threat.
  SetPosition({{1, 1}, {4, 1}, {7, 4}, {2, 6}, {4, 6}, {3, 5}}, {{3, 3}, {5, 5}, {1, 7}}, 2, 0, 0);
  const int32_t one = GradeFor(1);
  EXPECT_GE(two - one, 100) << "a double threat against flyers wins a piece";
}

}  // namespace
