#pragma once
// torvik-cli: the command table, the argument parser every command shares, and the exit
// codes a script relies on.
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace torvik {

// 0 done, 1 the check or transfer failed (or the designs differ), 2 bad usage or input, or
// an output that could not be written (whichever command it is).
enum ExitCode { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Where a command writes. Tests hand in string streams; the program the standard streams.
struct CliIo {
  std::ostream& out;
  std::ostream& err;
  bool outIsTerminal = false;
  bool errIsTerminal = false;
  // The system's reason (an errno) when writing io.out failed; nullptr when not known.
  const int* outError = nullptr;
  std::istream* in = nullptr;  // standard input, for the commands that read it
};

struct OptionSpec {
  const char* name;      // "--port"
  const char* argument;  // "NAME" when the option takes a value, nullptr for a switch
  bool repeatable;
  const char* help;
};

// A command line after parsing against a command's options.
struct ParsedArgs {
  std::vector<std::string> positionals;
  std::map<std::string, std::vector<std::string>> options;

  bool has(const std::string& name) const { return options.count(name) != 0; }
  // The option's (last) value, or `fallback` when it was not given.
  std::string value(const std::string& name, const std::string& fallback = std::string()) const;
  const std::vector<std::string>& values(const std::string& name) const;
};

struct CliCommand {
  const char* name;
  const char* operands;  // "DESIGN", "A B"
  const char* summary;   // one line for the command list
  const char* description;  // the paragraph of its --help
  std::vector<OptionSpec> options;
  int minOperands;
  int maxOperands;
  int (*run)(const ParsedArgs& args, CliIo& io);
};

const std::vector<CliCommand>& cliCommands();

// Parses `args` (the words after the command's name) against the command's options. On a
// fault returns false with the message in `error`. "--help" is reported through `help`.
bool parseArgs(const CliCommand& command, const std::vector<std::string>& args, ParsedArgs& parsed,
               bool& help, std::string& error);

// Reports a usage error of `command` ("image", ...) with the hint at its help; returns
// kExitUsage.
int usageError(CliIo& io, const std::string& command, const std::string& message);

// The whole program on its arguments (argv[0] excluded); returns the exit code. Output that
// cannot be written to io.out fails the run with kExitUsage.
int runCli(const std::vector<std::string>& args, CliIo& io);

}  // namespace torvik
