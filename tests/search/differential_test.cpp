// The production search against the replaying walk it replaces: on thousands of
// seeded positions from every phase both must leave exactly the same store,
// files, boxes, move and game state.
#include <array>
#include <cstring>

#include "fastmap.h"
#include "literal_walk.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "search_support.h"
#include "state.h"

using namespace trivane;
using namespace search_test;

namespace {

#if defined(TRIVANE_SANITIZED_BUILD)
constexpr int kPositions = 150;
#else
constexpr int kPositions = 2000;
#endif

struct Outcome {
  ChosenMove move;
  uint32_t count = 0;
  std::vector<SearchNode> records;
  std::string summary, page;
  std::vector<Box> boxes;
  GameState after;
};

class Differential : public SearchTest {
 protected:
  template <typename Search>
  Outcome Run(const GameState& start, uint8_t root, Search search) {
    std::memcpy(&g_game, &start, sizeof(GameState));
    Boxes().clear();
    std::remove("nodes.html");
    Outcome o;
    o.move = search(root);
    o.count = g_search.count;
    o.records.assign(g_search.nodes, g_search.nodes + g_search.count + 1);
    o.summary = ReadFile("nodes.txt");
    o.page = ReadFile("nodes.html");
    o.boxes = Boxes();
    std::memcpy(&o.after, &g_game, sizeof(GameState));
    return o;
  }

  void Compare(const Outcome& a, const Outcome& b, bool compare_values, const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_EQ(a.count, b.count);
    EXPECT_EQ(a.move.store_full, b.move.store_full);
    EXPECT_EQ(a.move.chosen, b.move.chosen);
    EXPECT_EQ(0, std::memcmp(a.move.from, b.move.from, 2));
    EXPECT_EQ(0, std::memcmp(a.move.to, b.move.to, 2));
    EXPECT_EQ(a.move.value, b.move.value);
    for (uint32_t j = 0; j <= a.count; ++j) {
      const SearchNode& x = a.records[j];
      const SearchNode& y = b.records[j];
      const bool same_move = x.from_x == y.from_x && x.from_y == y.from_y && x.to_x == y.to_x && x.to_y == y.to_y &&
                             x.father == y.father && x.depth == y.depth && x.move_type == y.move_type &&
                             x.is_max == y.is_max;
      ASSERT_TRUE(same_move) << "record " << j;
      if (compare_values) {
        ASSERT_EQ(x.value, y.value) << "record " << j;
        ASSERT_EQ(x.expanded, y.expanded) << "record " << j;
      }
    }
    EXPECT_EQ(a.summary, b.summary);
    EXPECT_EQ(a.page, b.page);
    ASSERT_EQ(a.boxes.size(), b.boxes.size());
    for (size_t k = 0; k < a.boxes.size(); ++k) EXPECT_EQ(a.boxes[k].text, b.boxes[k].text);
    EXPECT_EQ(0, std::memcmp(&a.after, &b.after, sizeof(GameState)));
  }

  void CompareOn(const GameState& start, uint8_t root, const std::string& where, bool full_store_expected = false) {
    const Outcome literal = Run(start, root, [](uint8_t p) { return LiteralCreateTree(p); });
    const Outcome fast = Run(start, root, [](uint8_t p) { return CreateTree(p); });
    if (full_store_expected) {
      EXPECT_TRUE(literal.move.store_full) << where;
    }
    Compare(literal, fast, !literal.move.store_full, where);
  }
};

TEST_F(Differential, SeededPositionsFromEveryPhase) {
  std::mt19937 rng(2024);
  int searched = 0, with_removal = 0, flying = 0, abandoned = 0;
  for (int n = 0; n < kPositions; ++n) {
    RestartGameState();
    const int plies = std::uniform_int_distribution<int>(0, 90)(rng);
    for (int i = 0; i < plies; ++i)
      if (!PlayRandomMove(rng)) break;
    const uint8_t root = GetPlayer();
    GameState start;
    std::memcpy(&start, &g_game, sizeof(GameState));
    const uint8_t g = trivane::GamePart(root);
    std::memcpy(&g_game, &start, sizeof(GameState));
    if (g >= GAMEPART_PLAYER1_WON) continue;
    with_removal += g == GAMEPART_REMOVE;
    flying += g == GAMEPART_FLY;
    SetDifficulty(static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 4)(rng)));
    SetTreeDumpFlag(n % 3 == 0);
    QuestionAnswer() = n % 2 ? 6 : 7;
    // Every tenth search runs with a store too small for it.
    const bool small = n % 10 == 5;
    SetStoreLimit(small ? 40 : LAST_NODE_INDEX);
    const Outcome literal = Run(start, root, [](uint8_t p) { return LiteralCreateTree(p); });
    const Outcome fast = Run(start, root, [](uint8_t p) { return CreateTree(p); });
    abandoned += literal.move.store_full;
    Compare(literal, fast, !literal.move.store_full, "position " + std::to_string(n));
    ++searched;
    if (HasFatalFailure()) break;
  }
  SetStoreLimit(LAST_NODE_INDEX);
  SetTreeDumpFlag(0);
  RecordProperty("searched", searched);
  EXPECT_GT(searched, kPositions / 2);
  EXPECT_GT(with_removal, 0);
  EXPECT_GT(flying, 0);
  EXPECT_GT(abandoned, 0);
}

