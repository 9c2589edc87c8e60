#pragma once
// Seeds the RTT series of every account in a store: the accounts' initial values as the server
// writes them for a new account, and one point per position, so that a chart program finds every
// series filled.
#include <string>

namespace vks {

// `bytes` is a whole account store; `folder` the RTT storage folder. Returns the number of
// accounts written. Throws AutomationError for a store that does not load.
int SchreibeStartreihen(const std::string& bytes, const std::string& folder);

}  // namespace vks
