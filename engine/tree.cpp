// What every search shares: the depth rule, move generation in its fixed
// order, replaying a record's line, folding a value into the father, the
// backup pass and the choice of the first-ply move.
#include <algorithm>

#include "fastmap.h"
#include "geometry.h"
#include "messages.h"
#include "movegen.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "state.h"

namespace trivane {

void FoldIntoFather(uint32_t index) {
  SearchNode& child = g_search.nodes[index];
  SearchNode& father = g_search.nodes[child.father];
  if (father.value == UNSET_VALUE) {
    father.value = child.value;
  } else if (child.is_max) {
    father.value = std::max(father.value, child.value);
  } else {
    father.value = std::min(father.value, child.value);
  }
}

// Children of the record in the order the moves are generated, from the game's
// position with `mover` to move.
void AppendChildren(uint32_t index, uint8_t root_player, uint8_t mover, uint8_t game_part) {
  const Position s = PositionFromGame(g_game);
  Move moves[MAX_MOVES];
  const int n = GenerateMoves(s, mover, game_part, moves);
  for (int k = 0; k < n; ++k) AppendMove(index, root_player, mover, moves[k]);
}

uint8_t GetDifficulty() { return g_search.level_chosen ? g_search.level : uint8_t{TRIVANE_DEPTH_MEDIUM}; }

// Deeper settings are kept at 31: the path of a deeper node would not fit the
// replay buffer.
void SetDifficulty(uint8_t level) {
  g_search.level = std::min(level, MAX_DIFFICULTY);
  g_search.level_chosen = 1;
}

void SetTreeDumpFlag(uint8_t on) { g_search.tree_dump_requested = on; }
uint8_t TreeDumpRequested() { return g_search.tree_dump_requested; }

uint32_t EffectiveDepth(uint8_t root_player) {
  uint32_t d = GetDifficulty();
  if (PiecesOnBoard(root_player) <= FEW_PIECES_LIMIT || PiecesOnBoard(Opponent(root_player)) <= FEW_PIECES_LIMIT)
    d = 3;
  // Both sides flying: the tree is too wide for more than two plies.  These
  // queries are on the real position and may show the draw proposition.
  if (GamePart(1) == GAMEPART_FLY && GamePart(2) == GAMEPART_FLY) d = 2;
  return d >= 2 ? d : 2;
}

void ApplyRecordMove(const SearchNode& n) {
  switch (n.move_type) {
    case GAMEPART_PLACE: MakePlaceMove(n.from_x, n.from_y); break;
    case GAMEPART_SLIDE:
    case GAMEPART_FLY: MakeSlideMove(n.from_x, n.from_y, n.to_x, n.to_y); break;
    case GAMEPART_REMOVE: RemovePiece(n.from_x, n.from_y); break;
    default: break;
  }
}

uint8_t NodePlayback(uint32_t index, uint8_t root_player) {
  RestoreTurnState();
  RestoreBoardState();
  uint32_t path[PATH_BUFFER];
  int length = 0;
  for (uint32_t j = index; j != 0 && length < PATH_BUFFER; j = g_search.nodes[j].father) path[length++] = j;
  SetPlayer(root_player);
  uint8_t to_move = root_player;
  for (int k = length - 1; k >= 0; --k) {
    ApplyRecordMove(g_search.nodes[path[k]]);
    to_move = GetPlayer();
  }
  return to_move;
}

uint32_t SearchDepth(uint8_t root_player, const SearchOptions& options) {
  return std::max<uint32_t>(2, std::min(EffectiveDepth(root_player), options.depth_cap));
}

void BackupByDepth(uint32_t depth) {
  for (uint32_t d = depth; d >= 1; --d)
    for (uint32_t j = 1; j <= g_search.count; ++j)
      if (g_search.nodes[j].depth == d) FoldIntoFather(j);
}

namespace {

// The root is expanded before any other record, so its children, the only
// records one ply deep, are records 1 to this one: the first-ply passes below
// need not read the millions of deeper records.
uint32_t LastFirstPlyRecord() {
  uint32_t last = 0;
  while (last < g_search.count && g_search.nodes[last + 1].depth == 1) ++last;
  return last;
}

}  // namespace

ChosenMove FinishSearch(uint32_t depth, Backup backup) {
  WriteSummaryAfterWalk();
  const uint32_t first_ply = LastFirstPlyRecord();
  if (backup == Backup::FIRST_PLY) {
    // Fold the first ply into the root; deeper records need nothing more.
    for (uint32_t j = first_ply; j >= 1; --j) FoldIntoFather(j);
  } else if (backup == Backup::ONE_PASS) {
    // No value in the tree is the unset mark, so the order of folding cannot
    // matter: one pass from the newest record down backs everything up, each
    // record after all of its children.
    for (uint32_t j = g_search.count; j >= 1; --j) FoldIntoFather(j);
  } else {
    BackupByDepth(depth);
  }

  ChosenMove result;
  result.depth = depth;
  // Strictly better only, so ties go to the move generated first.
  uint32_t choice = 0;
  int32_t best = NO_CHOICE_VALUE;
  for (uint32_t j = 1; j <= first_ply; ++j) {
    const SearchNode& n = g_search.nodes[j];
    if (n.expanded == 1 && n.value > best) {
      best = n.value;
      choice = j;
    }
  }
  // Every first-ply move graded below the starting bar would leave the computer
  // without a move in a position that has one; it then takes the first move.
  if (choice == 0 && g_search.count != 0 && g_search.nodes[1].depth == 1) {
    choice = 1;
    best = g_search.nodes[1].value;
  }
  if (choice != 0) {
    const SearchNode& n = g_search.nodes[choice];
    result.from[0] = n.from_x;
    result.from[1] = n.from_y;
    result.to[0] = n.to_x;
    result.to[1] = n.to_y;
    result.chosen = true;
  }
  result.value = best;

  if (TreeDumpRequested()) WriteNodesHtml();

  RestoreBoardState();
  RestoreTurnState();
  WriteFinalChoice(result);
  return result;
}

ChosenMove AbandonSearch(uint32_t depth, const SearchOptions& options) {
  if (options.report_full_store) ShowEngineMessage("Surpassed memory capacity :(", "", MB_OK_BOX);
  RestoreBoardState();
  RestoreTurnState();
  ChosenMove result;
  result.store_full = true;
  result.depth = depth;
  return result;
}

ChosenMove CreateTree(uint8_t root_player, const SearchOptions& options) {
  ClearStore();
  SaveTurnState();
  SaveBoardState();
  TruncateSummary();
  const uint32_t depth = SearchDepth(root_player, options);
  const GrowthResult grown = GrowTree(root_player, depth);
  if (grown.abandoned) return AbandonSearch(depth, options);
  return FinishSearch(depth, BackupAfterGrowth(grown));
}

}  // namespace trivane
