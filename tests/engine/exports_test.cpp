// The exported interface as the game program sees it (the shared library,
// nothing else visible): start state, identification, raw board access, the
// marks' precondition boxes, the node dump, whole games played by two callers,
// and every export fed bytes and 32-bit values it should refuse.
#include <cstdint>
#include <string>
#include <vector>

#include "board_tables.h"
#include "engine_fixture.h"
#include "export_driver.h"

using namespace trivane_test;

namespace {

class Exports : public EngineTest {};

TEST_F(Exports, StateAfterInitEngine) {
  EXPECT_EQ(Engine_GetPlayer(), 1u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(1), 9u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(2), 9u);
  EXPECT_EQ(Engine_GetPieceTable(4, 4), 255u);
  EXPECT_EQ(Engine_GetPieceTable(1, 1), 0u);
  EXPECT_EQ(Engine_GetPieceTable(0, 5), 255u);
  EXPECT_EQ(Engine_GetPieceTable(8, 1), 255u);
  EXPECT_EQ(Engine_Error(), 0u);
  EXPECT_EQ(GamePart(1), 1u);
  for (int x = 1; x <= 7; ++x) {
    for (int y = 1; y <= 7; ++y) {
      EXPECT_EQ(Engine_GetPieceTable(x, y), FindPoint(x, y) ? 0u : 255u) << x << "," << y;
      EXPECT_EQ(Engine_PieceAllowedTable(x, y), FindPoint(x, y) ? 1u : 0u) << x << "," << y;
    }
  }
}

TEST_F(Exports, IdentificationText) {
  ASSERT_EQ(Engine_Info_Size(), 25);
  std::string text;
  for (int i = 0; i < Engine_Info_Size(); ++i) text += static_cast<char>(Engine_Info(i));
  EXPECT_EQ(text, "IRVA AI Project #1 v.1049");
  EXPECT_EQ(Engine_Info(0), 'I');
  EXPECT_EQ(Engine_Info(24), '9');
  for (uint32_t i = 25; i <= 255; ++i) EXPECT_EQ(Engine_Info(i), 0) << i;
  EXPECT_EQ(Engine_Info(0xFFFFFFFFu), 0);
  EXPECT_EQ(Engine_Info(0x100u + 24), '9');  // only the low byte is read
}

TEST_F(Exports, RawPlacementKeepsTheTurn) {
  EXPECT_EQ(Engine_SetPieceTable(1, 1, 2), 1u);
  EXPECT_EQ(Engine_GetPlayer(), 1u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(1), 9u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(2), 9u);
  EXPECT_EQ(Engine_GetPieceTable(1, 1), 2u);
  EXPECT_EQ(Engine_PlayerPieceExistsTable(1, 1, 2), 1u);
  EXPECT_EQ(Engine_PlayerPieceExistsTable(1, 1, 1), 0u);
  EXPECT_EQ(Engine_PieceAllowedTable(1, 1), 0u);
  EXPECT_EQ(FastMapDEBUG(0, 1, 2), 1u);
  EXPECT_EQ(Engine_SetPieceTable(1, 1, 2), 0u);
  EXPECT_EQ(Engine_SetPieceTable(1, 1, 1), 0u);
  EXPECT_EQ(Engine_SetPieceTable(4, 4, 1), 0u);
  EXPECT_EQ(Engine_SetPieceTable(0, 1, 1), 0u);
  EXPECT_EQ(Engine_GetPieceTable(4, 4), 255u);
  EXPECT_EQ(FastMapDEBUG(0, 1, 1), 0u);
  // Completing a row raw earns nothing.
  EXPECT_EQ(Engine_SetPieceTable(4, 1, 2), 1u);
  EXPECT_EQ(Engine_SetPieceTable(7, 1, 2), 1u);
  EXPECT_EQ(GamePart(1), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(2, 2), 1u);
  EXPECT_EQ(Engine_GetPlayer(), 2u);
}

TEST_F(Exports, MarkPreconditionsShowTheirBoxes) {
  EXPECT_EQ(Engine_Place_Mark(4, 4, 1), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Not possible to place in this space");
  EXPECT_EQ(Boxes()[0].caption, "");
  EXPECT_EQ(Boxes()[0].style, 0u);
  EXPECT_EQ(Engine_Remove_Mark(1, 1, 1), 0u);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, "Not possible to remove in this space");
  EXPECT_EQ(Boxes()[1].caption, "");
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  EXPECT_EQ(Engine_Place_Mark(1, 1, 2), 0);
  EXPECT_EQ(Engine_Remove_Mark(1, 1, 2), 0u);
  EXPECT_EQ(Boxes().size(), 4u);
  EXPECT_EQ(Engine_Remove_Mark(1, 1, 1), 2u * 2 + 1);
  EXPECT_EQ(Boxes().size(), 4u);
}

TEST_F(Exports, MarksOnWorkedPositions) {
  EXPECT_EQ(Engine_Place_Mark(2, 4, 1), 11);
  EXPECT_EQ(Engine_Place_Mark(1, 1, 1), 5);
  EXPECT_EQ(Engine_Place_Mark(4, 1, 1), 7);
  EXPECT_EQ(Engine_Place_Mark(3, 3, 1), 4);
  EXPECT_EQ(Engine_Place_Mark(4, 3, 1), 6);
  ASSERT_EQ(Engine_SetPieceTable(1, 1, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(4, 1, 1), 1u);
  EXPECT_EQ(Engine_Place_Mark(7, 1, 1), 15);
  EXPECT_EQ(Engine_Place_Mark(7, 1, 2), 11);
  RestartGame();
  ASSERT_EQ(Engine_SetPieceTable(2, 4, 2), 1u);
  EXPECT_EQ(Engine_Remove_Mark(2, 4, 2), 12u);
  RestartGame();
  for (auto [x, y] : {std::pair{1, 1}, {4, 1}, {7, 1}}) ASSERT_EQ(Engine_SetPieceTable(x, y, 2), 1u);
  EXPECT_EQ(Engine_Remove_Mark(4, 1, 2), 28u);
  EXPECT_TRUE(Boxes().empty());
}

std::string NodeText(int x, int y) {
  const PointRecord* r = FindPoint(x, y);
  auto n = [](int v) { return std::to_string(v); };
  std::string text = "Data For Node " + n(x) + "," + n(y) + "\n";
  text += "links_availiable=" + n(r ? r->links : 0) + "\n";
  for (int k = 0; k < 4; ++k)
    text += "link" + n(k + 1) + "=" + n(r ? r->link[k][0] : 0) + "," + n(r ? r->link[k][1] : 0) + "\n";
  text += "mills_availiable=" + n(r ? 2 : 0) + "\n";
  text += "mill_1=" + n(r ? r->mill_1 : 0) + "\nmill_2=" + n(r ? r->mill_2 : 0) + "\nmill_3=0\n";
  return text;
}

TEST_F(Exports, NodeDumpText) {
  Engine_PrintNodeData(1, 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text,
            "Data For Node 1,1\nlinks_availiable=2\nlink1=4,1\nlink2=1,4\nlink3=0,0\nlink4=0,0\n"
            "mills_availiable=2\nmill_1=1\nmill_2=9\nmill_3=0\n");
  EXPECT_EQ(Boxes()[0].caption, "Node Data");
  EXPECT_EQ(Boxes()[0].style, 0u);
  Boxes().clear();
  Engine_PrintNodeData(4, 4);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text,
            "Data For Node 4,4\nlinks_availiable=0\nlink1=0,0\nlink2=0,0\nlink3=0,0\nlink4=0,0\n"
            "mills_availiable=0\nmill_1=0\nmill_2=0\nmill_3=0\n");
  Boxes().clear();
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      Engine_PrintNodeData(x, y);
      ASSERT_EQ(Boxes().size(), 1u);
      EXPECT_EQ(Boxes()[0].text, NodeText(x, y));
      Boxes().clear();
    }
  }
}

