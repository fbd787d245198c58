#pragma once
// Reveals a trace one generation at a time ("逐步显示"): the step shown, and
// the generations the last refresh's trace had. A refresh keeps the step
// within them, so that an edit that shortens the trace never leaves the
// status saying "step 9 of 4".

class Stepping {
 public:
  bool On() const { return on_; }
  int Step() const { return step_; }
  // Generations of the last refresh while stepping; 0 before the first.
  int Steps() const { return steps_; }
  bool AtEnd() const { return step_ >= steps_; }

  // From step 1; the generations are known after the next refresh.
  void Start();
  void Stop() { on_ = false; }
  // One step on or back; false (and no change) at either end or when off.
  bool Next();
  bool Previous();
  // After a refresh's trace: its generations, the step kept within them.
  void Refreshed(int generations);

 private:
  bool on_ = false;
  int step_ = 1, steps_ = 0;
};
