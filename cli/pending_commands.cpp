// Commands whose implementations land in their own files; until then they say so.
#include "cli/commands.h"

namespace torvik {

namespace {
int notYet(const char* name, CliIo& io) {
  io.err << "torvik-cli " << name << ": not available in this build\n";
  return kExitUsage;
}
}  // namespace

int runDownloadCommand(const ParsedArgs&, CliIo& io) { return notYet("download", io); }
int runLookupCommand(const ParsedArgs&, CliIo& io) { return notYet("lookup", io); }
int runReceiveCommand(const ParsedArgs&, CliIo& io) { return notYet("receive", io); }

}  // namespace torvik
