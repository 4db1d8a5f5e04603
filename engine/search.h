// The computer player: a full-width minimax tree grown into the NodeStore by
// replaying moves on the engine's own game state, graded at the leaves, backed
// up, and the best first-ply move chosen.
#pragma once

#include <cstdint>

namespace trivane {

constexpr uint8_t FEW_PIECES_LIMIT = 4;
constexpr uint8_t MAX_DIFFICULTY = 31;  // the deepest path NodePlayback can hold
constexpr int32_t NO_CHOICE_VALUE = -1000;

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

}  // namespace trivane
