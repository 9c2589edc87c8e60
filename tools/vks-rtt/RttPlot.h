#pragma once
// The time chart of vks-rtt: one or several RTT series drawn into a PNG or SVG file.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/automation/Variant.h"
#include "platform/files/FileSystem.h"

namespace vks::rtt_tool {

// The span of time the chart shows; an open end takes the series' own.
struct TimeRange {
  std::optional<DateValue> from, to;
};

// Returns the exit code; messages go to `err`. Without Qt in the build it only explains that.
int PlotRtt(FileSystem& files, const std::vector<std::string>& paths, const std::string& output,
            const TimeRange& range, std::ostream& err);

}  // namespace vks::rtt_tool
