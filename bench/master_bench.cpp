// The MASTER search on the search benchmark's positions and the empty board:
// depth reached, nodes, nodes per second and the time taken against the
// budget, for budgets of 100 ms and 1 s.  Not a timed test: the numbers are
// read by a person, and the time column shows how well the budget is held.
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench_positions.h"
#include "geometry.h"
#include "master.h"
#include "messages.h"
#include "rules.h"
#include "state.h"

using namespace trivane;

namespace {

using bench_positions::BenchPosition;

Position Build(const BenchPosition& b) {
  bench_positions::SetUpGame(b);
  return PositionFromGame(g_game);
}

}  // namespace

int main() {
  // The search benchmark's positions, and the empty board before them.
  std::vector<BenchPosition> positions = {{"empty_board", {}, {}, 1, 9, 9}};
  for (const BenchPosition& b : bench_positions::Positions()) positions.push_back(b);
  MasterSettings& cfg = MasterConfig();
  cfg.variety = false;
  // Nodes per second of processor time beside those of wall time: on a
  // shared machine the wall clock runs on while other programs have the core.
  std::printf("%-18s %8s %6s %12s %12s %12s %10s\n", "position", "budget", "depth", "nodes", "nodes/s",
              "nodes/cpu-s", "time ms");
  for (const uint32_t budget : {100u, 1000u}) {
    for (const BenchPosition& b : positions) {
      const Position root = Build(b);
      cfg.move_time_ms = budget;
      ClearMasterMemory();
      const std::clock_t c0 = std::clock();
      const MasterResult r = MasterSearch(root, MasterGameContext{});
      const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
      std::printf("%-18s %6u ms %6d %12llu %12.0f %12.0f %10.1f\n", b.name, budget, r.depth,
                  static_cast<unsigned long long>(r.nodes),
                  r.seconds > 0 ? static_cast<double>(r.nodes) / r.seconds : 0.0,
                  cpu > 0 ? static_cast<double>(r.nodes) / cpu : 0.0, r.seconds * 1000);
    }
  }
  // Time to complete depth 6, the figure the peers are quoted at.
  std::printf("\ntime to complete depth 6 (table cleared before each):\n");
  cfg.move_time_ms = 60000;
  for (const BenchPosition& b : positions) {
    const Position root = Build(b);
    cfg.max_depth = 6;
    ClearMasterMemory();
    const MasterResult r = MasterSearch(root, MasterGameContext{});
    std::printf("  %-18s depth %d in %.2f ms, %llu nodes\n", b.name, r.depth, r.seconds * 1000,
                static_cast<unsigned long long>(r.nodes));
  }
  cfg.max_depth = MasterSettings{}.max_depth;
  // Depth by time: the deepest iteration each budget completes from the empty board.
  std::printf("\ndepth reached from the empty board by budget:");
  for (const uint32_t budget : {10u, 30u, 100u, 300u, 1000u}) {
    const Position root = Build(positions[0]);
    cfg.move_time_ms = budget;
    ClearMasterMemory();
    const MasterResult r = MasterSearch(root, MasterGameContext{});
    std::printf("  %u ms: %d", budget, r.depth);
  }
  std::printf("\n");
  return 0;
}
