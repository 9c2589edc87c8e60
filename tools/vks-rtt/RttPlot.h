#pragma once
// The time chart of vks-rtt: one or several RTT series drawn into a PNG or SVG file.
#include <ostream>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

namespace vks::rtt_tool {

// Returns the exit code; messages go to `err`. Without Qt in the build it only explains that.
int PlotRtt(FileSystem& files, const std::vector<std::string>& paths, const std::string& output,
            std::ostream& err);

}  // namespace vks::rtt_tool
