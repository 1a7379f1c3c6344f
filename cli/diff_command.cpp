// diff: the settings two designs hold differently, by the names show prints.
#include <memory>

#include "cli/commands.h"
#include "cli/design_files.h"
#include "definition/design_text.h"

namespace torvik {

int runDiffCommand(const ParsedArgs& args, CliIo& io) {
  auto a = std::make_unique<ApplicationDefinition>();
  auto b = std::make_unique<ApplicationDefinition>();
  if (!loadDesign(args.positionals[0], *a, io) || !loadDesign(args.positionals[1], *b, io)) return kExitUsage;
  const std::vector<SettingChange> changes = diffDesigns(*a, *b);
  for (const SettingChange& c : changes) io.out << c.name << ": " << c.oldValue << " -> " << c.newValue << "\n";
  return changes.empty() ? kExitDone : kExitFailed;
}

}  // namespace torvik
