// A list settled as it grows, on its own thread, leaves out and folds the
// very entries that settling it at the end does, also when it outgrows the
// room made for it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/paint/PaintList.h"

namespace {

// Lines from a small pool, so that many repeat, in every effect, with the
// odd blend and clip between them; each entry's brush colour is its number.
void Fill(PaintList& list, unsigned seed, std::size_t n, std::size_t allowAt = 0) {
  std::mt19937 rng(seed);
  auto pick = [&rng](unsigned k) { return int(rng() % k); };
  for (std::size_t i = 0; i < n; ++i) {
    if (allowAt != 0 && i == allowAt) list.SettleAlong(true);
    PaintList::Entry e;
    const int effect = pick(200);
    e.effect = effect == 0   ? PaintList::Effect::Blend
               : effect < 80 ? PaintList::Effect::Overwrite
                             : PaintList::Effect::Merge;
    if (pick(10) != 0)
      e.line = PaintList::LineKey{pick(4), pick(2), 40, pick(3), 1 + pick(2), pick(4) ? 0 : 1};
    e.colour = TColor(0x40u << (8 * pick(3)));
    e.pen.color = e.colour;
    e.clip = pick(8) ? TClipRect{} : TClipRect{true, 0, 0, 50, 50};
    e.brush.color = TColor(i);
    list.Add(e);
  }
}

struct Settled {
  std::size_t left, needed;
  std::vector<std::pair<TColor, TColor>> kept;  // number, colour
  bool operator==(const Settled&) const = default;
};

Settled Settle(PaintList& list) {
  Settled s{list.Settle(), list.Needed(), {}};
  list.ForEach([&](const PaintList::Entry& e) { s.kept.emplace_back(e.brush.color, e.colour); });
  return s;
}

TEST(PaintListTest, SettlingAlongLeavesOutWhatSettlingAtTheEndDoes) {
  constexpr std::size_t n = 12000;
  for (unsigned seed : {1u, 2u, 3u}) {
    // The first long list makes room for 4 x 8000 entries, later ones for
    // half as many again as the one before: enough, too little, enough; then
    // a short list leaves the list holding more than its room. Every other
    // list is allowed to settle along only once 20000 entries are in.
    PaintList along;
    int round = 0;
    for (std::size_t length : {n, 3 * n, 3 * n, n, 3 * n, 3 * n}) {
      PaintList atEnd;
      Fill(atEnd, seed, length);
      const Settled expected = Settle(atEnd);
      ASSERT_LT(expected.needed, length * 3 / 4) << "the pool should repeat lines";
      along.Clear();
      const bool late = round++ % 2 == 1;
      if (!late) along.SettleAlong(true);
      Fill(along, seed, length, late ? 20000 : 0);
      EXPECT_EQ(Settle(along), expected) << seed << " " << length;
    }
  }
}

}  // namespace