TEST_F(Differential, DrawPropositionAtThreeAgainstThree) {
  for (int answer : {6, 7}) {
    SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{7, 7}, {6, 6}, {4, 6}}, 1, 0, 0);
    QuestionAnswer() = answer;
    GameState start;
    std::memcpy(&start, &g_game, sizeof(GameState));
    CompareOn(start, 1, answer == 6 ? "draw accepted" : "draw declined");
  }
}

TEST_F(Differential, GradesEqualToTheUnsetMarkFoldInTheWalksOrder) {
  // Player 1 has four pieces whose cached free links have all gone stale at 0;
  // player 2 holds mill 10 with three slides that close another mill.  Three of
  // player 1's slides leave him lost by mobility with a grade of exactly
  // -400 + 15*4 - 15*9 - 63*3 - 7/3 = -666, the value that also means unset.
  for (const uint8_t difficulty : std::array<uint8_t, 3>{2, 3, 4}) {
    RestartGameState();
    for (const Point p : {Point{2, 2}, {2, 4}, {2, 6}, {1, 1}, {1, 7}, {3, 3}, {3, 5}, {4, 1}, {4, 3}})
      ASSERT_EQ(PutPiece(p.x, p.y, 2), 1);
    for (const Point p : {Point{7, 1}, {7, 7}, {6, 4}, {5, 5}}) ASSERT_EQ(PutPiece(p.x, p.y, 1), 1);
    FastMapRows& mine = FastMapOf(1);
    for (int row = 0; row <= 4; ++row) mine[row][3] = 0;
    FastMapRows& theirs = FastMapOf(2);
    theirs[0][3] = 0;
    for (int row = 1; row <= 9; ++row) {
      theirs[row][3] = row <= 7 ? 1 : 0;
      theirs[0][3] = static_cast<uint8_t>(theirs[0][3] + theirs[row][3]);
    }
    g_game.remaining_put_pieces[1] = g_game.remaining_put_pieces[2] = 0;
    SetPlayer(1);
    ASSERT_EQ(grade_postion(1), -555 - 111) << "the position as built";
    SetDifficulty(difficulty);
    SetTreeDumpFlag(1);
    GameState start;
    std::memcpy(&start, &g_game, sizeof(GameState));
    CompareOn(start, 1, "difficulty " + std::to_string(difficulty));
    int unset_grades = 0;
    for (uint32_t j = 1; j <= g_search.count; ++j)
      unset_grades += g_search.nodes[j].depth == 1 && g_search.nodes[j].value == -666;
    EXPECT_EQ(unset_grades, 3);
  }
  SetTreeDumpFlag(0);
}

TEST_F(Differential, DueRemovalsWithoutATargetMakeEveryMoveARefusal) {
  // Every piece of player 2 stands in a mill, yet a removal is due: GamePart
  // answers for the turn without it, while the referee refuses every move of
  // that position, so its children are the position itself, down to the
  // leaves.  Searched for the player to move and for the other one.
  for (const uint8_t root : std::array<uint8_t, 2>{1, 2}) {
    SetPosition({{2, 2}, {6, 2}, {3, 4}, {5, 4}}, {{1, 1}, {4, 1}, {7, 1}, {1, 7}, {4, 7}, {7, 7}}, 1, 0, 0);
    g_game.removals_due = 1;
    SetDifficulty(3);
    SetTreeDumpFlag(1);
    GameState start;
    std::memcpy(&start, &g_game, sizeof(GameState));
    CompareOn(start, root, "root player " + std::to_string(root));
    EXPECT_GT(g_search.count, 10u);
  }
  SetTreeDumpFlag(0);
}

TEST_F(Differential, ABlockingReplyLeavesAnUnsetValueAmongItsSiblings) {
  // Player 1 holds two mills and removes.  In most lines player 2 can answer
  // by sliding (4,3) to (4,2), which leaves player 1 with no move at all: that
  // record gets no children and keeps the unset mark, and it sits among
  // siblings of different values, so the minimum depends on the walk's order
  // of folding.  A plain minimum would pick (5,5) instead of (2,4).
  SetPosition({{1, 1}, {4, 1}, {1, 4}, {1, 7}, {7, 1}}, {{5, 5}, {6, 6}, {2, 4}, {4, 7}, {7, 4}, {4, 3}}, 1, 0, 0);
  g_game.removals_due = 1;
  SetDifficulty(3);
  SetTreeDumpFlag(1);
  GameState start;
  std::memcpy(&start, &g_game, sizeof(GameState));
  CompareOn(start, 1, "blocking reply");
  std::memcpy(&g_game, &start, sizeof(GameState));
  const ChosenMove move = CreateTree(1);
  EXPECT_EQ(move.from[0], 2);
  EXPECT_EQ(move.from[1], 4);
  SetTreeDumpFlag(0);
}

}  // namespace
