#include <cstddef>
#include <cstdio>
#include <iostream>
#include <string>

#include "TrivaneEngine.h"
#include "play.h"

namespace play {

namespace {

Answer g_answer = Answer::Ask;

char PieceChar(uint32_t code) {
  switch (code) {
    case 0: return '+';
    case 1: return 'X';
    case 2: return 'O';
    default: return ' ';
  }
}

int TerminalBox(const char* text, const char* caption, unsigned style) {
  const bool question = (style & 0x0F) == 0x04;
  std::printf("\n  [%s] %s\n", caption, text);
  if (!question) return 1;
  if (g_answer == Answer::Yes) {
    std::printf("  -> Yes\n");
    return 6;
  }
  if (g_answer == Answer::No) {
    std::printf("  -> No\n");
    return 7;
  }
  for (;;) {
    std::printf("  (y/n) > ");
    std::fflush(stdout);
    std::string line;
    if (!std::getline(std::cin, line)) return 7;
    if (!line.empty() && (line[0] == 'y' || line[0] == 'Y')) return 6;
    if (!line.empty() && (line[0] == 'n' || line[0] == 'N')) return 7;
  }
}

}  // namespace

void InstallMessageHandler(Answer answer) {
  g_answer = answer;
  Engine_SetMessageHandler(TerminalBox);
}

// x runs left to right, y top to bottom.  The board's lines are its sixteen
// mills drawn as segments; the points go on top.
std::string BoardText() {
  struct Segment {
    size_t x0, y0, x1, y1;
  };
  static const Segment kLines[] = {
      {1, 1, 7, 1}, {2, 2, 6, 2}, {3, 3, 5, 3}, {1, 4, 3, 4}, {5, 4, 7, 4}, {3, 5, 5, 5}, {2, 6, 6, 6}, {1, 7, 7, 7},
      {1, 1, 1, 7}, {2, 2, 2, 6}, {3, 3, 3, 5}, {4, 1, 4, 3}, {4, 5, 4, 7}, {5, 3, 5, 5}, {6, 2, 6, 6}, {7, 1, 7, 7},
  };
  constexpr int kCols = 25, kRows = 13;
  std::string canvas[kRows];
  for (auto& row : canvas) row.assign(kCols, ' ');
  // Board point (x, y) stands two canvas rows and four columns from the next.
  const auto row_of = [](size_t y) { return (y - 1) * 2; };
  const auto col_of = [](size_t x) { return (x - 1) * 4; };
  for (const Segment& s : kLines) {
    if (s.y0 == s.y1) {
      for (size_t c = col_of(s.x0); c <= col_of(s.x1); ++c) canvas[row_of(s.y0)][c] = '-';
    } else {
      for (size_t r = row_of(s.y0); r <= row_of(s.y1); ++r) canvas[r][col_of(s.x0)] = '|';
    }
  }
  for (uint32_t y = 1; y <= 7; ++y)
    for (uint32_t x = 1; x <= 7; ++x) {
      const uint32_t code = Engine_GetPieceTable(x, y);
      if (code != 255) canvas[row_of(y)][col_of(x)] = PieceChar(code);
    }
  std::string out = "       1   2   3   4   5   6   7    x\n";
  for (int r = 0; r < kRows; ++r) {
    out += (r % 2 == 0) ? "   " + std::to_string(r / 2 + 1) + "   " : std::string(7, ' ');
    out += canvas[r] + "\n";
  }
  out += "   y\n";
  return out;
}

std::string HintText(int player, int game_part) {
  if (game_part != TRIVANE_PHASE_PLACE && game_part != TRIVANE_PHASE_REMOVE) return "";
  const int owner = game_part == TRIVANE_PHASE_PLACE ? player : (player == 1 ? 2 : 1);
  std::string out = game_part == TRIVANE_PHASE_PLACE ? "  placement marks:\n" : "  removal marks:\n";
  for (uint32_t y = 1; y <= 7; ++y) {
    std::string row = "    ";
    for (uint32_t x = 1; x <= 7; ++x) {
      std::string cell = "  .";
      if (game_part == TRIVANE_PHASE_PLACE && Engine_PieceAllowedTable(x, y)) {
        cell = std::to_string(Engine_Place_Mark(x, y, static_cast<uint32_t>(owner)));
      } else if (game_part == TRIVANE_PHASE_REMOVE &&
                 Engine_PlayerPieceExistsTable(x, y, static_cast<uint32_t>(owner))) {
        cell = std::to_string(Engine_Remove_Mark(x, y, static_cast<uint32_t>(owner)));
      } else if (Engine_GetPieceTable(x, y) == 255) {
        cell = "   ";
      }
      while (cell.size() < 3) cell = " " + cell;
      row += cell + " ";
    }
    out += row + "\n";
  }
  return out;
}

}  // namespace play
