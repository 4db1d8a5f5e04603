// The tree grown depth first.  The replaying walk expands records in this
// order: a node's children are appended together, and the last child is
// explored first, down to the leaves, before its earlier sibling.  Doing the
// same recursively, with each position made by one move on a copy of its
// father's position, appends the same records at the same indices without ever
// replaying a line or visiting a record twice.
//
// Values need one more thought.  Folding a value into a father is a maximum or
// a minimum, except that a father still holding the unset mark (-666) simply
// takes the value.  As long as no value in the tree is -666, the order and the
// repetition of folds cannot change any result, and one pass backs the tree up.
// A grade can equal -666, and a node that got no children keeps it; then the
// outcome depends on the exact order in which the walk folds (leaves during the
// walk, again on every revisit, and once more in the backup pass), and that
// order is replayed here from the tree's shape alone, without the positions.
#include <algorithm>
#include <cstring>

#include "fastmap.h"
#include "geometry.h"
#include "movegen.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace trivane {

namespace {

struct Growth {
  uint8_t root_player;
  uint32_t depth;
  bool abandoned;
  bool unset_seen;
};

inline int32_t Grade(Growth& growth, uint32_t c, const Position& s) {
  const int32_t grade = GradePosition(s, growth.root_player);
  SearchNode& node = g_search.nodes[c];
  node.value = grade;
  node.expanded = 1;
  g_search.graded[c] = 1;
  if (grade == UNSET_VALUE) growth.unset_seen = true;
  return grade;
}

// Expands record i, whose position is s (its player to move), at the given
// depth below the root: appends the children together, then explores them
// from the last to the first.  A child at the depth limit or in a decided
// position is graded on the spot; the others are expanded in turn.  Each
// child's position is a copy of s with one move made: a frame is one Position.
void Expand(Growth& growth, uint32_t i, const Position& s, uint32_t depth) {
  g_search.graded[i] = 0;
  g_search.nodes[i].expanded = 1;

  Move moves[MAX_MOVES];
  const int n = GenerateMoves(s, s.to_move, PositionPhase(s), moves);
  const uint32_t first = g_search.count + 1;
  for (int k = 0; k < n; ++k) AppendMove(i, growth.root_player, s.to_move, moves[k]);
  const uint32_t last = g_search.count;
  g_search.last_child[i] = last >= first ? last : 0;
  if (last < first) growth.unset_seen = true;  // keeps the unset mark
  if (g_search.count > StoreLimit() - 1) {
    growth.abandoned = true;
    return;
  }

  // The referee refuses every move of a position whose due removals have no
  // target; its children are then the position itself.
  const bool moves_apply = MovesTakeEffect(s);
  const bool leaves = depth + 1 >= growth.depth;
  // The record's value backed up from its children as they come: a maximum
  // when they are the root player's moves.  Should any value in the tree turn
  // out to be the unset mark, ReplayWalkFolds recomputes it in the walk's order.
  const bool take_max = s.to_move == growth.root_player;
  int32_t value = 0;
  for (uint32_t c = last; c >= first; --c) {
    Position child = s;
    if (moves_apply) MakeMove(child, moves[c - first]);
    int32_t v;
    if (leaves || LoserOf(child) != 0) {
      v = Grade(growth, c, child);
    } else {
      Expand(growth, c, child, depth + 1);
      if (growth.abandoned) return;
      v = g_search.nodes[c].value;
    }
    value = c == last ? v : take_max ? std::max(value, v) : std::min(value, v);
  }
  g_search.nodes[i].value = value;
}

// The replaying walk's own order of visits, on the finished tree: every visit
// of a graded record folds its grade into the father again.
void ReplayWalkFolds(uint32_t depth) {
  for (uint32_t j = 0; j <= g_search.count; ++j) {
    if (j == 0 || !g_search.graded[j]) g_search.nodes[j].value = UNSET_VALUE;
    g_search.nodes[j].expanded = 0;
  }
  uint32_t cursor = 0;
  for (;;) {
    const uint32_t i = cursor;
    SearchNode& node = g_search.nodes[i];
    if (node.depth != 0 && g_search.graded[i]) {
      FoldIntoFather(i);
      node.expanded = 1;
    }
    if (node.depth < depth && !node.expanded) {
      node.expanded = 1;
      cursor = g_search.last_child[i] != 0 ? g_search.last_child[i] : i;
    } else {
      cursor = i - 1;
    }
    if (cursor == 0) break;
  }
}

}  // namespace

GrowthResult GrowTree(uint8_t root_player, uint32_t depth) {
  Growth growth{root_player, depth, false, false};

  // The root is expanded on the position as it stands; its children are made
  // from the saved position with the root player to move, as a replay makes
  // them, by the referee's own moves.
  GameState live;
  std::memcpy(&live, &g_game, sizeof(GameState));
  RestoreTurnState();
  RestoreBoardState();
  SetPlayer(root_player);
  GameState base;
  std::memcpy(&base, &g_game, sizeof(GameState));
  std::memcpy(&g_game, &live, sizeof(GameState));
  RestoreBoardState();

  SearchNode& root = g_search.nodes[0];
  root.expanded = 1;
  g_search.graded[0] = 0;
  // The root's phase is the referee's answer without its effects: the search
  // asks the player nothing and cancels nothing (the saved game is what it
  // restores), and an agreed draw leaves it no move.
  const Position now = PositionFromGame(g_game);
  const uint8_t g = g_game.draw_agreed ? GAMEPART_DRAW : PositionPhase(now, root_player);
  Move moves[MAX_MOVES];
  const int n = GenerateMoves(now, root_player, g, moves);
  for (int k = 0; k < n; ++k) AppendMove(0, root_player, root_player, moves[k]);
  const uint32_t last = g_search.count;
  g_search.last_child[0] = last;
  GrowthResult result;
  if (g_search.count > StoreLimit() - 1) {
    result.abandoned = true;
    return result;
  }
  for (uint32_t c = last; c >= 1; --c) {
    std::memcpy(&g_game, &base, sizeof(GameState));
    ApplyRecordMove(g_search.nodes[c]);
    const Position s = PositionFromGame(g_game);
    if (depth <= 1 || LoserOf(s) != 0) {
      Grade(growth, c, s);
      continue;
    }
    Expand(growth, c, s, 1);
    if (growth.abandoned) {
      result.abandoned = true;
      return result;
    }
  }

  if (growth.unset_seen) {
    ReplayWalkFolds(depth);
  } else {
    // The walk folds first-ply grades (decided positions) into the root
    // before the backup pass; the summary shows that value.
    for (uint32_t c = last; c >= 1; --c)
      if (g_search.graded[c]) FoldIntoFather(c);
  }
  result.order_free = !growth.unset_seen;
  g_search.cursor = 0;  // where the walk stops
  return result;
}

}  // namespace trivane
