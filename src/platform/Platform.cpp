#include "platform/Platform.h"

// The POSIX implementation of the seam; a build for another system replaces
// this file.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

namespace {

constexpr int kMaxLinks = 40;
constexpr std::size_t kHeadSize = 4096;
// mkstemps' six random characters.
constexpr std::size_t kRandomLength = 6;
// A temporary file is ".NAME.veltrano-save-XXXXXX.tmp": hidden, and a name no
// person gives a file, so that a later save removes only what a save left.
constexpr const char* kTempMark = ".veltrano-save-";
constexpr const char* kTempSuffix = ".tmp";
// Room for the marks within the 255 bytes a name may have.
constexpr std::size_t kMaxBaseInTemp = 200;

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  int Close() {
    const int r = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return r;
  }

 private:
  int fd_;
};

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsRandomPart(const std::string& text) {
  if (text.size() != kRandomLength) return false;
  for (char c : text)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// A leftover is removed only when it is a regular file of this user that
// `ours` recognises and that no running save holds locked.
void RemoveLeftover(const std::string& path, const TemporaryCheck& ours) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
    return;
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return;
  std::vector<std::uint8_t> head(kHeadSize);
  const ssize_t n = ::read(fd.Get(), head.data(), head.size());
  if (n < 0) return;
  head.resize(static_cast<std::size_t>(n));
  if (ours && ours(head)) ::unlink(path.c_str());
}

std::string TempPrefix(const std::string& target) {
  return "." + BaseNameOf(target).substr(0, kMaxBaseInTemp) + kTempMark;
}

void RemoveLeftovers(const std::string& target, const TemporaryCheck& ours) {
  const std::string directory = DirectoryOf(target);
  const std::string prefix = TempPrefix(target);
  const std::string suffix = kTempSuffix;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(directory.c_str()));
  if (!dir) return;
  std::vector<std::string> found;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + kRandomLength + suffix.size() &&
        name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
        IsRandomPart(name.substr(prefix.size(), kRandomLength)))
      found.push_back(name);
  }
  dir.reset();
  for (const auto& name : found) RemoveLeftover(directory + "/" + name, ours);
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string FollowSymbolicLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return current;
    const std::string link(buffer.data(), static_cast<std::size_t>(n));
    current = link[0] == '/' ? link : DirectoryOf(current) + "/" + link;
  }
  return {};
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data,
                         const TemporaryCheck& ours, std::string* error, WriteRefusal* refusal,
                         LinkRule links) {
  auto fail = [&](int e) {
    if (error) *error = path + ": " + std::strerror(e);
    return false;
  };
  if (refusal) *refusal = WriteRefusal::None;
  auto refuse = [&](WriteRefusal why, int e) {
    if (refusal) *refusal = why;
    return fail(e);
  };
  const std::string target = links == LinkRule::Follow ? FollowSymbolicLinks(path) : path;
  if (target.empty()) return fail(ELOOP);

  // Checked before anything is touched. The rename needs only the folder's
  // permission, so it would replace a read-only file, a pipe or a device.
  struct stat old {};
  const bool replacing = ::lstat(target.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
  if (replacing && !S_ISREG(old.st_mode))
    return refuse(WriteRefusal::NotRegularFile, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
  // The superuser may write anything: a file without any write bit is still
  // one its owner meant to keep as it is.
  if (replacing &&
      ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
    return refuse(WriteRefusal::ReadOnly, EACCES);
  RemoveLeftovers(target, ours);

  // The temporary file lies beside the target so that rename replaces it in
  // one step; the lock tells a later save that this one is still running.
  std::string temp = DirectoryOf(target) + "/" + TempPrefix(target) + "XXXXXX" + kTempSuffix;
  Descriptor fd(::mkstemps(temp.data(), static_cast<int>(std::strlen(kTempSuffix))));
  if (fd.Get() < 0) return fail(errno);
  ::flock(fd.Get(), LOCK_EX | LOCK_NB);
  auto abandon = [&](int e) {
    ::unlink(temp.c_str());
    return fail(e);
  };

  // Keep the permissions of a file being replaced; new files get the usual ones.
  mode_t mode = 0666;
  if (replacing) {
    mode = old.st_mode & 07777;
    // Best effort: only the superuser may hand a file to another owner.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
      (void)ignored;
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd.Get(), mode) != 0) return abandon(errno);

  if (!WriteAll(fd.Get(), data) || ::fsync(fd.Get()) != 0) return abandon(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(errno);
  // Closing after the rename keeps the lock until the name is gone.
  if (fd.Close() != 0) return fail(errno);

  Descriptor directory(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot sync a directory; the rename is done then.
  if (directory.Get() >= 0 && ::fsync(directory.Get()) != 0 && errno != EINVAL) return fail(errno);
  return true;
}

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
  Descriptor guard(fd);
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

FileLock::~FileLock() {
  if (handle_ >= 0) ::close(handle_);
}

bool FileLock::TryTake(const std::string& path) {
  if (handle_ >= 0) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  path_ = path;
  return true;
}

void FileLock::RemoveAndRelease() {
  if (handle_ < 0) return;
  ::unlink(path_.c_str());
  ::close(handle_);
  handle_ = -1;
}

std::ptrdiff_t WriteStandardOutput(const char* data, std::size_t size, int* error) {
  for (;;) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && error) *error = errno;
    return n;
  }
}

std::ptrdiff_t ReadStandardInput(char* data, std::size_t size, int* error) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && error) *error = errno;
    return n;
  }
}

void IgnoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

void OnStopRequest(void (*handler)(int)) {
  std::signal(SIGTERM, handler);
  std::signal(SIGINT, handler);
}

std::string ExecutablePath() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(n));
}
