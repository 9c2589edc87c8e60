#pragma once
// The set-up the booking tests share: one account with a standing computer clock and an in-memory
// recorder, its series read back, and positions put straight into the account.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/KontoRegeln.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/SpeicherAufzeichnung.h"

namespace vks::test {

// Answers every rule with a fixed outcome and result, and keeps each call as
// "ProzName|Formel|KontoName|OrderAktion".
class FesteRegeln : public KontoRegeln {
 public:
  bool FuehreRegelAus(const std::string& ProzName, const std::string& Formel,
                      const std::string& KontoName, int32_t OrderAktion,
                      int32_t& Ergebnis) override {
    aufrufe.push_back(ProzName + "|" + Formel + "|" + KontoName + "|" +
                      std::to_string(OrderAktion));
    if (lief) Ergebnis = ergebnis;
    return lief;
  }
  bool lief = true;
  int32_t ergebnis = 0;
  std::vector<std::string> aufrufe;
};

class KontoTest : public ::testing::Test {
 protected:
  // The series of the account's kind `art` (of one security with `wkn`); none when never written.
  std::vector<RttRecord> Records(eKontoDatenArt art, std::string_view wkn = "") {
    auto contents = rtt_.Inhalt(konto_.KontoName, wkn, art);
    if (!contents.ok()) return {};
    EXPECT_TRUE(contents->well_formed);
    return contents->records;
  }
  // The account kinds that got a record.
  std::set<int> Geschrieben() {
    std::set<int> kinds;
    for (int art = 2; art <= 51; ++art)
      if (!Records(static_cast<eKontoDatenArt>(art)).empty()) kinds.insert(art);
    return kinds;
  }
  // A position added to the account as it stands, without booking anything.
  clTitelPosition& Position(const std::string& wkn, int32_t size, float preis, float margin = 1,
                            float point_value = 0) {
    auto p = std::make_shared<clTitelPosition>();
    p->TitelWKN = wkn;
    p->TitelName = wkn + " AG";
    p->Position = size;
    p->Durchschnittspreis = preis;
    p->Margin = margin;
    p->PointValue = point_value;
    return *konto_.cTitelPositionen.Add(wkn, p);
  }

  testing::SpeicherAufzeichnung rtt_;
  testing::FakeClock clock_{46000.75};
  KontoUmgebung umgebung_{clock_, rtt_.rtt};
  clKonto konto_;
};

}  // namespace vks::test
