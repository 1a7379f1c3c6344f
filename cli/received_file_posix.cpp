#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/durable_files.h"
#include "cli/received_file.h"

namespace torvik {

namespace {

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;  // Ctrl+C must not cut a record short
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ReceivedFile::~ReceivedFile() { closeHandle(); }

void ReceivedFile::closeHandle() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

bool ReceivedFile::open(const std::string& path, Mode mode, std::string& error) {
  begin(path, mode);
  int fd = -1;
  if (mode == Mode::New) {
    OutputPlace place;
    if (!placeOutput(path, place, error)) return false;
    target_ = place.target;
    if (place.direct) {
      fd = ::open(place.target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
      if (fd < 0) {
        error = systemFailure(path);
        return false;
      }
      handle_ = fd;
      direct_ = true;
      startSize_ = 0;
      return true;
    }
    fd = static_cast<int>(createTemporaryBeside(place.target, path, writing_, error));
    if (fd < 0) return false;
    created_ = true;
    // O_APPEND: every write lands at the end, also after a cut-back.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_APPEND);
  } else {
    fd = ::open(writing_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      created_ = true;
    } else if (errno == EEXIST) {
      fd = ::open(writing_.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    }
    if (fd < 0) {
      error = systemFailure(writing_);
      return false;
    }
  }
  handle_ = fd;
  struct stat st{};
  if (fstat(fd, &st) != 0) {
    error = systemFailure(path);
    finish(false, error);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = path + ": not a regular file (only --new writes to a device or a FIFO)";
    finish(false, error);
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = path + ": another program is writing to it";
    finish(false, error);
    return false;
  }
  startSize_ = static_cast<std::uint64_t>(st.st_size);
  char last = '\n';
  if (startSize_ > 0 && pread(fd, &last, 1, st.st_size - 1) != 1) {
    error = systemFailure(path);
    finish(false, error);
    return false;
  }
  lineEndOwed_ = last != '\n';
  if (created_) syncFolderOf(writing_);
  return true;
}

bool ReceivedFile::appendSynced(const std::uint8_t* data, std::size_t size) {
  const int fd = static_cast<int>(handle_);
  // A device or a pipe has no disk to sync to.
  if (fd >= 0 && writeAll(fd, data, size) && (direct_ || fsync(fd) == 0)) return true;
  failure_ = std::strerror(errno);
  return false;
}

bool ReceivedFile::cutTo(std::uint64_t size) {
  const int fd = static_cast<int>(handle_);
  if (fd >= 0 && ftruncate(fd, static_cast<off_t>(size)) == 0 && fsync(fd) == 0) return true;
  if (failure_.empty()) failure_ = std::strerror(errno);
  return false;
}

}  // namespace torvik
