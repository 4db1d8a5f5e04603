// The board tables: every point's links in stored order, its two mills, the
// mill table, the piece table frame and the node dump.
#include <array>
#include <bit>
#include <cstring>
#include <set>
#include <utility>

#include "board_tables.h"
#include "engine_fixture.h"
#include "geometry.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

class Geometry : public EngineTest {};

TEST_F(Geometry, EveryPointHasItsLinksAndMillsInStoredOrder) {
  for (const PointRecord& p : kPoints) {
    SCOPED_TRACE(testing::Message() << "point " << int(p.x) << "," << int(p.y));
    const BoardNode& n = BOARD.nodes[p.x][p.y];
    EXPECT_EQ(n.links_availiable, p.links);
    EXPECT_EQ(LinkCount(p.x, p.y), p.links);
    const uint8_t* links[4] = {n.link1, n.link2, n.link3, n.link4};
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(links[k][0], p.link[k][0]) << "link" << k + 1;
      EXPECT_EQ(links[k][1], p.link[k][1]) << "link" << k + 1;
      uint8_t lx = 99, ly = 99;
      GetLink(p.x, p.y, static_cast<uint8_t>(k + 1), lx, ly);
      EXPECT_EQ(lx, p.link[k][0]);
      EXPECT_EQ(ly, p.link[k][1]);
    }
    EXPECT_EQ(n.mills_availiable, 2);
    EXPECT_EQ(n.mill_1, p.mill_1);
    EXPECT_EQ(n.mill_2, p.mill_2);
    EXPECT_EQ(n.mill_3, 0);
    EXPECT_GE(n.mill_1, 1);
    EXPECT_LE(n.mill_1, 8);
    EXPECT_GE(n.mill_2, 9);
    EXPECT_LE(n.mill_2, 16);
  }
}

TEST_F(Geometry, CellsThatAreNotPointsHaveZeroRecords) {
  int points = 0;
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      if (FindPoint(x, y)) {
        ++points;
        continue;
      }
      const BoardNode& n = BOARD.nodes[x][y];
      const BoardNode zero{};
      EXPECT_EQ(0, std::memcmp(&n, &zero, sizeof n)) << x << "," << y;
    }
  }
  EXPECT_EQ(points, 24);
}

TEST_F(Geometry, MillTableHoldsSixteenMillsInStoredOrder) {
  for (int m = 0; m < 20; ++m) {
    for (int k = 0; k < 3; ++k) {
      const int want_x = m <= 16 ? kMills[m][k][0] : 0;
      const int want_y = m <= 16 ? kMills[m][k][1] : 0;
      EXPECT_EQ(BOARD.MillTable[m][k][0], want_x) << "mill " << m << " point " << k;
      EXPECT_EQ(BOARD.MillTable[m][k][1], want_y) << "mill " << m << " point " << k;
    }
  }
  // Every point stands in exactly one mill of each direction.
  std::multiset<std::pair<int, int>> seen;
  for (int m = 1; m <= 16; ++m) {
    for (const auto& pt : BOARD.MillTable[m]) seen.insert({pt[0], pt[1]});
  }
  for (const PointRecord& p : kPoints) EXPECT_EQ(seen.count({p.x, p.y}), 2u);
  EXPECT_EQ(seen.size(), 48u);
}

TEST_F(Geometry, ThirtyTwoLinksAllMutual) {
  std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> edges;
  for (const PointRecord& p : kPoints) {
    for (uint8_t k = 1; k <= LinkCount(p.x, p.y); ++k) {
      uint8_t lx = 0, ly = 0;
      GetLink(p.x, p.y, k, lx, ly);
      ASSERT_NE(FindPoint(lx, ly), nullptr);
      bool back = false;
      for (uint8_t j = 1; j <= LinkCount(lx, ly); ++j) {
        uint8_t bx = 0, by = 0;
        GetLink(lx, ly, j, bx, by);
        back = back || (bx == p.x && by == p.y);
      }
      EXPECT_TRUE(back) << int(p.x) << "," << int(p.y) << " -> " << int(lx) << "," << int(ly);
      auto a = std::make_pair(int(p.x), int(p.y));
      auto b = std::make_pair(int(lx), int(ly));
      edges.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
    }
  }
  EXPECT_EQ(edges.size(), 32u);
}

TEST_F(Geometry, GetLinkOutsideOneToFourLeavesOutputs) {
  for (const uint8_t n : std::array<uint8_t, 3>{0, 5, 255}) {
    uint8_t lx = 42, ly = 43;
    GetLink(2, 4, n, lx, ly);
    EXPECT_EQ(lx, 42);
    EXPECT_EQ(ly, 43);
  }
}

TEST_F(Geometry, PieceTableFrameAndCentre) {
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      EXPECT_EQ(g_game.PieceTable[x][y], FindPoint(x, y) ? 0 : 255) << x << "," << y;
    }
  }
  EXPECT_EQ(PieceAt(0, 3), 255);
  EXPECT_EQ(PieceAt(8, 3), 255);
  EXPECT_EQ(PieceAt(3, 0), 255);
  EXPECT_EQ(PieceAt(3, 8), 255);
  EXPECT_EQ(PieceAt(4, 4), 255);
  EXPECT_EQ(PieceAt(255, 255), 255);
  EXPECT_EQ(PieceAt(1, 1), 0);
}

TEST_F(Geometry, FreeLinksAndOwnNeighbours) {
  EXPECT_EQ(FreeLinks(2, 4), 4);
  ASSERT_EQ(Engine_SetPieceTable(2, 2, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(1, 4, 2), 1u);
  EXPECT_EQ(FreeLinks(2, 4), 2);
  EXPECT_EQ(OwnNeighbours(2, 4, 1), 1);
  EXPECT_EQ(OwnNeighbours(2, 4, 2), 1);
  EXPECT_EQ(FreeLinks(4, 4), 0);
}

TEST_F(Geometry, InitEngineLeavesTheConstantTablesAsLoaded) {
  const BoardGeometry before = BOARD;
  InitEngine();
  EXPECT_EQ(0, std::memcmp(&before, &BOARD, sizeof before));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Geometry, AddMillToNodeReportsAThirdMillAndLeavesTheRecord) {
  const BoardNode before = BOARD.nodes[1][1];
  BoardNode node = before;
  AddMillToNode(node, 1, 1, 9);  // already registered: silent
  AddMillToNode(node, 1, 1, 1);
  EXPECT_TRUE(Boxes().empty());
  AddMillToNode(node, 1, 1, 5);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "Out of bounds mills_availiable 1,1=5");
  EXPECT_EQ(Boxes()[0].caption, "error");
  EXPECT_EQ(Boxes()[1].text, "Mills Loaded are 1 and 9");
  EXPECT_EQ(Boxes()[1].caption, "error");
  EXPECT_EQ(Boxes()[1].style, 0u);
  EXPECT_EQ(0, std::memcmp(&before, &node, sizeof before));
}

// The counting that replaces the runtime's popcount in the search: every
// mask of the 24 points, checked against the standard one.
TEST(CountPoints, AgreesWithTheStandardCountOnEveryBoardMask) {
  int wrong = 0;
  for (uint32_t mask = 0; mask <= ALL_POINTS; ++mask) wrong += CountPoints(mask) != std::popcount(mask);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(CountPoints(0xFFFFFFFFu), 32);
}

}  // namespace
