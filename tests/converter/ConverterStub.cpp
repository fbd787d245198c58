// Stands in for the external converter of older files in tests. A file that
// starts with "STUB-CONVERT\n" is rewritten in place with the bytes after that
// line; "STUB-THROW" makes the call throw; anything else is a failure.
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

extern "C" __attribute__((visibility("default"))) unsigned char make_file_to_v5(const char* path) {
  std::string content;
  {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::string convert = "STUB-CONVERT\n";
  if (content.rfind("STUB-THROW", 0) == 0) throw std::runtime_error("converter failed");
  if (content.rfind(convert, 0) != 0) return 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content.substr(convert.size());
  return out ? 1 : 0;
}
