#pragma once
// The extras of an order that the host fills and passes with every order status report: what an
// instrument costs to hold (margin), to trade (commissions) and how its currency converts. The
// account copies them into the position and the order they concern.
#include "platform/automation/NoValue.h"
#include "platform/automation/Variant.h"

namespace vks {

struct clOrderZusatzInfos {
  float PointValue = 0;  // 0 marks a stock, any other value a contract
  Variant MinTickSize;
  float Margin = 0;  // stock: percent of the traded value; contract: amount per contract
  float Commissions = 0;
  bool CommissionsArePoints = false;
  float MindestCommissions = 0;
  float MaximalCommissions = 0;  // 0 or less: no maximum
  float ZusatzCommissions = 0;
  float AktUmrechnungsWert = 0;  // NoValue: no factor supplied
  bool UmrechnungAuchGebuehren = false;
};

// The trading terms of the extras as a position or an open order takes them (both carry the same
// fields): a stock's margin percent becomes a fraction, a factor of NoValue keeps the current one.
template <class Record>
void UebernimmZusatzInfos(Record& record, const clOrderZusatzInfos& z) {
  record.PointValue = z.PointValue;
  record.MinTickSize = z.MinTickSize;
  record.Margin = z.PointValue == 0 ? z.Margin / 100.0f : z.Margin;
  record.Commissions = z.Commissions;
  record.CommissionsArePoints = z.CommissionsArePoints;
  record.MindestCommissions = z.MindestCommissions;
  record.MaximalCommissions = z.MaximalCommissions;
  record.ZusatzCommissions = z.ZusatzCommissions;
  if (z.AktUmrechnungsWert != NoValue) record.AktUmrechnungsWert = z.AktUmrechnungsWert;
  record.UmrechnungAuchGebuehren = z.UmrechnungAuchGebuehren;
}

}  // namespace vks
