// The library as loaded, before InitEngine: this program must make no other
// engine call first, so it holds only tests that each start from a fresh load
// (ctest runs every test in a process of its own).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TrivaneEngine.h"

namespace {

TEST(FreshlyLoadedEngine, BoardIsZeroInsideAndOffBoardOutside) {
  for (uint32_t x = 0; x <= 9; ++x) {
    for (uint32_t y = 0; y <= 9; ++y) {
      const bool inside = x >= 1 && x <= 7 && y >= 1 && y <= 7;
      EXPECT_EQ(Engine_GetPieceTable(x, y), inside ? 0u : 255u) << x << "," << y;
    }
  }
  EXPECT_EQ(Engine_GetPlayer(), 1u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(1), 9u);
  EXPECT_EQ(Engine_GetRemainingPutPlayerPieces(2), 9u);
  EXPECT_EQ(Engine_Error(), 0u);
  EXPECT_EQ(Engine_Info_Size(), 25);
  EXPECT_EQ(Engine_Info(0), 'I');
  for (uint32_t row = 0; row < 10; ++row) {
    for (uint32_t col = 0; col < 4; ++col) {
      EXPECT_EQ(FastMapDEBUG(row, col, 1), 0u);
      EXPECT_EQ(FastMapDEBUG(row, col, 2), 0u);
    }
  }
}

std::vector<std::string>& Texts() {
  static std::vector<std::string> texts;
  return texts;
}

int Record(const char* text, const char*, unsigned style) {
  Texts().push_back(text);
  return (style & 0x0F) == 0x04 ? 7 : 1;
}

// Before the board is set up every cell inside reads as empty, non-points too:
// moves and searches wait for InitEngine (or RestartGame) and say so.
TEST(FreshlyLoadedEngine, MovesAndSearchesWaitForTheBoard) {
  Engine_SetMessageHandler(Record);
  EXPECT_EQ(Engine_MakePlaceMove(2, 1), 0u);  // not a point
  EXPECT_EQ(Engine_MakePlaceMove(1, 1), 0u);
  EXPECT_EQ(Engine_SetPieceTable(3, 1, 1), 0u);
  EXPECT_EQ(Engine_MakeSlideMove(1, 1, 4, 1), 0u);
  EXPECT_EQ(Engine_RemovePlay(1, 1), 0u);
  uint8_t v[4] = {99, 99, 99, 99};
  AI_Play(&v[0], &v[1], &v[2], &v[3]);
  AI_PlayOLD(&v[0], &v[1], &v[2], &v[3]);
  EXPECT_EQ(v[0], 99);
  EXPECT_EQ(v[2], 99);
  uint8_t list[4 * TRIVANE_MAX_MOVES];
  EXPECT_EQ(Engine_LegalMoves(list, TRIVANE_MAX_MOVES), 0u);
  EXPECT_EQ(Engine_GetPieceTable(2, 1), 0u);
  EXPECT_EQ(Engine_GetPieceTable(1, 1), 0u);
  ASSERT_EQ(Texts().size(), 7u);
  for (const std::string& t : Texts()) EXPECT_EQ(t, "Call InitEngine first !");

  // RestartGame alone sets the board up: the geometry is there from the load.
  Texts().clear();
  RestartGame();
  EXPECT_EQ(Engine_GetPieceTable(2, 1), 255u);
  EXPECT_EQ(Engine_MakePlaceMove(2, 1), 0u);
  EXPECT_EQ(Engine_LegalMoves(list, TRIVANE_MAX_MOVES), 24u);
  EXPECT_EQ(Engine_MakePlaceMove(1, 1), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(4, 1), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(1, 4), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(4, 2), 1u);
  EXPECT_EQ(Engine_MakePlaceMove(1, 7), 1u);  // closes mill (1,1) (1,4) (1,7)
  EXPECT_EQ(GamePart(1), static_cast<uint32_t>(TRIVANE_PHASE_REMOVE));
  EXPECT_TRUE(Texts().empty());
  Engine_SetMessageHandler(nullptr);
}

}  // namespace
