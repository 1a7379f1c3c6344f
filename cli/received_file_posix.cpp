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
  // O_APPEND: every write lands at the end, also after a cut-back.
  int fd = ::open(writing_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    created_ = true;
  } else if (errno == EEXIST && mode == Mode::Append) {
    fd = ::open(writing_.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
  } else if (errno == EEXIST) {
    error = leftoverPart();
    return false;
  }
  if (fd < 0) {
    error = systemFailure(writing_);
    return false;
  }
  handle_ = fd;
  struct stat st{};
  if (fstat(fd, &st) != 0) {
    error = systemFailure(writing_);
    finish(false, error);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = writing_ + ": not a regular file";
    finish(false, error);
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = writing_ + ": another program is writing to it";
    finish(false, error);
    return false;
  }
  startSize_ = static_cast<std::uint64_t>(st.st_size);
  char last = '\n';
  if (startSize_ > 0 && pread(fd, &last, 1, st.st_size - 1) != 1) {
    error = systemFailure(writing_);
    finish(false, error);
    return false;
  }
  lineEndOwed_ = last != '\n';
  if (created_) syncFolderOf(writing_);
  return true;
}

bool ReceivedFile::appendSynced(const std::uint8_t* data, std::size_t size) {
  const int fd = static_cast<int>(handle_);
  return fd >= 0 && writeAll(fd, data, size) && fsync(fd) == 0;
}

bool ReceivedFile::cutTo(std::uint64_t size) {
  const int fd = static_cast<int>(handle_);
  return fd >= 0 && ftruncate(fd, static_cast<off_t>(size)) == 0 && fsync(fd) == 0;
}

}  // namespace torvik
