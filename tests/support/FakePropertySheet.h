#pragma once
// A property sheet that records rows and lets a test type values before
// "确定", plus a message sink that keeps the texts.

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"
#include "scene/TypedPropertySheet.h"

class FakePropertySheet : public TypedPropertySheet {
 public:
  int shown = 0;
  // Chosen in the font dialog while shown; shownFont: the dialog's font then.
  std::optional<TSheetFont> chosenFont;
  TSheetFont shownFont;

  int ShowModal() override {
    ++shown;
    shownFont = DialogFont();
    if (chosenFont) SetDialogFont(*chosenFont);
    return TypedPropertySheet::ShowModal();
  }
  const Row* Find(const std::string& key) const {
    for (const auto& r : rows)
      if (r.key == key) return &r;
    return nullptr;
  }
};

// Calls `onMessage` as each message comes: what was true at that moment.
struct WatchingMessageSink : CollectingMessageSink {
  std::function<void()> onMessage;
  void ShowMessage(const std::string& text) override {
    CollectingMessageSink::ShowMessage(text);
    if (onMessage) onMessage();
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
