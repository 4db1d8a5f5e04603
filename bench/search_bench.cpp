// Time per computer move at each difficulty on a fixed set of positions, with
// the size of each tree.  The sum of the record counts over the whole set is printed
// as a signature: any change in what the search builds changes that number.
// Beside the production search run the search it replaced (Reference/...,
// bench/reference_search.cpp) and the replaying walk kept with the tests
// (LiteralWalk/...); the reference must build trees of the same sizes and
// choose the same moves, and the run says so at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "TrivaneEngine.h"
#include "bench_positions.h"
#include "literal_walk.h"
#include "reference_search.h"
#include "fastmap.h"
#include "geometry.h"
#include "messages.h"
#include "nodestore.h"
#include "rules.h"
#include "search.h"
#include "state.h"

using namespace trivane;

namespace {

using bench_positions::Positions;
using Position = bench_positions::BenchPosition;
using bench_positions::SetUpGame;

std::map<std::string, uint32_t>& TreeSizes() {
  static std::map<std::string, uint32_t> sizes;
  return sizes;
}

// Tree size and chosen move of each reference search, by the same names.
std::map<std::string, std::string>& Answers(bool reference) {
  static std::map<std::string, std::string> answers[2];
  return answers[reference ? 1 : 0];
}

std::string Answer(uint8_t fx, uint8_t fy, uint8_t tx, uint8_t ty) {
  return std::to_string(g_search.count) + " records, " + std::to_string(fx) + "," + std::to_string(fy) + " - " +
         std::to_string(tx) + "," + std::to_string(ty);
}

void SetRecordCounters(benchmark::State& state) {
  state.counters["node_count"] = g_search.count;
  state.counters["nodes_per_s"] = benchmark::Counter(
      static_cast<double>(g_search.count) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["s_per_record"] = benchmark::Counter(static_cast<double>(g_search.count) *
                                                          static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The replaying walk the production search replaced, for the side-by-side
// numbers; the signature covers only the production search.
void BM_LiteralWalk(benchmark::State& state, size_t position, uint8_t difficulty) {
  const Position& pos = Positions()[position];
  SetDifficulty(difficulty);
  for (auto _ : state) {
    state.PauseTiming();
    SetUpGame(pos);
    state.ResumeTiming();
    benchmark::DoNotOptimize(search_test::LiteralCreateTree(pos.to_move));
  }
  SetRecordCounters(state);
}

int Quiet(const char*, const char*, unsigned style) { return (style & 0x0F) == 0x04 ? 7 : 1; }

void BM_AI_Play(benchmark::State& state, size_t position, uint8_t difficulty, const char* level) {
  const Position& pos = Positions()[position];
  SetDifficulty(difficulty);
  uint8_t fx = 0, fy = 0, tx = 0, ty = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SetUpGame(pos);
    state.ResumeTiming();
    AI_Play(&fx, &fy, &tx, &ty);
    benchmark::DoNotOptimize(fx);
  }
  SetRecordCounters(state);
  TreeSizes()[std::string(level) + "/" + pos.name] = g_search.count;
  Answers(false)[std::string(level) + "/" + pos.name] = Answer(fx, fy, tx, ty);
}

// The search before the compact position, made the same way: the first
// placements by the one-ply chooser do not occur in these positions.
void BM_Reference(benchmark::State& state, size_t position, uint8_t difficulty, const char* level) {
  const Position& pos = Positions()[position];
  SetDifficulty(difficulty);
  ChosenMove move;
  for (auto _ : state) {
    state.PauseTiming();
    SetUpGame(pos);
    state.ResumeTiming();
    move = bench_reference::ComputerMove(pos.to_move);
    benchmark::DoNotOptimize(move);
  }
  SetRecordCounters(state);
  Answers(true)[std::string(level) + "/" + pos.name] = Answer(move.from[0], move.from[1], move.to[0], move.to[1]);
}

}  // namespace

int main(int argc, char** argv) {
  SetMessageHandler(Quiet);
  struct Level {
    const char* name;
    uint8_t depth;
  };
  for (const Level level :
       {Level{"EASY", TRIVANE_DEPTH_EASY}, Level{"MEDIUM", TRIVANE_DEPTH_MEDIUM}, Level{"HARD", TRIVANE_DEPTH_HARD}})
    for (size_t i = 0; i < Positions().size(); ++i) {
      const std::string name = std::string("AI_Play/") + level.name + "/" + Positions()[i].name;
      benchmark::RegisterBenchmark(name.c_str(), BM_AI_Play, i, level.depth, level.name)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(level.depth >= 6 ? 5 : 20);
      const std::string reference = std::string("Reference/") + level.name + "/" + Positions()[i].name;
      benchmark::RegisterBenchmark(reference.c_str(), BM_Reference, i, level.depth, level.name)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(level.depth >= 6 ? 5 : 20);
      const std::string literal = std::string("LiteralWalk/") + level.name + "/" + Positions()[i].name;
      benchmark::RegisterBenchmark(literal.c_str(), BM_LiteralWalk, i, level.depth)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
    }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  uint64_t signature = 0;
  for (const auto& [name, size] : TreeSizes()) signature += size;
  std::printf("node_count signature over %zu searches: %llu\n", TreeSizes().size(),
              static_cast<unsigned long long>(signature));
  int differ = 0;
  for (const auto& [name, answer] : Answers(true)) {
    const auto production = Answers(false).find(name);
    if (production == Answers(false).end()) continue;
    if (production->second != answer) {
      std::printf("DIFFERENT %s: production %s, reference %s\n", name.c_str(), production->second.c_str(),
                  answer.c_str());
      ++differ;
    }
  }
  std::printf("reference and production searches: %s\n", differ == 0 ? "same trees and moves" : "DIFFERENT");
  return differ == 0 ? 0 : 1;
}
