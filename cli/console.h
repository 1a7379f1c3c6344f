#pragma once
// The console the program runs in.
#include <cstdio>

namespace torvik {

// Whether `stream` is a terminal: progress is drawn there and left out of pipes and files.
bool isTerminal(std::FILE* stream);

}  // namespace torvik
