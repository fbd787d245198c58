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
  // Chosen in the font dialog while the sheet is shown; the font the dialog
  // held when it was shown is kept in shownFont.
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

// Collects the messages and calls `onMessage` as each one comes, for tests
// that look at the moment a message is shown.
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
