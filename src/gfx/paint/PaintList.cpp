#include "gfx/paint/PaintList.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "gfx/paint/PaintThread.h"
#include "gfx/paint/SideThread.h"

namespace {

std::size_t Hash(const PaintList::Entry& e, bool withColour = true) {
  const PaintList::LineKey& k = *e.line;
  // Independent products, summed: no chain of multiplications per entry.
  std::size_t h = std::size_t(unsigned(k.x1)) * 0x9E3779B97F4A7C15ull +
                  std::size_t(unsigned(k.y1)) * 0xC2B2AE3D27D4EB4Full +
                  std::size_t(unsigned(k.x2)) * 0x165667B19E3779F9ull +
                  std::size_t(unsigned(k.y2)) * 0xD6E8FEB86659FD93ull +
                  std::size_t(unsigned(k.width | k.pattern << 12 | int(e.effect) << 20)) *
                      0xFF51AFD7ED558CCDull;
  h ^= h >> 32;
  if (withColour && e.effect == PaintList::Effect::Merge)
    h ^= std::size_t(e.colour) * 0x94D049BB133111EBull;
  return h ^ (h >> 29);
}

// Whether the two lines leave each other out: the same pixels, the same pen
// mode and, for merge pens, the same colour.
bool SameLine(const PaintList::Entry& a, const PaintList::Entry& b) {
  return a.effect == b.effect && *a.line == *b.line && a.clip == b.clip &&
         (a.effect != PaintList::Effect::Merge || a.colour == b.colour);
}

}  // namespace

struct PaintList::Along {
  SideThread thread;
  const Entry* base = nullptr;  // the entries, in room that does not move
  std::atomic<std::size_t> published{0};
  std::atomic<bool> ended{false};    // no entry follows those published
  std::atomic<bool> abandon{false};  // stop now: Settle settles
  std::uint32_t blends = 0;
  std::size_t left = 0;
};

PaintList::PaintList() = default;

PaintList::~PaintList() {
  if (along_on_) StopAlong();
}

void PaintList::Clear() {
  if (along_on_) StopAlong();
  alongFrom_ = kNever;
  entries_.clear();
  extras_.clear();
}

void PaintList::SettleAlong(bool allowed) {
  if (along_on_) return;
  // Allowed late, the thread starts with the next entry and catches up.
  alongFrom_ = allowed ? std::max(kAlongFrom, entries_.size() + 1) : kNever;
}

void PaintList::StartAlong() {
  // No core free (a trace runs beside): asked again a little later.
  alongFrom_ = PoolThreadFree() ? kNever : entries_.size() + kAlongRetry;
  if (alongFrom_ != kNever) return;
  // Room for as many as the last list this long and half again: outgrowing
  // it stops the settling thread.
  const std::size_t room = std::max(lastLong_ + lastLong_ / 2, 4 * kAlongFrom);
  if (room > kAlongUpTo || entries_.size() >= room) return;
  try {
    if (!along_) along_ = std::make_unique<Along>();
  } catch (const std::system_error&) {
    return;  // no thread: Settle settles
  }
  // The thread stops when the list is full; its tables are made for all the
  // list holds, which may be more than the room (kept from a longer list).
  entries_.reserve(room);
  needed_.assign(entries_.capacity(), 1);
  std::size_t capacity = 64;
  while (capacity < 2 * entries_.capacity()) capacity *= 2;
  slots_.assign(capacity, Slot{});
  Along& along = *along_;
  along.base = entries_.data();
  along.published.store(entries_.size(), std::memory_order_relaxed);
  along.ended.store(false, std::memory_order_relaxed);
  along.abandon.store(false, std::memory_order_relaxed);
  along.blends = 0;
  along.left = 0;
  along_on_ = true;
  along.thread.Start([this, &along] { Follow(along); });
}

void PaintList::Publish() { along_->published.store(entries_.size(), std::memory_order_release); }

void PaintList::StopAlong() {
  along_->abandon.store(true, std::memory_order_release);
  along_->thread.Wait();
  along_on_ = false;
}

