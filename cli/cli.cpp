#include "cli/cli.h"

#include <cstring>

#include "cli/commands.h"
#include "resources/version.h"

namespace torvik {

namespace {

const std::vector<OptionSpec> kLinkOptions = {
    {"--port", "NAME", false, "serial device, e.g. /dev/ttyUSB0 or COM3 (required)"},
    {"--transport", "KIND", false, "cable (default), cradle or irda"},
    {"--rate", "BITS", false, "115200 (default), 57600, 38400, 19200 or 9600"},
};

// A loop in a shell must not stop at a question nobody sees.
const OptionSpec kRetries = {"--retries", "N", false,
                             "retry a failed transfer N times without asking (default: ask on a terminal, else 0)"};

// A file that ends early would go out with a new design's settings in place of the rest.
const OptionSpec kAllowIncomplete = {"--allow-incomplete", nullptr, false,
                                     "take a design file that ends early; what it lacks is a new design's"};

std::vector<OptionSpec> linkOptionsAnd(std::vector<OptionSpec> more) {
  std::vector<OptionSpec> all = kLinkOptions;
  all.insert(all.end(), more.begin(), more.end());
  return all;
}

const char kProgram[] = "torvik-cli";

void printUsage(std::ostream& out) {
  out << "Usage: " << kProgram << " COMMAND [OPTIONS] OPERANDS...\n"
      << "Designs as text, a design check and the terminal link, for scripts.\n\nCommands:\n";
  for (const CliCommand& c : cliCommands()) {
    std::string head = std::string(c.name) + " " + c.operands;
    if (head.size() < 22) head.resize(22, ' ');
    out << "  " << head << "  " << c.summary << "\n";
  }
  out << "\nRun '" << kProgram << " COMMAND --help' (or '" << kProgram << " help COMMAND') for a command's options.\n"
      << "A FILE of '-' is standard input, an output of '-' standard output.\n"
      << "Exit codes: 0 done, 1 the check or transfer failed or the designs differ, 2 bad usage or input,\n"
      << "or an output that could not be written.\n";
}

void printCommandHelp(const CliCommand& c, std::ostream& out) {
  out << "Usage: " << kProgram << " " << c.name << (c.options.empty() ? "" : " [OPTIONS]") << " " << c.operands
      << "\n" << c.description << "\n";
  if (c.options.empty()) return;
  out << "\nOptions:\n";
  for (const OptionSpec& o : c.options) {
    std::string head = std::string(o.name) + (o.argument != nullptr ? std::string(" ") + o.argument : "");
    if (head.size() < 22) head.resize(22, ' ');
    out << "  " << head << "  " << o.help << "\n";
  }
}

const OptionSpec* findOption(const CliCommand& command, const std::string& name) {
  for (const OptionSpec& o : command.options)
    if (name == o.name) return &o;
  return nullptr;
}

}  // namespace

std::string ParsedArgs::value(const std::string& name, const std::string& fallback) const {
  const auto it = options.find(name);
  return it == options.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& ParsedArgs::values(const std::string& name) const {
  static const std::vector<std::string> kNone;
  const auto it = options.find(name);
  return it == options.end() ? kNone : it->second;
}

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> kCommands = {
      {"show", "DESIGN", "print a design as text, one setting per line",
       "Prints the whole design (a .TVX file or an older family's file) as readable text, one\n"
       "'NAME = VALUE' line per setting, in file order, every byte of the design included: texts\n"
       "in double quotes, choices by name, unnamed bytes in hex. The same design always gives\n"
       "the same text, so the output suits diff and version control.",
       {{"--changed", nullptr, false, "only the settings that differ from a new design"}},
       1, 1, runShowCommand},
      {"apply", "DESIGN [CHANGES]", "apply design text to a design, into a new file",
       "Reads 'NAME = VALUE' lines in the forms 'show' prints from CHANGES (standard input when\n"
       "absent or '-'), sets those settings of DESIGN and writes the result as a project file to\n"
       "OUT; OUT is replaced only once it is complete. Blank lines and lines starting with '#'\n"
       "are skipped. A line that names no setting or gives a value the setting cannot hold is\n"
       "reported with its number; then nothing is applied, OUT is not written and the exit code\n"
       "is 2. 'torvik-cli show A | torvik-cli apply B -o C' makes C a copy of design A.",
       {{"-o", "OUT", false, "the project file to write (required)"}},
       1, 2, runApplyCommand},
      {"diff", "A B", "print the settings that differ between two designs",
       "Prints each setting whose value differs between designs A and B as 'NAME: OLD -> NEW',\n"
       "by the names and values 'show' prints. Prints nothing and exits 0 when the designs are\n"
       "equal; exits 1 when they differ, 2 when either cannot be read.",
       {},
       2, 2, runDiffCommand},
      {"check", "DESIGN", "find what would go wrong on the terminal",
       "Checks a design, and the lookup files given with --lookup, for what would go wrong on\n"
       "the terminal: targets that lead to a form without input lines or a menu without items,\n"
       "texts longer than their display, lengths that contradict each other, lookup lines the\n"
       "lookup definition cannot hold. One line per finding, 'error: SETTING: ...' or\n"
       "'warning: SETTING: ...' for the design and 'error: FILE:LINE: ... (lookupN)' for a lookup\n"
       "file. An error is what the terminal cannot do or does wrongly, a warning what a person\n"
       "should look at; exits 1 when there is an error, 0 on warnings alone.",
       {{"--lookup", "N=FILE", true, "check FILE against lookup definition N (1 to 3)"},
        {"--strict", nullptr, false, "exit 1 on warnings too"},
        {"--quiet", nullptr, false, "print only the number of findings"}},
       1, 1, runCheckCommand},
      {"image", "DESIGN", "write the program image the terminal receives",
       "Writes the 20,000-byte program image of the design, byte for byte as the desktop\n"
       "program sends it to the terminal. A design file that ends early is refused.",
       {{"-o", "IMAGE", false, "the file to write (required); - for standard output"}, kAllowIncomplete},
       1, 1, runImageCommand},
      {"download", "DESIGN", "download a design to the terminal",
       "Sends the design's program image to the terminal, with the desktop program's protocol\n"
       "and messages (on standard error; the progress only on a terminal). After a failure\n"
       "it asks whether to retry when it runs on a terminal, and does not retry otherwise;\n"
       "--retries N answers instead. Exits 1 when the transfer failed or Ctrl+C ended it.\n"
       "A design file that ends early is refused.",
       linkOptionsAnd({kRetries, kAllowIncomplete}),
       1, 1, runDownloadCommand},
      {"lookup", "FILE", "download a lookup text file to the terminal",
       "Sends a lookup text file to the terminal line by line, with the desktop program's\n"
       "protocol and messages. A file with a line longer than 253 characters is refused before\n"
       "anything is sent. Retries as download does. Exits 1 when the transfer failed or Ctrl+C\n"
       "ended it.",
       linkOptionsAnd({kRetries}),
       1, 1, runLookupCommand},
      {"receive", "OUT", "receive the collected records into a text file",
       "Receives the records collected on the terminal and appends them to OUT, one line each\n"
       "(OUT is created when missing). Every record is on disk before the terminal is told it\n"
       "arrived; Ctrl+C ends the transfer and keeps the records already acknowledged. Prints\n"
       "the count; exits 0 when the terminal sent all it had (nothing too), 1 when it ended early,\n"
       "2 when OUT could not be written (the records on disk are kept).",
       linkOptionsAnd({{"--new", nullptr, false, "write OUT anew: a file is replaced only if records came"}}),
       1, 1, runReceiveCommand},
  };
  return kCommands;
}

bool parseArgs(const CliCommand& command, const std::vector<std::string>& args, ParsedArgs& parsed,
               bool& help, std::string& error) {
  help = false;
  bool operandsOnly = false;  // after "--" every word is an operand
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (operandsOnly || word.empty() || word[0] != '-' || word == "-") {
      parsed.positionals.push_back(word);
      continue;
    }
    if (word == "--") {
      operandsOnly = true;
      continue;
    }
    if (word == "--help" || word == "-h") {
      help = true;
      return true;
    }
    std::string name = word;
    std::string value;
    bool inlineValue = false;
    const std::size_t equals = word.find('=');
    if (word.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      name = word.substr(0, equals);
      value = word.substr(equals + 1);
      inlineValue = true;
    } else if (word[1] != '-' && word.size() > 2) {
      // -oFILE: a short option with its value attached, as other tools take it.
      const OptionSpec* attached = findOption(command, word.substr(0, 2));
      if (attached != nullptr && attached->argument != nullptr) {
        name = word.substr(0, 2);
        value = word.substr(2);
        inlineValue = true;
      }
    }
    const OptionSpec* known = findOption(command, name);
    if (known == nullptr) {
      error = "unknown option " + name;
      return false;
    }
    if (known->argument == nullptr) {
      if (inlineValue) {
        error = name + " takes no value";
        return false;
      }
    } else if (!inlineValue) {
      if (i + 1 >= args.size()) {
        error = name + " needs a value (" + known->argument + ")";
        return false;
      }
      value = args[++i];
    }
    std::vector<std::string>& slot = parsed.options[name];
    if (!slot.empty() && !known->repeatable) {
      error = name + " given twice";
      return false;
    }
    slot.push_back(value);
  }
  const int n = static_cast<int>(parsed.positionals.size());
  if (n < command.minOperands || n > command.maxOperands) {
    error = std::string("expects ") + command.operands + (n < command.minOperands ? ", got too few operands" : ", got too many operands");
    return false;
  }
  return true;
}

