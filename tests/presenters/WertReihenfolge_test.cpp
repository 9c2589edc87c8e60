#include "presenters/WertReihenfolge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <string>

namespace vks {
namespace {

TEST(WertReihenfolgeTest, SortsByValueAndKeepsTheOrderOfEqualValues) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* fall;
    std::vector<double> werte;
    bool absteigend;
    std::vector<size_t> reihenfolge;
  } faelle[] = {
      {"leer", {}, false, {}},
      {"aufsteigend, gleiche in ihrer Reihenfolge", {3, 1, 2, 1, 3}, false, {1, 3, 2, 0, 4}},
      {"absteigend, gleiche in ihrer Reihenfolge", {3, 1, 2, 1, 3}, true, {0, 4, 2, 1, 3}},
      {"negative und Bruchteile", {-1.5, 0.25, -10, 0}, false, {2, 0, 3, 1}},
      {"NaN zählt wie 0", {1, nan, -1, 0}, false, {2, 1, 3, 0}},
      {"NaN absteigend", {nan, 1, 0, -1}, true, {1, 0, 2, 3}},
      // Rows sorted already: they stay, or are turned round with equal runs in their order.
      {"schon aufsteigend", {1, 2, 2, 3}, false, {0, 1, 2, 3}},
      {"aufsteigend umdrehen", {1, 2, 2, 3, 3}, true, {3, 4, 1, 2, 0}},
      {"absteigend umdrehen", {3, 2, 2, 1}, false, {3, 1, 2, 0}},
      {"alle gleich", {5, 5, 5}, true, {0, 1, 2}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    EXPECT_EQ(WertReihenfolge(f.werte, f.absteigend), f.reihenfolge);
  }
}

// Whatever shape the rows come in, the order is that of a stable sort.
TEST(WertReihenfolgeTest, AgreesWithAStableSort) {
  std::mt19937 zufall(7);
  std::uniform_int_distribution<int> wenige(0, 9);  // many equal values
  for (const char* form : {"zufällig", "aufsteigend", "absteigend"}) {
    std::vector<double> werte(500);
    for (double& w : werte) w = wenige(zufall) * 0.5 - 2;
    if (std::string(form) == "aufsteigend") std::stable_sort(werte.begin(), werte.end());
    if (std::string(form) == "absteigend")
      std::stable_sort(werte.begin(), werte.end(), std::greater<>());
    for (bool absteigend : {false, true}) {
      SCOPED_TRACE(std::string(form) + (absteigend ? " absteigend" : " aufsteigend"));
      std::vector<size_t> erwartet(werte.size());
      std::iota(erwartet.begin(), erwartet.end(), size_t{0});
      std::stable_sort(erwartet.begin(), erwartet.end(), [&](size_t a, size_t b) {
        return absteigend ? werte[b] < werte[a] : werte[a] < werte[b];
      });
      EXPECT_EQ(WertReihenfolge(werte, absteigend), erwartet);
    }
  }
}

}  // namespace
}  // namespace vks
