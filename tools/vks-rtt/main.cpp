// vks-rtt: looks into the RTT files the server records (info, dump, tail -f, plot).
#include <iostream>
#include <string>
#include <vector>

#include "platform/system/Console.h"
#include "tools/vks-rtt/RttCommands.h"

int main(int argc, char** argv) {
  vks::UseUtf8Console();
  std::vector<std::string> args(argv + 1, argv + argc);
  return vks::rtt_tool::RunRttTool(*vks::NewPlatformFileSystem(), args, std::cout, std::cerr);
}
