// The tree walk: one small tree checked record by record against a tree worked
// out by hand, the store's invariants over many random positions, and the depth
// rules.
#include <fstream>
#include <sstream>

#include "fastmap.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "search_support.h"
#include "state.h"

using namespace trivane;
using namespace search_test;

namespace {

struct Expected {
  uint8_t fx, fy, tx, ty;
  uint32_t father, depth;
  uint8_t type, is_max;
  int32_t value;
};

// Nine pieces each, all placed, player 1 to slide.  Player 1 has three slides;
// two of them close a mill and are followed by player 1's own removal (MAX
// again), one lets player 2 answer (MIN).
void SetSmallTreePosition() {
  SetPosition({{5, 5}, {2, 2}, {1, 7}, {6, 6}, {5, 3}, {3, 3}, {2, 4}, {1, 1}, {4, 6}},
              {{5, 4}, {4, 7}, {4, 2}, {4, 5}, {1, 4}, {4, 3}, {7, 4}, {4, 1}, {3, 4}}, 1, 0, 0);
}

const Expected kSmallTree[] = {
    {6, 6, 6, 4, 0, 1, 2, 1, -60}, {2, 4, 2, 6, 0, 1, 2, 1, 18}, {4, 6, 2, 6, 0, 1, 2, 1, 80},
    {5, 4, 0, 0, 3, 2, 4, 1, 17},  {4, 7, 0, 0, 3, 2, 4, 1, 17}, {4, 5, 0, 0, 3, 2, 4, 1, 17},
    {1, 4, 0, 0, 3, 2, 4, 1, 80},  {7, 4, 0, 0, 3, 2, 4, 1, 18}, {3, 4, 0, 0, 3, 2, 4, 1, 17},
    {5, 4, 0, 0, 2, 2, 4, 1, 17},  {4, 7, 0, 0, 2, 2, 4, 1, 17}, {4, 5, 0, 0, 2, 2, 4, 1, 17},
    {1, 4, 0, 0, 2, 2, 4, 1, 17},  {7, 4, 0, 0, 2, 2, 4, 1, 18}, {3, 4, 0, 0, 2, 2, 4, 1, 17},
    {4, 7, 7, 7, 1, 2, 2, 0, -60}, {4, 2, 6, 2, 1, 2, 2, 0, 4},  {4, 5, 3, 5, 1, 2, 2, 0, 3},
    {7, 4, 7, 7, 1, 2, 2, 0, 4},   {7, 4, 7, 1, 1, 2, 2, 0, 4},  {4, 1, 7, 1, 1, 2, 2, 0, 3},
    {3, 4, 3, 5, 1, 2, 2, 0, 3},
};

// Every record's father comes before it, depths step by one, siblings share
// the move type and the mover, and nothing past g_search.count is in use.
void ExpectTreeInvariants() {
  for (uint32_t j = 1; j <= g_search.count; ++j) {
    const SearchNode& n = g_search.nodes[j];
    ASSERT_LT(n.father, j) << "record " << j;
    ASSERT_EQ(n.depth, g_search.nodes[n.father].depth + 1) << "record " << j;
    if (j > 1 && g_search.nodes[j - 1].father == n.father) {
      ASSERT_EQ(g_search.nodes[j - 1].move_type, n.move_type) << "record " << j;
      ASSERT_EQ(g_search.nodes[j - 1].is_max, n.is_max) << "record " << j;
    }
    ASSERT_GE(n.move_type, 1);
    ASSERT_LE(n.move_type, 4);
  }
  if (g_search.count + 1 < NODE_CAPACITY) {
    const SearchNode& past = g_search.nodes[g_search.count + 1];
    EXPECT_EQ(past.father, 0u);
    EXPECT_EQ(past.depth, 0u);
    EXPECT_EQ(past.expanded, 0);
  }
}

class TreeWalk : public SearchTest {};

TEST_F(TreeWalk, SmallTreeRecordByRecord) {
  SetSmallTreePosition();
  SetDifficulty(2);
  const ChosenMove move = CreateTree(1);

  ASSERT_EQ(g_search.count, 22u);
  const SearchNode& root = g_search.nodes[0];
  EXPECT_EQ(root.move_type, ROOT_MOVE_TYPE);
  EXPECT_EQ(root.depth, 0u);
  EXPECT_EQ(root.value, 80);
  for (uint32_t j = 1; j <= 22; ++j) {
    const SearchNode& n = g_search.nodes[j];
    const Expected& e = kSmallTree[j - 1];
    SCOPED_TRACE("record " + std::to_string(j));
    EXPECT_EQ(n.from_x, e.fx);
    EXPECT_EQ(n.from_y, e.fy);
    EXPECT_EQ(n.to_x, e.tx);
    EXPECT_EQ(n.to_y, e.ty);
    EXPECT_EQ(n.father, e.father);
    EXPECT_EQ(n.depth, e.depth);
    EXPECT_EQ(n.move_type, e.type);
    EXPECT_EQ(n.is_max, e.is_max);
    EXPECT_EQ(n.value, e.value);
    EXPECT_EQ(n.expanded, 1);
  }
  EXPECT_TRUE(move.chosen);
  EXPECT_EQ(move.from[0], 4);
  EXPECT_EQ(move.from[1], 6);
  EXPECT_EQ(move.to[0], 2);
  EXPECT_EQ(move.to[1], 6);
  EXPECT_EQ(move.value, 80);

  EXPECT_EQ(ReadFile("nodes.txt"),
            "Create Ended @ 0 with stack size 22/ peek 0.. @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@\n"
            "Fathers best choice leads to -666.. @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@\n"
            "Finally choose 4,6 - 2,6 with score 80");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(TreeWalk, SmallTreePageMatchesTheExpectedPage) {
  SetSmallTreePosition();
  SetDifficulty(2);
  SetTreeDumpFlag(1);
  CreateTree(1);
  SetTreeDumpFlag(0);
  std::ifstream in(std::string(TRIVANE_SEARCH_TEST_DATA) + "/small_tree_nodes.html", std::ios::binary);
  std::stringstream expected;
  expected << in.rdbuf();
  ASSERT_FALSE(expected.str().empty());
  EXPECT_EQ(ReadFile("nodes.html"), expected.str());
}

TEST_F(TreeWalk, GameStateIsLeftAsFoundAndBackupsAreTheOnlyScratch) {
  std::mt19937 rng(11);
  for (int game = 0; game < 12; ++game) {
    RestartGameState();
    const int plies = 6 + game * 3;
    for (int i = 0; i < plies; ++i)
      if (!PlayRandomMove(rng)) break;
    const uint8_t p = GetPlayer();
    const uint8_t g = GamePart(p);
    if (g >= GAMEPART_PLAYER1_WON) continue;
    SetDifficulty(3);
    const Snapshot before = TakeSnapshot();
    CreateTree(p);
    EXPECT_EQ(TakeSnapshot(), before) << "game " << game;
    ExpectTreeInvariants();
    // The first ply holds exactly the moves of the root, at indices 1..k.
    uint32_t k = 0;
    while (k + 1 <= g_search.count && g_search.nodes[k + 1].depth == 1) ++k;
    for (uint32_t j = k + 1; j <= g_search.count; ++j) EXPECT_NE(g_search.nodes[j].depth, 1u) << "record " << j;
  }
}

TEST_F(TreeWalk, ASmallerSecondSearchLeavesNoStaleRecord) {
  std::mt19937 rng(5);
  for (int i = 0; i < 10; ++i) PlayRandomMove(rng);
  SetDifficulty(3);
  CreateTree(GetPlayer());
  const uint32_t first = g_search.count;
  ASSERT_GT(first, 1000u);
  SetSmallTreePosition();
  SetDifficulty(2);
  CreateTree(1);
  ASSERT_EQ(g_search.count, 22u);
  for (uint32_t j = 23; j <= first; ++j) {
    const SearchNode& n = g_search.nodes[j];
    ASSERT_EQ(n.father, 0u) << j;
    ASSERT_EQ(n.depth, 0u) << j;
    ASSERT_EQ(n.move_type, ROOT_MOVE_TYPE) << j;
    ASSERT_EQ(n.value, UNSET_VALUE) << j;
    ASSERT_EQ(n.expanded, 0) << j;
  }
}

TEST_F(TreeWalk, EveryLineRunsToTheDepthUnlessTheGameEnds) {
  std::mt19937 rng(3);
  for (int i = 0; i < 24; ++i) PlayRandomMove(rng);
  SetDifficulty(3);
  const uint8_t p = GetPlayer();
  ASSERT_LT(GamePart(p), GAMEPART_PLAYER1_WON);
  const uint32_t depth = EffectiveDepth(p);
  CreateTree(p);
  std::vector<bool> has_child(g_search.count + 1, false);
  for (uint32_t j = 1; j <= g_search.count; ++j) has_child[g_search.nodes[j].father] = true;
  for (uint32_t j = 1; j <= g_search.count; ++j) {
    if (has_child[j] || g_search.nodes[j].depth == depth) continue;
    // A shorter line ends only where the game is decided.
    NodePlayback(j, p);
    EXPECT_TRUE(CheckGameOver() != 0 || GamePart(GetPlayer()) >= GAMEPART_PLAYER1_WON) << "record " << j;
  }
  RestoreBoardState();
  RestoreTurnState();
}

TEST_F(TreeWalk, ARootWithoutMovesChoosesNothing) {
  // Player 2 is down to two pieces: the game is over before the search.
  SetPosition({{1, 1}, {4, 1}, {1, 4}, {2, 2}}, {{7, 7}, {6, 6}}, 1, 0, 0);
  const Snapshot before = TakeSnapshot();
  const ChosenMove move = CreateTree(1);
  EXPECT_EQ(g_search.count, 0u);
  EXPECT_FALSE(move.chosen);
  EXPECT_EQ(move.from[0], 0);
  EXPECT_EQ(move.to[0], 0);
  EXPECT_EQ(TakeSnapshot(), before);
  EXPECT_EQ(ReadFile("nodes.txt"),
            "Create Ended @ 0 with stack size 0/ peek 0.. @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@\n"
            "Fathers best choice leads to -666.. @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@\n"
            "Finally choose 0,0 - 0,0 with score -1000");
}

TEST_F(TreeWalk, EffectiveDepthFollowsPiecesAndPhases) {
  // Many pieces: the setting itself; 0 and 1 still search two plies.
  SetPosition({{1, 1}, {4, 1}, {7, 1}, {2, 2}, {4, 2}}, {{1, 7}, {4, 7}, {7, 7}, {2, 6}, {4, 6}}, 1, 0, 0);
  SetDifficulty(6);
  EXPECT_EQ(EffectiveDepth(1), 6u);
  SetDifficulty(0);
  EXPECT_EQ(EffectiveDepth(1), 2u);
  SetDifficulty(1);
  EXPECT_EQ(EffectiveDepth(1), 2u);
  // Four pieces on either side cut the depth to three (raising 0 and 1 too).
  SetPosition({{1, 1}, {4, 1}, {7, 1}, {2, 2}}, {{1, 7}, {4, 7}, {7, 7}, {2, 6}, {4, 6}}, 1, 0, 0);
  SetDifficulty(6);
  EXPECT_EQ(EffectiveDepth(2), 3u);
  SetDifficulty(1);
  EXPECT_EQ(EffectiveDepth(2), 3u);
  // Both flying: two plies whatever the setting; the draw is proposed once on
  // the real position and, answered No, the depth rule still applies.
  SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{1, 7}, {4, 7}, {2, 6}}, 1, 0, 0);
  SetDifficulty(6);
  EXPECT_EQ(EffectiveDepth(1), 2u);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Draw Proposition...");
  // Only one side flying: three plies (few pieces), not two.
  SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{1, 7}, {4, 7}, {2, 6}, {4, 6}, {6, 6}}, 1, 0, 0);
  EXPECT_EQ(EffectiveDepth(1), 3u);
}

