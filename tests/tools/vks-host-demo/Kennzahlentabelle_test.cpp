#include "tools/vks-host-demo/Kennzahlentabelle.h"

#include <gtest/gtest.h>

namespace vks::demo {
namespace {

TEST(KennzahlentabelleTest, AlignsByCharactersInTheUsersLocale) {
  const std::vector<std::string> zeilen = {"Positionen", "Verfügbares Kapital"};
  const std::vector<KontoSpalte> spalten = {{"Müller", {1, 1234567.891}}, {"B", {-0.005, 0}}};
  struct Case {
    const char* name;
    AutomationLocale locale;
    const char* expected;
  } cases[] = {
      {"invariant", AutomationLocale::Invariant(),
       "                           Müller      B\n"
       "Positionen                   1.00  -0.01\n"
       "Verfügbares Kapital  1,234,567.89   0.00\n"},
      {"German", AutomationLocale::German(),
       "                           Müller      B\n"
       "Positionen                   1,00  -0,01\n"
       "Verfügbares Kapital  1.234.567,89   0,00\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Kennzahlentabelle(zeilen, spalten, c.locale), c.expected);
  }
  // Without accounts the rows alone.
  EXPECT_EQ(Kennzahlentabelle({"Cash", "Ä"}, {}, AutomationLocale::Invariant()),
            "    \nCash\nÄ   \n");
}

}  // namespace
}  // namespace vks::demo
