// What a fill books is checked against an independent model by the host's random reports
// (tests/interface/KontoOperationen_random_test.cpp) and its files by the kept session
// (GleicheBytes_test); here the fills that book nothing.
#include "accounts/VerbucheFill.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/ErrorOf.h"
#include "tests/accounts/KontoTestSupport.h"

namespace vks {
namespace {

class VerbucheFillTest : public test::KontoTest {
 protected:
  void Fill(std::string_view wkn, int32_t anzahl, float preis, float point_value) {
    z_.PointValue = point_value;
    z_.Margin = point_value == 0 ? 100 : 0;
    VerbucheFill(konto_, DateValue{45000.5}, wkn, std::string(wkn) + " AG", 1, anzahl, preis, &z_,
                 umgebung_);
  }
  clOrderZusatzInfos z_ = [] {
    clOrderZusatzInfos z;
    z.AktUmrechnungsWert = NoValue;
    return z;
  }();
};

// The random reports' stock account charges nothing: an account without commissions ignores an
// order's commission terms.
TEST_F(VerbucheFillTest, CommissionsOnlyWhenUsed) {
  konto_.KontoName = "Gebühren";
  z_.Commissions = 0.1f;
  z_.MindestCommissions = 9.9f;
  z_.ZusatzCommissions = 2;
  for (bool use : {false, true}) {
    konto_.UseCommissions = use;
    Fill("DE1", 1000, 5, 0);  // with: 0.1 % of 5000 = 5, raised to 9.9, plus 2
  }
  EXPECT_FLOAT_EQ(static_cast<float>(konto_.PaidCommissions), 11.9f);
  EXPECT_NEAR(konto_.CashBetrag, 10000 - 2 * 5000 - 11.9, 1e-4);
  auto paid = Records(dPaidCommissions);
  ASSERT_EQ(paid.size(), 1u);
  EXPECT_FLOAT_EQ(paid[0].value2, 11.9f);
}

// A fill of nothing is ignored; one at a price that is no number is refused; either leaves the
// account as it was. A position beyond a Long is an overflow, which stops the booking where it
// happened (the callers keep the account whole); the position keeps its size.
TEST_F(VerbucheFillTest, RefusedFillsChangeNothing) {
  konto_.KontoName = "Nichts";
  const struct {
    const char* name;
    int32_t anzahl;
    float preis;
    int error;  // 0: ignored
  } cases[] = {
      {"nothing", 0, 100, 0},
      {"negative quantity", -5, 100, 0},
      {"NaN price", 5, NAN, 5},
      {"infinite price", 5, INFINITY, 5},
  };
  const Variant before = konto_.WriteAllProperties();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(testing::ErrorOf([&] { Fill("DE1", c.anzahl, c.preis, 0); }), c.error);
    EXPECT_EQ(konto_.WriteAllProperties(), before);
  }
  Fill("X", INT32_MAX, 1, 1);
  EXPECT_EQ(testing::ErrorOf([&] { Fill("X", 1, 1, 1); }), 6);
  EXPECT_EQ(konto_.cTitelPositionen.Item("X")->Position, INT32_MAX);
}

}  // namespace
}  // namespace vks
