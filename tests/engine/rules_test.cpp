// The referee through its internal operations: placing, sliding, flying and
// removing with their refusals, the turn bookkeeping, and every answer of
// GamePart, the draw proposition and the blocked player included.
#include <array>
#include <cstring>
#include <initializer_list>

#include "engine_fixture.h"
#include "fastmap.h"
#include "geometry.h"
#include "rules.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

class Rules : public EngineTest {
 protected:
  // A position put down raw, then the turn bookkeeping set as a game would
  // have left it.
  static void Setup(std::initializer_list<std::array<int, 3>> pieces, int rem1, int rem2, int player, int due = 0) {
    for (const auto& p : pieces) {
      ASSERT_EQ(PutPiece(static_cast<uint8_t>(p[0]), static_cast<uint8_t>(p[1]), static_cast<uint8_t>(p[2])), 1)
          << p[0] << "," << p[1];
    }
    g_game.remaining_put_pieces[1] = static_cast<uint8_t>(rem1);
    g_game.remaining_put_pieces[2] = static_cast<uint8_t>(rem2);
    g_game.current_player = static_cast<uint8_t>(player);
    g_game.removals_due = static_cast<uint8_t>(due);
  }
  static void ExpectUnchanged(const GameState& before) {
    EXPECT_EQ(0, std::memcmp(&before, &g_game, sizeof before)) << "a refused action changed the state";
  }
};

TEST_F(Rules, FirstPlacementPassesTheTurn) {
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLACE);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLACE);
  EXPECT_EQ(MakePlaceMove(1, 1), 1);
  EXPECT_EQ(g_game.remaining_put_pieces[1], 8);
  EXPECT_EQ(g_game.remaining_put_pieces[2], 9);
  EXPECT_EQ(GetPlayer(), 2);
  EXPECT_EQ(g_game.PieceTable[1][1], 1);
  EXPECT_EQ(g_game.removals_due, 0);
}

TEST_F(Rules, RefusedPlacementsChangeNothing) {
  ASSERT_EQ(MakePlaceMove(1, 1), 1);
  const GameState before = g_game;
  EXPECT_EQ(MakePlaceMove(4, 4), 0);
  EXPECT_EQ(MakePlaceMove(0, 3), 0);
  EXPECT_EQ(MakePlaceMove(1, 1), 0);
  EXPECT_EQ(MakePlaceMove(2, 1), 0);
  ExpectUnchanged(before);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Rules, MillWhilePlacingEarnsOneRemovalThenTheTurnPasses) {
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {6, 6, 2}}, 7, 7, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  EXPECT_EQ(g_game.removals_due, 1);
  EXPECT_EQ(GetPlayer(), 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
  // While the removal is due, placing and moving are refused without a box.
  const GameState before = g_game;
  EXPECT_EQ(MakePlaceMove(3, 3), 0);
  ExpectUnchanged(before);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(RemovePiece(2, 2), 1);
  EXPECT_EQ(g_game.removals_due, 0);
  EXPECT_EQ(GetPlayer(), 2);
  EXPECT_EQ(g_game.PieceTable[2][2], 0);
  EXPECT_EQ(PiecesOnBoard(2), 1);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLACE);
}

TEST_F(Rules, RefusedRemovalsChangeNothing) {
  // Player 2 holds mill 2 and one loose piece; player 1 has just closed mill 1.
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {4, 2, 2}, {6, 2, 2}, {3, 5, 2}}, 7, 6, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(g_game.removals_due, 1);
  const GameState before = g_game;
  EXPECT_EQ(RemovePiece(4, 2), 0);  // in a complete mill of its owner
  EXPECT_EQ(RemovePiece(3, 3), 0);  // empty point
  EXPECT_EQ(RemovePiece(4, 1), 0);  // the remover's own piece
  EXPECT_EQ(RemovePiece(4, 4), 0);  // not a point
  EXPECT_EQ(RemovePiece(0, 0), 0);
  ExpectUnchanged(before);
  EXPECT_EQ(RemovePiece(3, 5), 1);
  EXPECT_EQ(GetPlayer(), 2);
}

TEST_F(Rules, RemovalWithoutOneDueIsRefused) {
  Setup({{1, 1, 1}, {2, 2, 2}}, 8, 8, 1);
  const GameState before = g_game;
  EXPECT_EQ(RemovePiece(2, 2), 0);
  ExpectUnchanged(before);
  EXPECT_EQ(g_game.removals_due, 0);
}

