// Commands whose implementations land in their own files; until then they say so.
#include "cli/commands.h"

namespace torvik {

namespace {
int notYet(const char* name, CliIo& io) {
  io.err << "torvik-cli " << name << ": not available in this build\n";
  return kExitUsage;
}
}  // namespace

int runShowCommand(const ParsedArgs&, CliIo& io) { return notYet("show", io); }
int runDiffCommand(const ParsedArgs&, CliIo& io) { return notYet("diff", io); }
int runCheckCommand(const ParsedArgs&, CliIo& io) { return notYet("check", io); }

}  // namespace torvik
