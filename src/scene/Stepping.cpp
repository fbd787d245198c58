#include "scene/Stepping.h"

#include <algorithm>

void Stepping::Start() {
  on_ = true;
  step_ = 1;
}

bool Stepping::Next() {
  if (!on_ || step_ >= steps_) return false;
  ++step_;
  return true;
}

bool Stepping::Previous() {
  if (!on_ || step_ <= 1) return false;
  --step_;
  return true;
}

void Stepping::Refreshed(int generations) {
  if (!on_) return;
  steps_ = std::max(0, generations);
  step_ = std::clamp(step_, 1, std::max(1, steps_));
}
