// The computer's entry points as a caller sees them: which chooser answers,
// what is written through the four pointers, and that the game is untouched.
#include "TrivaneEngine.h"
#include "fastmap.h"
#include "geometry.h"
#include "marks.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "search_support.h"
#include "state.h"

using namespace trivane;
using namespace search_test;

namespace {

class EntryPoints : public SearchTest {};

struct Proposal {
  uint8_t v[4] = {99, 99, 99, 99};
  bool untouched() const { return v[0] == 99 && v[1] == 99 && v[2] == 99 && v[3] == 99; }
};

Proposal Play() {
  Proposal p;
  AI_Play(&p.v[0], &p.v[1], &p.v[2], &p.v[3]);
  return p;
}

Proposal PlayOld() {
  Proposal p;
  AI_PlayOLD(&p.v[0], &p.v[1], &p.v[2], &p.v[3]);
  return p;
}

TEST_F(EntryPoints, EarlyPlacementsTakeTheBestMarkFirstInScanOrder) {
  // Empty board: the four middle midpoints score 11; (2,4) comes first.
  const Proposal p = Play();
  EXPECT_EQ(p.v[0], 2);
  EXPECT_EQ(p.v[1], 4);
  EXPECT_EQ(p.v[2], 0);
  EXPECT_EQ(p.v[3], 0);
  EXPECT_EQ(ReadFile("nodes.txt"), "") << "no tree for an early placement";

  // With (2,4) taken by the opponent, placing next to it on (2,2)... the scan
  // must still agree with the best mark over all empty points.
  ASSERT_EQ(MakePlaceMove(2, 4), 1);
  const Proposal q = Play();
  int32_t best = 0;
  uint8_t bx = 0, by = 0;
  for (uint8_t x = 1; x <= 7; ++x)
    for (uint8_t y = 1; y <= 7; ++y)
      if (PieceAt(x, y) == EMPTY_POINT && PlaceMark(x, y, 2) > best) {
        best = PlaceMark(x, y, 2);
        bx = x;
        by = y;
      }
  EXPECT_EQ(q.v[0], bx);
  EXPECT_EQ(q.v[1], by);
}

TEST_F(EntryPoints, TheLastTwoPlacementsAreSearched) {
  SetPosition({{1, 1}, {4, 1}, {2, 2}, {6, 2}, {3, 3}, {5, 3}, {1, 7}},
              {{7, 7}, {4, 7}, {6, 6}, {2, 6}, {5, 5}, {3, 5}, {7, 1}}, 2, 2, 2);
  SetDifficulty(3);
  const Proposal p = Play();
  EXPECT_NE(ReadFile("nodes.txt"), "");
  EXPECT_EQ(PieceAt(p.v[0], p.v[1]), EMPTY_POINT);
  EXPECT_EQ(p.v[2], 0);
  // The move is the tree's first-ply choice.
  EXPECT_EQ(g_search.nodes[1].depth, 1u);
  EXPECT_EQ(g_search.nodes[1].move_type, GAMEPART_PLACE);
}

TEST_F(EntryPoints, NothingIsWrittenOnceTheGameIsOver) {
  SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{7, 7}, {6, 6}}, 2, 0, 0);
  EXPECT_TRUE(Play().untouched());
  EXPECT_TRUE(PlayOld().untouched());
}

TEST_F(EntryPoints, TheOnePlyChooserDoesNotFly) {
  SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{7, 7}, {6, 6}, {4, 6}, {2, 6}}, 1, 0, 0);
  EXPECT_TRUE(PlayOld().untouched());
}

TEST_F(EntryPoints, TheOnePlyChooserSlidesTheFirstMovablePiece) {
  // (1,1) is boxed in by (4,1) and (1,4); the next piece in scan order that
  // can move is (1,4) towards (1,7)... unless (2,4) comes first in link order.
  SetPosition({{1, 1}, {4, 1}, {1, 4}, {6, 6}}, {{7, 7}, {2, 4}, {7, 1}, {4, 2}}, 1, 0, 0);
  const Proposal p = PlayOld();
  // (1,1): links (4,1), (1,4) both taken.  (1,4): links (1,1) taken, (1,7) empty.
  EXPECT_EQ(p.v[0], 1);
  EXPECT_EQ(p.v[1], 4);
  EXPECT_EQ(p.v[2], 1);
  EXPECT_EQ(p.v[3], 7);
}

