// The MASTER search's grade of a quiet position, for the player to move, in
// hundredths of a piece.  It extends the specified grade with what decides
// games between strong players: material counts pieces in hand as well as on
// the board; mobility counts the real free links (a side that runs out of
// them while sliding loses, so the last few links weigh extra); half-built
// mills (two pieces and an empty third point) are threats; mills that can be
// opened and closed again are worth most of a piece each; three flying
// pieces are worth nearly a piece more than three sliding ones; a lead of
// pieces the opponent has walled in is worth little.  The weights were set
// by matches against HARD and EASY (bench/match), not by taste.
#include <algorithm>

#include "master.h"

namespace trivane {

namespace {

constexpr int32_t kPiece = 100;
constexpr int32_t kFreeLink = 4;
// A sliding side with few free links is on its way to being shut in, which
// loses: each link short of kRoomy costs kCramped.  Head to head at 500,000
// nodes a move (40 seeded openings, each played with either colour), 25
// short of 4 lost 26 to 51 (3 drawn) to 25 short of 6, which lost 33 to 45
// (2 drawn) to 40 short of 6; 40 short of 8 did no better (35 to 36, 9
// drawn).  Traced against EASY, MASTER had placed its way to one free link
// against eight, graded a piece down; a search of 16,000,000 nodes graded
// it three pieces down four placements before.
constexpr int32_t kCramped = 40;
constexpr int32_t kRoomy = 6;
constexpr int32_t kHalfMill = 14;
constexpr int32_t kFlyingHalfMill = 40;  // a flying side closes any open half mill next turn
constexpr int32_t kMillRun = 45;
// Three flying pieces hold out far longer than three sliding ones: any
// single threat is blocked, and against six sliders a search of 64,000,000
// nodes (depth 20) found no win in an ending drawn by the quiet-moves count.
// They are worth nearly a piece more so that the side ahead takes the
// fourth-last piece when a win follows, and otherwise squeezes four sliding
// pieces.
// Replayed against EASY from two openings that led to such endings (1,000,000
// nodes a move, 28 seeds each), MASTER drew 5 of 51 games without this and
// none of 56 with it; from the twelve openings of drawn games that set the
// variety's margin (master.h), 3 of 336 without and none of 336 with it.
constexpr int32_t kFlying = 80;
// A lead in pieces that cannot move until the opponent opens a way is worth
// little: nine pieces walled in by five win nothing.  Only the leader's
// walled-in pieces count, as many as its lead: matches against HARD went
// worse when every walled-in piece of either side counted.
constexpr int32_t kWalledLead = 75;
// Against three flying pieces a single threat is always blocked: the sliding
// side wins material only with two mills it can close at once.  Searching a
// threatened side's answer without counting it against the depth, in these
// endings, was tried instead: it converted fewer of the endings replayed from
// drawn match games (11 of 15 against 13 of 15).  A search of threat chains
// alone (each sliding turn leaving a mill to close, the flyer's answers only
// the flights into its gap) was tried at the root of these endings: in the
// three traced move by move it found no chain, and in 55 of their 105
// positions not one turn that made a threat and left the flyer no mill of its
// own to close; over fourteen endings replayed with three seeds it won 39 of
// 42 against 40.  Grade terms for these endings (flyers tied to a gap, the
// points the sliders reach, other half-mill weights) won 32 to 38 of the
// same 42.
constexpr int32_t kDoubleThreat = 150;

struct SideFacts {
  int32_t pieces;
  int32_t free_links;
  int32_t half_mills;
  int32_t mill_runs;
  int32_t shut_in;
  bool flies;
  bool slides;  // all placed and more than three pieces
};

// Own pieces that can never move while the opponent's stay where they are:
// a piece moves if it has an empty neighbour, or a neighbour of its own
// that can move away first.
int32_t ShutIn(uint32_t own, uint32_t empty) {
  uint32_t live = own & LinkedPoints(empty);
  for (uint32_t grown = live; grown != 0; live |= grown) grown = own & ~live & LinkedPoints(grown);
  return CountPoints(own & ~live);
}

SideFacts Facts(const Position& s, uint8_t player) {
  const uint8_t side = Side(player);
  const uint32_t own = s.pieces[side];
  const uint32_t theirs = s.pieces[side ^ 1];
  const uint32_t empty = EmptyPoints(s);
  SideFacts f{};
  f.pieces = s.count[side] + s.remaining[side];
  for (uint32_t b = own; b != 0; b &= b - 1)
    f.free_links += CountPoints(BOARD.masks.link_mask[__builtin_ctz(b)] & empty);
  for (const uint32_t mill : BOARD.masks.mill_mask)
    if (CountPoints(own & mill) == 2 && (theirs & mill) == 0) ++f.half_mills;
  f.mill_runs = MillRuns(s, player);
  f.flies = s.remaining[side] == 0 && s.count[side] == 3;
  f.slides = s.remaining[side] == 0 && s.count[side] > 3;
  if (f.slides) f.shut_in = ShutIn(own, empty);
  return f;
}

int32_t Worth(const SideFacts& f) {
  int32_t v = kPiece * f.pieces + kMillRun * f.mill_runs;
  if (f.flies) return v + kFlyingHalfMill * f.half_mills + kFlying;
  v += kFreeLink * f.free_links + kHalfMill * f.half_mills;
  if (f.free_links < kRoomy) v -= kCramped * (kRoomy - f.free_links);
  return v;
}

}  // namespace

// A placing or flying side closes a mill at any empty third point; a sliding
// one only where a piece of its own outside that mill is linked to it.  Two
// half mills with the same empty point are one point: one piece blocks both.
uint32_t ClosingPoints(const Position& s, uint8_t player) {
  const uint8_t side = Side(player);
  const uint32_t own = s.pieces[side];
  const uint32_t empty = EmptyPoints(s);
  const bool anywhere = s.remaining[side] != 0 || s.count[side] == 3;
  uint32_t gaps = 0;
  for (const uint32_t mill : BOARD.masks.mill_mask) {
    if (CountPoints(own & mill) != 2 || (mill & empty) == 0) continue;
    const uint32_t gap = mill & empty;
    if (anywhere || (BOARD.masks.link_mask[__builtin_ctz(gap)] & own & ~mill) != 0) gaps |= gap;
  }
  return gaps;
}

namespace {

int32_t WalledLead(const SideFacts& f, const SideFacts& other) {
  const int32_t lead = f.pieces - other.pieces;
  return lead > 0 ? kWalledLead * std::min(lead, f.shut_in) : 0;
}

int32_t FlyerDuel(const Position& s, uint8_t player, const SideFacts& f, const SideFacts& other) {
  if (!f.slides || !other.flies) return 0;
  return CountPoints(ClosingPoints(s, player)) >= 2 ? kDoubleThreat : 0;
}

}  // namespace

int32_t MasterGrade(const Position& s) {
  const uint8_t me = s.to_move;
  const SideFacts mine = Facts(s, me);
  const SideFacts theirs = Facts(s, Opponent(me));
  return Worth(mine) - Worth(theirs) + FlyerDuel(s, me, mine, theirs) - FlyerDuel(s, Opponent(me), theirs, mine) -
         WalledLead(mine, theirs) + WalledLead(theirs, mine);
}

}  // namespace trivane
