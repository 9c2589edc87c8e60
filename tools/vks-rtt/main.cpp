// vks-rtt: looks into the RTT files the server records (info, dump, tail -f, plot); "-" reads
// standard input.
#include <iostream>
#include <string>
#include <vector>

#include "adapters/cli/StandardStreams.h"
#include "tools/vks-rtt/RttCommands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  auto files = vks::cli::WithStandardInput(vks::NewPlatformFileSystem());
  return vks::rtt_tool::RunRttTool(*files, args, std::cout, std::cerr);
}
