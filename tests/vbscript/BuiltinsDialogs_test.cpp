// MsgBox and InputBox reach the host's message reporter with their text, buttons and title, and
// the script sees the answer; without a reporter every box takes its default answer.
#include <gtest/gtest.h>

#include "fakes/RecordingReporter.h"
#include "vbscript/Engine.h"

namespace vks::vbscript {
namespace {

TEST(BuiltinsDialogsTest, BoxesGoToTheReporterOrTakeTheirDefaults) {
  const struct {
    const char* expression;
    int32_t answer;  // what the user presses; 0 = no answer queued, -1 = no reporter
    const char* text;
    int32_t style;
    const char* title;
    Variant result;
  } cases[] = {
      {"MsgBox(\"Hallo\")", 0, "Hallo", 0, kDefaultMessageTitle, Variant(int16_t{1})},
      {"MsgBox(\"Weiter?\", vbYesNo + vbQuestion, \"Frage\")", 7, "Weiter?", 36, "Frage",
       Variant(int16_t{7})},
      {"MsgBox(12.5, vbRetryCancel)", 0, "12.5", 5, kDefaultMessageTitle, Variant(int16_t{4})},
      {"InputBox(\"Name?\", \"Eingabe\", \"Anna\")", 0, "Name?", 1, "Eingabe", Variant("Anna")},
      {"InputBox(\"Name?\", , \"Anna\")", 2, "Name?", 1, kDefaultMessageTitle, Variant("")},
      {"MsgBox(\"x\", vbAbortRetryIgnore)", -1, "", 0, "", Variant(int16_t{3})},
      {"MsgBox(\"x\", vbYesNoCancel)", -1, "", 0, "", Variant(int16_t{6})},
      {"InputBox(\"x\", \"t\", 42)", -1, "", 0, "", Variant("42")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    testing::RecordingReporter reporter;
    if (c.answer > 0) reporter.answers.push_back(c.answer);
    Engine engine;
    if (c.answer >= 0) engine.SetMessageReporter(&reporter);
    auto r = engine.Eval(c.expression);
    ASSERT_TRUE(r.ok()) << engine.Error().description;
    EXPECT_EQ(r.value(), c.result);
    if (c.answer < 0) continue;
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, c.text);
    EXPECT_EQ(reporter.messages[0].style, c.style);
    EXPECT_EQ(reporter.messages[0].title, c.title);
  }
  // The reporter outlives a Reset; a Null prompt is refused.
  testing::RecordingReporter reporter;
  Engine engine;
  engine.SetMessageReporter(&reporter);
  engine.Reset();
  ASSERT_TRUE(engine.ExecuteStatement("MsgBox \"nach Reset\"").ok());
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].text, "nach Reset");
  auto null_prompt = engine.Eval("MsgBox(Null)");
  ASSERT_FALSE(null_prompt.ok());
  EXPECT_EQ(null_prompt.error().Number(), 94);
}

}  // namespace
}  // namespace vks::vbscript
