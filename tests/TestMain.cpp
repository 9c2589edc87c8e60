// The main of every GoogleTest executable: the tests run with the regular-expression engine that
// the programs install. Started as a child of a test (ChildProcess), it runs that child's routine.
#include <gtest/gtest.h>

#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "tests/ChildProcess.h"

int main(int argc, char** argv) {
  if (int child = vks::testing::RunChildRoutine(argc, argv); child >= 0) return child;
  testing::InitGoogleTest(&argc, argv);
  vks::pcre2::InstallRegexEngine();
  return RUN_ALL_TESTS();
}
