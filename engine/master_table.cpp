// The MASTER search's transposition table: fixed size, allocated once.
// Each bucket holds two entries: the first keeps the deepest result of the
// current search (or replaces one left by an earlier search), the second
// takes whatever the first would not.  Searches share the table; the age
// field lets a new search overwrite old entries first without clearing 24 MB.
#include <cstring>
#include <memory>

#include "master.h"

namespace trivane {

namespace {

struct Entry {
  uint32_t check;  // upper half of the key
  uint32_t move;   // packed MasterMove, 0 for none
  int16_t score;
  int8_t depth;
  uint8_t bound_age;  // bound in bits 0..1, age in bits 2..7
};
static_assert(sizeof(Entry) == 12);

struct Bucket {
  Entry e[2];
};

constexpr size_t kBuckets = size_t{1} << 20;

struct Table {
  std::unique_ptr<Bucket[]> buckets;
  uint8_t age = 0;
};
Table g_table;

void Allocate() {
  if (!g_table.buckets) {
    g_table.buckets.reset(new Bucket[kBuckets]);
    std::memset(g_table.buckets.get(), 0, kBuckets * sizeof(Bucket));
  }
}

inline Bucket& BucketOf(uint64_t key) { return g_table.buckets[key & (kBuckets - 1)]; }
inline uint32_t Check(uint64_t key) { return static_cast<uint32_t>(key >> 32); }
inline uint8_t AgeOf(const Entry& e) { return e.bound_age >> 2; }
inline uint8_t BoundOf(const Entry& e) { return e.bound_age & 3u; }

}  // namespace

void ClearTable() {
  Allocate();
  std::memset(g_table.buckets.get(), 0, kBuckets * sizeof(Bucket));
  g_table.age = 0;
}

void AgeTable() {
  Allocate();
  g_table.age = static_cast<uint8_t>((g_table.age + 1) & 63u);
}

size_t TableEntries() { return 2 * kBuckets; }

TableHit ProbeTable(uint64_t key) {
  TableHit hit;
  if (!g_table.buckets) return hit;
  const Bucket& b = BucketOf(key);
  const uint32_t check = Check(key);
  for (const Entry& e : b.e) {
    if (BoundOf(e) != BOUND_NONE && e.check == check) {
      hit.found = true;
      hit.move = e.move;
      hit.score = e.score;
      hit.depth = e.depth;
      hit.bound = BoundOf(e);
      return hit;
    }
  }
  return hit;
}

void StoreTable(uint64_t key, uint32_t move, int32_t score, int depth, uint8_t bound) {
  Allocate();
  Bucket& b = BucketOf(key);
  const uint32_t check = Check(key);
  Entry fresh{check, move, static_cast<int16_t>(score), static_cast<int8_t>(depth),
              static_cast<uint8_t>(g_table.age << 2 | bound)};
  Entry& deep = b.e[0];
  Entry& any = b.e[1];
  // The same position again: keep the move the table knew when the new
  // result has none, and the entry in whichever slot holds it.
  for (Entry& e : b.e) {
    if (BoundOf(e) != BOUND_NONE && e.check == check) {
      if (fresh.move == 0) fresh.move = e.move;
      if (&e == &deep && depth < e.depth && AgeOf(e) == g_table.age && bound != BOUND_EXACT) {
        any = fresh;  // a shallower result does not push out the deeper one
        return;
      }
      e = fresh;
      return;
    }
  }
  if (BoundOf(deep) == BOUND_NONE || AgeOf(deep) != g_table.age || depth >= deep.depth) {
    if (BoundOf(deep) != BOUND_NONE) any = deep;  // the displaced entry still serves
    deep = fresh;
  } else {
    any = fresh;
  }
}

}  // namespace trivane
