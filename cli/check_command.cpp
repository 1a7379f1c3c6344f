// check: what would go wrong on the terminal with a design and the lookup files meant for it.
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "check/design_check.h"
#include "cli/design_files.h"
#include "base/string_ids.h"
#include "base/ui_strings.h"
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
      return usageError(io, "check", "--lookup takes N=FILE with N 1, 2 or 3, not '" + text + "'");
    }
    lookups.push_back(arg);
  }
  auto def = std::make_unique<ApplicationDefinition>();
  if (!loadDesign(args.positionals[0], *def, io)) return kExitUsage;

  // Every input is read before anything is printed, so bad input never leaves half a report;
  // a lookup file is checked as it is read, so its size costs no memory.
  std::vector<CheckFinding> findings = checkDesign(*def);
  for (const LookupFileArg& lookup : lookups) {
    LookupFileCheck check(*def, lookup.lookup, inputName(lookup.path));
    std::string error;
    if (!readInPieces(lookup.path, kMaxLookupFileSize,
                      [&](const std::uint8_t* data, std::size_t size) { check.take(data, size); }, error)) {
      io.err << "torvik-cli check: " << error << "\n";
      return kExitUsage;
    }
    const std::vector<CheckFinding> more = check.finish();
    findings.insert(findings.end(), more.begin(), more.end());
  }

  if (args.has("--quiet")) {
    io.out << findings.size() << "\n";
  } else {
    // The severities are the desktop program's words, from the built-in table.
    char error[32], warning[32];
    builtinResourceString(kStrSeverityError, error, sizeof error);
    builtinResourceString(kStrSeverityWarning, warning, sizeof warning);
    for (const CheckFinding& f : findings)
      io.out << (f.severity == Severity::Error ? error : warning) << ": " << f.where << ": " << f.text << "\n";
  }
  const FindingCounts counts = countFindings(findings);
  const bool failed = counts.errors > 0 || (args.has("--strict") && counts.warnings > 0);
  return failed ? kExitFailed : kExitDone;
}

}  // namespace torvik
