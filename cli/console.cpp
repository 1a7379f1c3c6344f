#include "cli/console.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define TORVIK_ISATTY _isatty
#define TORVIK_FILENO _fileno
#define TORVIK_WRITE(fd, data, size) _write(fd, data, static_cast<unsigned>(size))
#else
#include <unistd.h>
#define TORVIK_ISATTY isatty
#define TORVIK_FILENO fileno
#define TORVIK_WRITE(fd, data, size) ::write(fd, data, size)
#endif

namespace torvik {

bool isTerminal(std::FILE* stream) { return TORVIK_ISATTY(TORVIK_FILENO(stream)) != 0; }

void makeStandardOutputBinary() {
#ifdef _WIN32
  _setmode(1, _O_BINARY);
#endif
}

StandardOutput::StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }

StandardOutput::~StandardOutput() { drain(); }

bool StandardOutput::drain() {
  const char* data = pbase();
  std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  if (error_ != 0) return false;  // once failed, the rest would come out with a gap
  while (size > 0) {
    const auto n = TORVIK_WRITE(1, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int StandardOutput::sync() { return drain() ? 0 : -1; }

}  // namespace torvik
