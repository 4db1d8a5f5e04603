#include "export_driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TrivaneEngine.h"

namespace trivane_test {

int PlayThroughExports(Caller& player1, Caller& player2) {
  for (int ply = 0; ply < 1000; ++ply) {
    const uint32_t p = Engine_GetPlayer();
    if (p != 1 && p != 2) {
      ADD_FAILURE() << "player to move is " << p;
      return -1;
    }
    Caller& caller = p == 1 ? player1 : player2;
    const int code = static_cast<int>(GamePart(p));
    caller.codes_seen.push_back(code);
    if (code >= 5 || code < 1 || caller.moves.empty()) return code;
    const Move m = caller.moves.front();
    caller.moves.pop_front();
    uint32_t done = 0;
    switch (code) {
      case 1: done = Engine_MakePlaceMove(m.a, m.b); break;
      case 4: done = Engine_RemovePlay(m.a, m.b); break;
      default: done = Engine_MakeSlideMove(m.a, m.b, m.c, m.d); break;
    }
    if (done != 1) {
      ADD_FAILURE() << "player " << p << " (GamePart " << code << ") refused at ply " << ply << ": " << m.a << ","
                    << m.b << " " << m.c << "," << m.d;
      return -1;
    }
  }
  ADD_FAILURE() << "game did not end";
  return -1;
}

Observed Observe() {
  Observed o{};
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) o.cells[x * 8 + y] = static_cast<uint8_t>(Engine_GetPieceTable(x, y));
  }
  o.player = Engine_GetPlayer();
  o.remaining1 = Engine_GetRemainingPutPlayerPieces(1);
  o.remaining2 = Engine_GetRemainingPutPlayerPieces(2);
  for (int p = 1; p <= 2; ++p) {
    for (int row = 0; row < 10; ++row) {
      for (int b = 0; b < 4; ++b) o.maps[(p - 1) * 40 + row * 4 + b] = static_cast<uint8_t>(FastMapDEBUG(row, b, p));
    }
  }
  return o;
}

Observed ObserveModel(const ModelState& m) {
  Observed o{};
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) o.cells[x * 8 + y] = m.cell[x][y];
  }
  o.player = m.player;
  o.remaining1 = m.remaining[1];
  o.remaining2 = m.remaining[2];
  for (int p = 1; p <= 2; ++p) {
    for (int row = 0; row < 10; ++row) {
      for (int b = 0; b < 4; ++b) o.maps[(p - 1) * 40 + row * 4 + b] = m.map[p][row][b];
    }
  }
  return o;
}

std::string Differences(const Observed& e, const Observed& w) {
  std::ostringstream out;
  for (int i = 0; i < 64; ++i) {
    if (e.cells[i] != w.cells[i])
      out << "cell " << i / 8 << "," << i % 8 << ": " << int(e.cells[i]) << " expected " << int(w.cells[i]) << "\n";
  }
  if (e.player != w.player) out << "player " << e.player << " expected " << w.player << "\n";
  if (e.remaining1 != w.remaining1) out << "remaining 1: " << e.remaining1 << " expected " << w.remaining1 << "\n";
  if (e.remaining2 != w.remaining2) out << "remaining 2: " << e.remaining2 << " expected " << w.remaining2 << "\n";
  for (int i = 0; i < 80; ++i) {
    if (e.maps[i] != w.maps[i])
      out << "map of " << i / 40 + 1 << " [" << (i % 40) / 4 << "][" << i % 4 << "]: " << int(e.maps[i])
          << " expected " << int(w.maps[i]) << "\n";
  }
  return out.str();
}

}  // namespace trivane_test
