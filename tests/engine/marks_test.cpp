// The hint marks on hand-worked positions.
#include <array>
#include <initializer_list>

#include "engine_fixture.h"
#include "marks.h"
#include "rules.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

class Marks : public EngineTest {
 protected:
  static void Put(std::initializer_list<std::array<int, 3>> pieces) {
    for (const auto& p : pieces)
      ASSERT_EQ(PutPiece(static_cast<uint8_t>(p[0]), static_cast<uint8_t>(p[1]), static_cast<uint8_t>(p[2])), 1)
          << p[0] << "," << p[1];
  }
};

TEST_F(Marks, PlacementOnAnEmptyBoard) {
  EXPECT_EQ(PlaceMark(2, 4, 1), 11);
  EXPECT_EQ(PlaceMark(1, 1, 1), 5);
  EXPECT_EQ(PlaceMark(4, 1, 1), 7);
  EXPECT_EQ(PlaceMark(3, 3, 1), 4);
  EXPECT_EQ(PlaceMark(4, 3, 1), 6);
  EXPECT_EQ(PlaceMark(2, 2, 2), 4);
  EXPECT_EQ(PlaceMark(6, 4, 2), 11);
  EXPECT_EQ(PlaceMark(7, 4, 2), 7);
}

TEST_F(Marks, PlacementClosingOrBlockingAMill) {
  Put({{1, 1, 1}, {4, 1, 1}});
  EXPECT_EQ(PlaceMark(7, 1, 1), 15);
  EXPECT_EQ(MillsFormedAt(7, 1, 1), 1);
  EXPECT_EQ(OpposingTwos(7, 1, 2), 1);
  EXPECT_EQ(PlaceMark(7, 1, 2), 11);  // blocks player 1's mill
  EXPECT_EQ(OpposingTwos(7, 1, 1), 0);
  EXPECT_EQ(OpposingTwos(7, 1, 0), 0);
  EXPECT_EQ(OpposingTwos(7, 1, 3), 0);
}

TEST_F(Marks, PlacementAtTheCrossingOfTwoHalfMills) {
  Put({{4, 1, 2}, {7, 1, 2}, {1, 4, 2}, {1, 7, 2}});
  EXPECT_EQ(OpposingTwos(1, 1, 1), 2);
  EXPECT_EQ(PlaceMark(1, 1, 1), 1 + 0 + 0 + 0 + 16);
  EXPECT_EQ(PlaceMark(1, 1, 2), 1 + 0 + 10 + 14);
}

TEST_F(Marks, RemovalOfALoosePiece) {
  Put({{2, 4, 2}});
  EXPECT_EQ(RemoveMark(2, 4, 2), 12);
  Put({{1, 4, 2}, {3, 4, 1}});
  // (1,4): own neighbour (2,4), free (1,1) and (1,7), outer weight 1.
  EXPECT_EQ(RemoveMark(1, 4, 2), 3 + 4 + 1);
}

TEST_F(Marks, RemovalOfAPieceInAMill) {
  Put({{1, 1, 2}, {4, 1, 2}, {7, 1, 2}});
  EXPECT_EQ(RemoveMark(4, 1, 2), 28);
  EXPECT_EQ(MillClosingSlides(4, 1, 2), 0);
  // With (2,2) and (6,2) also held, stepping to (4,2) closes mill 2.
  Put({{2, 2, 2}, {6, 2, 2}});
  EXPECT_EQ(MillClosingSlides(4, 1, 2), 1);
  EXPECT_EQ(RemoveMark(4, 1, 2), 3 * 2 + 4 * 1 + 2 * 1 + 1 + (15 + 10 + 9) + 1);
  // A corner of the full mill with no free link: no bonus.
  Put({{1, 4, 1}});
  EXPECT_EQ(RemoveMark(1, 1, 2), 3 * 1 + 4 * 1 + 1);
}

TEST_F(Marks, MillClosingSlidesCountsOnlyTheOwnersPiece) {
  Put({{2, 2, 1}, {6, 2, 1}, {4, 1, 1}});
  EXPECT_EQ(MillClosingSlides(4, 1, 1), 1);
  EXPECT_EQ(MillClosingSlides(4, 1, 2), 0);
}

}  // namespace
