// The per-player piece maps: appended entries, stale cached free-link counts,
// moves that count the source as occupied, swap-with-last deletion and the
// header totals.
#include <array>
#include <cstring>

#include "engine_fixture.h"
#include "fastmap.h"
#include "rules.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

class FastMapOps : public EngineTest {
 protected:
  static std::array<uint8_t, 4> Row(uint8_t row, uint8_t p) {
    return {FastMapByte(row, 0, p), FastMapByte(row, 1, p), FastMapByte(row, 2, p), FastMapByte(row, 3, p)};
  }
  using R = std::array<uint8_t, 4>;
};

TEST_F(FastMapOps, ClearAfterRestart) {
  ASSERT_EQ(PutPiece(1, 1, 1), 1);
  ASSERT_EQ(PutPiece(7, 7, 2), 1);
  RestartGame();
  for (const uint8_t p : std::array<uint8_t, 2>{1, 2}) {
    for (int row = 0; row < 10; ++row) {
      for (int col = 0; col < 4; ++col) EXPECT_EQ(FastMapDEBUG(row, col, p), 0u);
    }
  }
}

TEST_F(FastMapOps, PlacementAppendsWithFreeLinksAndCountsStayStale) {
  ASSERT_EQ(MakePlaceMove(2, 4), 1);
  EXPECT_EQ(PiecesOnBoard(1), 1);
  EXPECT_EQ(Row(1, 1), (R{0, 2, 4, 4}));
  EXPECT_EQ(Mobility(1), 4);
  ASSERT_EQ(MakePlaceMove(2, 2), 1);  // player 2 next to it
  EXPECT_EQ(Row(1, 1), (R{0, 2, 4, 4}));
  EXPECT_EQ(Mobility(1), 4);
  EXPECT_EQ(Row(1, 2), (R{0, 2, 2, 1}));
  EXPECT_EQ(Row(0, 2), (R{0, 1, 0, 1}));
  ASSERT_EQ(MakePlaceMove(1, 4), 1);  // player 1 second piece: (1,1),(1,7) free, (2,4) own
  EXPECT_EQ(Row(2, 1), (R{0, 1, 4, 2}));
  EXPECT_EQ(Row(0, 1), (R{0, 2, 0, 6}));
  EXPECT_EQ(Row(3, 1), (R{0, 0, 0, 0}));
}

TEST_F(FastMapOps, SlideCountsTheSourceAsOccupied) {
  ASSERT_EQ(PutPiece(1, 4, 1), 1);
  ASSERT_EQ(PutPiece(7, 7, 1), 1);
  const uint8_t before = Mobility(1);
  ASSERT_EQ(SlidePiece(1, 4, 2, 4, 1), 1);
  EXPECT_EQ(Row(1, 1), (R{0, 2, 4, 3}));
  EXPECT_EQ(before, 5);  // (1,4) placed with 3 free links, (7,7) with 2
  EXPECT_EQ(Mobility(1), 5);
  EXPECT_EQ(g_game.PieceTable[1][4], 0);
  EXPECT_EQ(g_game.PieceTable[2][4], 1);
  // The moved entry keeps its row: no reordering.
  EXPECT_EQ(Row(2, 1), (R{0, 7, 7, 2}));
}

TEST_F(FastMapOps, FlyKeepsRowAndRecountsAtTarget) {
  ASSERT_EQ(PutPiece(1, 1, 2), 1);
  ASSERT_EQ(PutPiece(5, 5, 2), 1);
  ASSERT_EQ(PutPiece(4, 2, 1), 1);
  ASSERT_EQ(FlyPiece(1, 1, 4, 1, 2), 1);
  // (4,1): links (1,1) [still occupied during the update], (7,1) free, (4,2) taken.
  EXPECT_EQ(Row(1, 2), (R{0, 4, 1, 1}));
  EXPECT_EQ(Mobility(2), 1 + 2);
}

TEST_F(FastMapOps, DeletionMovesTheLastEntryIntoTheGap) {
  ASSERT_EQ(PutPiece(1, 1, 2), 1);  // 2 free
  ASSERT_EQ(PutPiece(2, 4, 2), 1);  // 4 free
  ASSERT_EQ(PutPiece(6, 4, 2), 1);  // 4 free
  ASSERT_EQ(Mobility(2), 10);
  ASSERT_EQ(TakePiece(1, 1, 1), 1);
  EXPECT_EQ(PiecesOnBoard(2), 2);
  EXPECT_EQ(Row(1, 2), (R{0, 6, 4, 4}));
  EXPECT_EQ(Row(2, 2), (R{0, 2, 4, 4}));
  EXPECT_EQ(Row(3, 2), (R{0, 0, 0, 0}));
  EXPECT_EQ(Mobility(2), 8);
  // Deleting the last entry leaves the others in place.
  ASSERT_EQ(TakePiece(2, 4, 1), 1);
  EXPECT_EQ(Row(1, 2), (R{0, 6, 4, 4}));
  EXPECT_EQ(Row(2, 2), (R{0, 0, 0, 0}));
  EXPECT_EQ(Row(0, 2), (R{0, 1, 0, 4}));
}

TEST_F(FastMapOps, OtherPlayersReadAsZeroAndLeaveOutputs) {
  ASSERT_EQ(PutPiece(1, 1, 1), 1);
  for (const uint8_t p : std::array<uint8_t, 3>{0, 3, 255}) {
    EXPECT_EQ(PiecesOnBoard(p), 0);
    EXPECT_EQ(Mobility(p), 0);
    EXPECT_EQ(FastMapDEBUG(1, 1, p), 0u);
    uint8_t x = 9, y = 9;
    MapEntry(1, p, x, y);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 9);
  }
  uint8_t x = 0, y = 0;
  MapEntry(1, 1, x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(FastMapDEBUG(10, 0, 1), 0u);
  EXPECT_EQ(FastMapDEBUG(0, 4, 1), 0u);
}

TEST_F(FastMapOps, TenthPieceIsRefusedAndChangesNothing) {
  const uint8_t points[10][2] = {{1, 1}, {4, 1}, {7, 1}, {2, 2}, {4, 2}, {6, 2}, {3, 3}, {4, 3}, {5, 3}, {1, 4}};
  for (int i = 0; i < 9; ++i) ASSERT_EQ(Engine_SetPieceTable(points[i][0], points[i][1], 1), 1u) << i;
  const GameState before = g_game;
  EXPECT_EQ(Engine_SetPieceTable(1, 4, 1), 0u);
  EXPECT_EQ(0, std::memcmp(&before, &g_game, sizeof before));
  EXPECT_EQ(PiecesOnBoard(1), 9);
  EXPECT_EQ(Engine_GetPieceTable(1, 4), 0u);
}

TEST_F(FastMapOps, InconsistenciesAreReportedAndLeaveTheMap) {
  ASSERT_EQ(PutPiece(1, 1, 1), 1);
  const GameState before = g_game;
  EXPECT_FALSE(map_piece(2, 2, 3));
  move_map_piece(7, 7, 4, 7, 1);
  unmap_piece(6, 4, 2);
  unmap_piece(1, 1, 2);  // the cell holds player 1's piece, not player 2's
  const auto texts = TakeTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "MAP_PIECE WRONG PLAYER :P");
  EXPECT_EQ(texts[1], "NOT MAPPED move_map_piece :( 7,7");
  EXPECT_EQ(texts[2], "NOT MAPPED :( 6,4");
  EXPECT_EQ(texts[3], "NOT MAPPED :( 1,1");
  EXPECT_EQ(0, std::memcmp(&before, &g_game, sizeof before));
}

}  // namespace
