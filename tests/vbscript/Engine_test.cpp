// The host's view of the engine: named objects with global members, results, error reports with
// line and text, the time, memory and stack limits, Eval/Run/Reset.
#include "vbscript/Engine.h"

#include <gtest/gtest.h>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"

namespace vks::vbscript {
namespace {

// A services object like the server's: Ergebnis stored as a Long.
class FakeServices : public Dispatch {
 public:
  std::string TypeName() const override { return "clScriptingServices"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override {
    std::string n = FoldName(name);
    if (n == "ergebnis") {
      if (kind == InvokeKind::PropertyLet) {
        ergebnis = ToLong(args.back());
        return {};
      }
      return Variant(ergebnis);
    }
    if (n == "scheitere")  // fails with the given number and no text, as COM objects do
      throw AutomationError(args.empty() ? 0 : ToLong(args[0]), "Dienst", "");
    if (n == "verdopple") {  // ByRef argument changed by the host
      args[0] = Variant(ToLong(args[0]) * 2);
      return {};
    }
    throw AutomationError(error::kMemberNotFound);
  }
  bool HasMember(std::string_view name) const override {
    const std::string n = FoldName(name);
    return n == "ergebnis" || n == "scheitere" || n == "verdopple";
  }
  int32_t ergebnis = 0;
};

struct ErrorCase {
  const char* script;
  int32_t number;
  int line;
  int column;  // 0: not checked
  const char* text;
  const char* description = nullptr;  // the whole description; else only its start is checked
};

TEST(EngineTest, ErrorsReportNumberLineColumnAndText) {
  const ErrorCase cases[] = {
      {"\r\nx = 1\r\ny = 1 / 0", 11, 3, 0, "y = 1 / 0"},
      {"\r\nx = (1", 1006, 2, 0, "x = (1"},
      {"\r\nIf x Then\r\nx = 1", 1014, 3, 0, "x = 1"},
      {"\r\nDim a(2)\r\na(3) = 1", 9, 3, 0, "a(3) = 1"},
      {"\r\nOption Explicit\r\nundeclared = 1", 500, 3, 0, "undeclared = 1"},
      {"\r\nSub S\r\n  x = CLng(\"abc\")\r\nEnd Sub\r\nS", 13, 3, 0, "  x = CLng(\"abc\")"},
      {"\r\nErgebnis = \"kein Wert\"", 13, 2, 0, "Ergebnis = \"kein Wert\""},
      {"\r\nSet o = CreateObject(\"Scripting.FileSystemObject\")", 429, 2, 0,
       "Set o = CreateObject(\"Scripting.FileSystemObject\")"},
      {"x = 1 / 0", 11, 1, 1, "x = 1 / 0"},
      {"  y = 2 : z = CLng(\"a\")", 13, 1, 11, "  y = 2 : z = CLng(\"a\")"},
      {"x = 1\n\tIf x Then y = 1 / 0", 11, 2, 12, "\tIf x Then y = 1 / 0"},
      {"x = 1 +* 2", 1023, 1, 8, "x = 1 +* 2"},
      {"Sub S\n  a = 1 : Err.Raise 1234\nEnd Sub\nS", 1234, 2, 11, "  a = 1 : Err.Raise 1234"},
      // An unclosed block names the line where it opened.
      {"x = 1\nFor i = 1 To 3\n  x = x + i", 1020, 3, 0, "  x = x + i",
       "'Next' erwartet (zu 'For' in Zeile 2)"},
      {"Function R(n) : R = R(n + 1) : End Function\nx = R(1)", 28, 1, 0,
       "Function R(n) : R = R(n + 1) : End Function"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.script);
    Engine engine;
    engine.AddObject("Tradomir", std::make_shared<FakeServices>(), true);
    auto r = engine.ExecuteStatement(c.script);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().Number(), c.number);
    EXPECT_EQ(engine.Error().number, c.number);
    EXPECT_EQ(engine.Error().line, c.line);
    if (c.column) {
      EXPECT_EQ(engine.Error().column, c.column);
    }
    EXPECT_EQ(engine.Error().text, c.text);
    // The table's text, perhaps followed by the name or block it concerns.
    EXPECT_EQ(engine.Error().description.rfind(AutomationError(c.number).Description(), 0), 0u);
    if (c.description) {
      EXPECT_EQ(engine.Error().description, c.description);
    }
  }
}

TEST(EngineTest, ObjectErrorsAsHresultsBecomeTheLanguagesNumbers) {
  const struct {
    const char* hresult;
    int32_t number;
    const char* description;
  } cases[] = {
      {"&h800A0009", 9, "Index außerhalb des gültigen Bereichs"},
      {"&h8007000E", 7, "Nicht genügend Speicher"},
      {"&h80070005", 70, "Zugriff verweigert"},
      {"&h80070057", 5, "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
      {"&h80004001", 445, "Objekt unterstützt diese Aktion nicht"},
      {"&h80004002", 430, "Klasse unterstützt keine Automatisierung"},
      {"&h80020005", 13, "Typen unverträglich"},
      {"&h80020006", 438, "Objekt unterstützt diese Eigenschaft oder Methode nicht"},
      {"&h8002000A", 6, "Überlauf"},
      {"&h8002000E", 450,
       "Falsche Anzahl an Argumenten oder ungültige Zuweisung zu einer Eigenschaft"},
      {"&h80040154", 429, "Objekterstellung durch ActiveX-Komponente nicht möglich"},
      {"&h80041234", static_cast<int32_t>(0x80041234u), "Unbekannter Laufzeitfehler"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hresult);
    Engine engine;
    engine.AddObject("Tradomir", std::make_shared<FakeServices>(), true);
    // The same number under On Error Resume Next (Err) and without (the error report).
    ASSERT_TRUE(engine
                    .ExecuteStatement(std::string("On Error Resume Next\r\nScheitere ") +
                                      c.hresult + "\r\nErgebnis = Err.Number")
                    .ok());
    EXPECT_EQ(engine.Eval("Ergebnis").value(), Variant(c.number));
    EXPECT_EQ(engine.Eval("Err.Description").value(), Variant(c.description));
    auto r = engine.ExecuteStatement(std::string("Scheitere ") + c.hresult);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(engine.Error().number, c.number);
    EXPECT_EQ(engine.Error().description, c.description);
  }
}

TEST(EngineTest, EndlessLoopEndsWithTheTimeLimit) {
  const char* loops[] = {
      "Do : Loop",
      "While True : x = x + 1 : Wend",
      "For i = 1 To 2 Step 0 : Next",
      "Sub S : Do : Loop : End Sub : S",
      "On Error Resume Next : Do : x = 1 / 0 : Loop",
      "Function F(x) : F = x * 2 + 1 : End Function : Do : s = s + F(1) Mod 7 : Loop",
      "Function F(x) : F = x + 1 : End Function : For i = 1 To 2 Step 0 : d = F(i) / 3 : Next"};
  for (const char* script : loops) {
    SCOPED_TRACE(script);
    Engine engine;
    engine.SetTimeLimit(50);
    auto r = engine.ExecuteStatement(script);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().Number(), 18);
    EXPECT_EQ(engine.Error().line, 1);
  }
}

TEST(EngineTest, DeeplyNestedExpressionIsOutOfStack) {
  Engine engine;
  std::string nested(5000, '(');
  auto e = engine.Eval(nested + "1" + std::string(5000, ')'));
  ASSERT_FALSE(e.ok());
  EXPECT_EQ(e.error().Number(), 28);
}

// Run passes by reference unless the parameter is ByVal.
TEST(EngineTest, EvalRunResetAndExecuteStatement) {
  Engine engine;
  ASSERT_TRUE(engine
                  .AddCode("Function Add(a, b) : Add = a + b : b = 0 : End Function\nk = 4\n"
                           "Sub Both(ByRef r, ByVal v) : r = r & \"!\" : v = v & \"!\" : End Sub\n"
                           "Function Fill(a) : a(0) = 5 : Fill = UBound(a) : End Function")
                  .ok());
  auto v = engine.Eval("k * 2 + 1");
  ASSERT_TRUE(v.ok());
  EXPECT_EQ(v.value(), Variant(int16_t{9}));
  Variant args[] = {Variant(int16_t{2}), Variant(int16_t{3})};
  auto sum = engine.Run("Add", args);
  ASSERT_TRUE(sum.ok());
  EXPECT_EQ(sum.value(), Variant(int16_t{5}));
  Variant texts[] = {Variant("r"), Variant("v")};
  ASSERT_TRUE(engine.Run("both", texts).ok());
  EXPECT_EQ(texts[0], Variant("r!"));
  EXPECT_EQ(texts[1], Variant("v"));
  Variant array[] = {Variant(VariantArray::Vector(0, {Variant(), Variant()}))};
  auto n = engine.Run("Fill", array);
  ASSERT_TRUE(n.ok());
  EXPECT_EQ(n.value(), Variant(int32_t{1}));
  EXPECT_EQ(array[0].AsArray().At(0), Variant(int16_t{5}));
  auto wrong = engine.Run("Both", std::span(texts, 1));  // one argument short
  ASSERT_FALSE(wrong.ok());
  EXPECT_EQ(wrong.error().Number(), 450);
  engine.Reset();
  EXPECT_FALSE(engine.Run("Add", args).ok());
  auto empty = engine.Eval("IsEmpty(k)");
  ASSERT_TRUE(empty.ok());
  EXPECT_EQ(empty.value(), Variant(true));
  EXPECT_FALSE(engine.SetLanguage("JScript").ok());
  EXPECT_TRUE(engine.SetLanguage("vbscript").ok());
  // Eval and ExecuteStatement share the script-level names.
  ASSERT_TRUE(engine.ExecuteStatement("Dim total : total = 1").ok());
  ASSERT_TRUE(engine.ExecuteStatement("total = total + 1 : Execute \"total = total * 10\"").ok());
  EXPECT_EQ(engine.Eval("total").value(), Variant(int16_t{20}));
  // Eval's "=" compares; it never assigns.
  EXPECT_EQ(engine.Eval("total = 20").value(), Variant(true));
  EXPECT_EQ(engine.Eval("total").value(), Variant(int16_t{20}));
  auto statement = engine.Eval("total = 1 : total = 2");
  EXPECT_FALSE(statement.ok());
}

TEST(EngineTest, ScriptObjectsServeTheHostAndTerminateWithTheEngine) {
  auto services = std::make_shared<FakeServices>();
  ObjectRef kept;
  {
    Engine engine;
    engine.AddObject("Tradomir", services, false);
    ASSERT_TRUE(
        engine
            .AddCode(
                "Class Box\n Public V\n Public Function Twice() : Twice = V * 2 : End Function\n"
                " Sub Class_Terminate : Tradomir.Ergebnis = 99 : End Sub\nEnd Class\n"
                "Set b = New Box : b.V = 21")
            .ok());
    auto box = engine.Eval("b");
    ASSERT_TRUE(box.ok());
    kept = box.value().AsObject();
    EXPECT_EQ(kept->TypeName(), "Box");
    EXPECT_EQ(kept->Invoke("twice", InvokeKind::Method, {}), Variant(int16_t{42}));
    EXPECT_EQ(services->ergebnis, 0);
    auto global = engine.ExecuteStatement("Ergebnis = 1");  // members not global here
    ASSERT_TRUE(global.ok());
    EXPECT_EQ(services->ergebnis, 0);
  }
  // The engine is gone; the host's reference stays safe to drop.
  kept.reset();
}

TEST(EngineTest, ClassTerminateRunsWhenTheEngineEnds) {
  auto services = std::make_shared<FakeServices>();
  {
    Engine engine;
    engine.AddObject("Tradomir", services, true);
    ASSERT_TRUE(
        engine
            .AddCode("Class Box\n Sub Class_Terminate : Ergebnis = 99 : End Sub\nEnd Class\n"
                     "Set b = New Box")
            .ok());
    // The rules' own calls are FuehreKontoScriptAus_test's; here a host that changes a ByRef
    // argument.
    ASSERT_TRUE(engine.ExecuteStatement("n = 4 : Verdopple n : Ergebnis = n").ok());
    EXPECT_EQ(services->ergebnis, 8);
  }
  EXPECT_EQ(services->ergebnis, 99);
}

TEST(EngineTest, ClockAndLocaleComeFromTheHost) {
  Engine engine;
  engine.SetClock([] { return 45291.5; });  // 31 Dec 2023, 12:00
  engine.SetLocale(AutomationLocale::German());
  auto v = engine.Eval("Year(Now) & \"/\" & Hour(Now) & \"/\" & CStr(1.5) & \"/\" & CDbl(\"2,5\")");
  ASSERT_TRUE(v.ok()) << engine.Error().description;
  EXPECT_EQ(v.value(), Variant("2023/12/1,5/2,5"));
}

}  // namespace
}  // namespace vks::vbscript