TEST_F(Exports, RestartKeepsTheGeometry) {
  Engine_PrintNodeData(1, 1);
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(4, 1), 1u);
  RestartGame();
  Engine_PrintNodeData(1, 1);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, Boxes()[1].text);
  EXPECT_EQ(Engine_GetPieceTable(1, 1), 0u);
  EXPECT_EQ(Engine_GetPieceTable(4, 1), 0u);
  EXPECT_EQ(Engine_GetPlayer(), 1u);
}

TEST_F(Exports, SetPlayerTakesOnlyRealPlayers) {
  Engine_SetPlayer(2);
  EXPECT_EQ(Engine_GetPlayer(), 2u);
  for (uint32_t v : {0u, 3u, 255u, 0x100u, 0xFFFFFFFFu}) {
    Engine_SetPlayer(v);
    EXPECT_EQ(Engine_GetPlayer(), 2u) << v;
  }
  Engine_SetPlayer(0x101u);
  EXPECT_EQ(Engine_GetPlayer(), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  EXPECT_EQ(Engine_GetPieceTable(1, 1), 1u);
}

TEST_F(Exports, SlideWhilePlacingIsACallerError) {
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(7, 7), 1u);
  const Observed before = Observe();
  EXPECT_EQ(Engine_MakeSlideMove(1, 1, 4, 1), 0u);
  EXPECT_EQ(Differences(Observe(), before), "");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Call to part I from part II !");
}

