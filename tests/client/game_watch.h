// Watches a whole game from the pass observer of the game loop: after every
// change of the game it compares the screen with the engine, and on the turn
// of a side the test plays it clicks the move its chooser picks, checking the
// sound and the boxes each move brings.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "client_fixture.h"

namespace client_test {

using Chooser = std::function<std::optional<Action>(const Board&, int who, bool removalDue)>;

struct GameWatch {
  std::vector<SeenBox>* boxes = nullptr;  // the stage's record of boxes
  std::set<int> humans;                   // sides the test clicks for
  Chooser choose;
  // For a game the test does not mean to finish: close the window after this
  // many moves have been seen (-1: play to the end).
  int closeAfterMoves = -1;
  // Close through a real click on the close area (else by setting it).
  bool closeByClick = true;
  int passLimit = 60000;
  // Called after every move seen, with the number of moves so far.
  std::function<void(int)> onMove;

  // Results.
  int moves = 0;
  int humanMoves = 0;
  int passes = 0;
  bool drawAccepted = false;
  bool endClickSent = false;
  std::vector<std::string> faults;

  void OnPass();

 private:
  void Verify();
  void Act(const Board& now);
  void Fault(const std::string& what);

  Board last_;
  bool haveLast_ = false;
  // The click in flight: what it must change before the next one goes out.
  bool waiting_ = false;
  int waitPasses_ = 0;
  Board before_;
  int stepBefore_ = 1;
  size_t soundsBefore_ = 0;
  size_t boxesBefore_ = 0;
  std::string expectSound_;
  std::optional<Pt> pendingDestination_;
  Action pendingAction_;
  int removalsDue_ = 0;
  bool closing_ = false;
};

// True when the game on this board is over for the rules.
bool GameOver(const Board& b);

}  // namespace client_test
