#pragma once
// The primitives of one canvas batch (a whole trace), kept until the batch
// ends and then painted in order, less the lines a later line is sure to
// cover exactly: rays caught between mirrors draw the same few pieces,
// normals and extensions hundreds of times, and each stroke costs the same
// however often its pixels were painted before.
//
// A copy-pen line is left out when a later copy-pen line has the same
// pixels: whatever is painted in between on those pixels, the later line
// overwrites it. A merge-pen line is left out when a later merge-pen line of
// the same colour has the same pixels and only copy or merge primitives lie
// in between: OR-ing a colour in twice is OR-ing it in once, in any order.
// Both only under the same clip rectangle, which every entry keeps.
// Solid merge-pen lines with the same pixels in other colours, with nothing
// but merge lines left to paint between them, are painted once in the OR of
// their colours (OR-ing is associative and its order does not matter).
// Anything else (XOR, anti-aliasing, text, pictures) is painted as it comes.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gfx/TCanvas.h"

class QImageCanvas;
class QPainter;

class PaintList {
 public:
  // What a primitive does to the pixels it covers.
  enum class Effect {
    Overwrite,  // copy pen, fills
    Merge,      // ORs its colour in
    Blend,      // reads them otherwise
  };
  // Lines with equal keys, the same pen mode and the same clip (the
  // entry's) cover the same pixels.
  struct LineKey {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 0;
    int pattern = 0;  // 0 solid; dotted 1/2, dash-dot 3/4, dash-dot-dot 5/6 (clear/filled gaps)
    bool operator==(const LineKey&) const = default;
    // A thin line's pattern, and back.
    static int PatternOf(TPenStyle style, bool filledGaps) {
      if (style == TPenStyle::Solid || style == TPenStyle::Clear) return 0;
      const int dashes = style == TPenStyle::Dot ? 1 : style == TPenStyle::DashDot ? 3 : 5;
      return dashes + (filledGaps ? 1 : 0);
    }
    TPenStyle Style() const {
      constexpr TPenStyle kStyles[] = {TPenStyle::Solid, TPenStyle::Dot, TPenStyle::DashDot,
                                       TPenStyle::DashDotDot};
      return kStyles[(pattern + 1) / 2 % 4];
    }
    bool FilledGaps() const { return pattern != 0 && pattern % 2 == 0; }
  };
  // A straight line as Qt strokes it: ends and width in pixels.
  struct Stroke {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 0;
  };
  // What only some entries need, kept apart so that a line entry, the
  // common one, stays small: a ray-heavy refresh records tens of thousands.
  struct Extra {
    std::optional<TFont> font;
    // Set for straight lines painted from `paint` (anti-aliased lines, two
    // point polylines), which Qt cuts where a clip rectangle crosses them.
    std::optional<Stroke> stroke;
    // Paints with the given canvas's state (each band of a refresh has its
    // own) and painter; never with state of its own, as bands call it at once.
    std::function<void(QImageCanvas&, QPainter&)> paint;
  };
  struct Entry {
    Effect effect = Effect::Blend;
    // Set for every straight line; a line without `paint` is painted from
    // its key alone, so that it needs no allocation of its own.
    std::optional<LineKey> line;
    TColor colour = 0;  // of a merge-pen line
    TPen pen;
    TBrush brush;
    TClipRect clip;
    const Extra* extra = nullptr;  // held by the list
    bool written = false;          // by the canvas's own span writer (MarkEach)
    const std::optional<Stroke>& StrokeOf() const { return extra ? extra->stroke : kNoStroke; }
  };

  PaintList();
  ~PaintList();
  PaintList(const PaintList&) = delete;
  PaintList& operator=(const PaintList&) = delete;

  void Add(const Entry& entry) {
    Open() = entry;
    Close();
  }
  void Add(Entry entry, Extra extra) {
    entry.extra = &extras_.emplace_back(std::move(extra));
    Add(entry);
  }
  // Add, filled in place by the caller between Open and Close: an entry
  // built elsewhere field by field and then copied whole is read back
  // before its stores are done, a stall at every line.
  Entry& Open() {
    if (along_on_ && entries_.size() == entries_.capacity()) StopAlong();
    return entries_.emplace_back();
  }
  void Close() {
    // Handed over a run at a time: the settling thread then reads entries
    // the adding one is done with, not the cache line it writes next.
    if (along_on_ && entries_.size() % kPublishEvery == 0) Publish();
    if (entries_.size() == alongFrom_) StartAlong();
  }
  // Lets the list, once it is long (a boxed beam records some 80,000
  // entries), be settled as it grows on a thread of its own beside the one
  // that adds; Settle then only finishes. Until Clear. A list that outgrows
  // the room made for it (half as much again as the last long one) is
  // settled by Settle.
  void SettleAlong(bool allowed);
  bool Empty() const { return entries_.empty(); }
  std::size_t Size() const { return entries_.size(); }
  // Painting the list: Settle leaves out what is not needed and returns how
  // many it left out; ForEach then calls `replay` for every entry still
  // needed, in order (in bands: on several threads at once); Clear empties it.
  std::size_t Settle();
  std::size_t Needed() const { return needed_count_; }
  // Sets `written` on every entry still needed, once before painting.
  template <typename Mark>
  void MarkEach(Mark&& mark) {
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (needed_[i]) entries_[i].written = mark(entries_[i]);
  }
  template <typename Replay>
  void ForEach(Replay&& replay) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (needed_[i]) replay(entries_[i]);
  }
  void Clear();

 private:
  // Open-addressed table of the lines met so far (entry index + 1, 0 free)
  // with the blend count at that meeting: kept between replays, so that a
  // refresh allocates nothing per line.
  struct Slot {
    std::uint32_t entry = 0;
    std::uint32_t blends = 0;
  };
  struct Along;
  // Below this the thread's start costs more than it saves.
  static constexpr std::size_t kAlongFrom = 8000, kAlongUpTo = std::size_t(1) << 24;
  // Entries after which a thread is asked for again when none was free.
  static constexpr std::size_t kAlongRetry = 2048;
  static constexpr std::size_t kPublishEvery = 256;
  static constexpr std::size_t kNever = ~std::size_t(0);
  void StartAlong();
  void Publish();
  void StopAlong();
  // The settling thread's work, entry by entry as they come, front to back:
  // a line leaves out the line before it with the same key on the same terms
  // as Settle's, which go back to front.
  void Follow(Along& along);
  // Folds solid merge lines with the same pixels, between which only merge
  // lines are left to paint, into the latest with the colours OR-ed:
  // white light boxed by mirrors paints each piece once per colour.
  void FoldMerges();
  static constexpr std::optional<Stroke> kNoStroke{};
  std::vector<Entry> entries_;
  std::deque<Extra> extras_;  // stays where it is as the list grows
  std::vector<Slot> slots_;
  std::vector<std::uint8_t> needed_;  // a byte each: written on the settling thread
  std::unique_ptr<Along> along_;
  bool along_on_ = false;           // the settling thread follows the list
  std::size_t alongFrom_ = kNever;  // it starts when the list is this long
  std::size_t lastLong_ = 0;        // entries of the last long list
  std::size_t needed_count_ = 0;
};
