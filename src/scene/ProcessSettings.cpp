#include "scene/ProcessSettings.h"

#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"

namespace {

MemoryPropertySheet& DefaultSheet() {
  static MemoryPropertySheet sheet;
  return sheet;
}

CollectingMessageSink& DefaultMessages() {
  static CollectingMessageSink sink;
  return sink;
}

ProcessSettings MakeDefaults() {
  ProcessSettings s;
  s.sheet = &DefaultSheet();
  s.messages = &DefaultMessages();
  return s;
}

}  // namespace

ProcessSettings& Settings() {
  static ProcessSettings settings = MakeDefaults();
  return settings;
}

void ResetSettings() {
  DefaultSheet().ClearRows();
  DefaultMessages().messages.clear();
  Settings() = MakeDefaults();
}

int NextEmissionGroup() { return ++Settings().emissionGroupCounter; }

void ShowMessage(const std::string& text) { Settings().messages->ShowMessage(text); }
