#include "files/FileConverter.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <memory>

namespace {

constexpr const char* kConverterFile = "changfiletov5.dat";
constexpr const char* kConverterExport = "make_file_to_v5";

using ConvertFunction = unsigned char (*)(const char*);

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

}  // namespace

ConversionResult ConvertOlderFile(const std::string& dataDirectory, const std::string& path) {
  std::string library = dataDirectory;
  if (!library.empty() && library.back() != '/') library += '/';
  library += kConverterFile;

  struct stat info {};
  if (stat(library.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return ConversionResult::LibraryMissing;

  // dlopen only looks in the search path for names without a slash.
  if (library.find('/') == std::string::npos) library = "./" + library;
  std::unique_ptr<void, LibraryCloser> handle(dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!handle) return ConversionResult::LibraryDamaged;
  auto convert = reinterpret_cast<ConvertFunction>(dlsym(handle.get(), kConverterExport));
  if (!convert) return ConversionResult::LibraryDamaged;
  bool ok = false;
  try {
    ok = convert(path.c_str()) != 0;
  } catch (...) {
    ok = false;  // an exception from the converter counts as failure
  }
  return ok ? ConversionResult::Converted : ConversionResult::Failed;
}
