// match: games between two computer levels, through the engine's exports as
// the game program plays them.  Each seeded random opening (2 to 6 plies) is
// played twice, with the colours swapped, with the draw rules on; the draw
// offered at three pieces each is declined.  Prints every game, then wins,
// draws and losses of the first level and its score with a 95 % margin, and
// the longest and mean time of a MASTER move.
//
//   match [--a LEVEL] [--b LEVEL] [--games N] [--time MS] [--time-b MS]
//         [--nodes N] [--seed S] [--max-plies N] [--only K]
//   --nodes N stops each MASTER search after N nodes instead of by the clock,
//   so that a match on a busy machine plays as on an idle one.
//   --only K plays the K-th game alone (its opening as in the full match).
//   LEVEL: EASY, MEDIUM, HARD or MASTER (default MASTER against HARD)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "game_record.h"
#include "master.h"

namespace {

using game_record::Ply;

struct Level {
  std::string name = "MASTER";
  uint32_t time_ms = 1000;
  uint64_t nodes = 0;  // 0: the clock stops MASTER's search
};

struct MoveClock {
  double longest = 0;
  double longest_cpu = 0;  // the processor time of that kind of move: wall time on a busy machine is longer
  long over_budget = 0;    // moves that took more than 1.5 times the budget
  double total = 0;
  long moves = 0;
};

int DeclineQuestions(const char*, const char*, unsigned style) { return (style & 0x0F) == 0x04 ? 7 : 1; }

bool SetLevel(const Level& level) {
  if (level.name == "EASY") Engine_SetDifficulty(3);
  else if (level.name == "MEDIUM") Engine_SetDifficulty(5);
  else if (level.name == "HARD") Engine_SetDifficulty(6);
  else if (level.name == "MASTER") {
    Engine_SetMasterLevel(level.time_ms);
    trivane::MasterConfig().node_limit = level.nodes;
  } else return false;
  return true;
}

// 1: the level playing player 1 won; 2: player 2; 0: drawn (or no result).
int PlayGame(const std::vector<Ply>& opening, const Level (&levels)[3], long max_plies, MoveClock& master_clock,
             std::string& how, std::vector<Ply>& plies) {
  plies = opening;
  if (game_record::Replay(opening) != opening.size()) {
    how = "opening refused";
    return 0;
  }
  for (long ply = static_cast<long>(opening.size()); ply < max_plies; ++ply) {
    const uint32_t p = Engine_GetPlayer();
    const uint32_t g = GamePart(p);
    if (g == 5 || g == 6) {
      how = "after " + std::to_string(ply) + " plies";
      return g == 5 ? 1 : 2;
    }
    if (g == 7) {
      const uint32_t reason = Engine_GetDrawReason();
      how = reason == 1 ? "repetition" : reason == 2 ? "quiet moves" : "draw";
      return 0;
    }
    SetLevel(levels[p]);
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    Ply ply_made;
    const game_record::ComputerTurn turn = game_record::PlayComputerPly(ply_made);
    const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (levels[p].name == "MASTER") {
      master_clock.longest = std::max(master_clock.longest, seconds);
      master_clock.longest_cpu = std::max(master_clock.longest_cpu, cpu);
      if (seconds > 1.5 * levels[p].time_ms / 1000.0) ++master_clock.over_budget;
      master_clock.total += seconds;
      ++master_clock.moves;
    }
    if (turn == game_record::ComputerTurn::Played) plies.push_back(ply_made);
    else if (turn == game_record::ComputerTurn::Refused) {
      // A level that proposes an illegal move loses the game.
      how = "player " + std::to_string(p) + " (" + levels[p].name + ") proposed an illegal move";
      return p == 1 ? 2 : 1;
    }
  }
  how = "no result after " + std::to_string(max_plies) + " plies";
  return 0;
}

bool Number(int argc, char** argv, int& i, long& out) {
  if (i + 1 >= argc) return false;
  char* end = nullptr;
  out = std::strtol(argv[i + 1], &end, 10);
  if (end == argv[i + 1] || *end != '\0') return false;
  ++i;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Level a, b;
  b.name = "HARD";
  long games = 20, only = 0, seed = 1, max_plies = 600, time_a = 1000, time_b = 1000, nodes = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    bool ok = true;
    if (arg == "--a" && i + 1 < argc) a.name = argv[++i];
    else if (arg == "--b" && i + 1 < argc) b.name = argv[++i];
    else if (arg == "--games") ok = Number(argc, argv, i, games) && games > 0;
    else if (arg == "--only") ok = Number(argc, argv, i, only) && only > 0;
    else if (arg == "--time") ok = Number(argc, argv, i, time_a) && time_a > 0;
    else if (arg == "--time-b") ok = Number(argc, argv, i, time_b) && time_b > 0;
    else if (arg == "--nodes") ok = Number(argc, argv, i, nodes) && nodes > 0;
    else if (arg == "--seed") ok = Number(argc, argv, i, seed);
    else if (arg == "--max-plies") ok = Number(argc, argv, i, max_plies) && max_plies > 0;
    else ok = false;
    if (!ok) {
      std::fprintf(stderr,
                   "usage: match [--a LEVEL] [--b LEVEL] [--games N] [--time MS] [--time-b MS] [--nodes N] "
                   "[--seed S] [--max-plies N] [--only K]\n  LEVEL: EASY, MEDIUM, HARD or MASTER\n");
      return 2;
    }
  }
  a.time_ms = static_cast<uint32_t>(time_a);
  b.time_ms = static_cast<uint32_t>(time_b);
  a.nodes = b.nodes = static_cast<uint64_t>(nodes);
  Engine_SetMessageHandler(DeclineQuestions);
  InitEngine();
  if (!SetLevel(a) || !SetLevel(b)) {
    std::fprintf(stderr, "match: levels are EASY, MEDIUM, HARD or MASTER\n");
    return 2;
  }
  Engine_SetDrawRules(game_record::kDrawRepetitions, game_record::kDrawQuietMoves);
  Engine_SetMasterVariety(1, static_cast<uint32_t>(seed) * 2654435761u + 1u);