TEST_F(Rules, TwoMillsAtOnceEarnTwoRemovals) {
  Setup({{4, 1, 1}, {7, 1, 1}, {1, 4, 1}, {1, 7, 1}, {2, 2, 2}, {6, 6, 2}, {3, 5, 2}}, 5, 6, 1);
  ASSERT_EQ(MillsFormedAt(1, 1, 1), 2);
  ASSERT_EQ(MakePlaceMove(1, 1), 1);
  EXPECT_EQ(g_game.removals_due, 2);
  EXPECT_EQ(RemovePiece(2, 2), 1);
  EXPECT_EQ(GetPlayer(), 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
  EXPECT_EQ(RemovePiece(6, 6), 1);
  EXPECT_EQ(GetPlayer(), 2);
  EXPECT_EQ(g_game.removals_due, 0);
}

TEST_F(Rules, SecondRemovalThatCannotBeMadePassesTheTurn) {
  // After the first removal player 2 is left with a complete mill only.
  Setup({{4, 1, 1}, {7, 1, 1}, {1, 4, 1}, {1, 7, 1}, {2, 2, 2}, {4, 2, 2}, {6, 2, 2}, {3, 5, 2}}, 5, 5, 1);
  ASSERT_EQ(MakePlaceMove(1, 1), 1);
  ASSERT_EQ(g_game.removals_due, 2);
  EXPECT_EQ(RemovePiece(3, 5), 1);
  EXPECT_EQ(g_game.removals_due, 0);
  EXPECT_EQ(GetPlayer(), 2);
}

TEST_F(Rules, MillAgainstAnOpponentWhollyInMillsPassesTheTurn) {
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {4, 2, 2}, {6, 2, 2}}, 7, 6, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  EXPECT_EQ(g_game.removals_due, 0);
  EXPECT_EQ(GetPlayer(), 2);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLACE);
}

TEST_F(Rules, GamePartOfTheMoverCancelsRemovalsThatCannotBeMade) {
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {4, 2, 2}, {3, 5, 2}}, 7, 6, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(g_game.removals_due, 1);
  // Player 2's loose pieces are now all inside a complete mill of theirs.
  ASSERT_EQ(TakePiece(3, 5, 1), 1);
  ASSERT_EQ(Engine_SetPieceTable(6, 2, 2), 1u);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLACE);
  EXPECT_EQ(g_game.removals_due, 0);
}

TEST_F(Rules, GamePartOfTheOtherPlayerKeepsTheMoversRemoval) {
  // Player 1 closes a mill with every piece they own: FreePieces(1) is 0 while
  // player 1 still has a removal to make.
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {6, 6, 2}}, 7, 7, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(FreePieces(1), 0);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_REMOVE);  // player 2 waits while player 1 removes
  EXPECT_EQ(g_game.removals_due, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
  EXPECT_EQ(RemovePiece(6, 6), 1);
}

TEST_F(Rules, SlideWhilePlacingAndPlaceWhileSlidingAreCallerErrors) {
  Setup({{1, 1, 1}, {7, 7, 2}}, 8, 8, 1);
  GameState before = g_game;
  EXPECT_EQ(MakeSlideMove(1, 1, 4, 1), 0);
  ExpectUnchanged(before);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Call to part I from part II !");
  EXPECT_EQ(Boxes()[0].caption, "");
  EXPECT_EQ(Boxes()[0].style, 0u);
  Boxes().clear();

  RestartGame();
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {3, 4, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}, {4, 5, 2}}, 0, 0, 1);
  before = g_game;
  EXPECT_EQ(MakePlaceMove(1, 4), 0);
  ExpectUnchanged(before);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Call to part II from part I !");
  EXPECT_EQ(Boxes()[0].caption, "");
}

TEST_F(Rules, SlidingFollowsLinksOnly) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {3, 4, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}, {4, 5, 2}}, 0, 0, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_SLIDE);
  const GameState before = g_game;
  EXPECT_EQ(MakeSlideMove(1, 1, 7, 1), 0);  // empty but not linked
  EXPECT_EQ(MakeSlideMove(1, 1, 2, 2), 0);  // diagonal: no link
  EXPECT_EQ(MakeSlideMove(1, 1, 1, 1), 0);
  EXPECT_EQ(MakeSlideMove(7, 7, 4, 7), 0);  // the opponent's piece
  EXPECT_EQ(MakeSlideMove(3, 4, 4, 4), 0);  // off the board
  ExpectUnchanged(before);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(MakeSlideMove(1, 1, 4, 1), 1);
  EXPECT_EQ(g_game.PieceTable[1][1], 0);
  EXPECT_EQ(g_game.PieceTable[4][1], 1);
  EXPECT_EQ(GetPlayer(), 2);
}