// A game to a win: player 1 closes a mill with the ninth placement, then
// shuttles one piece between two mills; player 2 goes down to three pieces,
// flies, and is taken down to two.
TEST_F(Exports, GameToAWin) {
  Caller one, two;
  one.moves = {{1, 1},       {7, 1}, {2, 2},       {6, 2}, {4, 3},       {7, 7}, {5, 5},       {2, 6},
               {4, 2},       {1, 7}, {4, 2, 4, 1}, {7, 4}, {4, 1, 4, 2}, {5, 4}, {4, 2, 4, 1}, {6, 6},
               {4, 1, 4, 2}, {4, 5}, {4, 2, 4, 1}, {1, 7}, {4, 1, 4, 2}, {6, 6}};
  two.moves = {{1, 4}, {2, 4}, {1, 7},       {3, 3},       {3, 5},       {4, 6},       {5, 3},
               {6, 4}, {7, 4}, {6, 4, 5, 4}, {4, 6, 6, 6}, {3, 5, 4, 5}, {1, 4, 1, 7}, {2, 4, 6, 6}};
  EXPECT_EQ(PlayThroughExports(one, two), 5);
  EXPECT_TRUE(one.moves.empty());
  EXPECT_TRUE(two.moves.empty());
  EXPECT_EQ(GamePart(1), 5u);
  EXPECT_EQ(GamePart(2), 5u);
  int flying = 0;
  for (int c : two.codes_seen) flying += c == 3;
  EXPECT_EQ(flying, 1) << "player 2 flew once with three pieces";
  int removals = 0;
  for (int c : one.codes_seen) removals += c == 4;
  EXPECT_EQ(removals, 7);
  uint32_t pieces2 = 0;
  for (const PointRecord& r : kPoints) pieces2 += Engine_PlayerPieceExistsTable(r.x, r.y, 2);
  EXPECT_EQ(pieces2, 2u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(1), 0u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(2), 0u);
  EXPECT_TRUE(Boxes().empty());
  RestartGame();
  EXPECT_EQ(GamePart(1), 1u);
}

// Player 2 ends the placing with every piece on a corner hemmed in by player
// 1's midpoints; once player 1 has moved, player 2 cannot and has lost.
TEST_F(Exports, GameToABlockedLoss) {
  Caller one, two;
  one.moves = {{4, 1}, {1, 4}, {7, 4}, {4, 7}, {4, 2}, {2, 4}, {6, 4}, {4, 6}, {4, 3}, {1, 1}, {4, 3, 3, 3}};
  two.moves = {{1, 1}, {7, 1}, {7, 7}, {1, 7}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {1, 1}};
  EXPECT_EQ(PlayThroughExports(one, two), 5);
  EXPECT_TRUE(one.moves.empty());
  EXPECT_TRUE(two.moves.empty());
  EXPECT_EQ(two.codes_seen.back(), 5);
  EXPECT_EQ(FastMapDEBUG(0, 1, 2), 8u);
  EXPECT_EQ(GamePart(2), 5u);
  EXPECT_TRUE(Boxes().empty());
}

// A game in which both sides come down to three pieces after the placing; the
// proposition is asked once, and an accepted draw stands for both.
const std::deque<Move> kDrawGame1 = {
    {7, 1},       {2, 4},       {3, 5},       {6, 4},       {6, 4},       {3, 3},       {3, 4},
    {4, 3},       {7, 7},       {1, 4},       {2, 6},       {2, 4, 2, 6}, {2, 6, 2, 4}, {6, 2},
    {7, 7, 4, 7}, {6, 4, 6, 6}, {2, 4, 2, 6}, {2, 6, 2, 4}, {1, 1},       {2, 4, 2, 6}, {2, 6, 2, 4},
    {4, 2},       {2, 4, 2, 6}, {3, 4, 2, 4}, {2, 4, 3, 4}, {1, 4},       {2, 6, 4, 6}};
const std::deque<Move> kDrawGame2 = {
    {2, 6},       {5, 5}, {5, 3},       {5, 4},       {6, 4},       {4, 2},       {4, 3},
    {4, 3},       {4, 1}, {7, 1},       {1, 7},       {4, 2, 6, 2}, {4, 1, 1, 1}, {5, 5, 4, 5},
    {4, 5, 5, 5}, {6, 6}, {5, 5, 4, 5}, {4, 5, 5, 5}, {4, 7},       {4, 3, 4, 2}, {5, 4, 6, 4},
    {6, 4, 5, 4}, {1, 4}, {1, 7, 1, 4}, {5, 4, 7, 1}, {7, 1, 5, 4}, {4, 6}};

