// Feeds arbitrary text to a fresh engine: parse, run, evaluate. Every input must end with a value
// or an error report, never a crash, within the engine's own small limits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "vbscript/Engine.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vks::pcre2::InstallRegexEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  vks::vbscript::Limits limits;
  limits.time_limit_ms = 200;
  limits.memory_limit = 1 << 22;
  limits.stack_limit = 256 << 10;
  vks::vbscript::Engine engine(limits);
  (void)engine.ExecuteStatement(text);
  (void)engine.Eval(text);
  return 0;
}
