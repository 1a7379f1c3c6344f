#pragma once
// The commands of torvik-cli, each in a file of its own; cli.cpp lists them with their
// options and help.
#include "cli/cli.h"

namespace torvik {

int runShowCommand(const ParsedArgs& args, CliIo& io);
int runApplyCommand(const ParsedArgs& args, CliIo& io);
int runDiffCommand(const ParsedArgs& args, CliIo& io);
int runCheckCommand(const ParsedArgs& args, CliIo& io);
int runImageCommand(const ParsedArgs& args, CliIo& io);
int runDownloadCommand(const ParsedArgs& args, CliIo& io);
int runLookupCommand(const ParsedArgs& args, CliIo& io);
int runReceiveCommand(const ParsedArgs& args, CliIo& io);

}  // namespace torvik