TEST_F(Exports, GameToAnAgreedDraw) {
  Caller one, two;
  one.moves = kDrawGame1;
  two.moves = kDrawGame2;
  AnswerNextQuestion(kYes);
  EXPECT_EQ(PlayThroughExports(one, two), 7);
  EXPECT_TRUE(one.moves.empty());
  EXPECT_TRUE(two.moves.empty());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Would you like to end this game as a draw ?");
  EXPECT_EQ(Boxes()[0].caption, "Draw Proposition...");
  EXPECT_EQ(Boxes()[0].style, kQuestionStyle);
  EXPECT_EQ(FastMapDEBUG(0, 1, 1), 3u);
  EXPECT_EQ(FastMapDEBUG(0, 1, 2), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(GamePart(1), 7u);
    EXPECT_EQ(GamePart(2), 7u);
  }
  EXPECT_EQ(Boxes().size(), 1u);
  RestartGame();
  EXPECT_EQ(GamePart(1), 1u);
  EXPECT_EQ(GamePart(2), 1u);
}

TEST_F(Exports, DeclinedDrawGoesOnFlying) {
  Caller one, two;
  one.moves = kDrawGame1;
  two.moves = kDrawGame2;
  AnswerNextQuestion(kNo);
  const int code = PlayThroughExports(one, two);
  EXPECT_EQ(code, 3);
  ASSERT_EQ(Boxes().size(), 1u);
  const uint32_t p = Engine_GetPlayer();
  EXPECT_EQ(GamePart(p), 3u);
  EXPECT_EQ(GamePart(3 - p), 3u);
  EXPECT_EQ(Boxes().size(), 1u);
}

#if !defined(_WIN32)
TEST_F(Exports, WithoutAHandlerBoxesGoToStderrAndTheDrawIsDeclined) {
  Engine_SetMessageHandler(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Engine_Place_Mark(4, 4, 1), 0);
  Caller one, two;
  one.moves = kDrawGame1;
  two.moves = kDrawGame2;
  EXPECT_EQ(PlayThroughExports(one, two), 3);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Not possible to place in this space"), std::string::npos) << err;
  EXPECT_NE(err.find("Draw Proposition..."), std::string::npos) << err;
  EXPECT_NE(err.find("Would you like to end this game as a draw ?"), std::string::npos) << err;
  EXPECT_TRUE(Boxes().empty());
}
#endif

// The last placement of the game closes a mill: its player removes before the
// turn passes, and the opponent then makes the first slide.
TEST_F(Exports, MillByTheLastPlacement) {
  Caller one, two;
  one.moves = {{1, 1}, {4, 2}, {6, 6}, {3, 4}, {5, 4}, {2, 2}, {7, 1}, {4, 6}, {1, 4}};
  two.moves = {{7, 7}, {4, 7}, {2, 6}, {5, 3}, {3, 3}, {6, 4}, {4, 5}, {5, 5}, {1, 7}};
  EXPECT_EQ(PlayThroughExports(one, two), 4);
  EXPECT_EQ(Engine_GetPlayer(), 2u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(2), 0u);
  const Observed before = Observe();
  EXPECT_EQ(Engine_MakeSlideMove(2, 6, 2, 4), 0u);
  EXPECT_EQ(Engine_MakePlaceMove(3, 5), 0u);
  EXPECT_EQ(Differences(Observe(), before), "");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Call to part II from part I !");
  EXPECT_EQ(GamePart(2), 4u);
  EXPECT_EQ(Engine_RemovePlay(3, 4), 1u);
  EXPECT_EQ(Engine_GetPlayer(), 1u);
  EXPECT_EQ(GamePart(1), 2u);
  EXPECT_EQ(Engine_MakeSlideMove(1, 4, 2, 4), 1u);
  EXPECT_EQ(Engine_GetPlayer(), 2u);
  EXPECT_EQ(GamePart(2), 2u);
}