TEST_F(EntryPoints, TheOnePlyChooserRemovesTheBestFreePiece) {
  // Player 2 holds mill 1 and two loose pieces; player 1 removes.  The mill's
  // pieces are never offered, and of the loose ones the higher mark wins.
  SetPosition({{2, 2}, {4, 2}, {6, 2}, {3, 3}}, {{1, 1}, {4, 1}, {7, 1}, {2, 4}, {5, 5}}, 1, 0, 0);
  g_game.removals_due = 1;
  ASSERT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
  EXPECT_GT(RemoveMark(2, 4, 2), RemoveMark(5, 5, 2));
  const Proposal p = PlayOld();
  EXPECT_EQ(p.v[0], 2);
  EXPECT_EQ(p.v[1], 4);
  EXPECT_EQ(p.v[2], 0);
  EXPECT_EQ(p.v[3], 0);
}

TEST_F(EntryPoints, NodeTreeDumpsTwiceAndChangesNothing) {
  std::mt19937 rng(21);
  for (int i = 0; i < 16; ++i) PlayRandomMove(rng);
  SetDifficulty(2);
  const Snapshot before = TakeSnapshot();
  NodeTree();
  EXPECT_EQ(TakeSnapshot(), before);
  const std::string first = ReadFile("nodes.html");
  EXPECT_NE(first.find("jg.drawRect("), std::string::npos);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Created nodes.txt");
  EXPECT_EQ(Boxes()[0].caption, "");
  EXPECT_EQ(TreeDumpRequested(), 0);

  // A search that is not NodeTree leaves the page alone; the next NodeTree
  // rewrites both files.
  PlayRandomMove(rng);
  uint8_t a, b, c, d;
  AI_Play(&a, &b, &c, &d);
  EXPECT_EQ(ReadFile("nodes.html"), first);
  NodeTree();
  EXPECT_NE(ReadFile("nodes.html"), first);
  EXPECT_NE(ReadFile("nodes.txt").find("Finally choose "), std::string::npos);
}

TEST_F(EntryPoints, APageForDifficultyZeroHasNoRows) {
  SetDifficulty(0);
  NodeTree();
  const std::string page = ReadFile("nodes.html");
  EXPECT_EQ(page.find("jg.drawRect("), std::string::npos);
  EXPECT_NE(page.find("</html>\n"), std::string::npos);
}

TEST_F(EntryPoints, AnAgreedDrawGivesNoMove) {
  SetPosition({{1, 1}, {4, 1}, {2, 2}}, {{7, 7}, {6, 6}, {4, 6}}, 1, 0, 0);
  QuestionAnswer() = 6;
  const Proposal p = Play();
  EXPECT_EQ(p.v[0], 0);
  EXPECT_EQ(p.v[2], 0);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_DRAW);
}

TEST_F(EntryPoints, ExportedDifficultyIsClamped) {
  Engine_SetDifficulty(0x1FF);  // low byte 255
  EXPECT_EQ(GetDifficulty(), 31);
  Engine_SetDifficulty(6);
  EXPECT_EQ(GetDifficulty(), 6);
}

