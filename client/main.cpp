// TrivaneGUI: Nine Men's Morris in a window of its own.
//
//   TrivaneGUI [CPUVSCPU] [EASY | MEDIUM | HARD]
//
// The words may come in any case and order; the last difficulty word wins.
#include <string>
#include <vector>

#include "client/client.h"

int main(int argc, char** argv) {
  // Pictures, sounds and resources lie beside the program; working in its own
  // folder finds them from wherever the program was started.
  client::EnterProgramFolder();
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  return client::RunTrivaneGui(words);
}
