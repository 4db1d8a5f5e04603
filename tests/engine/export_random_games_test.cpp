// Seeded random games through the exports only.  The model picks a legal
// action; before it, a handful of actions the model refuses are tried and must
// change nothing a caller can read back; after it, everything a caller can
// read must match the model.
#include <random>
#include <string>
#include <vector>

#include "board_tables.h"
#include "engine_fixture.h"
#include "export_driver.h"
#include "rules_model.h"

using namespace trivane_test;

namespace {

class ExportRandomGames : public EngineTest {};

// A random action of the given kind anywhere on the grid, frame included.
Move RandomMove(std::mt19937& rng) {
  auto c = [&] { return static_cast<int>(rng() % 8); };
  return {c(), c(), c(), c()};
}

TEST_F(ExportRandomGames, CallersSeeWhatTheModelPredicts) {
  int steps = 0, games = 0, refusals = 0;
  int ends[8] = {};
  for (unsigned seed = 101; seed <= 110; ++seed) {
    std::mt19937 rng(seed);
    RestartGame();
    ModelState m = NewModelGame();
    int game_steps = 0;
    for (int step = 0; step < 400; ++step) {
      const uint32_t p = Engine_GetPlayer();
      ASSERT_EQ(p, m.player);
      const int answer = rng() % 3 == 0 ? kYes : kNo;
      bool asked = false;
      const int want = ModelGamePart(m, m.player, answer, asked);
      if (asked) AnswerNextQuestion(answer);
      ASSERT_EQ(GamePart(p), static_cast<uint32_t>(want)) << "seed " << seed << " step " << step;
      ASSERT_EQ(TakeTexts().size(), asked ? 1u : 0u);
      if (want >= 5 || game_steps > 250) {
        ++ends[want];
        ++games;
        RestartGame();
        m = NewModelGame();
        game_steps = 0;
        continue;
      }
      // The legal actions of this position, by the model.
      std::vector<Move> legal, milling;
      for (const PointRecord& f : kPoints) {
        std::vector<std::string> boxes;
        if (want == 1 || want == 4) {
          ModelState t = m;
          const int ok = want == 1 ? ModelPlace(t, f.x, f.y, boxes) : ModelRemove(t, f.x, f.y);
          if (ok) (t.due != 0 || want == 4 ? milling : legal).push_back({f.x, f.y, 0, 0});
          continue;
        }
        for (const PointRecord& to : kPoints) {
          ModelState t = m;
          if (ModelSlide(t, f.x, f.y, to.x, to.y, boxes))
            (t.due != 0 ? milling : legal).push_back({f.x, f.y, to.x, to.y});
        }
      }
      legal.insert(legal.end(), milling.begin(), milling.end());
      ASSERT_FALSE(legal.empty());

      const Observed before = Observe();
      for (int k = 0; k < 6; ++k) {
        const Move mv = RandomMove(rng);
        const int kind = static_cast<int>(rng() % 3);
        ModelState t = m;
        std::vector<std::string> boxes;
        const int ok = kind == 0   ? ModelPlace(t, mv.a, mv.b, boxes)
                       : kind == 1 ? ModelSlide(t, mv.a, mv.b, mv.c, mv.d, boxes)
                                   : ModelRemove(t, mv.a, mv.b);
        if (ok) continue;
        ++refusals;
        const uint32_t got = kind == 0   ? Engine_MakePlaceMove(mv.a, mv.b)
                             : kind == 1 ? Engine_MakeSlideMove(mv.a, mv.b, mv.c, mv.d)
                                         : Engine_RemovePlay(mv.a, mv.b);
        ASSERT_EQ(got, 0u);
        ASSERT_EQ(TakeTexts(), boxes);
        ASSERT_EQ(Differences(Observe(), before), "") << "a refused action changed the game";
      }

      const bool prefer_mill = !milling.empty() && rng() % 10 < 7;
      const Move mv = prefer_mill ? milling[rng() % milling.size()] : legal[rng() % legal.size()];
      std::vector<std::string> boxes;
      uint32_t got = 0;
      if (want == 1) {
        ModelPlace(m, mv.a, mv.b, boxes);
        got = Engine_MakePlaceMove(mv.a, mv.b);
      } else if (want == 4) {
        ModelRemove(m, mv.a, mv.b);
        got = Engine_RemovePlay(mv.a, mv.b);
      } else {
        ModelSlide(m, mv.a, mv.b, mv.c, mv.d, boxes);
        got = Engine_MakeSlideMove(mv.a, mv.b, mv.c, mv.d);
      }
      ASSERT_EQ(got, 1u);
      ASSERT_EQ(Differences(Observe(), ObserveModel(m)), "") << "seed " << seed << " step " << step;
      ++steps;
      ++game_steps;
    }
  }
  std::printf("%d moves, %d games ended (won by 1: %d, by 2: %d, drawn: %d), %d refusals tried\n", steps, games,
              ends[5], ends[6], ends[7], refusals);
  EXPECT_GT(ends[5] + ends[6], 0);
  EXPECT_GT(refusals, 1000);
}

}  // namespace