TEST_F(Rules, ThreePiecesFlyFourDoNot) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}, {4, 5, 2}}, 0, 0, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_FLY);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_SLIDE);
  const GameState before = g_game;
  EXPECT_EQ(MakeSlideMove(1, 1, 4, 4), 0);
  EXPECT_EQ(MakeSlideMove(1, 1, 7, 7), 0);
  ExpectUnchanged(before);
  EXPECT_EQ(MakeSlideMove(1, 1, 7, 1), 1);
  EXPECT_EQ(GetPlayer(), 2);
  const GameState before2 = g_game;
  EXPECT_EQ(MakeSlideMove(7, 7, 1, 1), 0);  // player 2 has four: no flying
  ExpectUnchanged(before2);
  EXPECT_EQ(MakeSlideMove(7, 7, 7, 4), 1);
}

TEST_F(Rules, FlyingIntoAMillEarnsARemoval) {
  Setup({{1, 1, 1}, {4, 1, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}, {4, 5, 2}}, 0, 0, 1);
  ASSERT_EQ(MakeSlideMove(6, 6, 7, 1), 1);
  EXPECT_EQ(g_game.removals_due, 1);
  EXPECT_EQ(GetPlayer(), 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
  const GameState before = g_game;
  EXPECT_EQ(MakeSlideMove(7, 1, 6, 6), 0);
  ExpectUnchanged(before);
  EXPECT_EQ(RemovePiece(4, 5), 1);
  EXPECT_EQ(GetPlayer(), 2);
}

TEST_F(Rules, SlidingOutAndBackClosesTheMillAgain) {
  Setup({{1, 1, 1}, {4, 1, 1}, {7, 1, 1}, {3, 3, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}, {4, 5, 2}}, 0, 0, 1);
  ASSERT_EQ(MakeSlideMove(4, 1, 4, 2), 1);
  EXPECT_EQ(g_game.removals_due, 0);
  ASSERT_EQ(MakeSlideMove(7, 7, 7, 4), 1);
  ASSERT_EQ(MakeSlideMove(4, 2, 4, 1), 1);
  EXPECT_EQ(g_game.removals_due, 1);
  EXPECT_EQ(GetPlayer(), 1);
}

TEST_F(Rules, WinCodesAfterPlacingTestPlayerTwoFirst) {
  Setup({{1, 1, 1}, {4, 2, 1}, {7, 7, 2}, {2, 6, 2}}, 0, 0, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLAYER1_WON);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLAYER1_WON);
  RestartGame();
  Setup({{1, 1, 1}, {4, 2, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 0, 2);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLAYER2_WON);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLAYER2_WON);
  // While placing, a short count is no loss yet.
  RestartGame();
  Setup({{1, 1, 1}, {7, 7, 2}}, 1, 1, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLACE);
}

TEST_F(Rules, BlockedPlayerLosesReadFromTheBoard) {
  // Player 1's four corners are hemmed in; their cached free links are stale
  // (placed on an empty board), so only the board itself shows the block.
  Setup({{1, 1, 1}, {7, 1, 1}, {7, 7, 1}, {1, 7, 1}, {4, 1, 2}, {1, 4, 2}, {4, 7, 2}, {7, 4, 2}}, 0, 0, 1);
  ASSERT_GT(Mobility(1), 0);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLAYER2_WON);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_SLIDE);
  EXPECT_EQ(CheckGameOver(), 0) << "the search's own test reads the cached counts";
  // With a removal due the blocked player still removes first.
  g_game.removals_due = 1;
  ASSERT_EQ(FreePieces(2), 4);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_REMOVE);
}

TEST_F(Rules, BlockedPlayerTwoLosesToo) {
  Setup({{1, 1, 2}, {7, 1, 2}, {7, 7, 2}, {1, 7, 2}, {4, 1, 1}, {1, 4, 1}, {4, 7, 1}, {7, 4, 1}}, 0, 0, 2);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLAYER1_WON);
}

TEST_F(Rules, StaleZeroMobilityIsNoBlock) {
  Setup({{4, 1, 2}, {1, 4, 2}, {4, 7, 2}, {7, 4, 2}, {4, 3, 2}, {1, 1, 1}, {7, 1, 1}, {7, 7, 1}, {1, 7, 1}}, 0, 0,
        1);
  ASSERT_EQ(Mobility(1), 0);
  ASSERT_EQ(TakePiece(4, 1, 1), 1);  // frees (1,1) and (7,1), the cached counts stay 0
  ASSERT_EQ(Mobility(1), 0);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_SLIDE);
  EXPECT_EQ(CheckGameOver(), 1);
  EXPECT_EQ(MakeSlideMove(1, 1, 4, 1), 1);
}

