#pragma once
// The object a rule script talks to, published as "Tradomir" with its members also as global
// names: the account and order in question, the result, the account metrics and the request to
// cancel an account's entry orders.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

namespace vks {

struct KontoSitzung;

class clScriptingServices : public Dispatch {
 public:
  explicit clScriptingServices(KontoSitzung& sitzung) : sitzung_(sitzung) {}
  clScriptingServices(const clScriptingServices&) = delete;
  clScriptingServices& operator=(const clScriptingServices&) = delete;

  std::string KontoName;
  int16_t OrderAktion = 0;

  int32_t Ergebnis() const { return ergebnis_; }
  // Converts to a Long, halves to even; raises the conversion's error (13, 6, 94) and then keeps
  // the old result.
  void Ergebnis(const Variant& wert);
  // The metric whose key (display name without blanks) is ErgArt, of account Konto or, when that
  // is empty, of the script's own account; Empty for an unknown key or account.
  Variant Kennzahl(std::string_view ErgArt, std::string_view Konto = {}) const;
  // Every live interface object, in registry order, raises AlleOrdersStreichen for the account
  // (the own one when Konto is empty). Failures are passed over.
  void StreicheEnterOrders(std::string_view Konto = {});
  void LogbuchMeldung(int16_t Kategorie, int16_t Typ, const std::string& Info,
                      const std::string& Details);
  int32_t GetErgebnis() const { return ergebnis_; }
  void LöscheErgebnis() { ergebnis_ = 0; }

  std::string TypeName() const override { return "clScriptingServices"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

 private:
  KontoSitzung& sitzung_;
  int32_t ergebnis_ = 0;
};

}  // namespace vks
