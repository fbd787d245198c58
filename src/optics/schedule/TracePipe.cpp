#include "optics/schedule/TracePipe.h"

void TracePipe::Open() {
  std::lock_guard lock(mutex_);
  queue_.clear();
  free_.clear();
  for (auto& segment : all_) free_.push_back(segment.get());
  closed_ = false;
  recording.Clear();
  keptRays.clear();
}

TracePipe::Segment& TracePipe::Fresh() {
  Segment* segment = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (free_.empty()) {
      all_.push_back(std::make_unique<Segment>());
      free_.push_back(all_.back().get());
    }
    segment = free_.front();
    free_.pop_front();
  }
  segment->calls.Clear();
  segment->endCount = 0;
  segment->stopped = false;
  return *segment;
}

TracePipe::GenerationEnd& TracePipe::Segment::EndGeneration(std::size_t at) {
  if (endCount == ends.size()) ends.emplace_back();
  GenerationEnd& end = ends[endCount++];
  end.at = at;
  end.images.Clear();
  return end;
}

void TracePipe::Publish(Segment& segment) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(&segment);
    wake = waiting_;
  }
  if (wake) ready_.notify_one();
}

void TracePipe::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  ready_.notify_one();
}

TracePipe::Segment* TracePipe::Next() {
  std::unique_lock lock(mutex_);
  waiting_ = true;
  ready_.wait(lock, [this] { return !queue_.empty() || closed_; });
  waiting_ = false;
  if (queue_.empty()) return nullptr;
  Segment* segment = queue_.front();
  queue_.pop_front();
  return segment;
}

bool TracePipe::Closed() {
  std::lock_guard lock(mutex_);
  return closed_;
}

void TracePipe::Recycle(Segment& segment) {
  std::lock_guard lock(mutex_);
  free_.push_back(&segment);
}
