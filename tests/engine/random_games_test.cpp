// Seeded random games through the internal operations.  Before every step each
// possible action (every placement, slide, flying move and removal, legal or
// not) is tried on the engine and on the independent model, and the result,
// the boxes shown and every byte of the state afterwards must agree; refused
// actions must leave every byte as it was.  After every step the piece maps
// must agree with the board.
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board_tables.h"
#include "engine_fixture.h"
#include "rules.h"
#include "rules_model.h"
#include "state.h"

using namespace trivane;
using namespace trivane_test;

namespace {

std::string DiffAgainstModel(const ModelState& m) {
  std::ostringstream out;
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      if (g_game.PieceTable[x][y] != m.cell[x][y])
        out << "cell " << x << "," << y << " engine " << int(g_game.PieceTable[x][y]) << " model "
            << int(m.cell[x][y]) << "\n";
    }
  }
  auto field = [&](const char* name, int engine, int model) {
    if (engine != model) out << name << " engine " << engine << " model " << model << "\n";
  };
  field("current_player", g_game.current_player, m.player);
  field("remaining 1", g_game.remaining_put_pieces[1], m.remaining[1]);
  field("remaining 2", g_game.remaining_put_pieces[2], m.remaining[2]);
  field("removals_due", g_game.removals_due, m.due);
  field("draw_offered", g_game.draw_offered, m.draw_offered);
  for (int p = 1; p <= 2; ++p) {
    for (int row = 0; row < 10; ++row) {
      for (int b = 0; b < 4; ++b) {
        if (g_game.FastMap[p - 1][row][b] != m.map[p][row][b])
          out << "map of " << p << " [" << row << "][" << b << "] engine " << int(g_game.FastMap[p - 1][row][b])
              << " model " << int(m.map[p][row][b]) << "\n";
      }
    }
  }
  return out.str();
}

// The maps against the board, without the model: count, distinct entries on
// the player's pieces, cleared spare rows, header total = sum of cached counts.
std::string MapsAgreeWithBoard() {
  std::ostringstream out;
  for (int p = 1; p <= 2; ++p) {
    const auto& map = g_game.FastMap[p - 1];
    int on_board = 0;
    for (const PointRecord& r : kPoints) on_board += g_game.PieceTable[r.x][r.y] == p;
    const int count = map[0][1];
    if (count != on_board) out << "player " << p << " count " << count << " board " << on_board << "\n";
    if (map[0][0] != 0 || map[0][2] != 0) out << "player " << p << " header bytes 0/2 not zero\n";
    int total = 0;
    bool seen[8][8] = {};
    for (int row = 1; row < 10; ++row) {
      if (row <= count) {
        const int x = map[row][1], y = map[row][2];
        if (map[row][0] != 0 || x > 7 || y > 7 || g_game.PieceTable[x][y] != p || seen[x][y])
          out << "player " << p << " row " << row << " bad entry " << x << "," << y << "\n";
        else seen[x][y] = true;
        total += map[row][3];
      } else if (map[row][0] | map[row][1] | map[row][2] | map[row][3]) {
        out << "player " << p << " spare row " << row << " not cleared\n";
      }
    }
    if ((total & 0xFF) != map[0][3])
      out << "player " << p << " total " << int(map[0][3]) << " sum " << total << "\n";
  }
  return out.str();
}

enum Kind { PLACE, SLIDE, REMOVE };
struct Action {
  Kind kind;
  int a, b, c, d;
};

int ApplyToEngine(const Action& act) {
  const auto u8 = [](int v) { return static_cast<uint8_t>(v); };
  switch (act.kind) {
    case PLACE: return MakePlaceMove(u8(act.a), u8(act.b));
    case SLIDE: return MakeSlideMove(u8(act.a), u8(act.b), u8(act.c), u8(act.d));
    default: return RemovePiece(u8(act.a), u8(act.b));
  }
}

int ApplyToModel(ModelState& m, const Action& act, std::vector<std::string>& boxes) {
  switch (act.kind) {
    case PLACE: return ModelPlace(m, act.a, act.b, boxes);
    case SLIDE: return ModelSlide(m, act.a, act.b, act.c, act.d, boxes);
    default: return ModelRemove(m, act.a, act.b);
  }
}

std::string Describe(const Action& act) {
  std::ostringstream out;
  const char* names[] = {"place", "slide", "remove"};
  out << names[act.kind] << " " << act.a << "," << act.b;
  if (act.kind == SLIDE) out << " -> " << act.c << "," << act.d;
  return out.str();
}

