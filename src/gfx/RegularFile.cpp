#include "gfx/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Closes the descriptor when it goes out of scope.
struct FileDescriptor {
  int fd = -1;
  explicit FileDescriptor(int f) : fd(f) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Close() {
    const int r = fd >= 0 ? ::close(fd) : 0;
    fd = -1;
    return r;
  }
};

}  // namespace

// Looked at before it is opened: opening a device (a tape, a modem) can act.
// Not blocking on open: a pipe that appears in between would wait for a writer.
FileRead ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& data,
                       std::size_t maxBytes, int* systemError) {
  auto cannotOpen = [&] {
    if (systemError) *systemError = errno;
    return FileRead::CannotOpen;
  };
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return cannotOpen();
  if (!S_ISREG(info.st_mode)) return FileRead::NotRegularFile;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return cannotOpen();
  FileDescriptor guard(fd);
  if (::fstat(fd, &info) != 0 || info.st_size < 0) return cannotOpen();
  if (!S_ISREG(info.st_mode)) return FileRead::NotRegularFile;
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return FileRead::TooLarge;
  data.assign(static_cast<std::size_t>(info.st_size), 0);
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  // The file may have changed size since fstat; what was read is the file.
  data.resize(done);
  return FileRead::Read;
}
