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
  return static_cast<double>(Margin) * Magnitude(Anzahl);
}

double AktienMargin(float Durchschnittspreis, int32_t Anzahl, float Margin, float M) {
  return static_cast<double>(Durchschnittspreis) * Magnitude(Anzahl) * static_cast<double>(Margin) * static_cast<double>(M);
}

double KontraktEnterOrderMargin(float Margin, int32_t Aenderung) {
  return static_cast<double>(Margin) * Aenderung;
}

double AktienEnterOrderMargin(float Kurs, int32_t Aenderung, float Margin, float M) {
  return static_cast<double>(Kurs) * Aenderung * static_cast<double>(Margin) * static_cast<double>(M);
}

}  // namespace vks
