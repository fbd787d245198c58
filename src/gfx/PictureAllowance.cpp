#include "gfx/PictureAllowance.h"

thread_local PictureAllowance* PictureAllowance::current_ = nullptr;

PictureAllowance::PictureAllowance(std::int64_t pixels) : left_(pixels), outer_(current_) {
  current_ = this;
}

PictureAllowance::~PictureAllowance() { current_ = outer_; }

bool PictureAllowance::Take(std::int64_t pixels) {
  if (!current_) return true;
  if (pixels > current_->left_) {
    ++current_->refused_;
    return false;
  }
  current_->left_ -= pixels;
  return true;
}

void PictureAllowance::NoteRefused() {
  if (current_) ++current_->refused_;
}
