// match: games between two computer levels, through the engine's exports as
// the game program plays them.  Each seeded random opening (2 to 6 plies) is
// played twice, with the colours swapped, with the draw rules on; the draw
// offered at three pieces each is declined.  Prints every game, then wins,
// draws and losses of the first level and its score with a 95 % margin, and
// the longest and mean time of a MASTER move.
//
//   match [--a LEVEL] [--b LEVEL] [--games N] [--time MS] [--time-b MS]
//         [--seed S] [--max-plies N]
//   LEVEL: EASY, MEDIUM, HARD or MASTER (default MASTER against HARD)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "game_record.h"

namespace {

using game_record::Ply;
using game_record::PlyKind;
using game_record::Square;

struct Level {
  std::string name = "MASTER";
  uint32_t time_ms = 1000;
};

struct MoveClock {
  double longest = 0;
  double total = 0;
  long moves = 0;
};

int DeclineQuestions(const char*, const char*, unsigned style) { return (style & 0x0F) == 0x04 ? 7 : 1; }

bool SetLevel(const Level& level) {
  if (level.name == "EASY") Engine_SetDifficulty(3);
  else if (level.name == "MEDIUM") Engine_SetDifficulty(5);
  else if (level.name == "HARD") Engine_SetDifficulty(6);
  else if (level.name == "MASTER") Engine_SetMasterLevel(level.time_ms);
  else return false;
  return true;
}

Ply MakePly(uint32_t g, uint32_t fx, uint32_t fy, uint32_t tx, uint32_t ty) {
  const Square from{static_cast<int>(fx), static_cast<int>(fy)};
  const Square to{static_cast<int>(tx), static_cast<int>(ty)};
  if (g == 2 || g == 3) return Ply{PlyKind::Slide, from, to};
  return Ply{g == 4 ? PlyKind::Remove : PlyKind::Place, {}, from};
}

// A random legal placement or removal for the player to move.
bool RandomPly(std::mt19937& rng, std::vector<Ply>& plies) {
  const uint32_t p = Engine_GetPlayer();
  const uint32_t g = GamePart(p);
  std::vector<Ply> legal;
  for (uint32_t x = 1; x <= 7; ++x)
    for (uint32_t y = 1; y <= 7; ++y) {
      if (g == 1 && Engine_PieceAllowedTable(x, y)) legal.push_back(MakePly(1, x, y, 0, 0));
      if (g == 4 && Engine_PlayerPieceExistsTable(x, y, p == 1 ? 2 : 1)) legal.push_back(MakePly(4, x, y, 0, 0));
    }
  while (!legal.empty()) {
    const size_t i = rng() % legal.size();
    if (game_record::ApplyPly(legal[i])) {
      plies.push_back(legal[i]);
      return true;
    }
    legal.erase(legal.begin() + static_cast<long>(i));
  }
  return false;
}

// 1: the level playing player 1 won; 2: player 2; 0: drawn (or no result).
int PlayGame(const std::vector<Ply>& opening, const Level (&levels)[3], long max_plies, MoveClock& master_clock,
             std::string& how) {
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
    uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
    const auto t0 = std::chrono::steady_clock::now();
    AI_Play(&fx, &fy, &tx, &ty);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (levels[p].name == "MASTER") {
      master_clock.longest = std::max(master_clock.longest, seconds);
      master_clock.total += seconds;
      ++master_clock.moves;
    }
    const uint32_t now = GamePart(p);
    if (!game_record::ApplyPly(MakePly(now, fx, fy, tx, ty))) {
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
  long games = 20, seed = 1, max_plies = 600, time_a = 1000, time_b = 1000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    bool ok = true;
    if (arg == "--a" && i + 1 < argc) a.name = argv[++i];
    else if (arg == "--b" && i + 1 < argc) b.name = argv[++i];
    else if (arg == "--games") ok = Number(argc, argv, i, games) && games > 0;
    else if (arg == "--time") ok = Number(argc, argv, i, time_a) && time_a > 0;
    else if (arg == "--time-b") ok = Number(argc, argv, i, time_b) && time_b > 0;
    else if (arg == "--seed") ok = Number(argc, argv, i, seed);
    else if (arg == "--max-plies") ok = Number(argc, argv, i, max_plies) && max_plies > 0;
    else ok = false;
    if (!ok) {
      std::fprintf(stderr,
                   "usage: match [--a LEVEL] [--b LEVEL] [--games N] [--time MS] [--time-b MS] [--seed S] "
                   "[--max-plies N]\n  LEVEL: EASY, MEDIUM, HARD or MASTER\n");
      return 2;
    }
  }
  a.time_ms = static_cast<uint32_t>(time_a);
  b.time_ms = static_cast<uint32_t>(time_b);
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
      for (int k = 0; k < length; ++k)
        if (!RandomPly(rng, opening)) break;
    }
    // Even games: A is player 1; odd games: the same opening with A as player 2.
    const int a_player = game % 2 == 0 ? 1 : 2;
    Level levels[3];
    levels[a_player] = a;
    levels[3 - a_player] = b;
    std::string how;
    const int winner = PlayGame(opening, levels, max_plies, clock, how);
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
  std::printf("%s%s against %s%s: %ld games, %ld wins, %ld draws, %ld losses; score %.1f %% +- %.1f %% (95 %%)\n",
              a.name.c_str(), a.name == "MASTER" ? (" " + std::to_string(a.time_ms) + " ms").c_str() : "",
              b.name.c_str(), b.name == "MASTER" ? (" " + std::to_string(b.time_ms) + " ms").c_str() : "", games,
              wins, draws, losses, 100 * mean, 100 * margin);
  if (clock.moves > 0)
    std::printf("MASTER moves: %ld, mean %.1f ms, longest %.1f ms; match time %.0f s\n", clock.moves,
                1000 * clock.total / static_cast<double>(clock.moves), 1000 * clock.longest, elapsed);
  return 0;
}
