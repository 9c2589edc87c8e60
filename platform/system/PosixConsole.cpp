#include "platform/system/Console.h"

namespace vks {

// A terminal shows what the locale says, which is UTF-8 where our texts are read.
void UseUtf8Console() {}

}  // namespace vks
