// trivane-play: Trivane on a terminal.  Moves are typed as coordinates, x
// first: "4 1" places or removes on (4,1), "1 1 4 1" moves the piece on (1,1)
// to (4,1).  The computer plays through the same exports as a person.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "play.h"

namespace play {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool ParseNumber(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0';
}

}  // namespace

void PrintUsage() {
  std::printf(
      "usage: trivane-play [EASY|MEDIUM|HARD] [CPUVSCPU] [options]\n"
      "  EASY, MEDIUM, HARD   search depth 3, 5 or 6 (any case; the last one wins)\n"
      "  CPUVSCPU             the computer plays both sides\n"
      "  --two-players        two people play, no computer\n"
      "  --computer-first     the computer plays player 1, you play player 2\n"
      "  --answer yes|no|ask  how the engine's Yes/No questions are answered (default ask)\n"
      "  --max-moves N        stop a game after N moves (default 1000)\n"
      "  --quiet              print only the moves and the result\n"
      "  --perft N            count the move sequences of length N from the empty board\n"
      "moves: \"x y\" to place or remove, \"x y x y\" to move a piece; \"q\" quits\n");
}

Options ParseArguments(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const std::string word = Upper(arg);
    auto next = [&](long& value) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], value)) {
        o.error = "missing or bad number after " + arg;
        return false;
      }
      ++i;
      return true;
    };
    long value = 0;
    if (word == "CPUVSCPU") {
      o.cpu[1] = o.cpu[2] = true;
    } else if (word == "EASY") {
      o.difficulty = TRIVANE_DEPTH_EASY;
    } else if (word == "MEDIUM") {
      o.difficulty = TRIVANE_DEPTH_MEDIUM;
    } else if (word == "HARD") {
      o.difficulty = TRIVANE_DEPTH_HARD;
    } else if (arg == "--two-players") {
      o.cpu[1] = o.cpu[2] = false;
    } else if (arg == "--computer-first") {
      o.cpu[1] = true;
      o.cpu[2] = false;
    } else if (arg == "--answer") {
      if (i + 1 >= argc) {
        o.error = "--answer needs yes, no or ask";
        break;
      }
      const std::string a = Upper(argv[++i]);
      if (a == "YES") o.answer = Answer::Yes;
      else if (a == "NO") o.answer = Answer::No;
      else if (a == "ASK") o.answer = Answer::Ask;
      else o.error = "--answer needs yes, no or ask";
    } else if (arg == "--max-moves") {
      if (next(value)) o.max_moves = value;
    } else if (arg == "--perft") {
      if (next(value)) {
        if (value < 0 || value > 12) o.error = "--perft takes a depth from 0 to 12";
        else o.perft_depth = static_cast<int>(value);
      }
    } else if (arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    }
    // Any other word is ignored, as the game program ignores it.
    if (!o.error.empty()) break;
  }
  return o;
}

}  // namespace play

using namespace play;

namespace {

const char* PhaseText(uint32_t g) {
  switch (g) {
    case TRIVANE_PHASE_PLACE: return "place a piece (x y)";
    case TRIVANE_PHASE_SLIDE: return "move a piece along a line (x y x y)";
    case TRIVANE_PHASE_FLY: return "fly a piece anywhere (x y x y)";
    case TRIVANE_PHASE_REMOVE: return "remove an opposing piece (x y)";
    default: return "";
  }
}

uint32_t ApplyMove(uint32_t g, uint32_t fx, uint32_t fy, uint32_t tx, uint32_t ty) {
  if (g == TRIVANE_PHASE_PLACE) return Engine_MakePlaceMove(fx, fy);
  if (g == TRIVANE_PHASE_SLIDE || g == TRIVANE_PHASE_FLY) return Engine_MakeSlideMove(fx, fy, tx, ty);
  if (g == TRIVANE_PHASE_REMOVE) return Engine_RemovePlay(fx, fy);
  return 0;
}

std::string MoveText(uint32_t g, uint32_t fx, uint32_t fy, uint32_t tx, uint32_t ty) {
  std::string s = (g == TRIVANE_PHASE_PLACE ? "places " : g == TRIVANE_PHASE_REMOVE ? "removes " : "moves ");
  s += std::to_string(fx) + "," + std::to_string(fy);
  if (g == TRIVANE_PHASE_SLIDE || g == TRIVANE_PHASE_FLY) s += " - " + std::to_string(tx) + "," + std::to_string(ty);
  return s;
}

// Reads numbers from a line; "q" quits.  Returns false at the end of input.
bool ReadMove(std::vector<long>& numbers, bool& quit) {
  std::string line;
  if (!std::getline(std::cin, line)) return false;
  numbers.clear();
  quit = false;
  for (char& c : line)
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != 'q' && c != 'Q') c = ' ';
  std::istringstream in(line);
  std::string token;
  while (in >> token) {
    if (token == "q" || token == "Q") {
      quit = true;
      return true;
    }
    long v = 0;
    if (ParseNumber(token.c_str(), v)) numbers.push_back(v);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseArguments(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "trivane-play: %s\n", options.error.c_str());
    PrintUsage();
    return 2;
  }
  if (options.help) {
    PrintUsage();
    return 0;
  }