TEST_F(TreeWalk, DifficultyIsKeptWithinThePathBuffer) {
  SetDifficulty(200);
  EXPECT_EQ(GetDifficulty(), 31);
  SetDifficulty(31);
  EXPECT_EQ(GetDifficulty(), 31);
  SetDifficulty(7);
  EXPECT_EQ(GetDifficulty(), 7);
}

TEST_F(TreeWalk, EqualFirstMovesGoToTheOneGeneratedFirst) {
  // Player 1 alone with room to place two more pieces far from everything:
  // the corner (1,1) and (7,7) mirror each other, so the tie goes to (1,1)'s
  // side of the scan.
  SetPosition({}, {}, 1, 1, 1);
  SetDifficulty(2);
  const ChosenMove move = CreateTree(1);
  ASSERT_TRUE(move.chosen);
  int32_t best = NO_CHOICE_VALUE;
  uint32_t first_best = 0;
  for (uint32_t j = 1; j <= g_search.count && g_search.nodes[j].depth == 1; ++j)
    if (g_search.nodes[j].value > best) {
      best = g_search.nodes[j].value;
      first_best = j;
    }
  uint32_t ties = 0;
  for (uint32_t j = 1; j <= g_search.count && g_search.nodes[j].depth == 1; ++j)
    ties += g_search.nodes[j].value == best;
  EXPECT_GT(ties, 1u) << "the position should offer equal moves";
  EXPECT_EQ(move.from[0], g_search.nodes[first_best].from_x);
  EXPECT_EQ(move.from[1], g_search.nodes[first_best].from_y);
}

TEST_F(TreeWalk, HypotheticalPositionsNeverProposeTheDraw) {
  // Player 2 flies with three pieces against four: closing the mill on (7,7)
  // and removing brings both sides to three, but only in the tree; the
  // proposition is for the real game.
  SetPosition({{1, 1}, {4, 1}, {2, 2}, {6, 6}}, {{1, 7}, {4, 7}, {2, 6}}, 2, 0, 0);
  SetDifficulty(3);
  CreateTree(2);
  bool three_against_three = false;
  for (uint32_t j = 1; j <= g_search.count; ++j)
    if (g_search.nodes[j].depth == 2 && g_search.nodes[j].move_type == GAMEPART_REMOVE) three_against_three = true;
  ASSERT_TRUE(three_against_three) << "the tree should reach three against three";
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(g_game.draw_offered, 0);
}

}  // namespace
