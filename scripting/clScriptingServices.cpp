#include "scripting/clScriptingServices.h"

#include "accounts/KontoKennzahl.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/VariantConversions.h"
#include "session/KontoSitzung.h"

namespace vks {
namespace {

bool Weggelassen(const Variant& v) {
  return v.Type() == VarType::Error && v.AsError().scode == ErrorValue::kParamNotFound;
}

// An optional string argument: "" when left out.
std::string Optional(std::span<Variant> args, size_t index) {
  if (index >= args.size() || Weggelassen(args[index])) return {};
  return ToString(args[index]);
}

}  // namespace

void clScriptingServices::Ergebnis(const Variant& wert) {
  ergebnis_ = ToLong(wert);
}

Variant clScriptingServices::Kennzahl(std::string_view ErgArt, std::string_view Konto) const {
  const Variant* eintrag = sitzung_.KennzahlenNamen.Find(ErgArt);
  if (!eintrag || !eintrag->IsArray()) return {};
  const auto* konto = sitzung_.Konten.Find(Konto.empty() ? std::string_view(KontoName) : Konto);
  if (!konto || !*konto) return {};
  const VariantArray& felder = eintrag->AsArray();
  if (felder.Dimensions() != 1 || felder.UBound() < 1) return {};
  return GetKontoKennzahl(**konto, ToLong(felder.At(felder.LBound() + 1)));
}

void clScriptingServices::StreicheEnterOrders(std::string_view Konto) {
  try {
    SendeAlleOrdersStreichen(sitzung_,
                             std::string(Konto.empty() ? std::string_view(KontoName) : Konto));
  } catch (...) {
    // The script asked; whether a host listened is none of its business.
  }
}

void clScriptingServices::LogbuchMeldung(int16_t, int16_t, const std::string&, const std::string&) {
}

Variant clScriptingServices::Invoke(std::string_view name, InvokeKind kind,
                                    std::span<Variant> args) {
  const std::string member = FoldCase(name);
  const bool assigning = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
  const auto require = [&](size_t least, size_t most) {
    if (args.size() < least || args.size() > most)
      throw AutomationError(error::kWrongArgumentCount);
  };
  if (member == "kontoname") {
    if (assigning) {
      require(1, 1);
      KontoName = ToString(args[0]);
      return {};
    }
    require(0, 0);
    return Variant(KontoName);
  }
  if (member == "orderaktion") {
    if (assigning) {
      require(1, 1);
      OrderAktion = ToInteger(args[0]);
      return {};
    }
    require(0, 0);
    return Variant(OrderAktion);
  }
  if (member == "ergebnis") {
    if (assigning) {
      require(1, 1);
      Ergebnis(args[0]);
      return {};
    }
    require(0, 0);
    return Variant(ergebnis_);
  }
  if (assigning) throw AutomationError(error::kMemberNotFound);
  if (member == "kennzahl") {
    require(1, 2);
    return Kennzahl(ToString(args[0]), Optional(args, 1));
  }
  if (member == "streicheenterorders") {
    require(0, 1);
    StreicheEnterOrders(Optional(args, 0));
    return {};
  }
  if (member == "logbuchmeldung") {
    require(4, 4);
    LogbuchMeldung(ToInteger(args[0]), ToInteger(args[1]), ToString(args[2]), ToString(args[3]));
    return {};
  }
  if (member == "getergebnis") {
    require(0, 0);
    return Variant(GetErgebnis());
  }
  if (member == FoldCase("LöscheErgebnis")) {
    require(0, 0);
    LöscheErgebnis();
    return {};
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks
