#include "accounts/KontoBedingungen.h"

#include <gtest/gtest.h>

#include "accounts/KontoScriptAuswertung.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/SpeicherAufzeichnung.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"

namespace vks {
namespace {

// Answers every evaluation with a fixed code and result and keeps what it was asked.
class FesteAuswertung : public KontoScriptAuswertung {
 public:
  int16_t FuehreKontoScriptAus(const std::string& ProzName, const std::string& Formel,
                               const std::string& KontoName, int32_t& Ergebnis, int32_t OrderAktion,
                               bool ShowErrorBox) override {
    aufrufe.push_back(ProzName + "|" + Formel + "|" + KontoName + "|" +
                      std::to_string(OrderAktion) + "|" + (ShowErrorBox ? "box" : "still"));
    if (code == -1) Ergebnis = ergebnis;
    return code;
  }
  int16_t code = -1;
  int32_t ergebnis = 0;
  std::vector<std::string> aufrufe;
};

class KontoBedingungenTest : public ::testing::Test {
 protected:
  KontoBedingungenTest() {
    konto_.KontoName = "Depot";
    konto_.AktuelleZeit = DateValue{45000.25};
  }
  std::vector<RttRecord> Verhindert() { return rtt_.Records("Depot", "", dPlatzierenVerhindert); }

  testing::SpeicherAufzeichnung rtt_;
  testing::FakeClock clock_{46000.75};
  KontoUmgebung umgebung_{clock_, rtt_.rtt};
  clKonto konto_;
  FesteAuswertung auswertung_;
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
  konto_.PlatziereMeldung = "Nein (#ergebnis#)";
  auswertung_.ergebnis = -2;
  std::string meldung = "alt";
  EXPECT_TRUE(PrüfePlatzierenNichtMöglich(konto_, 2, meldung, auswertung_, umgebung_));
  EXPECT_EQ(meldung, "Nein (-2)");
  ASSERT_EQ(auswertung_.aufrufe.size(), 1u);
  EXPECT_EQ(auswertung_.aufrufe[0], "PruefePlatziereProz|  Ergebnis = -2  |Depot|2|still");
  auto records = Verhindert();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].time.days, 45000.25);
  EXPECT_EQ(records[0].value, -2.0f);
  EXPECT_EQ(records[0].value2, 2.0f);
}

TEST_F(KontoBedingungenTest, NoObjectionWhenRuleIsEmptyZeroOrFails) {
  const struct {
    const char* name;
    std::string bedingung;
    int16_t code;
    int32_t ergebnis;
    bool evaluated;
  } kCases[] = {
      {"no rule", "", -1, 5, false},
      {"blanks only", "    ", -1, 5, false},
      {"result zero", "Ergebnis = 0", -1, 0, true},
      {"script error", "Ergebnis = ", -301, 5, true},
      {"host failed", "Ergebnis = 1", -300, 5, true},
      {"other error", "Ergebnis = 1", 0, 5, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    auswertung_.aufrufe.clear();
    auswertung_.code = c.code;
    auswertung_.ergebnis = c.ergebnis;
    konto_.PlatziereBedingung = c.bedingung;
    konto_.FillStreichBedingung = c.bedingung;
    konto_.PlatziereMeldung = "#Ergebnis#";
    std::string meldung = "unverändert";
    EXPECT_FALSE(PrüfePlatzierenNichtMöglich(konto_, 1, meldung, auswertung_, umgebung_));
    EXPECT_EQ(meldung, "unverändert");
    EXPECT_FALSE(PrüfeFillStreichen(konto_, auswertung_));
    EXPECT_EQ(auswertung_.aufrufe.size(), c.evaluated ? 2u : 0u);
  }
  EXPECT_TRUE(Verhindert().empty());
}

TEST_F(KontoBedingungenTest, CancellationRuleRunsWithoutDirection) {
  konto_.FillStreichBedingung = "If Kennzahl(\"OffeneOrders\") > 3 Then StreicheEnterOrders";
  auswertung_.ergebnis = 3;
  EXPECT_TRUE(PrüfeFillStreichen(konto_, auswertung_));
  ASSERT_EQ(auswertung_.aufrufe.size(), 1u);
  EXPECT_EQ(auswertung_.aufrufe[0],
            "FillStreichenProz|If Kennzahl(\"OffeneOrders\") > 3 Then StreicheEnterOrders|Depot|0|"
            "still");
  EXPECT_TRUE(Verhindert().empty());
}

TEST_F(KontoBedingungenTest, EmptyMessageStillRefuses) {
  konto_.PlatziereBedingung = "Ergebnis = 1";
  auswertung_.ergebnis = 1;
  std::string meldung = "alt";
  EXPECT_TRUE(PrüfePlatzierenNichtMöglich(konto_, 0, meldung, auswertung_, umgebung_));
  EXPECT_EQ(meldung, "");
}

}  // namespace
}  // namespace vks
