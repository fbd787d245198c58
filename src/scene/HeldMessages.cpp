#include "scene/HeldMessages.h"

#include <algorithm>
#include <utility>

#include "scene/ProcessSettings.h"

HeldMessages::HeldMessages() : previous_(Settings().messages) { Settings().messages = this; }

HeldMessages::~HeldMessages() { Restore(); }

void HeldMessages::ShowMessage(const std::string& text) {
  if (std::find(held_.begin(), held_.end(), text) == held_.end()) held_.push_back(text);
}

bool HeldMessages::AskYesNo(const std::string& caption, const std::string& text) {
  return previous_ && previous_->AskYesNo(caption, text);
}

void HeldMessages::Release() {
  for (const std::string& text : Take())
    if (previous_) previous_->ShowMessage(text);
}

std::vector<std::string> HeldMessages::Take() {
  Restore();
  return std::exchange(held_, {});
}

void HeldMessages::Restore() {
  // Settings reset meanwhile (a test between cases): nothing to put back.
  if (Settings().messages == this) Settings().messages = previous_;
}