void PaintList::Follow(Along& along) {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = 0;;) {
    for (const std::size_t n = along.published.load(std::memory_order_acquire); i < n; ++i) {
      const Entry& e = along.base[i];
      if (e.effect == Effect::Blend) {
        ++along.blends;
        continue;
      }
      if (!e.line) continue;
      std::size_t at = Hash(e) & mask;
      while (slots_[at].entry != 0 && !SameLine(along.base[slots_[at].entry - 1], e))
        at = (at + 1) & mask;
      Slot& slot = slots_[at];
      // As in Settle, with the roles of the two lines' blend counts swapped.
      if (slot.entry != 0 && (e.effect == Effect::Overwrite || slot.blends == along.blends)) {
        needed_[slot.entry - 1] = 0;
        ++along.left;
      }
      slot = {std::uint32_t(i + 1), along.blends};
    }
    if (along.abandon.load(std::memory_order_acquire)) return;
    if (along.ended.load(std::memory_order_acquire) &&
        i == along.published.load(std::memory_order_acquire))
      return;
    // Caught up: the list grows by a few hundred entries meanwhile, and the
    // core is left to the threads that trace and record.
    std::this_thread::sleep_for(std::chrono::microseconds(30));
  }
}

std::size_t PaintList::Settle() {
  const std::size_t n = entries_.size();
  if (n >= kAlongFrom) lastLong_ = n;
  if (along_on_) {
    Publish();
    along_->ended.store(true, std::memory_order_release);
    along_->thread.Wait();
    along_on_ = false;
    if (!along_->abandon.load(std::memory_order_relaxed)) {
      needed_.resize(n);
      FoldMerges();
      needed_count_ = std::size_t(std::count(needed_.begin(), needed_.end(), std::uint8_t(1)));
      return along_->left;
    }
  }
  // From the end backwards: which lines a later one covers.
  needed_.assign(n, 1);
  needed_count_ = n;
  // Indices and counts are kept in 32 bits; no refresh comes near that.
  if (n >= std::size_t(UINT32_MAX)) return 0;
  std::size_t capacity = 64;
  while (capacity < 2 * n) capacity *= 2;
  slots_.assign(capacity, Slot{});
  const std::size_t mask = capacity - 1;
  std::uint32_t blends = 0;
  std::size_t left = 0;
  for (std::size_t i = n; i-- > 0;) {
    const Entry& e = entries_[i];
    if (e.effect == Effect::Blend) {
      ++blends;
      continue;
    }
    if (!e.line) continue;
    std::size_t at = Hash(e) & mask;
    while (slots_[at].entry != 0 && !SameLine(entries_[slots_[at].entry - 1], e))
      at = (at + 1) & mask;
    Slot& slot = slots_[at];
    if (slot.entry == 0) {
      slot = {std::uint32_t(i + 1), blends};
      continue;
    }
    // A later copy line overwrites whatever lies between; a later merge
    // line only when nothing but copies and merges does.
    if (e.effect == Effect::Overwrite || slot.blends == blends) {
      needed_[i] = 0;
      ++left;
    } else {
      slot.blends = blends;
    }
  }
  FoldMerges();
  needed_count_ = std::size_t(std::count(needed_.begin(), needed_.end(), std::uint8_t(1)));
  return left;
}

void PaintList::FoldMerges() {
  // Backwards over what is left to paint; `breaks` counts what is not a
  // solid merge line. Table as in Replay, keyed without the colour.
  const std::size_t mask = slots_.size() - 1;
  std::fill(slots_.begin(), slots_.end(), Slot{});
  std::uint32_t breaks = 0;
  for (std::size_t i = entries_.size(); i-- > 0;) {
    if (!needed_[i]) continue;
    Entry& e = entries_[i];
    if (e.effect != Effect::Merge || !e.line || e.line->pattern != 0) {
      ++breaks;
      continue;
    }
    std::size_t at = Hash(e, false) & mask;
    while (slots_[at].entry != 0 && !(*entries_[slots_[at].entry - 1].line == *e.line &&
                                      entries_[slots_[at].entry - 1].clip == e.clip))
      at = (at + 1) & mask;
    Slot& slot = slots_[at];
    if (slot.entry != 0 && slot.blends == breaks) {
      Entry& later = entries_[slot.entry - 1];
      later.colour |= e.colour;
      later.pen.color = later.colour;
      needed_[i] = 0;
    } else {
      slot = {std::uint32_t(i + 1), breaks};
    }
  }
}
