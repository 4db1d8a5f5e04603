// MASTER's grade where it decides an ending against three flying pieces or
// the way into one, and where one side has walled its own pieces in.
#include <gtest/gtest.h>

#include <vector>

#include "master.h"
#include "search_support.h"
#include "state.h"

namespace {

using search_test::Point;
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

TEST_F(MasterGradeTest, TheFourthLastPieceTakenGainsLessThanAPiece) {
  // Player 1 slides with six pieces, none walled in and no mill it could
  // close; player 2's four sit on the outer square's middles, free to
  // slide.  Taking (7,4) leaves player 2 three flying pieces, which block
  // any single threat: the side ahead should not trade a sliding opponent
  // for them unless a win follows.
  const std::vector<Point> six = {{2, 2}, {6, 6}, {3, 3}, {5, 5}, {2, 4}, {6, 4}};
  SetPosition(six, {{4, 1}, {4, 7}, {1, 4}, {7, 4}}, 1, 0, 0);
  const int32_t four = GradeFor(1);
  SetPosition(six, {{4, 1}, {4, 7}, {1, 4}}, 1, 0, 0);
  const int32_t three = GradeFor(1);
  EXPECT_GT(three, four) << "a piece taken is still a gain";
  EXPECT_LT(three - four, 100) << "three flying pieces are worth more than three sliding ones";
}

TEST_F(MasterGradeTest, ALeadWalledInCountsForLittleUntilAWayOpens) {
  // Player 1 filled the outer square and holds (3,4); player 2's five pieces
  // close every way out of the square.  Four pieces ahead, player 1 can only
  // walk one piece round the inner square: no more than a draw.
  const std::vector<Point> ring = {{1, 1}, {4, 1}, {7, 1}, {1, 4}, {7, 4}, {1, 7}, {4, 7}, {7, 7}, {3, 4}};
  SetPosition(ring, {{2, 4}, {4, 2}, {6, 4}, {4, 6}, {5, 4}}, 1, 0, 0);
  const int32_t walled = GradeFor(1);
  EXPECT_LT(walled, 200) << "four pieces that can never move are not four pieces ahead";
  // The blocker of (1,4) stepped aside: (1,4) can move, and every other
  // piece of the ring can follow the one before it.
  SetPosition(ring, {{2, 2}, {4, 2}, {6, 4}, {4, 6}, {5, 4}}, 1, 0, 0);
  EXPECT_GE(GradeFor(1) - walled, 250) << "one opening frees the whole ring";
}

TEST_F(MasterGradeTest, OneFreeLinkIsAStepFromBeingShutIn) {
  // Both sides placed eight.  Player 1's pieces are hemmed in by player 2's
  // but for (4,2), which can step to (4,1); player 2 has eight free links
  // and a mill to open and close at (3,4).  Player 1 has one move and then
  // waits to be shut in, which loses: worse than a piece down.
  const std::vector<Point> hemmed = {{2, 2}, {4, 2}, {6, 2}, {3, 3}, {5, 3}, {5, 4}, {2, 6}, {6, 6}};
  const std::vector<Point> around = {{4, 3}, {1, 4}, {2, 4}, {3, 4}, {6, 4}, {7, 4}, {5, 5}, {4, 6}};
  SetPosition(hemmed, around, 1, 0, 0);
  const int32_t one_link = GradeFor(1);
  EXPECT_LT(one_link, -150) << "one free link against eight is worse than a piece down";
  EXPECT_EQ(GradeFor(2), -one_link) << "the grade is one number seen from either side";
  // Player 2's (4,6) gone from the bottom middle: (2,6) and (6,6) slide
  // again, with the same pieces for player 1.
  SetPosition(hemmed, {{4, 3}, {1, 4}, {2, 4}, {3, 4}, {6, 4}, {7, 4}, {5, 5}, {4, 7}}, 1, 0, 0);
  EXPECT_GE(GradeFor(1) - one_link, 85) << "two more free links for a hemmed-in side are worth most of a piece";
}

}  // namespace
