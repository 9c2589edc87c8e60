#include "tools/vks-rtt/RttPlot.h"

namespace vks::rtt_tool {

int PlotRtt(FileSystem&, const std::vector<std::string>&, const std::string&, const TimeRange&,
            std::ostream& err) {
  err << "vks-rtt: plot ist in diesem Build nicht enthalten (Qt 6 mit QtSvg fehlte)\n";
  return 1;
}

}  // namespace vks::rtt_tool
