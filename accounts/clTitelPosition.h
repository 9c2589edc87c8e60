#pragma once
// A position of an account in one security: its signed quantity, average entry price, last price
// and the trading terms (margin, commissions, conversion) copied from the order extras.
#include <cstdint>
#include <string>

#include "accounts/RecordFields.h"
#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/NoValue.h"
#include "platform/automation/Variant.h"

namespace vks {

class StoreReader;
class StoreWriter;

class clTitelPosition {
 public:
  clTitelPosition() = default;
  clTitelPosition(const clTitelPosition&) = delete;
  clTitelPosition& operator=(const clTitelPosition&) = delete;

  std::string TitelWKN;
  std::string TitelName;
  float Durchschnittspreis = 0;
  int32_t Position = 0;  // positive long, negative short, 0 none
  float PointValue = 0;  // 0 marks a stock
  Variant MinTickSize;
  float AktUmrechnungsWert = 0;
  bool UmrechnungAuchGebuehren = false;
  double OpenPL = 0;
  float AktuellerKurs = NoValue;
  DateValue AktuelleZeit;
  bool NeuenKursSpeichern = false;
  float Margin = 0;  // stock: fraction of the traded value; contract: amount per contract
  float Commissions = 0;
  bool CommissionsArePoints = false;
  float MindestCommissions = 0;
  float MaximalCommissions = 0;
  float ZusatzCommissions = 0;
  float StartMarginUmrechnungswert = 0;

  // The record as stored: 17 elements from index 0.
  Variant WriteAllProperties() const;
  // Sets the stored fields from such a record with the automation coercions; the fields that are
  // not stored are left alone. Throws AutomationError 13 or 9 for a record of the wrong shape and
  // the coercions' errors (13, 6, 94) for an element that does not convert.
  void ReadAllProperties(const Variant& para);
  // The same, written straight to the store's bytes and read straight from them (which the two
  // above do too); reading throws as above and as StoreReader for damaged bytes.
  void WriteAllProperties(StoreWriter& out) const;
  void ReadAllProperties(StoreReader& in);
  // Takes over the trading terms of an order: a stock's margin percent becomes a fraction, a
  // factor of NoValue keeps the current one. Name, identifier, quantity and prices stay.
  void SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos);

  // Commission of a fill of `Anzahl` units at `Kurs` in account currency: a percentage of the
  // traded value or an amount per unit, raised to the minimum, capped by a positive maximum, plus
  // the extra amount, converted when the fees are converted too. Held as a Single, as booked.
  float BerechneCommissions(int32_t Anzahl, float Kurs) const;

  bool IstAktie() const { return PointValue == 0; }
};

template <>
struct StoredFields<clTitelPosition> {
  static constexpr std::string_view kRecord = "clTitelPosition";
  static constexpr std::string_view kWhat = "Positionsdatensatz";
  static constexpr int32_t kElements = 17;
  static constexpr auto kKey = &clTitelPosition::TitelWKN;
  static constexpr auto kFields = std::tuple{
      Field("Durchschnittspreis", &clTitelPosition::Durchschnittspreis),
      Field("Position", &clTitelPosition::Position),
      Field("PointValue", &clTitelPosition::PointValue),
      Field("MinTickSize", &clTitelPosition::MinTickSize),
      Field("TitelWKN", &clTitelPosition::TitelWKN),
      Field("TitelName", &clTitelPosition::TitelName),
      Field("Margin", &clTitelPosition::Margin),
      Field("Commissions", &clTitelPosition::Commissions),
      Field("CommissionsArePoints", &clTitelPosition::CommissionsArePoints),
      Field("MindestCommissions", &clTitelPosition::MindestCommissions),
      Field("MaximalCommissions", &clTitelPosition::MaximalCommissions),
      Field("ZusatzCommissions", &clTitelPosition::ZusatzCommissions),
      Field("AktUmrechnungsWert", &clTitelPosition::AktUmrechnungsWert),
      Field("OpenPL", &clTitelPosition::OpenPL),
      Field("UmrechnungAuchGebuehren", &clTitelPosition::UmrechnungAuchGebuehren),
  };
};

}  // namespace vks