TEST_F(Rules, BlockedWithThreePiecesStillFlies) {
  Setup({{1, 1, 1}, {7, 1, 1}, {7, 7, 1}, {4, 1, 2}, {1, 4, 2}, {4, 7, 2}, {7, 4, 2}}, 0, 0, 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_FLY);
}

TEST_F(Rules, DrawPropositionAcceptedStandsForBothUntilRestart) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 0, 1);
  AnswerNextQuestion(kYes);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_DRAW);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Would you like to end this game as a draw ?");
  EXPECT_EQ(Boxes()[0].caption, "Draw Proposition...");
  EXPECT_EQ(Boxes()[0].style, kQuestionStyle);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_DRAW);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_DRAW);
  EXPECT_EQ(Boxes().size(), 1u);
  RestartGame();
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLACE);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_PLACE);
}

TEST_F(Rules, DrawAcceptedIsClearedByInitEngine) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 0, 2);
  AnswerNextQuestion(kYes);
  ASSERT_EQ(trivane::GamePart(2), GAMEPART_DRAW);
  InitEngine();
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLACE);
}

TEST_F(Rules, DrawPropositionDeclinedIsNeverAskedAgainThisGame) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 0, 1);
  AnswerNextQuestion(kNo);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_FLY);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_FLY);
  ASSERT_EQ(MakeSlideMove(1, 1, 1, 4), 1);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_FLY);
  EXPECT_EQ(Boxes().size(), 1u);
  // A new game may offer it again.
  RestartGame();
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 0, 1);
  AnswerNextQuestion(kNo);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_FLY);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(Rules, NoDrawOfferWhilePlacingOrWithMorePieces) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 1, 0, 2);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_FLY);
  g_game.remaining_put_pieces[1] = 0;
  ASSERT_EQ(Engine_SetPieceTable(3, 3, 1), 1u);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_FLY);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Rules, NoDrawOfferWhileTheWinningRemovalIsDue) {
  // Player 2's last placement closes mill 7 with both sides at three pieces:
  // the removal that wins comes first, and no draw is offered in its way.
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {7, 7, 2}, {4, 7, 2}}, 0, 1, 2);
  ASSERT_EQ(MakePlaceMove(1, 7), 1);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_REMOVE);
  EXPECT_TRUE(Boxes().empty());
  ASSERT_EQ(RemovePiece(4, 2), 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_PLAYER2_WON);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Rules, MillByTheLastPlacementRemovesFirstThenTheOpponentSlides) {
  Setup({{1, 1, 1}, {4, 2, 1}, {6, 6, 1}, {3, 4, 1}, {5, 4, 1}, {7, 7, 2}, {4, 7, 2}, {2, 6, 2}, {5, 3, 2}}, 0, 1,
        2);
  ASSERT_EQ(MakePlaceMove(1, 7), 1);  // mill 7: (7,7) (4,7) (1,7)
  EXPECT_EQ(g_game.remaining_put_pieces[2], 0);
  EXPECT_EQ(GetPlayer(), 2);
  EXPECT_EQ(trivane::GamePart(2), GAMEPART_REMOVE);
  const GameState before = g_game;
  EXPECT_EQ(MakeSlideMove(2, 6, 2, 4), 0);
  ExpectUnchanged(before);
  EXPECT_EQ(RemovePiece(3, 4), 1);
  EXPECT_EQ(GetPlayer(), 1);
  EXPECT_EQ(trivane::GamePart(1), GAMEPART_SLIDE);
  EXPECT_EQ(MakeSlideMove(1, 1, 1, 4), 1);
  EXPECT_EQ(GetPlayer(), 2);
}

