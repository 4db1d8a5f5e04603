#include "reference_search.h"

#include <cstddef>
#include <cstring>

#include "fastmap.h"
#include "geometry.h"
#include "nodestore.h"
#include "rules.h"
#include "state.h"

using namespace trivane;

namespace bench_reference {

namespace {

// The grade's mill index: for each point, the other two points of each of its
// mills and its neighbours, as offsets into PieceTable.
struct MillPartners {
  uint8_t count;
  uint8_t cell[2][2];
  uint8_t links;
  uint8_t link_cell[4];
};
MillPartners g_mill_partners[BOARD_CELLS][BOARD_CELLS];
bool g_indexed = false;

void IndexMillPartners() {
  std::memset(g_mill_partners, 0, sizeof g_mill_partners);
  for (uint8_t x = 1; x < BOARD_CELLS; ++x)
    for (uint8_t y = 1; y < BOARD_CELLS; ++y) {
      const BoardNode& node = BOARD.nodes[x][y];
      MillPartners& partners = g_mill_partners[x][y];
      for (uint8_t i = 1; i <= node.mills_availiable && i <= 2; ++i) {
        uint8_t k = 0;
        for (const auto& point : BOARD.MillTable[MillOfNode(x, y, i)]) {
          if (point[0] == x && point[1] == y) continue;
          if (k < 2) partners.cell[partners.count][k] = static_cast<uint8_t>(point[0] * BOARD_CELLS + point[1]);
          ++k;
        }
        ++partners.count;
      }
      for (uint8_t k = 1; k <= node.links_availiable && k <= 4; ++k) {
        uint8_t lx = 0, ly = 0;
        GetLink(x, y, k, lx, ly);
        partners.link_cell[partners.links++] = static_cast<uint8_t>(lx * BOARD_CELLS + ly);
      }
    }
  g_indexed = true;
}

uint8_t MillRunMoves(uint8_t player) {
  const uint8_t* cells = &g_game.PieceTable[0][0];
  uint8_t runs = 0;
  const uint8_t count = PiecesOnBoard(player);
  for (uint8_t n = 1; n <= count; ++n) {
    uint8_t x = 0, y = 0;
    MapEntry(n, player, x, y);
    const uint8_t here = static_cast<uint8_t>(x * BOARD_CELLS + y);
    if (cells[here] != player) continue;
    const MillPartners& own = g_mill_partners[x][y];
    bool held = false;
    for (uint8_t i = 0; i < own.count; ++i)
      if (cells[own.cell[i][0]] == player && cells[own.cell[i][1]] == player) held = true;
    if (!held) continue;
    for (uint8_t k = 0; k < own.links; ++k) {
      const uint8_t to = own.link_cell[k];
      if (to == here || cells[to] != EMPTY_POINT) continue;
      const MillPartners& there = g_mill_partners[to / BOARD_CELLS][to % BOARD_CELLS];
      for (uint8_t i = 0; i < there.count; ++i) {
        const uint8_t a = there.cell[i][0], b = there.cell[i][1];
        if (a != here && b != here && cells[a] == player && cells[b] == player) {
          ++runs;
          break;
        }
      }
    }
  }
  return runs;
}

int32_t Grade(uint8_t player) {
  const uint8_t o = Opponent(player);
  const uint8_t loser = CheckGameOver();
  int32_t decision = 0;
  if (loser == player) decision = -400;
  else if (loser == o) decision = 400;
  const int32_t own = PiecesOnBoard(player);
  return decision + 15 * own - 15 * static_cast<int32_t>(PiecesOnBoard(o)) +
         63 * static_cast<int32_t>(MillRunMoves(player)) - 63 * static_cast<int32_t>(MillRunMoves(o)) +
         static_cast<int32_t>(Mobility(player) / 3u) - static_cast<int32_t>(Mobility(o) / 3u);
}

void Append(uint8_t root_player, uint32_t father, uint8_t mover, uint8_t move_type, uint8_t fx, uint8_t fy,
            uint8_t tx, uint8_t ty) {
  const uint8_t from[2] = {fx, fy};
  const uint8_t to[2] = {tx, ty};
  hang_on_tree(root_player, from, to, father, g_search.nodes[father].depth + 1, mover, move_type);
}

void AppendChildren(uint32_t i, uint8_t root_player, uint8_t mover, uint8_t g) {
  switch (g) {
    case GAMEPART_PLACE:
      for (uint8_t x = 1; x <= 7; ++x)
        for (uint8_t y = 1; y <= 7; ++y)
          if (PieceAt(x, y) == EMPTY_POINT) Append(root_player, i, mover, g, x, y, 0, 0);
      break;
    case GAMEPART_SLIDE: {
      const uint8_t count = PiecesOnBoard(mover);
      for (uint8_t n = 1; n <= count; ++n) {
        uint8_t x = 0, y = 0;
        MapEntry(n, mover, x, y);
        const uint8_t links = LinkCount(x, y);
        for (uint8_t k = 1; k <= links; ++k) {
          uint8_t lx = 0, ly = 0;
          GetLink(x, y, k, lx, ly);
          if (PieceAt(lx, ly) == EMPTY_POINT) Append(root_player, i, mover, g, x, y, lx, ly);
        }
      }
      break;
    }
    case GAMEPART_FLY:
      for (uint8_t x = 1; x <= 7; ++x)
        for (uint8_t y = 1; y <= 7; ++y) {
          if (PieceAt(x, y) != mover) continue;
          for (uint8_t tx = 1; tx <= 7; ++tx)
            for (uint8_t ty = 1; ty <= 7; ++ty)
              if (PieceAt(tx, ty) == EMPTY_POINT) Append(root_player, i, mover, g, x, y, tx, ty);
        }
      break;
    case GAMEPART_REMOVE: {
      const uint8_t o = Opponent(mover);
      const uint8_t count = PiecesOnBoard(o);
      for (uint8_t n = 1; n <= count; ++n) {
        uint8_t x = 0, y = 0;
        MapEntry(n, o, x, y);
        if (MillsHeld(x, y, o) == 0) Append(root_player, i, mover, g, x, y, 0, 0);
      }
      break;
    }
    default: break;
  }
}

struct Growth {
  uint8_t root_player;
  uint32_t depth;
  bool abandoned;
  bool unset_seen;
};

// The game as the old search copied it: the record without the backups the
// game now keeps at its end.
constexpr size_t GAME_BYTES = offsetof(GameState, turn_backup);

// GamePart as the old search asked it, the draw proposition held back: the
// removals of the player to move cancelled when they have no target, and the
// answer read from the board and the piece maps.
uint8_t ReferencePhase(uint8_t p) {
  if (!IsPlayer(p)) return 0;
  if (g_game.draw_agreed) return GAMEPART_DRAW;
  const uint8_t r = g_game.remaining_put_pieces[p];
  if (p == g_game.current_player && FreePieces(Opponent(p)) == 0) g_game.removals_due = 0;
  if (r == 0) {
    if (PiecesOnBoard(2) < 3) return GAMEPART_PLAYER1_WON;
    if (PiecesOnBoard(1) < 3) return GAMEPART_PLAYER2_WON;
    if (g_game.removals_due == 0 && PiecesOnBoard(p) > 3 && IsBlocked(p))
      return p == 1 ? GAMEPART_PLAYER2_WON : GAMEPART_PLAYER1_WON;
  }
  if (g_game.removals_due != 0) return GAMEPART_REMOVE;
  if (r != 0) return GAMEPART_PLACE;
  return PiecesOnBoard(p) == 3 ? GAMEPART_FLY : GAMEPART_SLIDE;
}

struct GameFrame {
  uint8_t bytes[GAME_BYTES];
};
GameFrame g_frames[PATH_BUFFER];
uint32_t g_last_child[NODE_CAPACITY];
int32_t g_grade[NODE_CAPACITY];
uint8_t g_graded[NODE_CAPACITY];

void Visit(Growth& growth, uint32_t i, uint8_t mover) {
  SearchNode& node = g_search.nodes[i];
  const uint32_t depth = node.depth;
  if (depth != 0 && (CheckGameOver() != 0 || depth >= growth.depth)) {
    const int32_t grade = Grade(growth.root_player);
    node.value = grade;
    node.expanded = 1;
    g_graded[i] = 1;
    g_grade[i] = grade;
    if (grade == UNSET_VALUE) growth.unset_seen = true;
    return;
  }
  g_graded[i] = 0;
  node.expanded = 1;
  std::memcpy(g_frames[depth].bytes, &g_game, GAME_BYTES);
  const uint8_t g = ReferencePhase(mover);
  const uint32_t first = g_search.count + 1;
  AppendChildren(i, growth.root_player, mover, g);
  const uint32_t last = g_search.count;
  g_last_child[i] = last >= first ? last : 0;
  if (last < first) growth.unset_seen = true;
  if (g_search.count > StoreLimit() - 1) {
    growth.abandoned = true;
    return;
  }
  for (uint32_t c = last; c >= first; --c) {
    std::memcpy(static_cast<void*>(&g_game), g_frames[depth].bytes, GAME_BYTES);
    ApplyRecordMove(g_search.nodes[c]);
    Visit(growth, c, GetPlayer());
    if (growth.abandoned) return;
  }
}

void ReplayWalkFolds(uint32_t depth) {
  for (uint32_t j = 0; j <= g_search.count; ++j) {
    g_search.nodes[j].value = UNSET_VALUE;
    g_search.nodes[j].expanded = 0;
  }
  uint32_t cursor = 0;
  for (;;) {
    const uint32_t i = cursor;
    SearchNode& node = g_search.nodes[i];
    if (node.depth != 0 && g_graded[i]) {
      node.value = g_grade[i];
      FoldIntoFather(i);
      node.expanded = 1;
    }
    if (node.depth < depth && !node.expanded) {
      node.expanded = 1;
      cursor = g_last_child[i] != 0 ? g_last_child[i] : i;
    } else {
      cursor = i - 1;
    }
    if (cursor == 0) break;
  }
}

GrowthResult GrowTree(uint8_t root_player, uint32_t depth) {
  Growth growth{root_player, depth, false, false};
  GameFrame live;
  std::memcpy(live.bytes, &g_game, GAME_BYTES);
  RestoreTurnState();
  RestoreBoardState();
  SetPlayer(root_player);
  GameFrame& base = g_frames[0];
  std::memcpy(base.bytes, &g_game, GAME_BYTES);
  std::memcpy(static_cast<void*>(&g_game), live.bytes, GAME_BYTES);
  RestoreBoardState();

  SearchNode& root = g_search.nodes[0];
  root.expanded = 1;
  g_graded[0] = 0;
  const uint8_t g = ReferencePhase(root_player);
  AppendChildren(0, root_player, root_player, g);
  const uint32_t last = g_search.count;
  g_last_child[0] = last;
  GrowthResult result;
  if (g_search.count > StoreLimit() - 1) {
    result.abandoned = true;
    return result;
  }
  for (uint32_t c = last; c >= 1; --c) {
    std::memcpy(static_cast<void*>(&g_game), base.bytes, GAME_BYTES);
    ApplyRecordMove(g_search.nodes[c]);
    Visit(growth, c, GetPlayer());
    if (growth.abandoned) {
      result.abandoned = true;
      return result;
    }
  }
  if (growth.unset_seen) {
    ReplayWalkFolds(depth);
  } else {
    for (uint32_t c = last; c >= 1; --c)
      if (g_graded[c]) FoldIntoFather(c);
  }
  result.order_free = !growth.unset_seen;
  g_search.cursor = 0;
  return result;
}

}  // namespace

ChosenMove CreateTree(uint8_t root_player, const SearchOptions& options) {
  if (!g_indexed) IndexMillPartners();
  ClearStore();
  SaveTurnState();
  SaveBoardState();
  TruncateSummary();
  const uint32_t depth = SearchDepth(root_player, options);
  const GrowthResult grown = GrowTree(root_player, depth);
  if (grown.abandoned) return AbandonSearch(depth, options);
  return FinishSearch(depth, grown.order_free ? Backup::ONE_PASS : Backup::BY_DEPTH);
}

ChosenMove ComputerMove(uint8_t root_player) {
  SearchOptions options;
  options.report_full_store = false;
  ChosenMove move = bench_reference::CreateTree(root_player, options);
  while (move.store_full && move.depth > 2) {
    options.depth_cap = move.depth - 1;
    move = bench_reference::CreateTree(root_player, options);
  }
  return move;
}

}  // namespace bench_reference
