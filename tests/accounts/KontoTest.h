#pragma once
// One account with a standing computer clock and an in-memory recorder, and the series it wrote.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/SpeicherAufzeichnung.h"
#include "recording/RttReader.h"

namespace vks {

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
  // Time, value and second value of the one record of kind `art` (of one security with `wkn`).
  std::tuple<double, float, float> Einzig(int art, std::string_view wkn = "") {
    const auto records = Records(static_cast<eKontoDatenArt>(art), wkn);
    EXPECT_EQ(records.size(), 1u) << "kind " << art;
    if (records.empty()) return {};
    return {records[0].time.days, records[0].value, records[0].value2};
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

}  // namespace vks
