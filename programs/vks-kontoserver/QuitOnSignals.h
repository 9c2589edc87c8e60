#pragma once
// The session's end as a normal end: SIGTERM, SIGHUP or SIGINT quits the application's event loop,
// so that main's end saves the pending changes and writes the waiting RTT values, instead of the
// process dying with them. The handler only writes the signal's number into a pipe; the event loop
// reads it.
#include <initializer_list>
#include <iosfwd>

namespace vks {

// From now on each of `signal_numbers` quits the running QCoreApplication's event loop; `log` names
// the signal. A signal that comes while the process ends is ignored, so that a second one (a
// session sends SIGHUP after SIGTERM) does not cut the save short. Call it once, right before
// exec(): no change can be made before the loop runs. False when the pipe cannot be made (the
// signals then keep their default action).
bool QuitOnSignals(std::initializer_list<int> signal_numbers, std::ostream& log);

}  // namespace vks
