#pragma once
// A buffered stream of bytes to standard output that keeps the system's
// reason of its first failed write (stdio forgets it by the time of the
// last flush). After a failure the rest is dropped: a closed pipe is not
// written again for every line.

#include <streambuf>
#include <vector>

class OutputBuffer : public std::streambuf {
 public:
  OutputBuffer();
  ~OutputBuffer() override;
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // errno of the first failed write; 0 while none failed.
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  void Write(const char* data, std::size_t size);

  int error_ = 0;
  std::vector<char> buffer_;
};
