#include "scene/ProcessSettings.h"

#include <unistd.h>

#include <vector>

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

std::string ProgramDirectory() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return "./";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string PictureDirectory() {
  std::string directory = Settings().pictureDirectory;
  if (directory.empty()) return ProgramDirectory() + "DAT/";
  if (directory.back() != '/') directory += '/';
  return directory;
}
