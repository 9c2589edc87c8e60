#include "adapters/qt/SystemLocale.h"

#include <QLocale>
#include <clocale>

namespace vks {

AutomationLocale SystemLocale() {
  const QLocale system = QLocale::system();
  AutomationLocale locale = AutomationLocale::FromName(system.name().toStdString() + ".UTF-8");
  // The C locale's Qt date format spells the month as a word ("d MMM yyyy"), which has no numeric
  // order to take over: keep the invariant formats there.
  if (system.language() == QLocale::C) return locale;
  locale.decimal_separator = system.decimalPoint().toStdString();
  locale.group_separator = system.groupSeparator().toStdString();
  const QString datum = system.dateFormat(QLocale::ShortFormat);
  const qsizetype tag = datum.indexOf('d'), monat = datum.indexOf('M'), jahr = datum.indexOf('y');
  if (jahr >= 0 && jahr < tag && jahr < monat) {
    locale.date_order = AutomationLocale::DateOrder::YearMonthDay;
  } else if (tag >= 0 && monat >= 0 && tag < monat) {
    locale.date_order = AutomationLocale::DateOrder::DayMonthYear;
  } else {
    locale.date_order = AutomationLocale::DateOrder::MonthDayYear;
  }
  for (QChar c : datum) {
    if (!c.isLetter()) {
      locale.date_separator = QString(c).toStdString();
      break;
    }
  }
  locale.two_digit_day_month = datum.contains("dd") || datum.contains("MM");
  locale.hour24 = system.timeFormat(QLocale::LongFormat).contains('H');
  return locale;
}

void NeutraleCZahlen() {
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace vks
