// Account rules as the server evaluates them: their results, errors, limits and the calls they
// make back into the server.
#include <gtest/gtest.h>

#include "accounts/KontoBedingungen.h"
#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "fakes/FakeClock.h"
#include "fakes/SpeicherAufzeichnung.h"
#include "platform/automation/VariantConversions.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "scripting/frmVBScript.h"
#include "session/clKontoGlobalData.h"
#include "tests/scripting/ScriptTestUmgebung.h"
#include "vbscript/Engine.h"
#include "vbscript/ScriptObject.h"

namespace vks {
namespace {

class FuehreKontoScriptAusTest : public ::testing::Test, public testing::ScriptServer {
 protected:
  int16_t Run(const std::string& formel, int32_t& ergebnis, int32_t order_aktion = 0,
              const std::string& konto = "Depot", bool box = false,
              ScriptFehler* fehler = nullptr) {
    return FuehreKontoScriptAus(umgebung, "Kontoberechnung", formel, konto, ergebnis, order_aktion,
                                box, fehler);
  }

  // The account rules as the server's bookings run them, through the script host.
  KontoScriptRegeln regeln{umgebung};
  testing::FakeClock clock;
  testing::SpeicherAufzeichnung keine_aufzeichnung;
  KontoUmgebung konto_umgebung{clock, keine_aufzeichnung.rtt, nullptr, &regeln};
};

TEST_F(FuehreKontoScriptAusTest, ResultsOfScripts) {
  depot->AnzahlPositionen = 4;
  zweites->AnzahlPositionen = 11;
  const struct {
    const char* formel;
    int32_t order_aktion;
    int16_t code;
    int32_t ergebnis;  // 77 = left untouched
  } kCases[] = {
      {"Ergebnis = 2.5", 0, -1, 2},
      {"Ergebnis = 3.5", 0, -1, 4},
      {"Ergebnis = -2.5", 0, -1, -2},
      {"Ergebnis = (1 < 2)", 0, -1, -1},
      {"Ergebnis = (2 < 1)", 0, -1, 0},
      {"Tradomir.Ergebnis = (1 < 2)", 0, -1, -1},
      {"Tradomir.Ergebnis = (2 < 1)", 0, -1, 0},
      {"x = 1", 0, -1, 0},
      {"Ergebnis = OrderAktion", 2, -1, 2},
      {"If KontoName = \"Depot\" Then Ergebnis = 3", 0, -1, 3},
      {"Ergebnis = Kennzahl(\"Positionen\")", 0, -1, 4},
      {"Ergebnis = Kennzahl(\"POSITIONEN\", \"zweites\")", 0, -1, 11},
      {"Ergebnis = Tradomir.Kennzahl(\"Positionen\", \"\")", 0, -1, 4},
      {"x = Kennzahl(\"Unbekannt\")\r\nIf IsEmpty(x) Then Ergebnis = 9", 0, -1, 9},
      {"If IsEmpty(Kennzahl(\"Positionen\", \"Fehlt\")) Then Ergebnis = 8", 0, -1, 8},
      {"If NoValue < -2E+38 Then Ergebnis = 1", 0, -1, 1},
      {"Ergebnis = 5\r\nLöscheErgebnis", 0, -1, 0},
      {"Ergebnis = 5\r\nErgebnis = GetErgebnis() * 2", 0, -1, 10},
      {"LogbuchMeldung 1, 2, \"Info\", \"Details\"\r\nErgebnis = 6", 0, -1, 6},
      // Names the services object does not know are the rule's own variables, whatever assigns.
      {"For i = 1 To 2 : Ergebnis = Ergebnis + i : Next", 0, -1, 3},
      {"For Each v In Array(1, 2, 4) : s = s + v : Next : Ergebnis = s", 0, -1, 7},
      {"Sub S\r\nFor k = 1 To 3 : t = t + k : Next\r\nErgebnis = t\r\nEnd Sub\r\nS", 0, -1, 6},
      {"Function F(n)\r\nFor j = 1 To n : F = F + j : Next\r\nEnd Function\r\nErgebnis = F(4)", 0,
       -1, 10},
      {"Sub Plus(x) : x = x + 1 : End Sub\r\nn = 4 : Plus n : Ergebnis = n", 0, -1, 5},
      {"ReDim a(2) : a(2) = 9 : Ergebnis = a(2)", 0, -1, 9},
      {"Ergebnis = \"abc\"", 0, -301, 77},
      {"Ergebnis = 3000000000", 0, -301, 77},
      {"Ergebnis = 1\r\nErgebnis = (", 0, -301, 77},
      {"Set f = CreateObject(\"Scripting.FileSystemObject\")", 0, -301, 77},
      {"Set s = CreateObject(\"WScript.Shell\")", 0, -301, 77},
      {"Ergebnis = 1", 70000, -300, 77},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.formel);
    int32_t ergebnis = 77;
    EXPECT_EQ(Run(c.formel, ergebnis, c.order_aktion), c.code);
    EXPECT_EQ(ergebnis, c.ergebnis);
  }
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(FuehreKontoScriptAusTest, WithoutGlobalDataTheHostCannotStart) {
  state.KontoGlobalData.reset();
  int32_t ergebnis = 77;
  EXPECT_EQ(Run("Ergebnis = 1", ergebnis), -300);
  EXPECT_EQ(ergebnis, 77);
}

TEST_F(FuehreKontoScriptAusTest, ErrorNamesTheFormulasLine) {
  const struct {
    const char* formel;
    int zeile;
    const char* text;
  } kCases[] = {
      {"Ergebnis = 1\r\nErgebnis = (", 2, "Ergebnis = ("},
      {"Ergebnis = )\r\nErgebnis = 1", 1, "Ergebnis = )"},
      {"a = 1\r\nb = 0\r\nErgebnis = a / b", 3, "Ergebnis = a / b"},
      {"a = 1\nErgebnis = \"x\" * 2", 2, "Ergebnis = \"x\" * 2"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.formel);
    reporter.messages.clear();
    int32_t ergebnis = 77;
    ScriptFehler fehler;
    EXPECT_EQ(Run(c.formel, ergebnis, 0, "Depot", true, &fehler), -301);
    EXPECT_EQ(fehler.zeile, c.zeile);
    EXPECT_EQ(fehler.text, c.text);
    ASSERT_EQ(reporter.messages.size(), 1u);
    const auto& m = reporter.messages[0];
    EXPECT_FALSE(fehler.description.empty());
    EXPECT_EQ(m.text, fehler.description + " in Linie:\r\n" + c.text);
    EXPECT_EQ(m.style, msgbox::kOkOnly);
    EXPECT_EQ(m.title, "Tradomir Konto-Server");
  }
}

TEST_F(FuehreKontoScriptAusTest, RuleAsksTheUserAndUsesTheAnswer) {
  const char* formel =
      "If MsgBox(\"Order zulassen?\", vbYesNo, \"Regel\") = vbYes Then Ergebnis = 1 Else "
      "Ergebnis = 2";
  for (int32_t antwort : {msgbox::kYes, msgbox::kNo}) {
    reporter.messages.clear();
    reporter.answers = {antwort};
    int32_t ergebnis = 77;
    EXPECT_EQ(Run(formel, ergebnis), -1);
    EXPECT_EQ(ergebnis, antwort == msgbox::kYes ? 1 : 2);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Order zulassen?");
    EXPECT_EQ(reporter.messages[0].title, "Regel");
    EXPECT_EQ(reporter.messages[0].style, msgbox::kYesNo);
  }
}

TEST_F(FuehreKontoScriptAusTest, GlobalDataOutlivesEvaluationsAndAccounts) {
  const char* formel =
      "KontoGlobalData(\"n\") = KontoGlobalData(\"n\") + 1\r\n"
      "KontoGlobalData(\"von\") = KontoGlobalData(\"von\") & KontoName\r\n"
      "Ergebnis = KontoGlobalData(\"n\")";
  const char* konten[] = {"Depot", "Zweites", "Depot"};
  for (int i = 0; i < 3; ++i) {
    int32_t ergebnis = 0;
    ASSERT_EQ(Run(formel, ergebnis, 0, konten[i]), -1);
    EXPECT_EQ(ergebnis, i + 1);
  }
  EXPECT_EQ(ToString(state.KontoGlobalData->Item("VON")), "DepotZweitesDepot");
}

TEST_F(FuehreKontoScriptAusTest, EndlessLoopRunsIntoTheLimitAndTheServerGoesOn) {
  umgebung.zeit_limit_ms = 50;
  int32_t ergebnis = 77;
  ScriptFehler fehler;
  EXPECT_EQ(Run("Ergebnis = 1\r\nDo\r\nLoop", ergebnis, 0, "Depot", false, &fehler), -301);
  EXPECT_EQ(ergebnis, 77);
  EXPECT_EQ(fehler.number, 18);
  EXPECT_EQ(Run("Ergebnis = Kennzahl(\"Positionen\") + 1", ergebnis), -1);
  EXPECT_EQ(ergebnis, 1);
}

TEST_F(FuehreKontoScriptAusTest, CancellationReachesEveryInterfaceObjectInOrder) {
  Verbinde("a");
  Verbinde("b", /*scheitert=*/true);
  Verbinde("c");
  int32_t ergebnis = 0;
  EXPECT_EQ(Run("StreicheEnterOrders\r\nTradomir.StreicheEnterOrders \"Zweites\"\r\n"
                "StreicheEnterOrders \"\"\r\nErgebnis = 1",
                ergebnis),
            -1);
  EXPECT_EQ(ergebnis, 1);
  const std::vector<std::string> expected = {"a:Depot",   "b:Depot",   "c:Depot",
                                             "a:Zweites", "b:Zweites", "c:Zweites",
                                             "a:Depot",   "b:Depot",   "c:Depot"};
  EXPECT_EQ(events, expected);
}

TEST_F(FuehreKontoScriptAusTest, HostCallingBackDuringTheEventIsServed) {
  zweites->AnzahlPositionen = 3;
  auto senke = Verbinde("a");
  std::vector<int16_t> innen;
  senke->rueckruf = [&](const std::string& konto) {
    // The host evaluates another rule and reads a metric while it handles the event.
    int32_t r = 0;
    innen.push_back(
        Run("KontoGlobalData(\"innen\") = Kennzahl(\"Positionen\") + 40", r, 0, "Zweites"));
    innen.push_back(static_cast<int16_t>(objekte[0]->VKSGetKontoWert(konto, eAnzahlPositionen)));
  };
  int32_t ergebnis = 0;
  EXPECT_EQ(Run("StreicheEnterOrders\r\nErgebnis = KontoGlobalData(\"innen\") + OrderAktion",
                ergebnis, 1),
            -1);
  EXPECT_EQ(ergebnis, 44);
  EXPECT_EQ(innen, (std::vector<int16_t>{-1, 0}));
}

TEST_F(FuehreKontoScriptAusTest, ScriptErrorReportWithoutFormulaLine) {
  frmVBScript host(umgebung);
  ASSERT_TRUE(host.InitScripting("Depot", 0));
  host.ShowErrorBox = true;
  ASSERT_FALSE(host.RunScript("Kontoberechnung", "Ergebnis = 1\r\nErgebnis = (", false));
  const struct {
    int line;
    const char* text;
  } kCases[] = {{0, "Unbekannte Zeile"},
                {1, "Unbekannte Zeile"},
                {2, "Ergebnis = 1"},
                {3, "Ergebnis = ("},
                {4, "Unbekannte Zeile"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    reporter.messages.clear();
    vbscript::ErrorReport report;
    report.description = "Syntaxfehler";
    report.line = c.line;
    host.Script_Error(report);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, std::string("Syntaxfehler in Linie:\r\n") + c.text);
  }
  host.TerminiereScripting();
  EXPECT_EQ(host.GetErgebnis(), 0);
}

// The rules that work are run over the bus (tests/adapters/dbus); one that fails cancels nothing
// and shows nothing.
TEST_F(FuehreKontoScriptAusTest, AFailingCancellationRuleCancelsNothingAndShowsNothing) {
  Verbinde("a");
  depot->AnzahlPositionen = 1;
  depot->FillStreichBedingung = "StreicheEnterOrders(";
  PrüfeFillStreichen(*depot, konto_umgebung);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(reporter.messages.empty());
}

// A rule cannot grow without bound: what it keeps in the global data counts towards the memory
// bound, in the evaluation that stores it and in every later one, and what the global data keeps
// survives the end of the evaluation that freed its other objects.

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
