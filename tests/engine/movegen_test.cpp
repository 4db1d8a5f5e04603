// The move generator and the compact position against the referee: over seeded
// games through every phase, the generated moves are exactly the moves the
// referee accepts, in the search's order, and a move made on the compact
// position leaves exactly what the referee's move leaves in the game (piece
// rows, their order and the cached counts included).
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "board_tables.h"
#include "engine_fixture.h"
#include "movegen.h"
#include "rules.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

using Key = std::tuple<int, int, int, int>;

Key KeyOf(const Move& m) {
  return {BOARD.masks.x[m.from], BOARD.masks.y[m.from], m.to == NO_POINT ? 0 : BOARD.masks.x[m.to],
          m.to == NO_POINT ? 0 : BOARD.masks.y[m.to]};
}

// Every action of the phase tried on a copy of the game; the accepted ones.
std::set<Key> RefereeMoves(uint8_t g) {
  std::set<Key> accepted;
  const GameState saved = g_game;
  for (const PointRecord& from : kPoints) {
    if (g == GAMEPART_PLACE || g == GAMEPART_REMOVE) {
      const uint8_t done = g == GAMEPART_PLACE ? MakePlaceMove(from.x, from.y) : RemovePiece(from.x, from.y);
      if (done) accepted.insert({from.x, from.y, 0, 0});
      g_game = saved;
      continue;
    }
    for (const PointRecord& to : kPoints) {
      if (MakeSlideMove(from.x, from.y, to.x, to.y)) accepted.insert({from.x, from.y, to.x, to.y});
      g_game = saved;
    }
  }
  return accepted;
}

bool SamePosition(const Position& a, const Position& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class MoveGenerator : public EngineTest {};

TEST_F(MoveGenerator, AgreesWithTheRefereeThroughSeededGames) {
  int phases_seen[8] = {};
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    RestartGame();
    for (int ply = 0; ply < 250; ++ply) {
      const uint8_t g = GamePartWithoutDrawOffer(GetPlayer());
      const Position s = PositionFromGame(g_game);
      ASSERT_TRUE(MovesTakeEffect(s));
      ASSERT_EQ(PositionPhase(s), g) << "seed " << seed << " ply " << ply;
      ++phases_seen[g];
      Move moves[MAX_MOVES];
      const int n = GenerateMoves(s, s.to_move, g, moves);
      if (g >= GAMEPART_PLAYER1_WON) {
        EXPECT_EQ(n, 0);
        break;
      }
      std::set<Key> generated;
      for (int k = 0; k < n; ++k) generated.insert(KeyOf(moves[k]));
      ASSERT_EQ(generated.size(), static_cast<size_t>(n)) << "a move generated twice";
      ASSERT_EQ(generated, RefereeMoves(g)) << "seed " << seed << " ply " << ply << " phase " << int(g);
      if (n == 0) break;

      // Every generated move made both ways.
      const GameState saved = g_game;
      for (int k = 0; k < n; ++k) {
        const auto [fx, fy, tx, ty] = KeyOf(moves[k]);
        const auto u8 = [](int v) { return static_cast<uint8_t>(v); };
        const uint8_t done = g == GAMEPART_PLACE    ? MakePlaceMove(u8(fx), u8(fy))
                             : g == GAMEPART_REMOVE ? RemovePiece(u8(fx), u8(fy))
                                                    : MakeSlideMove(u8(fx), u8(fy), u8(tx), u8(ty));
        ASSERT_EQ(done, 1);
        Position made = s;
        MakeMove(made, moves[k]);
        ASSERT_TRUE(SamePosition(made, PositionFromGame(g_game)))
            << "seed " << seed << " ply " << ply << " move " << k;
        EXPECT_EQ(LoserOf(made), CheckGameOver());
        GameState back = saved;
        PositionToGame(made, back);
        EXPECT_EQ(0, std::memcmp(back.PieceTable, g_game.PieceTable, sizeof back.PieceTable));
        EXPECT_EQ(0, std::memcmp(back.FastMap, g_game.FastMap, sizeof back.FastMap));
        g_game = saved;
      }
      const int pick = std::uniform_int_distribution<int>(0, n - 1)(rng);
      Position next = s;
      MakeMove(next, moves[pick]);
      PositionToGame(next, g_game);
    }
  }
  for (uint8_t g = GAMEPART_PLACE; g <= GAMEPART_PLAYER2_WON; ++g)
    EXPECT_GT(phases_seen[g], 0) << "phase " << int(g);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MoveGenerator, SlidesFollowThePieceRowsAndTheLinkOrder) {
  // Player 1's rows: (4,2), then (1,1); (4,2) links to (2,2)... in stored order.
  ASSERT_EQ(Engine_SetPieceTable(4, 2, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(1, 1, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(7, 7, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(1, 4, 1), 1u);
  ASSERT_EQ(Engine_SetPieceTable(4, 3, 2), 1u);
  ASSERT_EQ(Engine_SetPieceTable(5, 3, 2), 1u);
  ASSERT_EQ(Engine_SetPieceTable(6, 6, 2), 1u);
  g_game.remaining_put_pieces[1] = g_game.remaining_put_pieces[2] = 0;
  const Position s = PositionFromGame(g_game);
  ASSERT_EQ(PositionPhase(s), GAMEPART_SLIDE);
  Move moves[MAX_MOVES];
  const int n = GenerateMoves(s, 1, GAMEPART_SLIDE, moves);
  std::vector<Key> got;
  for (int k = 0; k < n; ++k) got.push_back(KeyOf(moves[k]));
  const std::vector<Key> want = {{4, 2, 2, 2}, {4, 2, 6, 2}, {4, 2, 4, 1}, {1, 1, 4, 1},
                                 {7, 7, 4, 7}, {7, 7, 7, 4}, {1, 4, 1, 7}, {1, 4, 2, 4}};
  EXPECT_EQ(got, want);
}

TEST_F(MoveGenerator, RemovalsFollowTheOpponentsRowsAfterARemoval) {
  // Player 2's rows after (2,2) is taken: its last row moves into its place.
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 3}, {7, 7}})
    ASSERT_EQ(Engine_SetPieceTable(x, y, 2), 1u);
  Position s = PositionFromGame(g_game);
  s.removals_due = 2;
  MakeMove(s, Move{GAMEPART_REMOVE, PointOf(2, 2), NO_POINT});
  Move moves[MAX_MOVES];
  const int n = GenerateMoves(s, 1, GAMEPART_REMOVE, moves);
  std::vector<Key> got;
  for (int k = 0; k < n; ++k) got.push_back(KeyOf(moves[k]));
  const std::vector<Key> want = {{1, 1, 0, 0}, {7, 7, 0, 0}, {3, 3, 0, 0}};
  EXPECT_EQ(got, want);
  EXPECT_EQ(s.to_move, 1);
  EXPECT_EQ(s.removals_due, 1);
}

// The export lists the same moves in the same order.
TEST_F(MoveGenerator, TheExportListsTheGeneratorsMoves) {
  uint8_t list[4 * TRIVANE_MAX_MOVES];
  EXPECT_EQ(Engine_LegalMoves(list, TRIVANE_MAX_MOVES), 24u);
  EXPECT_EQ(list[0], 1);
  EXPECT_EQ(list[1], 1);
  constexpr size_t kLast = 23;
  EXPECT_EQ(list[4 * kLast], 7);
  EXPECT_EQ(list[4 * kLast + 1], 7);
  EXPECT_EQ(Engine_LegalMoves(nullptr, 0), 24u);
  EXPECT_EQ(Engine_LegalMoves(list, 1), 24u);
}

}  // namespace
