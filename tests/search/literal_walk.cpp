#include "literal_walk.h"

#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "state.h"

using namespace trivane;

namespace search_test {

ChosenMove LiteralCreateTree(uint8_t root_player, const SearchOptions& options) {
  ClearStore();
  SaveTurnState();
  SaveBoardState();
  TruncateSummary();
  const uint32_t depth = SearchDepth(root_player, options);

  g_search.cursor = 0;
  uint8_t mover = root_player;
  for (;;) {
    const uint32_t i = g_search.cursor;
    SearchNode& node = g_search.nodes[i];
    if (node.depth == 0) {
      RestoreBoardState();
      mover = root_player;
    } else {
      mover = NodePlayback(i, root_player);
      if (CheckGameOver() != 0 || node.depth >= depth) {
        node.value = grade_postion(root_player);
        FoldIntoFather(i);
        node.expanded = 1;
      }
    }
    bool expanded_now = false;
    if (node.depth < depth && !node.expanded) {
      node.expanded = 1;
      const uint8_t g = GamePartWithoutDrawOffer(mover);
      AppendChildren(i, root_player, mover, g);
      expanded_now = true;
    }
    if (!expanded_now) g_search.cursor = i - 1;
    if (g_search.count > StoreLimit() - 1) return AbandonSearch(depth, options);
    if (g_search.cursor == 0) break;
  }
  return FinishSearch(depth, Backup::BY_DEPTH);
}

}  // namespace search_test
