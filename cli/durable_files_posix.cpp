#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cli/durable_files.h"

namespace torvik {

namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Names that stand for a descriptor the program already holds: what they lead to is where
// the caller's redirection points, whatever kind of file that is.
bool namesADescriptor(const std::string& path) {
  return path.compare(0, 8, "/dev/fd/") == 0 || path.compare(0, 6, "/proc/") == 0 || path == "/dev/stdout" ||
         path == "/dev/stderr";
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool regularFileSize(std::FILE* file, std::uint64_t& size) {
  struct stat st{};
  if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

void makeStandardInputBinary() {}

bool syncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool moveOver(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    error = systemFailure(to);
    return false;
  }
  syncFolderOf(to);
  return true;
}

void syncFolderOf(const std::string& path) {
  const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

std::string systemFailure(const std::string& path) { return path + ": " + std::strerror(errno); }

bool placeOutput(const std::string& out, OutputPlace& place, std::string& error) {
  place = OutputPlace{};
  if (namesADescriptor(out)) {
    place.direct = true;
    place.target = out;
    return true;
  }
  // A link is followed by hand, so that the file it leads to is replaced and the link stays.
  std::string path = out;
  for (int hops = 0;; ++hops) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) {
      if (errno != ENOENT) {
        error = systemFailure(out);
        return false;
      }
      break;  // to be made
    }
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      error = systemFailure(out);
      return false;
    }
    if (!S_ISLNK(st.st_mode)) {
      place.direct = !S_ISREG(st.st_mode);
      break;
    }
    if (hops == 40) {
      errno = ELOOP;
      error = systemFailure(out);
      return false;
    }
    std::vector<char> link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4095) + 1);
    const ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n < 0) {
      error = systemFailure(out);
      return false;
    }
    const std::string to(link.data(), static_cast<std::size_t>(n));
    path = to[0] == '/' ? to : folderOf(path) + "/" + to;
    if (namesADescriptor(path)) {
      place.direct = true;
      break;
    }
  }
  place.target = path;
  return true;
}

std::intptr_t createTemporaryBeside(const std::string& target, const std::string& out, std::string& temporary,
                                    std::string& error) {
  const std::size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  // mkstemps creates with O_EXCL, which fails on any name that is there, a link included.
  std::string pattern = folder + "." + name + ".XXXXXX.part";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = mkstemps(buffer.data(), 5);
  if (fd < 0) {
    error = systemFailure(out);
    return -1;
  }
  temporary = buffer.data();
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  struct stat st{};
  mode_t mode;
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  return fd;
}

bool writeOutput(const std::string& out, const std::uint8_t* data, std::size_t size, std::string& error) {
  OutputPlace place;
  if (!placeOutput(out, place, error)) return false;
  if (place.direct) {
    // Appending: a redirection with >> keeps what its file held; a device ignores it.
    const int fd = ::open(place.target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    bool ok = fd >= 0 && writeAll(fd, data, size);
    if (!ok) error = systemFailure(out);
    if (fd >= 0 && ::close(fd) != 0 && ok) {
      error = systemFailure(out);
      ok = false;
    }
    return ok;
  }
  std::string temporary;
  const int fd = static_cast<int>(createTemporaryBeside(place.target, out, temporary, error));
  if (fd < 0) return false;
  bool ok = writeAll(fd, data, size) && fsync(fd) == 0;
  if (!ok) error = systemFailure(out);
  if (::close(fd) != 0 && ok) {
    error = systemFailure(out);
    ok = false;
  }
  if (ok && std::rename(temporary.c_str(), place.target.c_str()) != 0) {
    error = systemFailure(out);
    ok = false;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolderOf(place.target);
  return true;
}

}  // namespace torvik
