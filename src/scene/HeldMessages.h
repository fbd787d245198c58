#pragma once
// Messages that have to wait. A modal box shown while the mouse button is
// held takes the release away from the surface, and one shown while the main
// window is still being built appears before it. Put in place of the
// process's message sink for such a stretch, this keeps the texts for later.

#include <string>
#include <vector>

#include "scene/IMessageSink.h"

class HeldMessages : public IMessageSink {
 public:
  // Becomes the process's sink until Release or destruction.
  HeldMessages();
  ~HeldMessages() override;
  HeldMessages(const HeldMessages&) = delete;
  HeldMessages& operator=(const HeldMessages&) = delete;

  // Kept; a text already kept is not kept twice (a limit met on every
  // pointer movement is told once).
  void ShowMessage(const std::string& text) override;
  // A question cannot wait for its answer: asked at once.
  bool AskYesNo(const std::string& caption, const std::string& text) override;

  // Puts the earlier sink back and hands it the kept texts, in order.
  void Release();
  // Puts the earlier sink back; the kept texts go to the caller.
  std::vector<std::string> Take();

 private:
  void Restore();

  IMessageSink* previous_;
  std::vector<std::string> held_;
};
