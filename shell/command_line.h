#pragma once
// What Torvik is asked to do by its command line. Explorer starts it as
// `Torvik.exe "C:\My designs\store.TVX"` for a double-clicked design; the rules are the usual
// ones of Windows programs, so that any launcher's quoting reads the same here.
#include <string>
#include <vector>

namespace torvik {

// Splits the arguments after the program's name (WinMain's command line) the way the C
// runtime does: blanks and tabs separate arguments except inside double quotes; a quote
// toggles quoting and is dropped; "" inside quotes is a literal quote; backslashes are
// literal except before a quote, where each pair gives one backslash and an odd one makes the
// quote literal.
std::vector<std::string> splitCommandLine(const char* text);

enum class StartRequest {
  NewDesign,   // no argument (empty ones count as none)
  OpenFile,    // one argument: the design to open
  TooMany,     // several: Torvik opens one design at a time, so it opens none of them
};

struct StartArguments {
  StartRequest request = StartRequest::NewDesign;
  std::string path;  // OpenFile: the design to open
};

StartArguments parseStartArguments(const char* commandLine);

}  // namespace torvik
