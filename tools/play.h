// trivane-play: a terminal game of Trivane driven through the engine's exported
// interface only, the way the game program drives it.
#pragma once

#include <cstdint>
#include <string>

namespace play {

enum class Answer { Ask, Yes, No };

struct Options {
  bool cpu[3] = {false, false, true};  // as in the game: player 1 human, player 2 computer
  int difficulty = -1;                 // -1: the engine's own default
  bool master = false;                 // MASTER: the deep search with a time budget
  long move_time_ms = 1000;            // --time MS: MASTER's budget per move
  bool variety = true;                 // --no-variety: MASTER always takes its best move
  Answer answer = Answer::Ask;
  long max_moves = 1000;
  int perft_depth = 0;
  std::string load_file;   // --load FILE: a saved game to go on from
  int opening = 0;         // --opening N: the first N plies chosen at random
  uint32_t seed = 1;       // --seed S: the random opening's seed
  bool draw_rules = true;  // --no-draw-rules: the game without them
  bool quiet = false;
  bool help = false;
  std::string error;
};

Options ParseArguments(int argc, char** argv);
void PrintUsage();

// Board and hints, one text per call.
std::string BoardText();
std::string HintText(int player, int game_part);

// The engine's boxes: printed, and questions answered by the option or asked.
void InstallMessageHandler(Answer answer);

// Counts the move sequences of the given length from the empty board (a removal
// is a ply of its own).
uint64_t Perft(int depth);

}  // namespace play
