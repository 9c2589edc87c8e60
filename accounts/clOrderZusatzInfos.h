#pragma once
// The extras of an order that the host fills and passes with every order status report: what an
// instrument costs to hold (margin), to trade (commissions) and how its currency converts. The
// account copies them into the position and the order they concern.
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

}  // namespace vks
