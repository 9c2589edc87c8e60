#include "vbscript/RegexEngine.h"

namespace vks::vbscript {
namespace {

std::shared_ptr<const RegexEngine>& Installed() {
  static std::shared_ptr<const RegexEngine> engine;
  return engine;
}

}  // namespace

void SetRegexEngine(std::shared_ptr<const RegexEngine> engine) {
  Installed() = std::move(engine);
}

std::shared_ptr<const RegexEngine> InstalledRegexEngine() {
  return Installed();
}

}  // namespace vks::vbscript
