#include "cli/OutputBuffer.h"

#include <cerrno>

#include "platform/Platform.h"

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputBuffer::OutputBuffer() : buffer_(kBufferSize) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

OutputBuffer::~OutputBuffer() { sync(); }

void OutputBuffer::Write(const char* data, std::size_t size) {
  while (size > 0 && error_ == 0) {
    int error = 0;
    const std::ptrdiff_t n = WriteStandardOutput(data, size, &error);
    if (n <= 0) {
      error_ = n < 0 ? error : EIO;
      return;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

int OutputBuffer::sync() {
  Write(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0 ? 0 : -1;
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c) {
  if (sync() != 0) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize OutputBuffer::xsputn(const char* data, std::streamsize size) {
  const auto room = epptr() - pptr();
  if (size <= room) {
    traits_type::copy(pptr(), data, static_cast<std::size_t>(size));
    pbump(static_cast<int>(size));
    return size;
  }
  // Larger than the room left: what is held, then the data itself.
  if (sync() != 0) return 0;
  Write(data, static_cast<std::size_t>(size));
  return error_ == 0 ? size : 0;
}
