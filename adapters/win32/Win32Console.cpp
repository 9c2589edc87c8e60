#include <windows.h>

#include "platform/system/Console.h"

namespace vks {

void UseUtf8Console() {
  // Both fail without a console (output into a pipe), which then needs nothing.
  ::SetConsoleOutputCP(CP_UTF8);
  ::SetConsoleCP(CP_UTF8);
}

}  // namespace vks