// Every action worth trying in a position: all cells of the grid (frame
// included) for placements and removals, all point pairs for moves.
std::vector<Action> Candidates() {
  std::vector<Action> all;
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      all.push_back({PLACE, x, y, 0, 0});
      all.push_back({REMOVE, x, y, 0, 0});
    }
  }
  for (const PointRecord& f : kPoints) {
    for (const PointRecord& t : kPoints) all.push_back({SLIDE, f.x, f.y, t.x, t.y});
    all.push_back({SLIDE, f.x, f.y, 4, 4});
    all.push_back({SLIDE, f.x, f.y, 0, f.y});
  }
  return all;
}

class RandomGames : public EngineTest {};

TEST_F(RandomGames, EngineAgreesWithTheModelOnEveryAction) {
  const std::vector<Action> candidates = Candidates();
  std::map<int, int> codes_seen;
  int steps = 0, games = 0, refused_tried = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    RestartGame();
    ModelState m = NewModelGame();
    int game_steps = 0;
    while (steps < 400 * static_cast<int>(seed)) {
      ASSERT_EQ(GetPlayer(), m.player);
      const int p = m.player;
      int code = 0;
      // Ask about the other player now and then, as the search does.
      for (int who : {rng() % 3 == 0 ? 3 - p : 0, p}) {
        if (who == 0) continue;
        const int answer = rng() % 2 ? kYes : kNo;
        bool asked = false;
        const int want = ModelGamePart(m, who, answer, asked);
        if (asked) AnswerNextQuestion(answer);
        const int got = trivane::GamePart(static_cast<uint8_t>(who));
        ASSERT_EQ(got, want) << "GamePart(" << who << ") seed " << seed << " step " << steps;
        ASSERT_EQ(TakeTexts().size(), asked ? 1u : 0u);
        ASSERT_EQ(DiffAgainstModel(m), "") << "after GamePart, seed " << seed << " step " << steps;
        if (who == p) code = want;
      }
      ++codes_seen[code];
      if (code >= 5 || game_steps > 300) {
        ++games;
        RestartGame();
        m = NewModelGame();
        game_steps = 0;
        continue;
      }

      std::vector<Action> legal, milling;
      const GameState snapshot = g_game;
      for (const Action& act : candidates) {
        ModelState after = m;
        std::vector<std::string> model_boxes;
        const int want = ApplyToModel(after, act, model_boxes);
        const int got = ApplyToEngine(act);
        ASSERT_EQ(got, want) << Describe(act) << " seed " << seed << " step " << steps;
        ASSERT_EQ(TakeTexts(), model_boxes) << Describe(act);
        if (want) {
          ASSERT_EQ(DiffAgainstModel(after), "") << Describe(act) << " seed " << seed << " step " << steps;
          legal.push_back(act);
          if (after.due != 0 || act.kind == REMOVE) milling.push_back(act);
        } else {
          ++refused_tried;
          ASSERT_EQ(0, std::memcmp(&snapshot, &g_game, sizeof snapshot))
              << "refused " << Describe(act) << " changed the state, seed " << seed << " step " << steps;
        }
        g_game = snapshot;
      }
      ASSERT_FALSE(legal.empty()) << "GamePart said " << code << " but nothing is legal";
      // Mills are preferred so that games reach flying and the endings.
      const auto& pool = !milling.empty() && rng() % 10 < 7 ? milling : legal;
      const Action chosen = pool[rng() % pool.size()];
      std::vector<std::string> ignored;
      ASSERT_EQ(ApplyToModel(m, chosen, ignored), 1);
      ASSERT_EQ(ApplyToEngine(chosen), 1);
      TakeTexts();
      ASSERT_EQ(DiffAgainstModel(m), "");
      ASSERT_EQ(MapsAgreeWithBoard(), "") << "seed " << seed << " step " << steps;
      ++steps;
      ++game_steps;
    }
  }
  std::ostringstream summary;
  for (const auto& [code, n] : codes_seen) summary << " code " << code << ": " << n;
  RecordProperty("coverage", summary.str());
  std::printf("%d steps, %d games ended, %d refused actions tried;%s\n", steps, games, refused_tried,
              summary.str().c_str());
  for (int code = 1; code <= 6; ++code) EXPECT_GT(codes_seen[code], 0) << "no position with GamePart " << code;
}

}  // namespace
