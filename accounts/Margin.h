#pragma once
// The margin and conversion formulas of an account, each in one place: the order bookings bind,
// reserve and release margin through these, and valuation converts open profit and loss with them.
#include <cstdint>

namespace vks {

class clKonto;

// F, the factor that converts a position's profit and loss into account currency: its current
// factor when the account converts and the factor is set (neither 0 nor NoValue), else 1.
float UmrechnungsFaktor(const clKonto& konto, float AktUmrechnungsWert);

// M, the factor applied to stock margin: the given factor when the account converts margin too
// (UseUmrechnung and MarginUmrechnen) and the factor is set, else 1.
float MarginUmrechnungsFaktor(const clKonto& konto, float Umrechnungswert);

// A stored margin factor of 0 stands for 1, so that exactly the booked amount is released.
float GebuchterMarginFaktor(float StartMarginUmrechnungswert);

// Margin bound by a contract position: an amount per contract, never converted.
double KontraktMargin(float Margin, int32_t Anzahl);

// Margin bound by a stock position: entry value × margin fraction × M.
double AktienMargin(float Durchschnittspreis, int32_t Anzahl, float Margin, float M);

// Change of the margin reserved by a contract entry order when its open quantity changes by
// `Aenderung` (negative: released).
double KontraktEnterOrderMargin(float Margin, int32_t Aenderung);

// The same for a stock entry order: order price × change × margin fraction × M.
double AktienEnterOrderMargin(float Kurs, int32_t Aenderung, float Margin, float M);

}  // namespace vks