// Values that are no coordinates, players, rows or indexes: all refused or
// read as the documented defaults, and nothing changes.
TEST_F(Exports, OutOfRangeArgumentsAreRefused) {
  ASSERT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(2, 2), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(4, 1), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(6, 6), 1u);
  ASSERT_EQ(Engine_MakePlaceMove(7, 1), 1u);  // mill: a removal is due
  ASSERT_EQ(GamePart(1), 4u);
  const Observed before = Observe();

  std::vector<uint32_t> values;
  for (uint32_t v = 0; v <= 255; ++v) values.push_back(v);
  for (uint32_t v : {0x100u, 0x108u, 0x1FFu, 0x80000000u, 0x80000009u, 0x7FFFFFFFu, 0xFFFFFF08u, 0xFFFFFFFFu})
    values.push_back(v);
  auto cell_ok = [](uint32_t v) { return (v & 0xFF) < 8; };
  auto point_coord = [](uint32_t v) { return (v & 0xFF) >= 1 && (v & 0xFF) <= 7; };

  for (uint32_t x : values) {
    for (uint32_t y : values) {
      const uint32_t lx = x & 0xFF, ly = y & 0xFF;
      const uint32_t piece = Engine_GetPieceTable(x, y);
      if (point_coord(x) && point_coord(y)) ASSERT_EQ(piece, before.cells[lx * 8 + ly]) << x << "," << y;
      else ASSERT_EQ(piece, 255u) << x << "," << y;
      const bool in_grid = cell_ok(x) && cell_ok(y);
      ASSERT_EQ(Engine_PieceAllowedTable(x, y), in_grid && piece == 0 ? 1u : 0u) << x << "," << y;
      ASSERT_EQ(Engine_PlayerPieceExistsTable(x, y, 1), in_grid && piece == 1 ? 1u : 0u) << x << "," << y;
      if (in_grid) continue;  // the calls below would act on a real cell
      ASSERT_EQ(Engine_SetPieceTable(x, y, 1), 0u);
      ASSERT_EQ(Engine_MakePlaceMove(x, y), 0u);
      ASSERT_EQ(Engine_RemovePlay(x, y), 0u);
      ASSERT_EQ(Engine_MakeSlideMove(x, y, 3, 3), 0u);
      ASSERT_EQ(Engine_MakeSlideMove(1, 1, x, y), 0u);
      ASSERT_EQ(Engine_MakeSlideMove(x, y, x, y), 0u);
      ASSERT_EQ(Engine_Place_Mark(x, y, 1), 0);
      ASSERT_EQ(Engine_Remove_Mark(x, y, 2), 0u);
      Engine_PrintNodeData(x, y);
    }
  }
  EXPECT_TRUE(Boxes().empty()) << Boxes().size() << " boxes, first: " << Boxes()[0].text;

  for (uint32_t p : values) {
    const bool real = (p & 0xFF) == 1 || (p & 0xFF) == 2;
    EXPECT_EQ(GamePart(p), real ? 4u : 0u) << p;
    EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(p), real ? ((p & 0xFF) == 1 ? 6u : 7u) : 0u) << p;
    if (real) continue;
    EXPECT_EQ(Engine_PlayerPieceExistsTable(1, 1, p), 0u) << p;
    EXPECT_EQ(Engine_SetPieceTable(3, 3, p), 0u) << p;
    EXPECT_EQ(Engine_Place_Mark(3, 3, p), 0) << p;
    EXPECT_EQ(Engine_Remove_Mark(1, 1, p), 0u) << p;
    EXPECT_EQ(FastMapDEBUG(1, 1, p), 0u) << p;
    Engine_SetPlayer(p);
    EXPECT_EQ(Engine_GetPlayer(), 1u) << p;
  }
  for (uint32_t r : values) {
    for (uint32_t c : {0u, 1u, 3u, 4u, 200u, 0x101u, 0xFFFFFFFFu}) {
      const bool in_map = (r & 0xFF) < 10 && (c & 0xFF) < 4;
      const uint32_t want = in_map ? before.maps[(r & 0xFF) * 4 + (c & 0xFF)] : 0u;
      EXPECT_EQ(FastMapDEBUG(r, c, 1), want) << r << "," << c;
    }
  }
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Differences(Observe(), before), "");
  EXPECT_EQ(GamePart(1), 4u);
  EXPECT_EQ(Engine_RemovePlay(0x102u, 0xFFFFFF02u), 1u) << "low bytes 2,2: player 2's piece";
  EXPECT_EQ(Engine_GetPieceTable(2, 2), 0u);
}

TEST_F(Exports, TenthPieceOfAPlayerIsRefused) {
  int put = 0;
  for (const PointRecord& r : kPoints) {
    if (put == 9) {
      EXPECT_EQ(Engine_SetPieceTable(r.x, r.y, 2), 0u);
      EXPECT_EQ(Engine_GetPieceTable(r.x, r.y), 0u);
      break;
    }
    ASSERT_EQ(Engine_SetPieceTable(r.x, r.y, 2), 1u);
    ++put;
  }
  EXPECT_EQ(FastMapDEBUG(0, 1, 2), 9u);
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
