// A rule cannot grow without bound: what it keeps in the global data counts towards the memory
// bound, in the evaluation that stores it and in every later one, and what the global data keeps
// survives the end of the evaluation that freed its other objects.
#include <gtest/gtest.h>

#include "session/clKontoGlobalData.h"
#include "vbscript/Engine.h"
#include "vbscript/ScriptObject.h"

namespace vks {
namespace {

vbscript::Limits EinMegabyte() {
  vbscript::Limits limits;
  limits.memory_limit = 1 << 20;
  return limits;
}

TEST(RegelSpeicherTest, GlobalDataCountsTowardsTheBound) {
  auto daten = std::make_shared<clKontoGlobalData>();
  const struct {
    const char* script;
    int32_t fehler;  // 0: runs through
  } kLaeufe[] = {
      {"For i = 1 To 2 : KontoGlobalData(\"a\" & i) = Space(300000) : Next", 0},
      {"For i = 1 To 10 : KontoGlobalData(\"b\" & i) = Space(300000) : Next", 7},
      {"KontoGlobalData.RemoveAll\nFor i = 1 To 3 : s = s & Space(300000) : Next", 0},
  };
  for (const auto& lauf : kLaeufe) {
    SCOPED_TRACE(lauf.script);
    vbscript::Engine engine(EinMegabyte());
    engine.AddObject("KontoGlobalData", daten, false);
    auto r = engine.ExecuteStatement(lauf.script);
    EXPECT_EQ(r.ok() ? 0 : r.error().Number(), lauf.fehler);
  }
}

TEST(RegelSpeicherTest, WhatTheGlobalDataKeepsOutlivesTheEvaluation) {
  auto daten = std::make_shared<clKontoGlobalData>();
  {
    vbscript::Engine engine;
    engine.AddObject("KontoGlobalData", daten, false);
    ASSERT_TRUE(engine
                    .ExecuteStatement("Class K : Public Other, Wert : End Class\n"
                                      "Set a = New K : Set a.Other = a : a.Wert = 5\n"
                                      "Set KontoGlobalData(\"k\") = a")
                    .ok());
  }
  const ObjectRef kept = daten->Item("k").AsObject();
  std::vector<Variant> werte;
  kept->VisitValues([&](const Variant& v) { werte.push_back(v); });
  ASSERT_EQ(werte.size(), 2u);
  EXPECT_EQ(werte[1], Variant(int16_t{5}));
  // A later rule finds the object without its class, which ended with its evaluation: error 91,
  // not a read of the freed class.
  for (const char* zugriff :
       {"Set KontoGlobalData(\"k\").Other = Nothing", "x = KontoGlobalData(\"k\").Wert",
        "KontoGlobalData(\"k\").Wert = 1"}) {
    SCOPED_TRACE(zugriff);
    vbscript::Engine spaeter;
    spaeter.AddObject("KontoGlobalData", daten, false);
    auto r = spaeter.ExecuteStatement(zugriff);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().Number(), 91);
  }
  dynamic_cast<vbscript::ScriptObject&>(*kept).Fields().clear();  // ends the kept cycle
}

}  // namespace
}  // namespace vks
