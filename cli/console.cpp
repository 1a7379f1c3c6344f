#include "cli/console.h"

#ifdef _WIN32
#include <io.h>
#define TORVIK_ISATTY _isatty
#define TORVIK_FILENO _fileno
#else
#include <unistd.h>
#define TORVIK_ISATTY isatty
#define TORVIK_FILENO fileno
#endif

namespace torvik {

bool isTerminal(std::FILE* stream) { return TORVIK_ISATTY(TORVIK_FILENO(stream)) != 0; }

}  // namespace torvik
