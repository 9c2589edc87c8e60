// The memory bound holds for one growing value and for everything a script keeps: many strings in
// an array, a dictionary, objects, locals of running procedures. Values that are gone do not count,
// and a variable passed ByRef down many calls counts once. Objects in a cycle go with the engine.
#include <gtest/gtest.h>

#include "vbscript/Engine.h"

namespace vks::vbscript {
namespace {

Limits OneMegabyte() {
  Limits limits;
  limits.memory_limit = 1 << 20;
  return limits;
}

// Growing past the bound is error 7 on the line that grew; values that are gone or shared do not
// count.
TEST(MemoryFootprintTest, GrowingPastTheBoundIsError7) {
  const std::pair<const char*, bool> scripts[] = {
      {"s = Space(2000000)", true},
      {"s = String(3000000, \"x\")", true},
      {"s = \"x\" : Do : s = s & s : Loop", true},
      {"s = \"xy\" : Do : s = s + s : Loop", true},
      {"ReDim a(10000000)", true},
      {"s = Replace(Space(600000), \" \", \"ab\")", true},
      {"Dim a(100)\nFor i = 0 To 100\n  a(i) = Space(100000)\nNext", true},
      {"Set d = CreateObject(\"Scripting.Dictionary\")\nFor i = 1 To 100\n  d.Add i, Space(50000)\n"
       "Next",
       true},
      {"Class C : Public S : End Class\nDim a(100)\nFor i = 0 To 100\n  Set a(i) = New C\n"
       "  a(i).S = String(60000, \"x\")\nNext",
       true},
      {"Sub Deep(n)\n  Dim t : t = Space(300000)\n  If n < 10 Then Deep n + 1\nEnd Sub\nDeep 1",
       true},
      {"ReDim a(0)\nFor i = 1 To 100000\n  ReDim Preserve a(i)\n  a(i) = Space(1000) & i\nNext",
       true},
      {"parts = Split(String(400000, \",\"), \",\")", true},
      {"For i = 1 To 200\n  s = Space(500000)\nNext", false},
      {"Sub Pass(x, n)\n  If n > 0 Then Pass x, n - 1\n  If n = 0 Then y = Space(100000)\nEnd Sub\n"
       "s = Space(700000)\nPass s, 30",
       false},
      {"Set d = CreateObject(\"Scripting.Dictionary\")\nFor i = 1 To 100\n  d(\"k\") = "
       "Space(500000)\nNext",
       false},
      {"Dim a(3)\nFor i = 1 To 50\n  a(i Mod 4) = Space(200000)\nNext", false},
  };
  for (const auto& [script, too_much] : scripts) {
    SCOPED_TRACE(script);
    Engine engine(OneMegabyte());
    auto r = engine.ExecuteStatement(script);
    EXPECT_EQ(r.ok() ? 0 : r.error().Number(), too_much ? 7 : 0) << engine.Error().description;
    if (too_much) {
      EXPECT_GT(engine.Error().line, 0);
    }
  }
}

TEST(MemoryFootprintTest, TheScriptCanCatchItAndGoOn) {
  Engine engine(OneMegabyte());
  auto r = engine.ExecuteStatement(
      "On Error Resume Next\nDim a(100)\nFor i = 0 To 100\n  a(i) = Space(100000)\n"
      "  If Err.Number = 7 Then Exit For\nNext\nn = Err.Number : Erase a\nok = Len(Space(500000))");
  ASSERT_TRUE(r.ok()) << engine.Error().description;
  auto n = engine.Eval("n & \"/\" & ok");
  ASSERT_TRUE(n.ok());
  EXPECT_EQ(n.value(), Variant("7/500000"));
}

TEST(MemoryFootprintTest, DefaultBoundIs256Megabytes) {
  Engine engine;
  auto under = engine.ExecuteStatement("s = Space(150000000)");
  EXPECT_TRUE(under.ok()) << engine.Error().description;
  auto over = engine.ExecuteStatement("t = Space(150000000)");
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.error().Number(), 7);
}

// The engine lives for one evaluation: objects that hold each other go with it.
TEST(MemoryFootprintTest, ObjectsHoldingEachOtherGoWithTheEngine) {
  std::weak_ptr<Dispatch> ring, dictionary;
  {
    Engine engine;
    ASSERT_TRUE(engine
                    .ExecuteStatement("Class K : Public Other : End Class\n"
                                      "Set a = New K : Set b = New K\n"
                                      "Set a.Other = b : Set b.Other = a\n"
                                      "Set d = CreateObject(\"Scripting.Dictionary\")\n"
                                      "d.Add \"self\", d : d.Add \"ring\", a")
                    .ok());
    ring = engine.Eval("a").value().AsObject();
    dictionary = engine.Eval("d").value().AsObject();
  }
  EXPECT_TRUE(ring.expired());
  EXPECT_TRUE(dictionary.expired());
}

}  // namespace
}  // namespace vks::vbscript
