// An independent model of the referee, written from the rules of the game and
// the hand-made board tables, used as the oracle of the randomised tests: it
// predicts for every attempted action whether the engine accepts it, which box
// it shows and every byte of the state afterwards (the piece maps included,
// with their stale free-link counts and swap-with-last deletion order).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trivane_test {

struct ModelState {
  uint8_t cell[8][8];
  uint8_t player;
  uint8_t remaining[3];
  uint8_t due;
  uint8_t draw_offered;
  uint8_t draw_agreed;
  uint8_t map[3][10][4];  // [player][row][byte], player 1 and 2
};

// The state at the start of a game.
ModelState NewModelGame();

bool IsPointCell(int x, int y);
int ModelFreeLinks(const ModelState& m, int x, int y);
int ModelMillsHeld(const ModelState& m, int x, int y, int p);
int ModelMillsFormedAt(const ModelState& m, int x, int y, int p);
int ModelFreePieces(const ModelState& m, int p);
int ModelPieces(const ModelState& m, int p);
bool ModelBlocked(const ModelState& m, int p);

// Each action returns 1 when done and 0 when refused (state unchanged); the
// text of a box the engine must show for it is appended to `boxes`.
int ModelPlace(ModelState& m, int x, int y, std::vector<std::string>& boxes);
int ModelSlide(ModelState& m, int fx, int fy, int tx, int ty, std::vector<std::string>& boxes);
int ModelRemove(ModelState& m, int x, int y);

// What the player has to do next; `answer` is given to the draw proposition
// when it is asked, and `asked` tells whether it was.
int ModelGamePart(ModelState& m, int p, int answer, bool& asked);

}  // namespace trivane_test
