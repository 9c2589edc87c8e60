#include "accounts/Eingabepruefung.h"

#include <cmath>
#include <string>

#include "accounts/StorableTexts.h"
#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"
#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

[[noreturn]] void Refuse(std::string_view name, std::string_view problem) {
  throw AutomationError(error::kInvalidCall, "", std::string(name) + " " + std::string(problem));
}

}  // namespace

bool IstGueltigesDatum(DateValue datum) {
  // Before the epoch the fraction counts forward from midnight: -657434.5 is noon on 1 January 100.
  return datum.days > kMinAutomationDate - 1.0 && datum.days <= kMaxAutomationDate;
}

void PruefeZahl(std::string_view name, double wert) {
  if (!std::isfinite(wert)) Refuse(name, "ist keine gültige Zahl");
}

void PruefeDatum(std::string_view name, DateValue datum) {
  if (!IstGueltigesDatum(datum)) Refuse(name, "ist kein Datum zwischen den Jahren 100 und 9999");
}

void PruefeText(std::string_view name, std::string_view text) {
  if (IsStorableText(text)) return;
  if (!FitsWindows1252(text))
    Refuse(name, "enthält Zeichen, die Windows-1252 nicht darstellen kann");
  Refuse(name, "ist länger als " + std::to_string(kMaxStorableTextBytes) + " Zeichen");
}

void PruefeWert(std::string_view name, const Variant& wert) {
  if (wert.Type() == VarType::String) {
    PruefeText(name, wert.AsString());
  } else if (wert.IsArray()) {
    for (const Variant& element : wert.AsArray().Elements()) PruefeWert(name, element);
  } else if (wert.IsNumeric() || wert.Type() == VarType::Date) {
    PruefeZahl(name, ToDouble(wert));
  }
}

void PruefeZusatzInfos(const clOrderZusatzInfos& z) {
  PruefeZahl("PointValue", z.PointValue);
  PruefeWert("MinTickSize", z.MinTickSize);
  PruefeZahl("Margin", z.Margin);
  PruefeZahl("Commissions", z.Commissions);
  PruefeZahl("MindestCommissions", z.MindestCommissions);
  PruefeZahl("MaximalCommissions", z.MaximalCommissions);
  PruefeZahl("ZusatzCommissions", z.ZusatzCommissions);
  PruefeZahl("AktUmrechnungsWert", z.AktUmrechnungsWert);
}

}  // namespace vks
