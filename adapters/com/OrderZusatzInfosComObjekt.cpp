#include "adapters/com/OrderZusatzInfosComObjekt.h"

#include <array>

#include "platform/automation/AutomationError.h"

namespace vks::com {

namespace {

using Zusatz = VKSKontoServerV7::_clOrderZusatzInfos;

struct SingleFeld {
  HRESULT (STDMETHODCALLTYPE Zusatz::*get)(FLOAT*);
  float clOrderZusatzInfos::*feld;
};
constexpr std::array<SingleFeld, 7> kSingleFelder{{
    {&Zusatz::get_PointValue, &clOrderZusatzInfos::PointValue},
    {&Zusatz::get_Margin, &clOrderZusatzInfos::Margin},
    {&Zusatz::get_Commissions, &clOrderZusatzInfos::Commissions},
    {&Zusatz::get_MindestCommissions, &clOrderZusatzInfos::MindestCommissions},
    {&Zusatz::get_MaximalCommissions, &clOrderZusatzInfos::MaximalCommissions},
    {&Zusatz::get_ZusatzCommissions, &clOrderZusatzInfos::ZusatzCommissions},
    {&Zusatz::get_AktUmrechnungsWert, &clOrderZusatzInfos::AktUmrechnungsWert},
}};

struct BoolFeld {
  HRESULT (STDMETHODCALLTYPE Zusatz::*get)(VARIANT_BOOL*);
  bool clOrderZusatzInfos::*feld;
};
constexpr std::array<BoolFeld, 2> kBoolFelder{{
    {&Zusatz::get_CommissionsArePoints, &clOrderZusatzInfos::CommissionsArePoints},
    {&Zusatz::get_UmrechnungAuchGebuehren, &clOrderZusatzInfos::UmrechnungAuchGebuehren},
}};

void Check(HRESULT hr) {
  if (FAILED(hr)) throw AutomationError(error::kTypeMismatch);
}

}  // namespace

clOrderZusatzInfos LeseZusatzInfos(Zusatz& zusatz, ObjectBridge& objects) {
  clOrderZusatzInfos werte;
  for (const SingleFeld& f : kSingleFelder) Check((zusatz.*f.get)(&(werte.*f.feld)));
  for (const BoolFeld& f : kBoolFelder) {
    VARIANT_BOOL b = VARIANT_FALSE;
    Check((zusatz.*f.get)(&b));
    werte.*f.feld = b != VARIANT_FALSE;
  }
  OwnedVariant tick;
  Check(zusatz.get_MinTickSize(&tick));
  werte.MinTickSize = FromVariant(tick, &objects);
  return werte;
}

// The fields are plain values: nothing here can fail.
#define VKS_FELD(Name, Type, Read, Write)                       \
  HRESULT OrderZusatzInfosComObjekt::get_##Name(Type* result) { \
    return Call([&] { *result = Read(werte_.Name); });          \
  }                                                             \
  HRESULT OrderZusatzInfosComObjekt::put_##Name(Type value) {   \
    return Call([&] { werte_.Name = Write(value); });           \
  }
#define VKS_SINGLE(Name) VKS_FELD(Name, FLOAT, , )
#define VKS_BOOL(Name)                                                             \
  VKS_FELD(                                                                        \
      Name, VARIANT_BOOL, [](bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }, \
      [](VARIANT_BOOL b) { return b != VARIANT_FALSE; })
VKS_SINGLE(PointValue)
VKS_SINGLE(Margin)
VKS_SINGLE(Commissions)
VKS_BOOL(CommissionsArePoints)
VKS_SINGLE(MindestCommissions)
VKS_SINGLE(MaximalCommissions)
VKS_SINGLE(ZusatzCommissions)
VKS_SINGLE(AktUmrechnungsWert)
VKS_BOOL(UmrechnungAuchGebuehren)
#undef VKS_BOOL
#undef VKS_SINGLE
#undef VKS_FELD

HRESULT OrderZusatzInfosComObjekt::get_MinTickSize(VARIANT* result) {
  return Call([&] { ToVariant(werte_.MinTickSize, *result, &objects_); });
}
HRESULT OrderZusatzInfosComObjekt::put_MinTickSize(VARIANT value) {
  return Call([&] { werte_.MinTickSize = FromVariant(value, &objects_); });
}
HRESULT OrderZusatzInfosComObjekt::putref_MinTickSize(VARIANT value) {
  return put_MinTickSize(value);
}

}  // namespace vks::com
