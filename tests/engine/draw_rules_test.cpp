// The draw rules through the exported interface: off unless a host turns them
// on, a position seen the given number of times or a run of moves without a
// placement or mill ends the game as a draw for both players, with the reason
// readable, until the next game; the computer player's choice is not touched.
#include <cstdint>
#include <utility>
#include <vector>

#include "engine_fixture.h"

using namespace trivane_test;

namespace {

struct P {
  uint32_t x, y;
};

class DrawRules : public EngineTest {
 protected:
  void TearDown() override {
    Engine_SetDrawRules(0, 0);  // the rules are kept across games: leave none behind
    EngineTest::TearDown();
  }

  // Eighteen placements, players alternating, that close no mill and leave
  // (1,4), (2,2), (2,6), (3,3), (4,6) and (4,7) empty.
  static void PlaceAll() {
    const std::vector<P> order = {{6, 6}, {2, 4}, {3, 4}, {7, 7}, {7, 4}, {5, 4}, {4, 5}, {1, 1}, {1, 7},
                                  {5, 3}, {5, 5}, {4, 1}, {6, 2}, {6, 4}, {4, 3}, {4, 2}, {7, 1}, {3, 5}};
    for (const P& p : order) ASSERT_EQ(Engine_MakePlaceMove(p.x, p.y), 1u) << p.x << "," << p.y;
    ASSERT_EQ(Engine_GetPlayer(), 1u);
    ASSERT_EQ(GamePart(1), 2u);
  }

  // One ply of the shuffle: player 1 goes (1,7)-(4,7) and back, player 2
  // (1,1)-(1,4) and back; four plies bring the start position back.
  static void Shuffle(int ply) {
    static const uint32_t moves[4][4] = {{1, 7, 4, 7}, {1, 1, 1, 4}, {4, 7, 1, 7}, {1, 4, 1, 1}};
    const uint32_t* m = moves[ply % 4];
    ASSERT_EQ(Engine_MakeSlideMove(m[0], m[1], m[2], m[3]), 1u) << "ply " << ply;
  }
};

TEST_F(DrawRules, OffByDefaultRepetitionsNeverEndTheGame) {
  PlaceAll();
  for (int ply = 0; ply < 40; ++ply) {
    Shuffle(ply);
    ASSERT_NE(GamePart(Engine_GetPlayer()), 7u) << "ply " << ply;
  }
  EXPECT_EQ(Engine_GetDrawReason(), 0u);
}

TEST_F(DrawRules, ThirdOccurrenceOfAPositionIsADraw) {
  Engine_SetDrawRules(3, 0);
  PlaceAll();
  // The start position comes back after plies 4 and 8: the second time is
  // not yet a draw, the third is.
  for (int ply = 0; ply < 7; ++ply) {
    Shuffle(ply);
    ASSERT_EQ(GamePart(Engine_GetPlayer()), 2u) << "ply " << ply;
    ASSERT_EQ(Engine_GetDrawReason(), 0u) << "ply " << ply;
  }
  Shuffle(7);
  EXPECT_EQ(GamePart(1), 7u);
  EXPECT_EQ(GamePart(2), 7u);
  EXPECT_EQ(Engine_GetDrawReason(), 1u);
  EXPECT_TRUE(Boxes().empty()) << "a draw by rule proposes nothing";

  // Until the next game, which starts undecided.
  RestartGame();
  EXPECT_EQ(GamePart(1), 1u);
  EXPECT_EQ(Engine_GetDrawReason(), 0u);
}

TEST_F(DrawRules, TwofoldWhenAskedFor) {
  Engine_SetDrawRules(2, 0);
  PlaceAll();
  for (int ply = 0; ply < 3; ++ply) {
    Shuffle(ply);
    ASSERT_NE(GamePart(Engine_GetPlayer()), 7u);
  }
  Shuffle(3);
  EXPECT_EQ(GamePart(1), 7u);
  EXPECT_EQ(Engine_GetDrawReason(), 1u);
}

TEST_F(DrawRules, QuietMovesCountBothSidesFromTheLastPlacement) {
  Engine_SetDrawRules(0, 5);
  // Eighteen placements are no quiet moves.
  PlaceAll();
  EXPECT_EQ(Engine_GetDrawReason(), 0u);
  for (int ply = 0; ply < 4; ++ply) {
    Shuffle(ply);
    ASSERT_NE(GamePart(Engine_GetPlayer()), 7u) << "ply " << ply;
  }
  Shuffle(4);
  EXPECT_EQ(GamePart(Engine_GetPlayer()), 7u);
  EXPECT_EQ(Engine_GetDrawReason(), 2u);
}

TEST_F(DrawRules, AMillStartsTheCountAgain) {
  Engine_SetDrawRules(0, 3);
  const std::vector<P> order = {{3, 5}, {1, 7}, {4, 2}, {4, 1}, {6, 4}, {6, 2}, {1, 1}, {7, 1}, {7, 4},
                                {2, 4}, {2, 6}, {4, 7}, {3, 4}, {4, 6}, {5, 3}, {4, 3}, {7, 7}, {5, 4}};
  for (const P& p : order) ASSERT_EQ(Engine_MakePlaceMove(p.x, p.y), 1u) << p.x << "," << p.y;
  ASSERT_EQ(GamePart(1), 2u);
  ASSERT_EQ(Engine_MakeSlideMove(1, 1, 1, 4), 1u);  // quiet 1
  ASSERT_EQ(Engine_MakeSlideMove(2, 4, 2, 2), 1u);  // quiet 2
  ASSERT_EQ(Engine_MakeSlideMove(2, 6, 2, 4), 1u);  // closes (1,4)-(2,4)-(3,4)
  ASSERT_EQ(GamePart(1), 4u);
  ASSERT_EQ(Engine_RemovePlay(1, 7), 1u);
  // Counted from the mill: one and two quiet moves are no draw yet (counted
  // from the start they would be three and four).
  ASSERT_EQ(Engine_MakeSlideMove(4, 1, 1, 1), 1u);
  EXPECT_EQ(GamePart(Engine_GetPlayer()), 2u);
  ASSERT_EQ(Engine_MakeSlideMove(1, 4, 1, 7), 1u);
  EXPECT_EQ(GamePart(Engine_GetPlayer()), 2u);
  EXPECT_EQ(Engine_GetDrawReason(), 0u);
  ASSERT_EQ(Engine_MakeSlideMove(1, 1, 4, 1), 1u);
  EXPECT_EQ(GamePart(Engine_GetPlayer()), 7u);
  EXPECT_EQ(Engine_GetDrawReason(), 2u);
}

TEST_F(DrawRules, TheComputerChoosesAsWithoutTheRules) {
  // The search plays its lines on the internal operations: the rules (and a
  // game already drawn by them) change nothing in its answer.
  PlaceAll();
  for (int ply = 0; ply < 8; ++ply) Shuffle(ply);
  ASSERT_EQ(Engine_GetDrawReason(), 0u);
  Engine_SetDifficulty(3);
  uint8_t without[4] = {};
  AI_Play(&without[0], &without[1], &without[2], &without[3]);

  Engine_SetDrawRules(3, 0);
  InitEngine();
  PlaceAll();
  for (int ply = 0; ply < 8; ++ply) Shuffle(ply);
  ASSERT_EQ(Engine_GetDrawReason(), 1u);
  uint8_t with[4] = {};
  AI_Play(&with[0], &with[1], &with[2], &with[3]);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(with[i], without[i]) << i;
  EXPECT_EQ(Engine_GetDrawReason(), 1u);
  EXPECT_EQ(GamePart(1), 7u);
}

}  // namespace
