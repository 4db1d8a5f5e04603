// The search tree lives record by record in one static array, so that a search
// of more than a million and a half nodes allocates nothing.  Records hold
// indices, not pointers; the tree stays until the next search so the dump
// writers can read it.
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

extern SearchNode NodeStore[NODE_CAPACITY];
extern uint32_t node_count;   // index of the last record in use
extern uint32_t node_cursor;  // the record the walk visits next

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
