// How often does a HARD search outgrow the node store?  Plays computer against
// computer games at a chosen difficulty from varied openings (a few random plies
// first, seeded), runs every tree search the way the computer's move does, and
// counts the searches whose first attempt was abandoned for a full store, how
// deep the answer finally came from, and how large the trees were.
//
//   store_survey [games] [difficulty] [first-seed]      (defaults: 300 6 1)
//
// Prints one summary; nothing is timed against a goal here.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "TrivaneEngine.h"
#include "geometry.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace {

using namespace trivane;

int AnswerEveryBox(const char*, const char*, unsigned style) { return style == 0 ? 1 : 7; }

struct Turn {
  uint8_t fx, fy, tx, ty;
};

std::vector<Turn> LegalMoves() {
  uint8_t list[4 * TRIVANE_MAX_MOVES];
  const uint32_t n = Engine_LegalMoves(list, TRIVANE_MAX_MOVES);
  std::vector<Turn> moves;
  for (size_t k = 0; k < n; ++k) moves.push_back({list[4 * k], list[4 * k + 1], list[4 * k + 2], list[4 * k + 3]});
  // In board order, x then y, from then to: the seeded openings stay the same games.
  std::sort(moves.begin(), moves.end(), [](const Turn& a, const Turn& b) {
    return std::tie(a.fx, a.fy, a.tx, a.ty) < std::tie(b.fx, b.fy, b.tx, b.ty);
  });
  return moves;
}

uint32_t Play(const Turn& m) {
  const uint32_t g = ::GamePart(Engine_GetPlayer());
  if (g == TRIVANE_PHASE_PLACE) return Engine_MakePlaceMove(m.fx, m.fy);
  if (g == TRIVANE_PHASE_REMOVE) return Engine_RemovePlay(m.fx, m.fy);
  return Engine_MakeSlideMove(m.fx, m.fy, m.tx, m.ty);
}

struct Survey {
  long searches = 0, greedy = 0, abandoned_first = 0, answered_shallower = 0, failed = 0;
  std::map<uint32_t, long> answered_at_depth;
  std::vector<uint32_t> records;  // g_search.count of each completed search
  std::vector<double> millis;     // wall time of each computer move that searched, retries included
  double seconds = 0;
  long games = 0, decided = 0, drawn = 0, move_cap = 0;
};

// The computer's move as the engine makes it, with the first attempt's fate noted.
Turn SearchMove(Survey& s) {
  const uint8_t p = GetPlayer();
  Turn m{0, 0, 0, 0};
  if (GamePart(p) == GAMEPART_PLACE && g_game.remaining_put_pieces[p] > 2) {
    GreedyMove(m.fx, m.fy, m.tx, m.ty);
    if (m.fx != 0) {
      ++s.greedy;
      return m;
    }
  }
  SearchOptions options;
  options.report_full_store = false;
  const auto t0 = std::chrono::steady_clock::now();
  ChosenMove move = CreateTree(p, options);
  ++s.searches;
  if (move.store_full) ++s.abandoned_first;
  const uint32_t asked = move.depth;
  while (move.store_full && move.depth > 2) {
    options.depth_cap = move.depth - 1;
    move = CreateTree(p, options);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  s.seconds += seconds;
  s.millis.push_back(1000.0 * seconds);
  if (move.store_full) {
    ++s.failed;
  } else {
    s.records.push_back(g_search.count);
    ++s.answered_at_depth[move.depth];
    if (move.depth < asked) ++s.answered_shallower;
  }
  return {move.from[0], move.from[1], move.to[0], move.to[1]};
}

}  // namespace

int main(int argc, char** argv) {
  const long games = argc > 1 ? std::max(1L, std::atol(argv[1])) : 300;
  const int difficulty = argc > 2 ? std::atoi(argv[2]) : TRIVANE_DEPTH_HARD;
  const uint32_t first_seed = argc > 3 ? static_cast<uint32_t>(std::atol(argv[3])) : 1;

  Engine_SetMessageHandler(AnswerEveryBox);
  InitEngine();
  Survey s;
  for (long i = 0; i < games; ++i) {
    std::mt19937 rng(first_seed + static_cast<uint32_t>(i));
    RestartGame();
    Engine_SetDifficulty(static_cast<uint32_t>(difficulty));
    // Openings vary: two to eight random plies before the computer takes both sides.
    const int random_plies = std::uniform_int_distribution<int>(2, 8)(rng);
    for (int k = 0; k < random_plies; ++k) {
      const std::vector<Turn> moves = LegalMoves();
      if (moves.empty()) break;
      Play(moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(rng)]);
    }
    int plies = 0;
    for (; plies < 300; ++plies) {
      const uint32_t g = ::GamePart(Engine_GetPlayer());
      if (g >= TRIVANE_PHASE_PLAYER1_WON) break;
      if (Play(SearchMove(s)) != 1) {
        std::fprintf(stderr, "game %ld: the computer's move was refused\n", i);
        return 1;
      }
    }
    ++s.games;
    const uint32_t g = ::GamePart(Engine_GetPlayer());
    if (g == TRIVANE_PHASE_PLAYER1_WON || g == TRIVANE_PHASE_PLAYER2_WON) ++s.decided;
    else if (g == TRIVANE_PHASE_DRAW) ++s.drawn;
    else ++s.move_cap;
  }

  std::sort(s.records.begin(), s.records.end());
  auto pct = [&](double q) -> uint32_t {
    if (s.records.empty()) return 0;
    return s
        .records[std::min(s.records.size() - 1, static_cast<size_t>(q * static_cast<double>(s.records.size() - 1)))];
  };
  std::printf("games %ld at difficulty %d (won %ld, drawn %ld, stopped at 300 plies %ld)\n", s.games, difficulty,
              s.decided, s.drawn, s.move_cap);
  std::printf("greedy placements %ld, tree searches %ld, %.1f ms per search on average\n", s.greedy, s.searches,
              s.searches ? 1000.0 * s.seconds / static_cast<double>(s.searches) : 0.0);
  std::printf(
      "store full on the first attempt %ld (%.2f%%), answered shallower %ld, no answer even at 2 plies %ld\n",
      s.abandoned_first,
      s.searches ? 100.0 * static_cast<double>(s.abandoned_first) / static_cast<double>(s.searches) : 0.0,
      s.answered_shallower, s.failed);
  for (const auto& [depth, n] : s.answered_at_depth) std::printf("  answered at depth %u: %ld\n", depth, n);
  std::sort(s.millis.begin(), s.millis.end());
  auto ms = [&](double q) -> double {
    if (s.millis.empty()) return 0;
    return s
        .millis[std::min(s.millis.size() - 1, static_cast<size_t>(q * static_cast<double>(s.millis.size() - 1)))];
  };
  std::printf("time per searching move: median %.2f ms, 99%% %.2f ms, slowest %.2f ms\n", ms(0.5), ms(0.99),
              s.millis.empty() ? 0.0 : s.millis.back());
  std::printf("records per search: median %u, 90%% %u, 99%% %u, largest %u of %u\n", pct(0.5), pct(0.9), pct(0.99),
              s.records.empty() ? 0u : s.records.back(), NODE_CAPACITY);
  return 0;
}
