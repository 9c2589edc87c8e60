#pragma once
// An automation error as hosts and scripts see it: number, source and description. Every failure
// that crosses an automation boundary (host call, script, store file) travels as this one type.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vks {

class [[nodiscard]] AutomationError : public std::exception {
 public:
  // Description taken from the error table.
  explicit AutomationError(int32_t number, std::string source = {});
  AutomationError(int32_t number, std::string source, std::string description);

  int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
};

// The German description of an error number; a number outside the table gets the generic
// "Anwendungs- oder objektdefinierter Fehler".
std::string_view ErrorDescription(int32_t number);

// The numbers the core raises itself; scripts and hosts see them unchanged.
namespace error {
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kArrayFixedOrLocked = 10;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kBadFileFormat = 321;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kNotACollection = 451;
inline constexpr int32_t kMemberNotFound = 438;
inline constexpr int32_t kWrongArgumentCount = 450;
inline constexpr int32_t kKeyExists = 457;
inline constexpr int32_t kElementNotFound = 32811;
}  // namespace error

}  // namespace vks
