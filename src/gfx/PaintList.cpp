#include "gfx/PaintList.h"

#include <unordered_map>
#include <unordered_set>

namespace {

struct KeyHash {
  std::size_t operator()(const PaintList::LineKey& k) const {
    std::size_t h = std::size_t(k.x1) * 0x9E3779B97F4A7C15ull;
    for (int v : {k.y1, k.x2, k.y2, k.width, k.pattern})
      h = (h ^ std::size_t(unsigned(v))) * 0x100000001B3ull;
    return h;
  }
};

struct MergeKey {
  PaintList::LineKey line;
  TColor colour = 0;
  bool operator==(const MergeKey&) const = default;
};

struct MergeHash {
  std::size_t operator()(const MergeKey& k) const {
    return KeyHash{}(k.line) ^ (std::size_t(k.colour) * 0xC2B2AE3D27D4EB4Full);
  }
};

}  // namespace

std::size_t PaintList::Replay(const std::function<void(Entry&)>& replay) {
  // From the end backwards: which lines a later one covers.
  std::vector<bool> needed(entries_.size(), true);
  std::unordered_set<LineKey, KeyHash> laterCopies;
  // The blend count seen when the nearest later merge line was met.
  std::unordered_map<MergeKey, std::size_t, MergeHash> laterMerges;
  std::size_t blends = 0, left = 0;
  for (std::size_t i = entries_.size(); i-- > 0;) {
    const Entry& e = entries_[i];
    if (e.effect == Effect::Blend) {
      ++blends;
      continue;
    }
    if (!e.line) continue;
    if (e.effect == Effect::Overwrite) {
      if (!laterCopies.insert(*e.line).second) {
        needed[i] = false;
        ++left;
      }
      continue;
    }
    const auto [at, fresh] = laterMerges.try_emplace(MergeKey{*e.line, e.colour}, blends);
    if (!fresh && at->second == blends) {
      needed[i] = false;
      ++left;
    } else {
      at->second = blends;
    }
  }
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (needed[i]) replay(entries_[i]);
  entries_.clear();
  return left;
}