namespace {

int runCommandLine(const std::vector<std::string>& args, CliIo& io) {
  if (args.empty()) {
    printUsage(io.err);
    return kExitUsage;
  }
  const std::string& name = args[0];
  if (name == "help" && args.size() == 2) {
    for (const CliCommand& command : cliCommands()) {
      if (args[1] != command.name) continue;
      printCommandHelp(command, io.out);
      return kExitDone;
    }
    io.err << kProgram << ": unknown command '" << args[1] << "'\n"
           << "Run '" << kProgram << " --help' for the commands.\n";
    return kExitUsage;
  }
  if (name == "--help" || name == "-h" || (name == "help" && args.size() == 1)) {
    printUsage(io.out);
    return kExitDone;
  }
  if (name == "--version") {
    io.out << kProgram << " " << TORVIK_VERSION_TEXT << "\n";
    return kExitDone;
  }
  for (const CliCommand& command : cliCommands()) {
    if (name != command.name) continue;
    ParsedArgs parsed;
    bool help = false;
    std::string error;
    if (!parseArgs(command, std::vector<std::string>(args.begin() + 1, args.end()), parsed, help, error))
      return usageError(io, command.name, error);
    if (help) {
      printCommandHelp(command, io.out);
      return kExitDone;
    }
    return command.run(parsed, io);
  }
  io.err << kProgram << ": unknown command '" << name << "'\n";
  printUsage(io.err);
  return kExitUsage;
}

}  // namespace

int usageError(CliIo& io, const std::string& command, const std::string& message) {
  io.err << kProgram << " " << command << ": " << message << "\n"
         << "Run '" << kProgram << " " << command << " --help' for its usage.\n";
  return kExitUsage;
}

int runCli(const std::vector<std::string>& args, CliIo& io) {
  const int code = runCommandLine(args, io);
  // A script reads the output: a full disk or a closed pipe must not pass for a result.
  if (!io.out.flush()) {
    io.err << kProgram << ": cannot write the output";
    if (io.outError != nullptr && *io.outError != 0) io.err << ": " << std::strerror(*io.outError);
    io.err << "\n";
    return kExitUsage;
  }
  return code;
}

}  // namespace torvik
