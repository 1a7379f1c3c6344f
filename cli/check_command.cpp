// check: what would go wrong on the terminal with a design and the lookup files meant for it.
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/design_check.h"
#include "cli/design_files.h"
#include "link/download.h"

namespace torvik {

namespace {

struct LookupFileArg {
  int lookup;
  std::string path;
};

// "N=FILE" with N 1 to 3.
bool parseLookupArg(const std::string& text, LookupFileArg& arg) {
  if (text.size() < 3 || text[1] != '=' || text[0] < '1' || text[0] > '3') return false;
  arg.lookup = text[0] - '0';
  arg.path = text.substr(2);
  return true;
}

}  // namespace

int runCheckCommand(const ParsedArgs& args, CliIo& io) {
  std::vector<LookupFileArg> lookups;
  for (const std::string& text : args.values("--lookup")) {
    LookupFileArg arg;
    if (!parseLookupArg(text, arg)) {
      io.err << "torvik-cli check: --lookup takes N=FILE with N 1, 2 or 3, not '" << text << "'\n";
      return kExitUsage;
    }
    lookups.push_back(arg);
  }
  auto def = std::make_unique<ApplicationDefinition>();
  if (!loadDesign(args.positionals[0], *def, io)) return kExitUsage;

  // Every input is read before anything is printed, so bad input never leaves half a report.
  std::vector<std::vector<std::uint8_t>> contents(lookups.size());
  for (std::size_t i = 0; i < lookups.size(); ++i) {
    std::string error;
    if (!readWholeFile(lookups[i].path, contents[i], kMaxLookupFileSize, error)) {
      io.err << "torvik-cli check: " << error << "\n";
      return kExitUsage;
    }
  }

  std::vector<CheckFinding> findings = checkDesign(*def);
  for (std::size_t i = 0; i < lookups.size(); ++i) {
    const std::vector<CheckFinding> more =
        checkLookupFile(*def, lookups[i].lookup, lookups[i].path, contents[i].data(), contents[i].size());
    findings.insert(findings.end(), more.begin(), more.end());
  }

  if (args.has("--quiet")) {
    io.out << findings.size() << "\n";
  } else {
    for (const CheckFinding& f : findings) io.out << f.where << ": " << f.text << "\n";
  }
  return findings.empty() ? kExitDone : kExitFailed;
}

}  // namespace torvik
