// The main of every GoogleTest executable: the tests run with the regular-expression engine that
// the programs install.
#include <gtest/gtest.h>

#include "adapters/pcre2/Pcre2RegexEngine.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vks::pcre2::InstallRegexEngine();
  return RUN_ALL_TESTS();
}
