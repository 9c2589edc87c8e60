#pragma once
// The fields of the order extras as they cross the bus, in declared order, for both sides of the
// bus; MinTickSize, the one Variant field, has neither member pointer and is handled on its own.
#include <array>

#include "accounts/clOrderZusatzInfos.h"

namespace vks::dbus {

struct ZusatzFeld {
  const char* name;
  float clOrderZusatzInfos::*single;
  bool clOrderZusatzInfos::*boolean;
};

inline constexpr std::array<ZusatzFeld, 10> kZusatzFelder{{
    {"PointValue", &clOrderZusatzInfos::PointValue, nullptr},
    {"MinTickSize", nullptr, nullptr},
    {"Margin", &clOrderZusatzInfos::Margin, nullptr},
    {"Commissions", &clOrderZusatzInfos::Commissions, nullptr},
    {"CommissionsArePoints", nullptr, &clOrderZusatzInfos::CommissionsArePoints},
    {"MindestCommissions", &clOrderZusatzInfos::MindestCommissions, nullptr},
    {"MaximalCommissions", &clOrderZusatzInfos::MaximalCommissions, nullptr},
    {"ZusatzCommissions", &clOrderZusatzInfos::ZusatzCommissions, nullptr},
    {"AktUmrechnungsWert", &clOrderZusatzInfos::AktUmrechnungsWert, nullptr},
    {"UmrechnungAuchGebuehren", nullptr, &clOrderZusatzInfos::UmrechnungAuchGebuehren},
}};

}  // namespace vks::dbus
