#include "platform/automation/AutomationLocale.h"

namespace vks {

const AutomationLocale& AutomationLocale::Invariant() {
  static const AutomationLocale kInvariant;
  return kInvariant;
}

AutomationLocale AutomationLocale::German() {
  AutomationLocale german;
  german.decimal_separator = ",";
  german.group_separator = ".";
  german.date_order = DateOrder::DayMonthYear;
  german.date_separator = ".";
  german.two_digit_day_month = true;
  german.hour24 = true;
  german.am.clear();
  german.pm.clear();
  german.true_name = "Wahr";
  german.false_name = "Falsch";
  german.currency_symbol = "€";
  return german;
}

AutomationLocale AutomationLocale::FromName(std::string_view name) {
  if (name.substr(0, 2) == "de") return German();
  return Invariant();
}

}  // namespace vks
