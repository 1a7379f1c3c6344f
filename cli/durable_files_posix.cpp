#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/durable_files.h"

namespace torvik {

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
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

std::string systemFailure(const std::string& path) { return path + ": " + std::strerror(errno); }

}  // namespace torvik
