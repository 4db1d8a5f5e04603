// The computer player's state in one record: the tree, record by record in one
// static array so that a search of more than a million and a half nodes
// allocates nothing, the growth's marks beside it, the level and the flags.
// Records hold indices, not pointers; the tree stays until the next search so
// the dump writers can read it.
#pragma once

#include <cstdint>

namespace trivane {

constexpr uint32_t NODE_CAPACITY = 1658601;  // indices 0..1,658,600
constexpr uint32_t LAST_NODE_INDEX = NODE_CAPACITY - 1;
constexpr uint8_t ROOT_MOVE_TYPE = 123;
constexpr int32_t UNSET_VALUE = -666;

struct SearchNode {
  uint8_t from_x;
  uint8_t from_y;
  uint8_t to_x;
  uint8_t to_y;
  uint32_t father;
  uint32_t depth;
  uint8_t move_type;
  uint8_t is_max;
  uint8_t expanded;
  int32_t value;
};

// Every field starts at zero, so the record (some 41 MB) takes no room in the
// library's file: the level a search runs with until one is chosen and the
// store limit give zero its meaning.
struct SearchState {
  SearchNode nodes[NODE_CAPACITY];
  uint32_t count;   // index of the last record in use
  uint32_t cursor;  // the record the walk visits next
  uint32_t limit;   // the last index records may use; 0: LAST_NODE_INDEX
  // What the walk order needs to know of each record when the growth replays
  // it: its last child (0: none), and whether it was graded (a graded record
  // keeps its grade as its value, having no children to fold).
  uint32_t last_child[NODE_CAPACITY];
  uint8_t graded[NODE_CAPACITY];
  uint8_t level;         // as Engine_SetDifficulty chose it, at most MAX_DIFFICULTY
  uint8_t level_chosen;  // 0: none chosen yet, the search runs at TRIVANE_DEPTH_MEDIUM
  uint8_t tree_dump_requested;
  // The dump files that could not be opened or written since the last reset.
  uint8_t summary_failed;
  uint8_t page_failed;
};

extern SearchState g_search;

void ClearStore();

// The last index records may use: LAST_NODE_INDEX, or less while a test runs
// the full-store rules on small trees.
uint32_t StoreLimit();
void SetStoreLimit(uint32_t last_index);

// Appends one child; past the capacity nothing is stored and nothing said (the
// walk notices the full store itself).
void hang_on_tree(uint8_t root_player, const uint8_t from[2], const uint8_t to[2], uint32_t father, uint32_t depth,
                  uint8_t mover, uint8_t move_type);

}  // namespace trivane
