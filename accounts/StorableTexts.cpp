#include "accounts/StorableTexts.h"

#include <string>

#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

// Each character takes one byte in Windows-1252: count the UTF-8 lead bytes.
size_t Windows1252Length(std::string_view utf8) {
  size_t length = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++length;
  }
  return length;
}

// Names the account and where in it a text sits.
class TextChecker {
 public:
  explicit TextChecker(const clKonto& konto) : konto_name_(konto.KontoName) {}

  // `owner` is empty for the account's own fields, else e.g. ` der Position "DE0001"`.
  void Check(std::string_view field, std::string_view text, const std::string& owner) const {
    if (!FitsWindows1252(text)) {
      Fail(field, owner, "enthält Zeichen, die Windows-1252 nicht darstellen kann");
    }
    const size_t length = Windows1252Length(text);
    if (length > kMaxStorableTextBytes) {
      Fail(field, owner,
           "ist " + std::to_string(length) + " Zeichen lang, höchstens " +
               std::to_string(kMaxStorableTextBytes) + " sind möglich");
    }
  }

  // A Variant field may hold text, also inside an array.
  void CheckVariant(std::string_view field, const Variant& value, const std::string& owner) const {
    if (value.Type() == VarType::String) {
      Check(field, value.AsString(), owner);
    } else if (value.IsArray()) {
      for (const Variant& element : value.AsArray().Elements()) CheckVariant(field, element, owner);
    }
  }

 private:
  [[noreturn]] void Fail(std::string_view field, const std::string& owner,
                         const std::string& problem) const {
    throw AutomationError(
        error::kInvalidCall, "",
        "Konto \"" + konto_name_ + "\": Feld " + std::string(field) + owner + " " + problem);
  }

  std::string konto_name_;
};

std::string Owner(std::string_view kind, std::string_view key) {
  return " " + std::string(kind) + " \"" + std::string(key) + "\"";
}

}  // namespace

bool IsStorableText(std::string_view text) {
  return FitsWindows1252(text) && Windows1252Length(text) <= kMaxStorableTextBytes;
}

void CheckStorableTexts(const clKonto& konto) {
  const TextChecker checker(konto);
  const std::string account;
  checker.Check("KontoName", konto.KontoName, account);
  checker.Check("Beschreibung", konto.Beschreibung, account);
  checker.Check("FillStreichBedingung", konto.FillStreichBedingung, account);
  checker.Check("PlatziereBedingung", konto.PlatziereBedingung, account);
  checker.Check("PlatziereMeldung", konto.PlatziereMeldung, account);
  for (const auto& [key, order] : konto.cOffeneOrders) {
    const std::string owner = Owner("der offenen Order", key);
    checker.Check("TitelWKN", order->TitelWKN, owner);
    checker.Check("ID", order->ID, owner);
    checker.Check("TitelName", order->TitelName, owner);
    checker.CheckVariant("MinTickSize", order->MinTickSize, owner);
  }
  for (const auto& [key, position] : konto.cTitelPositionen) {
    const std::string owner = Owner("der Position", key);
    checker.Check("TitelWKN", position->TitelWKN, owner);
    checker.Check("TitelName", position->TitelName, owner);
    checker.CheckVariant("MinTickSize", position->MinTickSize, owner);
  }
  for (const auto& [key, fill] : konto.cFilledOrders) {
    const std::string owner = Owner("des Fills", key);
    checker.Check("ID", fill->ID, owner);
    checker.Check("TitelName", fill->TitelName, owner);
    checker.Check("TitelWKN", fill->TitelWKN, owner);
  }
}

}  // namespace vks
