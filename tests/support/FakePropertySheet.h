#pragma once
// A property sheet that records rows and lets a test type values before
// "确定", plus a message sink that keeps the texts.

#include <map>
#include <string>

#include "scene/IMessageSink.h"
#include "scene/TypedPropertySheet.h"
#include "scene/ProcessSettings.h"

class FakePropertySheet : public TypedPropertySheet {
 public:
  int shown = 0;

  int ShowModal() override {
    ++shown;
    return TypedPropertySheet::ShowModal();
  }
  const Row* Find(const std::string& key) const {
    for (const auto& r : rows)
      if (r.key == key) return &r;
    return nullptr;
  }
};

// Installs a fake sheet and message sink for the lifetime of the object.
struct FakeUi {
  FakePropertySheet sheet;
  CollectingMessageSink messages;
  FakeUi() {
    Settings().sheet = &sheet;
    Settings().messages = &messages;
  }
  ~FakeUi() { ResetSettings(); }
};
