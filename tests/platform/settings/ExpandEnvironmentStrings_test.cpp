#include "platform/settings/ExpandEnvironmentStrings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace vks {
namespace {

TEST(ExpandEnvironmentStringsTest, SetVariablesAreReplacedOthersStayAsWritten) {
  const std::map<std::string, std::string> env = {{"TEMP", "/tmp"}, {"HOME", "/home/u"}, {"E", ""}};
  const EnvironmentLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
    auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  };
  const std::pair<const char*, const char*> kCases[] = {
      {"", ""},
      {"kein Verweis", "kein Verweis"},
      {"%TEMP%\\x", "/tmp\\x"},
      {"%TEMP%%HOME%", "/tmp/home/u"},
      {"a%E%b", "ab"},
      {"%temp%", "%temp%"},  // names are compared as the platform does: exactly
      {"%UNSET%", "%UNSET%"},
      {"%UNSET%HOME%", "%UNSET/home/u"},
      {"100%", "100%"},
      {"%%", "%%"},
      {"%%TEMP%", "%/tmp"},
      {"50% von %TEMP%", "50% von /tmp"},
  };
  for (const auto& [text, expected] : kCases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ExpandEnvironmentStrings(text, lookup), expected);
  }
}

TEST(ExpandEnvironmentStringsTest, ProcessEnvironmentReadsThisProcess) {
  // PATH is set for every process on both platforms.
  const char* path = std::getenv("PATH");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(ExpandEnvironmentStrings("[%PATH%|%VKS_EXPAND_UNSET%]", ProcessEnvironment),
            "[" + std::string(path) + "|%VKS_EXPAND_UNSET%]");
}

}  // namespace
}  // namespace vks
