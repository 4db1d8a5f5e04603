// The computer player: a full-width minimax tree grown into the NodeStore to a
// fixed depth, graded at the leaves, backed up, and the best first-ply move
// chosen.
#pragma once

#include <cstdint>

#include "movegen.h"
#include "nodestore.h"

namespace trivane {

constexpr uint8_t FEW_PIECES_LIMIT = 4;
constexpr uint8_t MAX_DIFFICULTY = 31;  // the deepest path NodePlayback can hold
constexpr int32_t NO_CHOICE_VALUE = -1000;
constexpr int PATH_BUFFER = 33;  // record indices of one line from the root

struct ChosenMove {
  uint8_t from[2] = {0, 0};
  uint8_t to[2] = {0, 0};
  int32_t value = NO_CHOICE_VALUE;
  bool chosen = false;
  bool store_full = false;  // the search was abandoned: the tree did not fit
  uint32_t depth = 0;       // the EffectiveDepth it ran with
};

struct SearchOptions {
  uint32_t depth_cap = 0xFFFFFFFFu;  // lowers EffectiveDepth (a retry after a full store)
  bool report_full_store = true;     // show "Surpassed memory capacity :(" when abandoned
};

uint8_t GetDifficulty();
void SetDifficulty(uint8_t level);
void SetTreeDumpFlag(uint8_t on);
uint8_t TreeDumpRequested();

uint32_t EffectiveDepth(uint8_t root_player);
ChosenMove CreateTree(uint8_t root_player, const SearchOptions& options = SearchOptions{});
uint8_t NodePlayback(uint32_t index, uint8_t root_player);
// Plays one record's move on the current game with the engine's own move
// operations, as a replay from the root does.
struct SearchNode;
void ApplyRecordMove(const SearchNode& n);

// The pieces of a search, in the order CreateTree runs them.  The depth, then
// the tree grown into the store, then FinishSearch: the summary, the backup
// pass, the choice, the page, the game state restored and the final line.
uint32_t SearchDepth(uint8_t root_player, const SearchOptions& options);

// Appends the record of one generated move under `father`, as hang_on_tree
// does: past the store's limit nothing is stored.
inline void AppendMove(uint32_t father, uint8_t root_player, uint8_t mover, const Move& m) {
  const uint32_t index = g_search.count + 1;
  if (index > StoreLimit()) return;
  g_search.count = g_search.cursor = index;
  // The record is made whole and stored at once: new records land on cache
  // lines the search has not touched yet, and a few wide stores wait less
  // for them than ten narrow ones.
  SearchNode n;
  n.from_x = BOARD.masks.x[m.from];
  n.from_y = BOARD.masks.y[m.from];
  n.to_x = m.to == NO_POINT ? 0 : BOARD.masks.x[m.to];
  n.to_y = m.to == NO_POINT ? 0 : BOARD.masks.y[m.to];
  n.father = father;
  n.depth = g_search.nodes[father].depth + 1;
  n.move_type = m.kind;
  n.is_max = mover == root_player ? 1 : 0;
  n.expanded = 0;
  n.value = UNSET_VALUE;
  g_search.nodes[index] = n;
}

void AppendChildren(uint32_t index, uint8_t root_player, uint8_t mover, uint8_t game_part);
void FoldIntoFather(uint32_t index);
void BackupByDepth(uint32_t depth);
// How the backup pass finds the tree: values unset except at graded records
// (BY_DEPTH: the walk's own pass, depth by depth), the same with no value the
// unset mark (ONE_PASS: newest record first), or every record below the first
// ply already holding its backed-up value (FIRST_PLY: only the root's fold left).
enum class Backup { BY_DEPTH, ONE_PASS, FIRST_PLY };
ChosenMove FinishSearch(uint32_t depth, Backup backup);
ChosenMove AbandonSearch(uint32_t depth, const SearchOptions& options);

struct GrowthResult {
  bool abandoned = false;   // the store filled up
  bool order_free = false;  // no value is the unset mark: folding order cannot matter
};

// The backup a grown tree still needs: with no unset mark anywhere the
// growth has already backed every record below the first ply up.
inline Backup BackupAfterGrowth(const GrowthResult& grown) {
  return grown.order_free ? Backup::FIRST_PLY : Backup::BY_DEPTH;
}

// Grows the whole tree depth first, each position made from a copy of its
// father's, appending exactly the records the replaying walk appends and in
// the same order; leaves the root's value as that walk leaves it before the
// backup pass.
GrowthResult GrowTree(uint8_t root_player, uint32_t depth);

int32_t grade_postion(uint8_t player);
uint8_t MillRunMoves(uint8_t player);

// The entry points behind AI_Play, AI_PlayOLD and NodeTree.  The outputs are
// written only where the exported function writes them.
void ComputerMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y);
void GreedyMove(uint8_t& from_x, uint8_t& from_y, uint8_t& to_x, uint8_t& to_y);
void DumpNodeTree();

// "nodes.txt" and "nodes.html".
void TruncateSummary();
void WriteSummaryAfterWalk();
void WriteFinalChoice(const ChosenMove& move);
void WriteNodesHtml();
void ResetDumpFailures();
bool SummaryWriteFailed();
bool PageWriteFailed();

}  // namespace trivane
