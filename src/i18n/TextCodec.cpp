#include "i18n/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Unconvertible bytes become '?' so that a damaged text never stops a load.
std::string Convert(const char* to, const char* from, const std::string& in) {
  iconv_t raw = iconv_open(to, from);
  if (raw == reinterpret_cast<iconv_t>(-1)) return in;
  std::unique_ptr<void, IconvCloser> cd(raw);
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t r = iconv(raw, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      out += '?';
      ++src;
      --srcLeft;
      iconv(raw, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* dst = buffer;
  std::size_t dstLeft = sizeof buffer;
  iconv(raw, nullptr, nullptr, &dst, &dstLeft);
  out.append(buffer, dst);
  return out;
}

}  // namespace

std::string Utf8ToGbk(const std::string& utf8) { return Convert("GBK", "UTF-8", utf8); }
std::string GbkToUtf8(const std::string& gbk) { return Convert("UTF-8", "GBK", gbk); }

std::size_t GbkPrefixLength(const std::string& gbk, std::size_t limit) {
  std::size_t end = 0;
  while (end < gbk.size()) {
    // A byte from 0x81 up leads a two-byte character.
    const std::size_t width = static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::min(end, gbk.size());
}
