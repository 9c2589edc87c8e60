#pragma once
// An automation error that knows where in the executed text it happened. Compile errors carry the
// offending token's position; run-time errors the position of the statement that failed.
#include <string>

#include "platform/automation/AutomationError.h"

namespace vks::vbscript {

inline constexpr const char* kRuntimeSource = "Laufzeitfehler in Microsoft VBScript";
inline constexpr const char* kCompileSource = "Kompilierungsfehler in Microsoft VBScript";

// Error numbers beyond the core's own list; the core's are visible here too.
namespace error {
using namespace ::vks::error;
inline constexpr int32_t kUserInterrupt = 18;  // time limit reached
inline constexpr int32_t kOutOfStack = 28;
inline constexpr int32_t kSubNotDefined = 35;
inline constexpr int32_t kForNotInitialised = 92;
inline constexpr int32_t kObjectDoesntSupportAction = 445;
inline constexpr int32_t kUnsupportedType = 458;
inline constexpr int32_t kVariableUndefined = 500;
inline constexpr int32_t kIllegalAssignment = 501;
inline constexpr int32_t kInvalidReference = 505;
inline constexpr int32_t kClassNotDefined = 506;
inline constexpr int32_t kIllegalAssignment2 = 5008;
inline constexpr int32_t kRegExpSyntax = 5017;
inline constexpr int32_t kSyntax = 1002;
inline constexpr int32_t kExpectedColon = 1003;
inline constexpr int32_t kExpectedLParen = 1005;
inline constexpr int32_t kExpectedRParen = 1006;
inline constexpr int32_t kExpectedIdentifier = 1010;
inline constexpr int32_t kExpectedEqual = 1011;
inline constexpr int32_t kExpectedIf = 1012;
inline constexpr int32_t kExpectedTo = 1013;
inline constexpr int32_t kExpectedEnd = 1014;
inline constexpr int32_t kExpectedFunction = 1015;
inline constexpr int32_t kExpectedSub = 1016;
inline constexpr int32_t kExpectedThen = 1017;
inline constexpr int32_t kExpectedWend = 1018;
inline constexpr int32_t kExpectedLoop = 1019;
inline constexpr int32_t kExpectedNext = 1020;
inline constexpr int32_t kExpectedCase = 1021;
inline constexpr int32_t kExpectedSelect = 1022;
inline constexpr int32_t kExpectedExpression = 1023;
inline constexpr int32_t kExpectedStatement = 1024;
inline constexpr int32_t kExpectedEndOfStatement = 1025;
inline constexpr int32_t kExpectedInteger = 1026;
inline constexpr int32_t kExpectedWhileUntil = 1027;
inline constexpr int32_t kExpectedWith = 1029;
inline constexpr int32_t kInvalidNumber = 1031;
inline constexpr int32_t kInvalidCharacter = 1032;
inline constexpr int32_t kUnterminatedString = 1033;
inline constexpr int32_t kInvalidMe = 1037;
inline constexpr int32_t kLoopWithoutDo = 1038;
inline constexpr int32_t kInvalidExit = 1039;
inline constexpr int32_t kNameRedefined = 1041;
inline constexpr int32_t kParensOnSubCall = 1044;
inline constexpr int32_t kExpectedLiteral = 1045;
inline constexpr int32_t kExpectedIn = 1046;
inline constexpr int32_t kExpectedClass = 1047;
inline constexpr int32_t kExpectedProperty = 1050;
inline constexpr int32_t kMultipleDefaults = 1052;
inline constexpr int32_t kUnexpectedNext = 1055;
}  // namespace error

class ScriptError : public AutomationError {
 public:
  ScriptError(const AutomationError& e, int line, int column)
      : AutomationError(e), line_(line), column_(column) {}
  ScriptError(int32_t number, const char* source, int line, int column)
      : AutomationError(number, source), line_(line), column_(column) {}
  // A compile error; `note` is appended to the table's description (the line where a block opened).
  static ScriptError Compile(int32_t number, int line, int column, const std::string& note = {});

  int Line() const { return line_; }
  int Column() const { return column_; }

 private:
  int line_;
  int column_;
};

}  // namespace vks::vbscript
