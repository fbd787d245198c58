#pragma once
// The build tools take one argument, the folder they write into, made if need be.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

// The folder, or nothing after saying why (exit status 2 for usage, 1 otherwise).
inline std::optional<std::filesystem::path> OutputDirectory(int argc, char** argv,
                                                            const char* usage, int& status) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s\n", usage);
    status = 2;
    return std::nullopt;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::fprintf(stderr, "cannot make %s: %s\n", argv[1], error.message().c_str());
    status = 1;
    return std::nullopt;
  }
  return directory;
}
