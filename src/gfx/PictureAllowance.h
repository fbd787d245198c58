#pragma once
// How many pixels the pictures decoded while one experiment is read may take
// together: one picture is bounded by kMaxPicturePixels, but a file of a few
// kilobytes can hold forty of them. The reader of a file makes one
// allowance for the time it reads; pictures beyond it are not decoded and
// are counted, so that the reader can say so. Allowances nest per thread;
// without one in force only the bound of one picture applies.

#include <cstdint>

class PictureAllowance {
 public:
  // Four of the largest pictures: 256 MiB as 32-bit pixels.
  static constexpr std::int64_t kExperimentPixels = 4LL * 4096LL * 4096LL;

  explicit PictureAllowance(std::int64_t pixels = kExperimentPixels);
  ~PictureAllowance();
  PictureAllowance(const PictureAllowance&) = delete;
  PictureAllowance& operator=(const PictureAllowance&) = delete;

  // Pictures refused while this allowance was in force (too large alone or
  // beyond what was left).
  int Refused() const { return refused_; }

  // Takes `pixels` from the allowance in force: false, and counted as
  // refused, when it has not that many left. True when none is in force.
  static bool Take(std::int64_t pixels);
  // Counts a picture refused for its own size.
  static void NoteRefused();

 private:
  std::int64_t left_;
  int refused_ = 0;
  PictureAllowance* outer_;
  static thread_local PictureAllowance* current_;
};
