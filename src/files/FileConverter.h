#pragma once
// The external converter that rewrites files of older releases in place into
// the converted text layout ("changfiletov5.dat", export "make_file_to_v5").

#include <string>

enum class ConversionResult {
  Converted,       // the file on disk now holds the converted layout
  LibraryMissing,  // no converter in the data directory: it is not installed
  LibraryDamaged,  // a converter file is there but cannot be loaded or used
  Failed,          // the converter reported failure or threw
};

// Loads the library from `dataDirectory`, calls the export once with `path`
// and unloads it again.
ConversionResult ConvertOlderFile(const std::string& dataDirectory, const std::string& path);
