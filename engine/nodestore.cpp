#include "nodestore.h"

namespace trivane {

SearchNode NodeStore[NODE_CAPACITY];
uint32_t node_count = 0;
uint32_t node_cursor = 0;

namespace {
uint32_t g_store_limit = LAST_NODE_INDEX;
}

uint32_t StoreLimit() { return g_store_limit; }

void SetStoreLimit(uint32_t last_index) {
  g_store_limit = last_index == 0 || last_index > LAST_NODE_INDEX ? LAST_NODE_INDEX : last_index;
}

namespace {

void ClearRecord(SearchNode& n) {
  n.from_x = n.from_y = n.to_x = n.to_y = 0;
  n.father = 0;
  n.depth = 0;
  n.is_max = 0;
  n.expanded = 0;
  n.move_type = ROOT_MOVE_TYPE;
  n.value = UNSET_VALUE;
}

}  // namespace

void ClearStore() {
  // Only the records of the previous search: clearing all 33 MB every move
  // would cost more than a small search.
  if (node_count != 0) {
    for (uint32_t i = 0; i <= node_count && i < NODE_CAPACITY; ++i) ClearRecord(NodeStore[i]);
    node_count = 0;
  }
  ClearRecord(NodeStore[0]);
  node_cursor = 0;
}

void hang_on_tree(uint8_t root_player, const uint8_t from[2], const uint8_t to[2], uint32_t father, uint32_t depth,
                  uint8_t mover, uint8_t move_type) {
  const uint32_t index = node_count + 1;
  if (index > g_store_limit) return;
  node_count = node_cursor = index;
  SearchNode& n = NodeStore[index];
  n.from_x = from[0];
  n.from_y = from[1];
  n.to_x = to[0];
  n.to_y = to[1];
  n.father = father;
  n.depth = depth;
  n.value = UNSET_VALUE;
  n.move_type = move_type;
  n.is_max = mover == root_player ? 1 : 0;
  n.expanded = 0;
}

}  // namespace trivane
