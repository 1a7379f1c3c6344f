#include "shell/command_line.h"

namespace torvik {

std::vector<std::string> splitCommandLine(const char* text) {
  std::vector<std::string> arguments;
  if (text == nullptr) return arguments;
  const char* p = text;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '\0') return arguments;
    std::string argument;
    bool quoted = false;
    while (*p != '\0' && (quoted || (*p != ' ' && *p != '\t'))) {
      if (*p == '\\') {
        std::size_t backslashes = 0;
        while (*p == '\\') ++backslashes, ++p;
        if (*p != '"') {
          argument.append(backslashes, '\\');
          continue;
        }
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
          ++p;
        }
        continue;  // an even count leaves the quote to toggle quoting below
      }
      if (*p == '"') {
        if (quoted && p[1] == '"') {
          argument += '"';
          p += 2;
          continue;
        }
        quoted = !quoted;
        ++p;
        continue;
      }
      argument += *p++;
    }
    arguments.push_back(argument);
  }
}

StartArguments parseStartArguments(const char* commandLine) {
  StartArguments start;
  for (const std::string& argument : splitCommandLine(commandLine)) {
    if (argument.empty()) continue;
    if (start.request == StartRequest::OpenFile) {
      start.request = StartRequest::TooMany;
      start.path.clear();
      return start;
    }
    start.request = StartRequest::OpenFile;
    start.path = argument;
  }
  return start;
}

}  // namespace torvik
