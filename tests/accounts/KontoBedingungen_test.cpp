#include "accounts/KontoBedingungen.h"

#include <gtest/gtest.h>

#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

class KontoBedingungenTest : public test::KontoTest {
 protected:
  KontoBedingungenTest() {
    konto_.KontoName = "Depot";
    konto_.AktuelleZeit = DateValue{45000.25};
    umgebung_.regeln = &auswertung_;
  }
  std::vector<RttRecord> Verhindert() { return Records(dPlatzierenVerhindert); }

  test::FesteRegeln auswertung_;
};

TEST_F(KontoBedingungenTest, MarkerIsReplacedInAnyLetterCase) {
  const struct {
    const char* text;
    const char* expected;
  } kCases[] = {
      {"Abgelehnt: #Ergebnis#", "Abgelehnt: 7"},
      {"#ERGEBNIS# und #ergebnis#!", "7 und 7!"},
      {"#Ergebnis##eRgEbNiS#", "77"},
      {"Größe #Ergebnis", "Größe #Ergebnis"},
      {"", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ErsetzeMarke(c.text, "#Ergebnis#", "7"), c.expected);
  }
}

TEST_F(KontoBedingungenTest, RefusalGivesMessageAndRecordsResultWithDirection) {
  konto_.PlatziereBedingung = "  Ergebnis = -2  ";
  const struct {
    const char* meldung;
    int32_t ergebnis, aktion;
    const char* expected;
  } kCases[] = {{"Nein (#ergebnis#)", -2, 2, "Nein (-2)"}, {"", 1, 0, ""}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.expected);
    konto_.PlatziereMeldung = c.meldung;
    auswertung_.ergebnis = c.ergebnis;
    auswertung_.aufrufe.clear();
    std::string meldung = "alt";
    EXPECT_TRUE(PrüfePlatzierenNichtMöglich(konto_, c.aktion, meldung, umgebung_));
    EXPECT_EQ(meldung, c.expected);
    EXPECT_EQ(auswertung_.aufrufe,
              std::vector<std::string>{"PruefePlatziereProz|  Ergebnis = -2  |Depot|" +
                                       std::to_string(c.aktion)});
    auto records = Verhindert();  // one more record per refusal
    ASSERT_EQ(records.size(), static_cast<size_t>(&c - kCases + 1));
    EXPECT_EQ(records.back().time.days, 45000.25);
    EXPECT_EQ(records.back().value, c.ergebnis);
    EXPECT_EQ(records.back().value2, c.aktion);
  }
}

TEST_F(KontoBedingungenTest, NoObjectionWhenRuleIsEmptyZeroOrFails) {
  const struct {
    const char* name;
    std::string bedingung;
    bool lief;
    int32_t ergebnis;
    bool evaluated;
  } kCases[] = {
      {"no rule", "", true, 5, false},
      {"blanks only", "    ", true, 5, false},
      {"result zero", "Ergebnis = 0", true, 0, true},
      {"script failed", "Ergebnis = ", false, 5, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    auswertung_.aufrufe.clear();
    auswertung_.lief = c.lief;
    auswertung_.ergebnis = c.ergebnis;
    konto_.PlatziereBedingung = c.bedingung;
    konto_.FillStreichBedingung = c.bedingung;
    konto_.PlatziereMeldung = "#Ergebnis#";
    std::string meldung = "unverändert";
    EXPECT_FALSE(PrüfePlatzierenNichtMöglich(konto_, 1, meldung, umgebung_));
    EXPECT_EQ(meldung, "unverändert");
    EXPECT_FALSE(PrüfeFillStreichen(konto_, umgebung_));
    EXPECT_EQ(auswertung_.aufrufe.size(), c.evaluated ? 2u : 0u);
  }
  EXPECT_TRUE(Verhindert().empty());
}

TEST_F(KontoBedingungenTest, CancellationRuleRunsWithoutDirection) {
  konto_.FillStreichBedingung = "If Kennzahl(\"OffeneOrders\") > 3 Then StreicheEnterOrders";
  auswertung_.ergebnis = 3;
  EXPECT_TRUE(PrüfeFillStreichen(konto_, umgebung_));
  ASSERT_EQ(auswertung_.aufrufe.size(), 1u);
  EXPECT_EQ(auswertung_.aufrufe[0],
            "FillStreichenProz|If Kennzahl(\"OffeneOrders\") > 3 Then StreicheEnterOrders|Depot|0");
  EXPECT_TRUE(Verhindert().empty());
}

}  // namespace
}  // namespace vks
