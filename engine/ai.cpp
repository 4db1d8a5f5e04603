// The computer player's entry points: the tree search, the one-ply chooser it
// still uses while many pieces remain to be placed, and the tree dump.
#include "fastmap.h"
#include "geometry.h"
#include "marks.h"
#include "messages.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace trivane {

namespace {

constexpr uint32_t SHALLOWEST_RETRY = 2;

void Write(const ChosenMove& move, uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y) {
  from_x = move.from[0];
  from_y = move.from[1];
  to_x = move.to[0];
  to_y = move.to[1];
}

}  // namespace

void GreedyMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y) {
  const uint8_t p = GetPlayer();
  const uint8_t g = GamePart(p);
  if (g == GAMEPART_PLAYER1_WON || g == GAMEPART_PLAYER2_WON) return;

  if (g == GAMEPART_REMOVE || g == GAMEPART_PLACE) {
    uint8_t bx = 0, by = 0;
    int32_t best = 0;
    const uint8_t o = Opponent(p);
    for (uint8_t x = 1; x <= 7; ++x) {
      for (uint8_t y = 1; y <= 7; ++y) {
        int32_t mark = 0;
        if (g == GAMEPART_REMOVE) {
          if (PieceAt(x, y) != o || MillsHeld(x, y, o) != 0) continue;
          mark = RemoveMark(x, y, o);
        } else {
          if (PieceAt(x, y) != EMPTY_POINT) continue;
          mark = PlaceMark(x, y, p);
        }
        if (mark > best) {
          best = mark;
          bx = x;
          by = y;
        }
      }
    }
    from_x = bx;
    from_y = by;
    to_x = 0;
    to_y = 0;
    return;
  }

  if (g == GAMEPART_SLIDE) {
    for (uint8_t x = 1; x <= 7; ++x) {
      for (uint8_t y = 1; y <= 7; ++y) {
        if (PieceAt(x, y) != p) continue;
        const uint8_t links = LinkCount(x, y);
        for (uint8_t k = 1; k <= links; ++k) {
          uint8_t lx = 0, ly = 0;
          GetLink(x, y, k, lx, ly);
          if (PieceAt(lx, ly) == EMPTY_POINT) {
            from_x = x;
            from_y = y;
            to_x = lx;
            to_y = ly;
            return;
          }
        }
      }
    }
  }
  // Flying and an agreed draw: the one-ply chooser has nothing to say.
}

void ComputerMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y) {
  const uint8_t p = GetPlayer();
  const uint8_t g = GamePart(p);
  if (g == GAMEPART_PLAYER1_WON || g == GAMEPART_PLAYER2_WON) return;

  if (g == GAMEPART_PLACE && g_game.remaining_put_pieces[p] > 2) {
    uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
    GreedyMove(fx, fy, tx, ty);
    // Should no placement score above zero, the tree still finds one: the
    // computer never answers "no move" while it has one.
    if (fx != 0) {
      from_x = fx;
      from_y = fy;
      to_x = tx;
      to_y = ty;
      return;
    }
  }

  // A tree too large for the store is grown again shallower, silently, down
  // to two plies, so the computer always answers with a move.  A shallower
  // tree is part of the deeper one, so the depths that fit are all those up to
  // the deepest one: a binary search over the depths below the first attempt
  // finds it in a few trees, where stepping down one ply at a time could fill
  // the store some thirty times at the deepest setting.  The answer, the store
  // and the files are those of a search at that depth, as stepping down leaves them.
  SearchOptions options;
  options.report_full_store = false;
  ChosenMove move = CreateTree(p, options);
  if (move.store_full && move.depth > SHALLOWEST_RETRY) {
    uint32_t low = SHALLOWEST_RETRY, high = move.depth - 1;
    uint32_t deepest_fitting = 0;
    while (low <= high) {
      const uint32_t mid = low + (high - low + 1) / 2;
      options.depth_cap = mid;
      move = CreateTree(p, options);
      if (move.store_full) {
        high = mid - 1;
      } else {
        deepest_fitting = mid;
        low = mid + 1;
      }
    }
    if (deepest_fitting != 0 && move.depth != deepest_fitting) {
      options.depth_cap = deepest_fitting;
      move = CreateTree(p, options);
    }
  }
  if (move.store_full) ShowEngineMessage("Surpassed memory capacity :(", "", MB_OK_BOX);
  Write(move, from_x, from_y, to_x, to_y);
}

void DumpNodeTree() {
  ResetDumpFailures();
  SetTreeDumpFlag(1);
  CreateTree(GetPlayer());
  SetTreeDumpFlag(0);
  // A folder that takes no files (read-only, or the names taken by folders)
  // must not be reported as written.
  bool failed = false;
  if (SummaryWriteFailed()) {
    ShowEngineMessage("Could not write nodes.txt", "", MB_OK_BOX);
    failed = true;
  }
  if (PageWriteFailed()) {
    ShowEngineMessage("Could not write nodes.html", "", MB_OK_BOX);
    failed = true;
  }
  if (!failed) ShowEngineMessage("Created nodes.txt", "", MB_OK_BOX);
}

}  // namespace trivane