// A tree too large for the store is grown again, shallower, until it fits:
// the caller gets the move of the deepest tree that fits and no box.  Only when
// not even two plies fit is the failure shown.
TEST_F(EntryPoints, AFullStoreRetriesShallowerBeforeItGivesUp) {
  SetPosition({{5, 5}, {2, 2}, {1, 7}, {6, 6}, {5, 3}, {3, 3}, {2, 4}, {1, 1}, {4, 6}},
              {{5, 4}, {4, 7}, {4, 2}, {4, 5}, {1, 4}, {4, 3}, {7, 4}, {4, 1}, {3, 4}}, 1, 0, 0);
  Engine_SetDifficulty(6);
  ASSERT_EQ(EffectiveDepth(1), 6u);

  // Record counts and moves of full searches one ply shallower each time.
  uint32_t records[7] = {};
  ChosenMove moves[7];
  for (uint32_t d = 2; d <= 6; ++d) {
    SearchOptions o;
    o.depth_cap = d;
    moves[d] = CreateTree(1, o);
    ASSERT_FALSE(moves[d].store_full);
    records[d] = g_search.count;
  }
  ASSERT_LT(records[4] + 2, records[5]);
  Boxes().clear();

  // Room for the four-ply tree but not the five-ply one.
  SetStoreLimit(records[4] + 1);
  const Snapshot before = TakeSnapshot();
  const Proposal p = Play();
  SetStoreLimit(LAST_NODE_INDEX);
  EXPECT_TRUE(Boxes().empty()) << Boxes().front().text;
  EXPECT_EQ(p.v[0], moves[4].from[0]);
  EXPECT_EQ(p.v[1], moves[4].from[1]);
  EXPECT_EQ(p.v[2], moves[4].to[0]);
  EXPECT_EQ(p.v[3], moves[4].to[1]);
  EXPECT_EQ(g_search.count, records[4]);
  EXPECT_TRUE(TakeSnapshot() == before) << "the retries left the game changed";

  // Not even two plies fit: the one box, and the game is still as it was.
  SetStoreLimit(records[2] - 1);
  Play();
  SetStoreLimit(LAST_NODE_INDEX);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Surpassed memory capacity :(");
  EXPECT_TRUE(TakeSnapshot() == before);
}

// At the deepest setting the first tree never fits; the answer is the one
// stepping down one ply at a time would give, the same tree and files.
TEST_F(EntryPoints, TheDeepestSettingFindsTheDepthSteppingDownFinds) {
  SetPosition({{5, 5}, {2, 2}, {1, 7}, {6, 6}, {5, 3}, {3, 3}, {2, 4}, {1, 1}, {4, 6}},
              {{5, 4}, {4, 7}, {4, 2}, {4, 5}, {1, 4}, {4, 3}, {7, 4}, {4, 1}, {3, 4}}, 1, 0, 0);
  uint32_t records[6] = {};
  for (uint32_t d = 2; d <= 5; ++d) {
    SearchOptions o;
    o.depth_cap = d;
    ASSERT_FALSE(CreateTree(1, o).store_full);
    records[d] = g_search.count;
  }
  Engine_SetDifficulty(200);
  ASSERT_EQ(EffectiveDepth(1), 31u);
  for (const uint32_t limit : {records[2] - 1, records[2], records[3] - 1, records[3] + 1, records[4] + 7,
                               records[5] - 1, records[5] + 1}) {
    SCOPED_TRACE("store limit " + std::to_string(limit));
    SetStoreLimit(limit);
    SearchOptions o;
    o.report_full_store = false;
    ChosenMove step = CreateTree(1, o);
    while (step.store_full && step.depth > 2) {
      o.depth_cap = step.depth - 1;
      step = CreateTree(1, o);
    }
    const uint32_t step_records = g_search.count;
    const std::string step_summary = ReadFile("nodes.txt");
    Boxes().clear();
    const Proposal p = Play();
    SetStoreLimit(LAST_NODE_INDEX);
    if (step.store_full) {
      ASSERT_EQ(Boxes().size(), 1u);
      EXPECT_EQ(Boxes()[0].text, "Surpassed memory capacity :(");
      continue;
    }
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(p.v[0], step.from[0]);
    EXPECT_EQ(p.v[1], step.from[1]);
    EXPECT_EQ(p.v[2], step.to[0]);
    EXPECT_EQ(p.v[3], step.to[1]);
    EXPECT_EQ(g_search.count, step_records);
    EXPECT_EQ(ReadFile("nodes.txt"), step_summary);
  }
}

// NodeTree exists to write its two files: where they cannot be written (here
// folders hold their names, which stops even a privileged user), it says so
// instead of claiming it made them, and the search still answers nothing else.
TEST_F(EntryPoints, NodeTreeSaysWhichFileItCouldNotWrite) {
  SetDifficulty(2);
  std::filesystem::create_directory(dir_ / "nodes.txt");
  NodeTree();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Could not write nodes.txt");
  EXPECT_NE(ReadFile("nodes.html").find("jg.drawRect("), std::string::npos);

  Boxes().clear();
  std::filesystem::remove(dir_ / "nodes.txt");
  std::filesystem::remove(dir_ / "nodes.html");
  std::filesystem::create_directory(dir_ / "nodes.html");
  NodeTree();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Could not write nodes.html");
  EXPECT_NE(ReadFile("nodes.txt").find("Finally choose"), std::string::npos);

  Boxes().clear();
  std::filesystem::remove(dir_ / "nodes.html");
  NodeTree();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Created nodes.txt");
}

}  // namespace
