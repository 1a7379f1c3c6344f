// torvik-cli's entry: the arguments and the standard streams, handed to the command table.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/console.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  torvik::CliIo io{std::cout, std::cerr, torvik::isTerminal(stdout), torvik::isTerminal(stderr)};
  io.in = &std::cin;
  return torvik::runCli(args, io);
}
