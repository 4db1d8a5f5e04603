// The game record shared by the game program and the terminal game: the
// notation of the 24 points, turn texts, and saved games replayed through the
// exports, refused with the line named when they do not parse or hold an
// illegal move.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "game_record.h"

using namespace trivane_test;
using game_record::Ply;
using game_record::PlyKind;
using game_record::Square;

namespace {

class GameRecord : public EngineTest {};

TEST_F(GameRecord, PointNamesFollowFilesAndRanks) {
  // Files a..g left to right, ranks 1..7 bottom to top; the engine's y = 1 is
  // the top row.
  EXPECT_EQ(game_record::SquareName({1, 7}), "a1");
  EXPECT_EQ(game_record::SquareName({7, 1}), "g7");
  EXPECT_EQ(game_record::SquareName({4, 6}), "d2");
  EXPECT_EQ(game_record::SquareName({1, 1}), "a7");
  EXPECT_EQ(game_record::SquareName({4, 4}), "");
  EXPECT_EQ(game_record::SquareName({2, 1}), "");
  std::set<std::string> names;
  for (int x = 1; x <= 7; ++x)
    for (int y = 1; y <= 7; ++y) {
      const std::string name = game_record::SquareName({x, y});
      const bool point = Engine_GetPieceTable(x, y) != 255;
      EXPECT_EQ(!name.empty(), point) << x << "," << y;
      if (name.empty()) continue;
      names.insert(name);
      Square back;
      ASSERT_TRUE(game_record::ParseSquare(name, back)) << name;
      EXPECT_EQ(back, (Square{x, y})) << name;
    }
  EXPECT_EQ(names.size(), 24u);
  Square s;
  for (const char* bad : {"d4", "b1", "h1", "a0", "a8", "", "d", "d22", "11"})
    EXPECT_FALSE(game_record::ParseSquare(bad, s)) << bad;
  EXPECT_TRUE(game_record::ParseSquare("D2", s));
}

TEST_F(GameRecord, TurnsJoinAMoveWithItsRemovals) {
  const std::vector<Ply> plies = {
      {PlyKind::Place, {}, {4, 6}},  {PlyKind::Place, {}, {1, 7}}, {PlyKind::Slide, {4, 6}, {4, 5}},
      {PlyKind::Remove, {}, {7, 4}}, {PlyKind::Place, {}, {1, 1}}, {PlyKind::Remove, {}, {4, 6}},
      {PlyKind::Remove, {}, {7, 1}},
  };
  EXPECT_EQ(game_record::TurnTexts(plies), (std::vector<std::string>{"d2", "a1", "d2-d3xg4", "a7xd2xg7"}));
  std::vector<Ply> back, all;
  std::string why;
  for (const std::string& t : game_record::TurnTexts(plies)) {
    ASSERT_TRUE(game_record::ParseTurn(t, back, why)) << t << ": " << why;
    all.insert(all.end(), back.begin(), back.end());
  }
  EXPECT_EQ(all, plies);
  for (const char* bad : {"d2-", "d2x", "d2 d3", "d4", "xd2", "d2-d3xg4xa1xa7", "d2-d3-d5", "d2y"}) {
    EXPECT_FALSE(game_record::ParseTurn(bad, back, why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
}

// A game with a mill and a removal: d2 is (4,6), the row of rank 2 is
// b2-d2-f2, that is (2,6), (4,6), (6,6).
const char* kGame =
    "# Trivane game\n"
    "# Level: HARD\n"
    "# Date: 2026-12-08 13:40 UTC\n"
    "b2\n"
    "a1\n"
    "d2\n"
    "a4\n"
    "\n"
    "f2xa1\n"
    "g7\n";

TEST_F(GameRecord, ASavedGameReplaysToTheStatePlayedDirectly) {
  game_record::GameFile file;
  std::string error;
  ASSERT_TRUE(game_record::LoadGameText(kGame, file, error)) << error;
  EXPECT_EQ(file.level, "HARD");
  EXPECT_EQ(file.date, "2026-12-08 13:40 UTC");
  ASSERT_EQ(file.plies.size(), 7u);
  EXPECT_EQ(file.ply_lines, (std::vector<int>{4, 5, 6, 7, 9, 9, 10}));

  auto snapshot = [] {
    std::vector<uint32_t> s;
    for (uint32_t x = 1; x <= 7; ++x)
      for (uint32_t y = 1; y <= 7; ++y) s.push_back(Engine_GetPieceTable(x, y));
    s.push_back(Engine_GetPlayer());
    s.push_back(Engine_GetRemainingPutPlayerPieces(1));
    s.push_back(Engine_GetRemainingPutPlayerPieces(2));
    s.push_back(GamePart(Engine_GetPlayer()));
    return s;
  };
  const std::vector<uint32_t> loaded = snapshot();

  RestartGame();
  ASSERT_EQ(Engine_MakePlaceMove(2, 6), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(1, 7), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(4, 6), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(1, 4), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(6, 6), 1u);
  ASSERT_EQ(Engine_RemovePlay(1, 7), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(7, 1), 1u);
  EXPECT_EQ(snapshot(), loaded);

  // Written out and read again: the same plies.
  game_record::GameFile again;
  ASSERT_TRUE(game_record::LoadGameText(game_record::FormatGameFile(file), again, error)) << error;
  EXPECT_EQ(again.plies, file.plies);
  EXPECT_EQ(again.level, "HARD");
  EXPECT_EQ(game_record::Replay(file.plies), file.plies.size());
  EXPECT_EQ(snapshot(), loaded);
}

TEST_F(GameRecord, DamagedFilesAreRefusedNamingTheLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"b2\na1\nb2\n", "line 3: \"b2\" is not a legal move here"},
      {"b2\n\nzz\n", "line 3: \"zz\" does not start with a point a1..g7"},
      {"b2\na1xb2\n", "line 2: \"a1xb2\" takes a piece without closing a mill"},
      {"b2\na1\nd2\na4\nf2\ng7\n", "line 5: the move closed a mill but names no piece to take"},
      {"b2-b4\n", "line 1: \"b2-b4\" is not a legal move here"},
      {"# Level: IMPOSSIBLE\nb2\n", "line 1: unknown level \"IMPOSSIBLE\" (EASY, MEDIUM or HARD)"},
      {"b2\n" + std::string(300, 'a') + "\n", "line 2: the line is too long"},
      {"b2\na1\nd2\na4\nf2xd2\n", "line 5: \"f2xd2\" is not a legal move here"},
  };
  for (const Case& c : cases) {
    game_record::GameFile file;
    file.level = "untouched";
    std::string error;
    EXPECT_FALSE(game_record::LoadGameText(c.text, file, error)) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
    EXPECT_EQ(file.level, "untouched") << "a refused file leaves the result alone";
  }
  // No engine box for any of them: a placement in the wrong phase never
  // reaches the engine.
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GameRecord, NoMoveAfterTheGameIsOver) {
  // The placements and shuffle of the draw-rule tests: with twofold
  // repetition the start position's return after four plies ends the game,
  // and a line after that is refused.
  const std::vector<Square> order = {{6, 6}, {2, 4}, {3, 4}, {7, 7}, {7, 4}, {5, 4}, {4, 5}, {1, 1}, {1, 7},
                                     {5, 3}, {5, 5}, {4, 1}, {6, 2}, {6, 4}, {4, 3}, {4, 2}, {7, 1}, {3, 5}};
  std::string text;
  for (const Square& s : order) text += game_record::SquareName(s) + "\n";
  const std::string shuffle[4] = {"a1-d1", "a7-a4", "d1-a1", "a4-a7"};
  for (const std::string& m : shuffle) text += m + "\n";
  Engine_SetDrawRules(2, 0);
  game_record::GameFile file;
  std::string error;
  EXPECT_TRUE(game_record::LoadGameText(text, file, error)) << error;
  EXPECT_TRUE(game_record::GameIsOver());
  EXPECT_FALSE(game_record::LoadGameText(text + "a1-d1\n", file, error));
  EXPECT_EQ(error, "line 23: the game is already over");
  Engine_SetDrawRules(0, 0);
  // Without the rule the same file goes on.
  EXPECT_TRUE(game_record::LoadGameText(text + "a1-d1\n", file, error)) << error;
  EXPECT_FALSE(game_record::GameIsOver());
}

}  // namespace
