// Shared pieces of the game program's tests: a fresh working folder that sees
// the game's data, an independent model of the board, a reader of what the
// screen shows, and an automated player that clicks between passes of the
// game loop as a person clicks between frames.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "client/client.h"

namespace client_test {

struct Pt {
  int x = 0;
  int y = 0;
  bool operator==(const Pt&) const = default;
};

// ---------------------------------------------------------------- the board --
// Written from the rules of the game, not from the engine: 24 points, 16 mills,
// neighbours along the lines.

const std::vector<Pt>& BoardPoints();
const std::vector<std::array<Pt, 3>>& Mills();
bool Adjacent(Pt a, Pt b);

struct Board {
  int cell[8][8] = {};  // 0 empty, 1, 2 (only points are used)
  int remaining[3] = {0, 0, 0};
  int player = 1;
  int At(Pt p) const { return cell[p.x][p.y]; }
  int OnBoard(int who) const;
  bool InMill(Pt p) const;                                    // the piece on p stands in a complete mill
  int MillsClosedBy(Pt to, int who, Pt from = {0, 0}) const;  // mills completed by moving who's piece to `to`
  std::vector<Pt> Removable(int opponent) const;              // pieces of opponent the engine lets go
  bool AllPlaced() const { return remaining[1] == 0 && remaining[2] == 0; }
  bool operator==(const Board& o) const;
};
// The engine's view, read through its exports.
Board ReadEngine();

// One move of a player: a placement, a slide or fly (from, to), or a removal.
struct Action {
  enum Kind { Place, Slide, Remove } kind = Place;
  Pt at;    // placement point, removal point, or slide destination
  Pt from;  // slide source
};
std::string Describe(const Action& a);

// ------------------------------------------------------------- the screen --

// Which piece the screen shows on point p: 0 none, 1 or 2, -1 a picture that
// is neither (a fault).  Only the lower half of the piece is read: the upper
// half may carry a hint mark written over it.
int PieceOnScreen(Pt p);
// How many reserve pieces the stack of `player` shows.
int ReserveOnScreen(int player);
// Fraction of the opaque cells of picture `name`, drawn at (x, y), that the
// window shows exactly; rows from firstRow (0-based) on, columns up to
// lastColumn (1-based, 0 = all) and from firstColumn on.
double PictureMatch(const std::string& name, int x, int y, int firstRow = 0, int lastColumn = 0,
                    int firstColumn = 1);
// Checks every point and both stacks against the engine.  Returns a
// description of the first difference, empty when the screen agrees.
std::string CompareScreenWithEngine();

// --------------------------------------------------------------- the boxes --

struct SeenBox {
  std::string caption;
  std::string text;
  int answer = 0;
};

// ---------------------------------------------------------- the test stage --

// A fresh folder per test whose entries are links to the game's data beside
// the test program, made current for the test; headless platform, virtual time.
class GameStage : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Start-up steps of the program with these command-line words.
  void StartProgram(const std::vector<std::string>& words);
  // Where this test keeps pictures worth looking at.
  std::filesystem::path ArtifactPath(const std::string& name) const;

  // Answers for the boxes, chosen by caption; the default answers OK to
  // notices, No to "Play Again ?" and No to the draw proposition.
  std::function<int(const SeenBox&)> answerBox;
  std::vector<SeenBox> boxes;
  size_t BoxesSince(size_t mark, std::vector<SeenBox>* out) const;

  std::filesystem::path folder_;
  std::filesystem::path previous_;
  std::filesystem::path bin_;
};

// Runs scripted steps between passes of the game loop.  A step is either a
// click on a window pixel (it waits until the input has been taken and the
// click handled) or a check run between passes.  When the steps run out the
// script closes the game window through its close area unless told otherwise.
class StepScript {
 public:
  void Click(int x, int y);
  void ClickPoint(Pt p);
  // A click at a place known only when the step runs (an object's centre).
  void ClickAt(std::function<Pt()> where);
  void Check(std::function<void()> check);
  // Input other than a click (keys): sent, then waited for as a click is.
  void Do(std::function<void()> action);
  // Holds the script until `ready` is true (checked once a pass).
  void WaitFor(std::function<bool()> ready, int waitLimit = 2000);
  // Runs from the game loop's pass observer.
  void OnPass();
  bool Done() const { return steps_.empty(); }
  int passes = 0;
  int passLimit = 20000;

 private:
  struct Step {
    bool isClick = false;
    std::function<Pt()> where;
    std::function<void()> check;
    std::function<void()> action;
    std::function<bool()> ready;
    int waitLimit = 0;
  };
  std::deque<Step> steps_;
  int settle_ = 0;
  bool closing_ = false;
};

// Sets the close area of the game window as a click on it would, so the game
// loop returns WindowClosed after this pass.
void RequestCloseArea();

// A player that picks its moves at random among the legal ones (seeded),
// preferring moves that close a mill when `preferMills` is set.
struct RandomPolicy {
  explicit RandomPolicy(uint32_t seed) : rng(seed) {}
  std::mt19937 rng;
  bool preferMills = true;
  // Refuses to close a mill against an opponent left with this few pieces
  // (pieces on the board plus pieces still to place); 0 = no limit.
  int spareOpponentAt = 0;
  bool avoidMills = false;
  std::optional<Action> Choose(const Board& b, int who, bool removalDue);
};

}  // namespace client_test
