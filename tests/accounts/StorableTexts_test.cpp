#include "accounts/StorableTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "accounts/clKonto.h"
#include "fakes/ErrorOf.h"
#include "platform/automation/AutomationError.h"

namespace vks {
namespace {

std::string Repeat(std::string_view piece, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(IsStorableTextTest, AcceptsWhatWindows1252HoldsUpTo65535Characters) {
  struct Case {
    const char* name;
    std::string text;
    bool storable;
  };
  const Case cases[] = {
      {"empty", "", true},
      {"Latin-1 and euro", "Grüße € ÿ", true},
      {"Greek", "Ωmega", false},
      {"cut UTF-8", "\xC3", false},
      {"65535 ASCII", std::string(65535, 'a'), true},
      {"65536 ASCII", std::string(65536, 'a'), false},
      {"65535 umlauts, twice as many UTF-8 bytes", Repeat("ä", 65535), true},
      {"65536 euro signs", Repeat("€", 65536), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsStorableText(c.text), c.storable);
  }
}

void AddChildren(clKonto& k) {
  auto p = std::make_shared<clTitelPosition>();
  p->TitelWKN = "DE0001";
  p->TitelName = "Bäckerei €";
  p->MinTickSize = "0,01";
  k.cTitelPositionen.Add("DE0001", p);
  auto o = std::make_shared<clOffeneOrder>();
  o->ID = "O-1";
  o->TitelWKN = "DE0001";
  k.cOffeneOrders.Add("O-1", o);
  auto f = std::make_shared<clFilledOrder>();
  f->ID = "F-1";
  k.cFilledOrders.Add("F-1", f);
}

TEST(CheckStorableTextsTest, NamesAccountFieldAndChildOfTheFirstBadText) {
  const std::string kNot1252 = " enthält Zeichen, die Windows-1252 nicht darstellen kann";
  struct Case {
    const char* name;
    std::function<void(clKonto&)> change;
    std::string description;  // empty: storable
  };
  const Case cases[] = {
      {"all storable", [](clKonto&) {}, ""},
      {"long but storable", [](clKonto& k) { k.PlatziereBedingung = Repeat("ü", 65535); }, ""},
      {"name", [](clKonto& k) { k.KontoName = "Ω"; }, "Konto \"Ω\": Feld KontoName" + kNot1252},
      {"description", [](clKonto& k) { k.Beschreibung = "a\xFF"; },
       "Konto \"Demo\": Feld Beschreibung" + kNot1252},
      {"cancel rule", [](clKonto& k) { k.FillStreichBedingung = "x → y"; },
       "Konto \"Demo\": Feld FillStreichBedingung" + kNot1252},
      {"placement rule", [](clKonto& k) { k.PlatziereBedingung = std::string(65536, 'x'); },
       "Konto \"Demo\": Feld PlatziereBedingung ist 65536 Zeichen lang, höchstens 65535 sind "
       "möglich"},
      {"placement message", [](clKonto& k) { k.PlatziereMeldung = "✓"; },
       "Konto \"Demo\": Feld PlatziereMeldung" + kNot1252},
      {"order WKN", [](clKonto& k) { k.cOffeneOrders.Item("O-1")->TitelWKN = "日本"; },
       "Konto \"Demo\": Feld TitelWKN der offenen Order \"O-1\"" + kNot1252},
      {"order name", [](clKonto& k) { k.cOffeneOrders.Item("O-1")->TitelName = "日本"; },
       "Konto \"Demo\": Feld TitelName der offenen Order \"O-1\"" + kNot1252},
      {"order tick text", [](clKonto& k) { k.cOffeneOrders.Item("O-1")->MinTickSize = "≈1"; },
       "Konto \"Demo\": Feld MinTickSize der offenen Order \"O-1\"" + kNot1252},
      {"position name", [](clKonto& k) { k.cTitelPositionen.Item("DE0001")->TitelName = "日本"; },
       "Konto \"Demo\": Feld TitelName der Position \"DE0001\"" + kNot1252},
      {"position tick inside an array",
       [](clKonto& k) {
         k.cTitelPositionen.Item("DE0001")->MinTickSize =
             VariantArray::Vector(0, {Variant(1.0), Variant("≈")});
       },
       "Konto \"Demo\": Feld MinTickSize der Position \"DE0001\"" + kNot1252},
      {"fill WKN",
       [](clKonto& k) { k.cFilledOrders.Item("F-1")->TitelWKN = std::string(70000, '1'); },
       "Konto \"Demo\": Feld TitelWKN des Fills \"F-1\" ist 70000 Zeichen lang, höchstens 65535 "
       "sind möglich"},
      {"fill ID", [](clKonto& k) { k.cFilledOrders.Item("F-1")->ID = "F-1 ✗"; },
       "Konto \"Demo\": Feld ID des Fills \"F-1\"" + kNot1252},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clKonto k;
    k.KontoName = "Demo";
    k.Beschreibung = "Grüße €";
    AddChildren(k);
    c.change(k);
    if (c.description.empty()) {
      EXPECT_NO_THROW(CheckStorableTexts(k));
      continue;
    }
    const AutomationError e = testing::RaisedError([&] { CheckStorableTexts(k); });
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Description(), c.description);
  }
}

}  // namespace
}  // namespace vks