  std::mt19937 rng(static_cast<uint32_t>(seed));
  long wins = 0, draws = 0, losses = 0;
  std::vector<double> scores;
  MoveClock clock;
  const auto start = std::chrono::steady_clock::now();
  std::vector<Ply> opening;
  for (long game = 0; game < games; ++game) {
    if (game % 2 == 0) {
      RestartGame();
      opening.clear();
      const int length = 2 + static_cast<int>(rng() % 5);
      for (int k = 0; k < length; ++k) {
        Ply ply;
        if (!game_record::PlayRandomPly(rng, ply)) break;
        opening.push_back(ply);
      }
    }
    // Even games: A is player 1; odd games: the same opening with A as player 2.
    const int a_player = game % 2 == 0 ? 1 : 2;
    Level levels[3];
    levels[a_player] = a;
    levels[3 - a_player] = b;
    std::string how;
    std::vector<Ply> plies;
    if (only != 0 && game + 1 != only) continue;
    const int winner = PlayGame(opening, levels, max_plies, clock, how, plies);
    double score = 0.5;
    const char* result = "draw";
    if (winner == a_player) {
      ++wins;
      score = 1;
      result = "win";
    } else if (winner != 0) {
      ++losses;
      score = 0;
      result = "loss";
    } else {
      ++draws;
    }
    scores.push_back(score);
    std::string line;
    for (const std::string& t : game_record::TurnTexts(opening)) line += t + " ";
    std::printf("game %3ld  %s as player %d  opening %s %s (%s)\n", game + 1, a.name.c_str(), a_player, line.c_str(),
                result, how.c_str());
    // A game the first level did not win, move by move, to be looked into.
    if (winner != a_player) {
      std::string moves;
      for (const std::string& t : game_record::TurnTexts(plies)) moves += t + " ";
      std::printf("          %s\n", moves.c_str());
    }
    std::fflush(stdout);
  }
  const double n = static_cast<double>(scores.size());
  double mean = 0;
  for (const double s : scores) mean += s;
  mean /= n;
  double var = 0;
  for (const double s : scores) var += (s - mean) * (s - mean);
  var = n > 1 ? var / (n - 1) : 0;
  const double margin = 1.96 * std::sqrt(var / n);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto label = [](const Level& level) {
    if (level.name != "MASTER") return level.name;
    if (level.nodes != 0) return level.name + " " + std::to_string(level.nodes) + " nodes";
    return level.name + " " + std::to_string(level.time_ms) + " ms";
  };
  std::printf("%s against %s: %ld games, %ld wins, %ld draws, %ld losses; score %.1f %% +- %.1f %% (95 %%)\n",
              label(a).c_str(), label(b).c_str(), static_cast<long>(scores.size()), wins, draws, losses, 100 * mean,
              100 * margin);
  if (clock.moves > 0)
    std::printf(
        "MASTER moves: %ld, mean %.1f ms, longest %.1f ms (processor time at most %.1f ms), %ld over 1.5 "
        "times the budget; match time %.0f s\n",
        clock.moves, 1000 * clock.total / static_cast<double>(clock.moves), 1000 * clock.longest,
        1000 * clock.longest_cpu, clock.over_budget, elapsed);
  return 0;
}
