#include "accounts/Margin.h"

#include <cstdlib>

#include "accounts/clKonto.h"
#include "platform/automation/NoValue.h"

namespace vks {
namespace {

bool IsSet(float factor) {
  return factor != 0 && factor != NoValue;
}

// |Anzahl| without overflow for the most negative Long.
double Magnitude(int32_t anzahl) {
  return static_cast<double>(std::llabs(int64_t{anzahl}));
}

}  // namespace

float UmrechnungsFaktor(const clKonto& konto, float AktUmrechnungsWert) {
  return konto.UseUmrechnung && IsSet(AktUmrechnungsWert) ? AktUmrechnungsWert : 1.0f;
}

float MarginUmrechnungsFaktor(const clKonto& konto, float Umrechnungswert) {
  return konto.UseUmrechnung && konto.MarginUmrechnen && IsSet(Umrechnungswert) ? Umrechnungswert
                                                                                : 1.0f;
}

float GebuchterMarginFaktor(float StartMarginUmrechnungswert) {
  return IsSet(StartMarginUmrechnungswert) ? StartMarginUmrechnungswert : 1.0f;
}

double KontraktMargin(float Margin, int32_t Anzahl) {
  return double{Margin} * Magnitude(Anzahl);
}

double AktienMargin(float Durchschnittspreis, int32_t Anzahl, float Margin, float M) {
  return double{Durchschnittspreis} * Magnitude(Anzahl) * double{Margin} * double{M};
}

double KontraktEnterOrderMargin(float Margin, int32_t OffeneAnzahl) {
  return double{Margin} * Magnitude(OffeneAnzahl);
}

double AktienEnterOrderMargin(float Kurs, int32_t OffeneAnzahl, float Margin, float M) {
  return double{Kurs} * Magnitude(OffeneAnzahl) * double{Margin} * double{M};
}

}  // namespace vks
