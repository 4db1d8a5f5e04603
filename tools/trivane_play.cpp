// trivane-play: Trivane on a terminal.  Moves are typed in the notation of
// Morris players ("d2", "d2-d3", "f4" for a removal) or as coordinates, x
// first: "4 1" places or removes on (4,1), "1 1 4 1" moves the piece on (1,1)
// to (4,1).  The computer plays through the same exports as a person.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "game_record.h"
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
      "usage: trivane-play [EASY|MEDIUM|HARD|MASTER] [CPUVSCPU] [options]\n"
      "  EASY, MEDIUM, HARD   search depth 3, 5 or 6 (any case; the last one wins)\n"
      "  MASTER               a deep search, 1 s a move unless --time says otherwise\n"
      "  --time MS            MASTER's time per move in milliseconds\n"
      "  --no-variety         MASTER always plays its best move (no random choice)\n"
      "  CPUVSCPU             the computer plays both sides\n"
      "  TWOPLAYERS, --two-players     two people play, no computer\n"
      "  CPUFIRST, --computer-first   the computer plays player 1, you play player 2\n"
      "  --answer yes|no|ask  how the engine's Yes/No questions are answered (default ask)\n"
      "  --max-moves N        stop a game after N moves (default 1000)\n"
      "  --load FILE          go on from a saved game\n"
      "  --opening N          play the first N plies at random (with --seed S)\n"
      "  --no-draw-rules      no draw by threefold repetition or 100 moves without a mill\n"
      "  --quiet              print only the moves and the result\n"
      "  --perft N            count the move sequences of length N from the empty board\n"
      "moves: \"d2\" to place or remove, \"d2-d3\" to move a piece (or \"x y\", \"x y x y\");\n"
      "  \"moves\" lists the game, \"save FILE\" saves it, \"q\" quits\n");
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
      o.master = false;
    } else if (word == "MEDIUM") {
      o.difficulty = TRIVANE_DEPTH_MEDIUM;
      o.master = false;
    } else if (word == "HARD") {
      o.difficulty = TRIVANE_DEPTH_HARD;
      o.master = false;
    } else if (word == "MASTER") {
      o.master = true;
    } else if (arg == "--time") {
      if (next(value)) {
        if (value < 1 || value > 3600000) o.error = "--time takes 1 to 3600000 milliseconds";
        else o.move_time_ms = value;
      }
    } else if (arg == "--no-variety") {
      o.variety = false;
    } else if (arg == "--two-players" || word == "TWOPLAYERS") {
      o.cpu[1] = o.cpu[2] = false;
    } else if (arg == "--computer-first" || word == "CPUFIRST") {
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
    } else if (arg == "--load") {
      if (i + 1 >= argc) o.error = "--load needs a file";
      else o.load_file = argv[++i];
    } else if (arg == "--opening") {
      if (next(value)) {
        if (value < 0 || value > 18) o.error = "--opening takes 0 to 18 plies";
        else o.opening = static_cast<int>(value);
      }
    } else if (arg == "--seed") {
      if (next(value)) o.seed = static_cast<uint32_t>(value);
    } else if (arg == "--no-draw-rules") {
      o.draw_rules = false;
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

using game_record::Ply;
using game_record::PlyKind;
using game_record::Square;

const char* PhaseText(uint32_t g) {
  switch (g) {
    case TRIVANE_PHASE_PLACE: return "place a piece (d2)";
    case TRIVANE_PHASE_SLIDE: return "move a piece along a line (d2-d3)";
    case TRIVANE_PHASE_FLY: return "fly a piece anywhere (d2-g7)";
    case TRIVANE_PHASE_REMOVE: return "remove an opposing piece (f4)";
    default: return "";
  }
}

// The ply in notation: "d2", "d2-d3", "xf4".
std::string PlyText(const Ply& p) {
  switch (p.kind) {
    case PlyKind::Place: return game_record::SquareName(p.to);
    case PlyKind::Slide: return game_record::SquareName(p.from) + "-" + game_record::SquareName(p.to);
    case PlyKind::Remove: return "x" + game_record::SquareName(p.to);
  }
  return "";
}

std::string EndText(uint32_t g) {
  if (g == 5 || g == 6) return "Player " + std::to_string(g == 5 ? 1 : 2) + " has won.";
  switch (Engine_GetDrawReason()) {
    case 1: return "The game ends as a draw: the same position for the third time.";
    case 2:
      return "The game ends as a draw: " + std::to_string(game_record::kDrawQuietMoves) + " moves without a mill.";
    default: return "The game ends as a draw.";
  }
}

// A typed line as a ply: notation ("d2", "d2-d3", "d2 d3") or numbers.
bool ReadPly(const std::string& line, uint32_t g, Ply& out, std::string& why) {
  std::vector<std::string> words;
  std::string t = line;
  for (char& c : t)
    if (c == '-' || c == ',') c = ' ';
  std::istringstream in(t);
  for (std::string w; in >> w;) words.push_back(w);
  const size_t need = (g == 2 || g == 3) ? 2 : 1;
  std::vector<Square> squares;
  if (words.size() == need) {
    for (const std::string& w : words) {
      Square s;
      if (!game_record::ParseSquare(w, s)) break;
      squares.push_back(s);
    }
  }
  if (squares.size() != need && words.size() == need * 2) {
    squares.clear();
    for (size_t i = 0; i < words.size(); i += 2) {
      long x = 0, y = 0;
      if (!ParseNumber(words[i].c_str(), x) || !ParseNumber(words[i + 1].c_str(), y)) break;
      if (x < 0 || x > 7 || y < 0 || y > 7) break;
      squares.push_back(Square{static_cast<int>(x), static_cast<int>(y)});
    }
  }
  if (squares.size() != need) {
    why = need == 2 ? "Type a move as d2-d3 (or 4 6 4 5)." : "Type a point as d2 (or 4 6).";
    return false;
  }
  if (need == 2) out = Ply{PlyKind::Slide, squares[0], squares[1]};
  else out = Ply{g == 4 ? PlyKind::Remove : PlyKind::Place, {}, squares[0]};
  return true;
}

void Save(const std::string& path, const std::vector<Ply>& plies, int difficulty) {
  game_record::GameFile file;
  // A saved game names one of the three levels its format knows; MASTER games
  // are saved as HARD, the nearest.
  file.level = difficulty == TRIVANE_DEPTH_EASY ? "EASY" : difficulty == TRIVANE_DEPTH_HARD ? "HARD" : "MEDIUM";
  file.date = game_record::DateNow();
  file.plies = plies;
  std::string error;
  if (game_record::WriteTextFile(path, game_record::FormatGameFile(file), error)) {
    std::printf("  Saved %zu moves to %s\n", game_record::TurnTexts(plies).size(), path.c_str());
  } else {
    std::printf("  Not saved: %s\n", error.c_str());
  }
}

void PrintMoves(const std::vector<Ply>& plies) {
  const std::vector<std::string> turns = game_record::TurnTexts(plies);
  for (size_t i = 0; i < turns.size(); i += 2) {
    std::printf("  %3zu. %-12s %s\n", i / 2 + 1, turns[i].c_str(), i + 1 < turns.size() ? turns[i + 1].c_str() : "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseArguments(argc, argv);
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
  if (options.draw_rules) Engine_SetDrawRules(game_record::kDrawRepetitions, game_record::kDrawQuietMoves);

  std::vector<Ply> plies;
  if (!options.load_file.empty()) {
    std::string text, error;
    game_record::GameFile file;
    if (!game_record::ReadTextFile(options.load_file, text, error) ||
        !game_record::LoadGameText(text, file, error)) {
      std::fprintf(stderr, "trivane-play: %s: %s\n", options.load_file.c_str(), error.c_str());
      return 2;
    }
    plies = file.plies;
    if (options.difficulty < 0 && !file.level.empty())
      options.difficulty = file.level == "EASY"   ? TRIVANE_DEPTH_EASY
                           : file.level == "HARD" ? TRIVANE_DEPTH_HARD
                                                  : TRIVANE_DEPTH_MEDIUM;
  }
  if (options.difficulty >= 0) Engine_SetDifficulty(static_cast<uint32_t>(options.difficulty));
  if (options.master) {
    Engine_SetMasterLevel(static_cast<uint32_t>(options.move_time_ms));
    Engine_SetMasterVariety(options.variety ? 1 : 0, 0);
  }

  std::string name;
  for (int32_t i = 0, n = Engine_Info_Size(); i < n; ++i)
    name += static_cast<char>(Engine_Info(static_cast<uint32_t>(i)));
  std::printf("Trivane on a terminal, plugged to %s\n", Engine_Info_Size() < 0 ? "unknown engine" : name.c_str());
  if (!plies.empty())
    std::printf("Loaded %zu moves from %s\n", game_record::TurnTexts(plies).size(), options.load_file.c_str());

  std::mt19937 rng(options.seed);
  // A loaded game goes on as it stands; only a new one gets a random opening.
  for (int i = 0; options.load_file.empty() && i < options.opening; ++i) {
    const uint32_t mover = Engine_GetPlayer();
    Ply ply;
    if (!game_record::PlayRandomPly(rng, ply)) break;
    plies.push_back(ply);
    std::printf("Player %u (opening) %s\n", mover, PlyText(ply).c_str());
  }

  long moves = 0;
  for (;;) {
    const uint32_t player = Engine_GetPlayer();
    const uint32_t g = GamePart(player);
    if (g == TRIVANE_PHASE_PLAYER1_WON || g == TRIVANE_PHASE_PLAYER2_WON || g == TRIVANE_PHASE_DRAW) {
      if (!options.quiet) std::printf("\n%s", BoardText().c_str());
      std::printf("%s\n", EndText(g).c_str());
      std::printf("%zu plies played.\n", plies.size());
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
      Ply ply;
      const game_record::ComputerTurn turn = game_record::PlayComputerPly(ply);
      if (turn == game_record::ComputerTurn::Ended) continue;
      if (turn == game_record::ComputerTurn::Refused) {
        std::printf("Player %u (computer) proposed %s, which the referee refused.\n", player, PlyText(ply).c_str());
        return 1;
      }
      plies.push_back(ply);
      std::printf("Player %u (computer) %s\n", player, PlyText(ply).c_str());
      ++moves;
      continue;
    }
    std::printf("Player %u (%c): %s > ", player, player == 1 ? 'X' : 'O', PhaseText(g));
    std::fflush(stdout);
    std::string line;
    if (!std::getline(std::cin, line)) {
      std::printf("\nGame left.\n");
      return 0;
    }
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first == "q" || first == "Q" || first == "quit") {
      std::printf("\nGame left.\n");
      return 0;
    }
    if (first == "save") {
      std::string path;
      std::getline(words >> std::ws, path);
      if (path.empty()) std::printf("  Type save and a file name.\n");
      else Save(path, plies, options.master ? TRIVANE_DEPTH_HARD : options.difficulty);
      continue;
    }
    if (first == "moves") {
      PrintMoves(plies);
      continue;
    }
    Ply ply;
    std::string why;
    if (!ReadPly(line, g, ply, why)) {
      std::printf("  %s\n", why.c_str());
      continue;
    }
    if (!game_record::ApplyPly(ply)) {
      std::printf("  %s\n", g == 4 ? "Cannot remove this piece.." : "Cannot put here..");
      continue;
    }
    plies.push_back(ply);
    ++moves;
  }
}
