#include "platform/ProgramFolders.h"

#include <filesystem>
#include <system_error>

#include "platform/Platform.h"

// Set by the build from the install folders (bin/ and share/ under one prefix).
#ifndef EXO_DATA_FROM_PROGRAM
#define EXO_DATA_FROM_PROGRAM "../share/veltrano-optics"
#endif

const char* const kInstalledDataFolder = EXO_DATA_FROM_PROGRAM;

namespace {

std::string WithSlash(std::string path) {
  if (path.empty()) return "./";
  if (path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string ProgramDirectory() {
  const std::string path = ExecutablePath();
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string DataFolderOf(const std::string& programDirectory) {
  const std::string beside = WithSlash(programDirectory);
  // Written without "..", so that paths shown to the user (the manual's
  // address) read as the installed folder.
  const std::filesystem::path installed =
      (std::filesystem::path(beside) / kInstalledDataFolder).lexically_normal();
  std::error_code error;
  if (std::filesystem::is_directory(installed, error)) return WithSlash(installed.string());
  return beside;
}

std::string ProgramDataFolder() { return DataFolderOf(ProgramDirectory()); }
