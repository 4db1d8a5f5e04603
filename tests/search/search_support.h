// Shared set-up of the search tests: a fresh game, a recorded message box
// handler, a private working folder for the dump files, positions built piece
// by piece, and random legal play.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace search_test {

struct Box {
  std::string text;
  std::string caption;
  unsigned style;
};

struct Point {
  uint8_t x, y;
};

std::vector<Box>& Boxes();
// The answer given to Yes/No questions (7 = No unless a test changes it).
int& QuestionAnswer();

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string ReadFile(const std::string& name) const;

  std::filesystem::path old_dir_;
  std::filesystem::path dir_;
};

// Puts pieces with the raw placement in the order given (player 1's list, then
// player 2's), so the piece maps and their cached counts follow that order.
void SetPosition(const std::vector<Point>& p1, const std::vector<Point>& p2, uint8_t to_move, uint8_t left1,
                 uint8_t left2);

// Plays one random legal move for the player to move through the turn
// operations; false when the game is over or nothing is legal.
bool PlayRandomMove(std::mt19937& rng);

// Everything a caller can see of the game state.
struct Snapshot {
  std::vector<uint8_t> bytes;
  bool operator==(const Snapshot& o) const { return bytes == o.bytes; }
};
Snapshot TakeSnapshot();

}  // namespace search_test