TEST_F(Rules, MillTests) {
  Setup({{2, 2, 1}, {6, 2, 1}, {4, 1, 1}, {7, 1, 1}, {1, 1, 2}}, 5, 8, 1);
  EXPECT_EQ(SlideMillCount(4, 1, 4, 2, 1), 1);  // mill 2
  EXPECT_EQ(SlideMillCount(4, 1, 4, 1, 1), 0);
  EXPECT_EQ(SlideMillCount(4, 1, 2, 2, 1), 0);  // target not empty
  EXPECT_EQ(SlideMillCount(1, 1, 4, 2, 1), 0);  // source not the mover's
  EXPECT_EQ(MillsFormedAt(4, 2, 1), 1);
  EXPECT_EQ(MillsFormedAt(4, 2, 2), 0);
  EXPECT_EQ(MillsFormedAt(1, 1, 1), 0);  // holds the opponent's piece
  EXPECT_EQ(MillsHeld(4, 1, 1), 0);
  RestartGame();
  Setup({{7, 1, 1}, {1, 1, 1}}, 7, 9, 1);
  ASSERT_EQ(PutPiece(4, 2, 1), 1);
  EXPECT_EQ(SlideMillCount(1, 1, 4, 1, 1), 0) << "the moving piece never counts for its own mill";
  EXPECT_EQ(SlideMillCount(4, 2, 4, 1, 1), 1);
  EXPECT_EQ(Opponent(1), 2);
  EXPECT_EQ(Opponent(2), 1);
  EXPECT_EQ(Opponent(0), 1);
  EXPECT_EQ(Opponent(7), 1);
  EXPECT_EQ(trivane::GamePart(0), 0);
  EXPECT_EQ(trivane::GamePart(3), 0);
}

TEST_F(Rules, FreePiecesCountsPiecesOutsideCompleteMills) {
  Setup({{1, 1, 2}, {4, 1, 2}, {7, 1, 2}, {7, 4, 2}, {3, 3, 2}}, 9, 4, 1);
  EXPECT_EQ(FreePieces(2), 2);
  EXPECT_EQ(FreePieces(1), 0);
  EXPECT_EQ(FreePieces(0), 0);
  EXPECT_EQ(FreePieces(3), 0);
}

TEST_F(Rules, RestartClearsAStaleRemoval) {
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}}, 7, 8, 1);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(g_game.removals_due, 1);
  RestartGame();
  EXPECT_EQ(g_game.removals_due, 0);
  EXPECT_EQ(MakePlaceMove(1, 1), 1);
}

TEST_F(Rules, BackupsRestoreEveryValueButTheFlags) {
  Setup({{1, 1, 1}, {4, 1, 1}, {2, 2, 2}, {5, 5, 2}}, 7, 7, 1);
  SaveTurnState();
  SaveBoardState();
  const GameState before = g_game;
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(RemovePiece(2, 2), 1);
  ASSERT_EQ(MakePlaceMove(6, 6), 1);
  g_game.removals_due = 2;
  g_game.draw_offered = 1;
  g_game.engine_error = 1;
  RestoreTurnState();
  RestoreBoardState();
  EXPECT_EQ(g_game.current_player, before.current_player);
  EXPECT_EQ(g_game.remaining_put_pieces[1], 7);
  EXPECT_EQ(g_game.remaining_put_pieces[2], 7);
  EXPECT_EQ(g_game.removals_due, 0);
  EXPECT_EQ(0, std::memcmp(g_game.PieceTable, before.PieceTable, sizeof before.PieceTable));
  EXPECT_EQ(0, std::memcmp(g_game.FastMap, before.FastMap, sizeof before.FastMap));
  EXPECT_EQ(g_game.draw_offered, 1) << "not part of the backups";
  EXPECT_EQ(g_game.engine_error, 1) << "not part of the backups";
  EXPECT_EQ(Engine_Error(), 1u);
  EXPECT_EQ(Engine_Error(), 0u);
  // A second restore gives the same copy again: one slot, not a stack.
  ASSERT_EQ(MakePlaceMove(3, 3), 1);
  RestoreBoardState();
  RestoreTurnState();
  EXPECT_EQ(0, std::memcmp(g_game.PieceTable, before.PieceTable, sizeof before.PieceTable));
  EXPECT_EQ(g_game.current_player, 1);
}

TEST_F(Rules, BackupOfAGameWithDueRemovalAndSecondPlayer) {
  Setup({{1, 1, 2}, {4, 1, 2}, {2, 2, 1}}, 8, 7, 2);
  ASSERT_EQ(MakePlaceMove(7, 1), 1);
  ASSERT_EQ(g_game.removals_due, 1);
  SaveTurnState();
  SaveBoardState();
  const GameState before = g_game;
  ASSERT_EQ(RemovePiece(2, 2), 1);
  ASSERT_EQ(MakePlaceMove(3, 3), 1);
  RestoreTurnState();
  RestoreBoardState();
  EXPECT_EQ(0, std::memcmp(&before, &g_game, sizeof before));
}

}  // namespace
