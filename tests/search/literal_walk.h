// The tree walk exactly as first written: downwards from the newest record,
// every visit replaying its line from the root.  Kept here as the reference
// that the production search must agree with record for record.
#pragma once

#include "search.h"

namespace search_test {

trivane::ChosenMove LiteralCreateTree(uint8_t root_player,
                                      const trivane::SearchOptions& options = trivane::SearchOptions{});

}  // namespace search_test
