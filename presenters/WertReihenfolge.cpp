#include "presenters/WertReihenfolge.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace vks {
namespace {

// Rows in the opposite order, each run of equal values kept in its order: what a stable sort in
// the other direction gives for rows that are sorted already.
std::vector<size_t> UmgekehrtInGleichenLaeufen(std::span<const double> werte) {
  std::vector<size_t> reihenfolge;
  reihenfolge.reserve(werte.size());
  for (size_t ende = werte.size(); ende > 0;) {
    size_t anfang = ende - 1;
    while (anfang > 0 && werte[anfang - 1] == werte[ende - 1]) --anfang;
    for (size_t i = anfang; i < ende; ++i) reihenfolge.push_back(i);
    ende = anfang;
  }
  return reihenfolge;
}

}  // namespace

std::vector<size_t> WertReihenfolge(std::span<const double> werte, bool absteigend) {
  // NaN would break the ordering the sort relies on; the copy is made only when one is there.
  std::vector<double> ohne_nan;
  if (std::any_of(werte.begin(), werte.end(), [](double w) { return std::isnan(w); })) {
    ohne_nan.reserve(werte.size());
    for (double w : werte) ohne_nan.push_back(std::isnan(w) ? 0.0 : w);
    werte = ohne_nan;
  }
  std::vector<size_t> reihenfolge(werte.size());
  std::iota(reihenfolge.begin(), reihenfolge.end(), size_t{0});
  // A second click on the same header finds the rows sorted: they stay, or are turned round.
  const bool aufsteigend_da = std::is_sorted(werte.begin(), werte.end());
  const bool absteigend_da = std::is_sorted(werte.begin(), werte.end(), std::greater<>());
  if (absteigend ? absteigend_da : aufsteigend_da) return reihenfolge;
  if (absteigend ? aufsteigend_da : absteigend_da) return UmgekehrtInGleichenLaeufen(werte);
  // One comparison per direction, so that the sort's inner loop does not ask which.
  if (absteigend) {
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(),
                     [&](size_t a, size_t b) { return werte[b] < werte[a]; });
  } else {
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(),
                     [&](size_t a, size_t b) { return werte[a] < werte[b]; });
  }
  return reihenfolge;
}

}  // namespace vks
