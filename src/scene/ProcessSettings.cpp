#include "scene/ProcessSettings.h"

#include "platform/ProgramFolders.h"
#include "scene/IMessageSink.h"
#include "scene/IPropertySheet.h"

namespace {

// Where settings that no window has set go: a sheet and messages kept in
// memory.
struct Defaults {
  MemoryPropertySheet sheet;
  CollectingMessageSink messages;
};

Defaults& TheDefaults() {
  static Defaults defaults;
  return defaults;
}

ProcessSettings MakeDefaults() {
  ProcessSettings s;
  s.sheet = &TheDefaults().sheet;
  s.messages = &TheDefaults().messages;
  return s;
}

}  // namespace

ProcessSettings& Settings() {
  static ProcessSettings settings = MakeDefaults();
  return settings;
}

void ResetSettings() {
  TheDefaults().sheet.ClearRows();
  TheDefaults().messages.messages.clear();
  Settings() = MakeDefaults();
}

int NextEmissionGroup() { return ++Settings().emissionGroupCounter; }

void ShowMessage(const std::string& text) { Settings().messages->ShowMessage(text); }

std::string PictureDirectory() {
  std::string directory = Settings().pictureDirectory;
  if (directory.empty()) return ProgramDataFolder() + "DAT/";
  if (directory.back() != '/') directory += '/';
  return directory;
}