  if (options.perft_depth > 0) {
    InstallMessageHandler(Answer::No);
    for (int d = 1; d <= options.perft_depth; ++d)
      std::printf("perft %d: %llu\n", d, static_cast<unsigned long long>(Perft(d)));
    return 0;
  }

  InstallMessageHandler(options.answer);
  InitEngine();
  if (options.difficulty >= 0) Engine_SetDifficulty(static_cast<uint32_t>(options.difficulty));

  std::string name;
  for (int32_t i = 0, n = Engine_Info_Size(); i < n; ++i) name += static_cast<char>(Engine_Info(static_cast<uint32_t>(i)));
  std::printf("Trivane on a terminal, plugged to %s\n", Engine_Info_Size() < 0 ? "unknown engine" : name.c_str());

  long moves = 0;
  for (;;) {
    const uint32_t player = Engine_GetPlayer();
    const uint32_t g = GamePart(player);
    if (g == TRIVANE_PHASE_PLAYER1_WON || g == TRIVANE_PHASE_PLAYER2_WON || g == TRIVANE_PHASE_DRAW) {
      if (!options.quiet) std::printf("\n%s", BoardText().c_str());
      if (g == TRIVANE_PHASE_DRAW) std::printf("The game ends as a draw.\n");
      else std::printf("Player %u has won.\n", g == TRIVANE_PHASE_PLAYER1_WON ? 1u : 2u);
      return 0;
    }
    if (moves >= options.max_moves) {
      std::printf("No result after %ld moves.\n", moves);
      return 0;
    }
    if (!options.quiet) {
      std::printf("\n%s", BoardText().c_str());
      std::printf("  to place: X %u, O %u\n", Engine_GetRemainingPutPlayerPieces(1),
                  Engine_GetRemainingPutPlayerPieces(2));
      std::printf("%s", HintText(static_cast<int>(player), static_cast<int>(g)).c_str());
    }
    if (options.cpu[player]) {
      uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
      AI_Play(&fx, &fy, &tx, &ty);
      // The answer of AI_Play may itself have changed the phase (a draw
      // accepted in its own query): ask again before applying.
      const uint32_t now = GamePart(player);
      if (now >= TRIVANE_PHASE_PLAYER1_WON) continue;
      if (!ApplyMove(now, fx, fy, tx, ty)) {
        std::printf("Player %u (computer) proposed %s, which the referee refused.\n", player,
                    MoveText(now, fx, fy, tx, ty).c_str());
        return 1;
      }
      std::printf("Player %u (computer) %s\n", player, MoveText(now, fx, fy, tx, ty).c_str());
      ++moves;
      continue;
    }
    std::printf("Player %u (%c): %s > ", player, player == 1 ? 'X' : 'O', PhaseText(g));
    std::fflush(stdout);
    std::vector<long> n;
    bool quit = false;
    if (!ReadMove(n, quit) || quit) {
      std::printf("\nGame left.\n");
      return 0;
    }
    const size_t need = (g == TRIVANE_PHASE_SLIDE || g == TRIVANE_PHASE_FLY) ? 4 : 2;
    if (n.size() != need) {
      std::printf("  Type %zu numbers.\n", need);
      continue;
    }
    auto coord = [](long v) { return static_cast<uint32_t>(v >= 0 && v <= 7 ? v : 0); };
    if (!ApplyMove(g, coord(n[0]), coord(n[1]), need == 4 ? coord(n[2]) : 0, need == 4 ? coord(n[3]) : 0)) {
      std::printf("  %s\n", g == TRIVANE_PHASE_REMOVE ? "Cannot remove this piece.." : "Cannot put here..");
      continue;
    }
    ++moves;
  }
}
