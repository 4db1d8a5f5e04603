#include "nodestore.h"

namespace trivane {

SearchState g_search;

uint32_t StoreLimit() { return g_search.limit == 0 ? LAST_NODE_INDEX : g_search.limit; }

void SetStoreLimit(uint32_t last_index) {
  g_search.limit = last_index > LAST_NODE_INDEX ? LAST_NODE_INDEX : last_index;
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
  if (g_search.count != 0) {
    for (uint32_t i = 0; i <= g_search.count && i < NODE_CAPACITY; ++i) ClearRecord(g_search.nodes[i]);
    g_search.count = 0;
  }
  ClearRecord(g_search.nodes[0]);
  g_search.cursor = 0;
}

void hang_on_tree(uint8_t root_player, const uint8_t from[2], const uint8_t to[2], uint32_t father, uint32_t depth,
                  uint8_t mover, uint8_t move_type) {
  const uint32_t index = g_search.count + 1;
  if (index > StoreLimit()) return;
  g_search.count = g_search.cursor = index;
  SearchNode& n = g_search.nodes[index];
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
