// Whole games of the computer against itself through the exports: every move it
// proposes must be accepted by the referee.  The rules know no repetition draw,
// so two deterministic players may circle for ever: games stop at a move cap.
#include "TrivaneEngine.h"
#include "search_support.h"

using namespace search_test;

namespace {

// The sanitizer build runs the same games, fewer and shorter.
#if defined(TRIVANE_SANITIZED_BUILD)
constexpr int kScale = 4;
#else
constexpr int kScale = 1;
#endif

class ComputerGames : public SearchTest {};

struct Outcome {
  int result = 0;  // GamePart code that ended it, 0 at the cap
  int moves = 0;
};

// A few random placements first make the seeded games differ.
Outcome PlayGame(uint32_t seed, uint32_t difficulty, int cap) {
  InitEngine();
  Engine_SetDifficulty(difficulty);
  std::mt19937 rng(seed);
  for (int i = 0; i < 4; ++i) PlayRandomMove(rng);
  Outcome out;
  while (out.moves < cap) {
    const uint32_t p = Engine_GetPlayer();
    uint32_t g = GamePart(p);
    if (g >= 5) {
      out.result = static_cast<int>(g);
      return out;
    }
    uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
    AI_Play(&fx, &fy, &tx, &ty);
    g = GamePart(p);
    uint32_t done = 0;
    if (g == 1) done = Engine_MakePlaceMove(fx, fy);
    else if (g == 4) done = Engine_RemovePlay(fx, fy);
    else if (g == 2 || g == 3) done = Engine_MakeSlideMove(fx, fy, tx, ty);
    EXPECT_EQ(done, 1u) << "seed " << seed << " move " << out.moves << ": computer proposed " << int(fx) << ","
                        << int(fy) << " - " << int(tx) << "," << int(ty) << " in phase " << g;
    if (done != 1) return out;
    ++out.moves;
  }
  return out;
}

TEST_F(ComputerGames, EasyGamesPlayOnlyLegalMoves) {
  int ended = 0;
  for (uint32_t seed = 1; seed <= 8 / kScale; ++seed) {
    const Outcome o = PlayGame(seed, 3, 120 / kScale);
    if (o.result) ++ended;
  }
  RecordProperty("easy_games_ended", ended);
  EXPECT_TRUE(Boxes().empty() || Boxes().front().caption == "Draw Proposition...");
}

TEST_F(ComputerGames, MediumGamePlaysOnlyLegalMoves) { PlayGame(101, 5, 40 / kScale); }

TEST_F(ComputerGames, HardOpeningPlaysOnlyLegalMoves) {
  // The literal walk takes seconds a move at this depth: a short stretch of a
  // game through the last placements into the sliding phase is enough here.
  PlayGame(202, 6, 20 / kScale);
}

}  // namespace
