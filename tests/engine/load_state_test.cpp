// The library as loaded, before InitEngine: this program must make no other
// engine call first, so it holds this one test alone.
#include <gtest/gtest.h>

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

}  // namespace
