#include "files/FileConverter.h"

#include <QFile>
#include <QLibrary>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kConverterFile = "changfiletov5.dat";
constexpr const char* kConverterExport = "make_file_to_v5";

using ConvertFunction = unsigned char (*)(const char*);

// Unloaded when it goes: QLibrary itself keeps a library loaded.
struct Unloader {
  QLibrary& library;
  ~Unloader() { library.unload(); }
};

}  // namespace

ConversionResult ConvertOlderFile(const std::string& dataDirectory, const std::string& path) {
  std::string name = dataDirectory;
  if (!name.empty() && name.back() != '/') name += '/';
  name += kConverterFile;

  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) return ConversionResult::LibraryMissing;

  // A full path is loaded as it is, never looked up in the search path or
  // with a system prefix or suffix tried first.
  const std::filesystem::path full = std::filesystem::absolute(name, error);
  if (error) return ConversionResult::LibraryMissing;
  QLibrary library(QFile::decodeName(QByteArray::fromStdString(full.string())));
  library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
  if (!library.load()) return ConversionResult::LibraryDamaged;
  const Unloader unloader{library};
  auto convert = reinterpret_cast<ConvertFunction>(library.resolve(kConverterExport));
  if (!convert) return ConversionResult::LibraryDamaged;
  bool ok = false;
  try {
    ok = convert(path.c_str()) != 0;
  } catch (...) {
    ok = false;  // an exception from the converter counts as failure
  }
  return ok ? ConversionResult::Converted : ConversionResult::Failed;
}
