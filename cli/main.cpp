// torvik-cli's entry: the arguments and the standard streams, handed to the command table.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/console.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  torvik::StandardOutput output;
  std::ostream out(&output);
  const bool outIsTerminal = torvik::isTerminal(stdout);
  // A terminal shows each line as it comes; a pipe or a file gets them in large writes.
  if (outIsTerminal) out << std::unitbuf;
  torvik::CliIo io{out, std::cerr, outIsTerminal, torvik::isTerminal(stderr), output.error()};
  io.in = &std::cin;
  return torvik::runCli(args, io);
}
