#pragma once
// The console the command-line programs write to. Our texts are UTF-8; a Windows console shows
// bytes in its own code page (an OEM one, 850 on a German system) unless told otherwise, and would
// turn every umlaut of a German message into two wrong characters.

namespace vks {

// Called first in main(): from here on the console, if there is one, reads and shows UTF-8. Output
// into a pipe or a file is not changed.
void UseUtf8Console();

}  // namespace vks
