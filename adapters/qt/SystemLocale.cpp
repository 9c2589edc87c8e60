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

QString DateTimeFieldFormat(const AutomationLocale& locale) {
  // Separators as quoted literals, so that no letter in them reads as a field.
  const auto literal = [](const std::string& text) {
    return '\'' + QString::fromStdString(text).replace('\'', QStringLiteral("''")) + '\'';
  };
  const QString tag = locale.two_digit_day_month ? "dd" : "d";
  const QString monat = locale.two_digit_day_month ? "MM" : "M";
  const QString jahr = "yyyy";
  const QString sep = literal(locale.date_separator);
  QString format;
  switch (locale.date_order) {
    case AutomationLocale::DateOrder::DayMonthYear:
      format = tag + sep + monat + sep + jahr;
      break;
    case AutomationLocale::DateOrder::YearMonthDay:
      format = jahr + sep + monat + sep + tag;
      break;
    case AutomationLocale::DateOrder::MonthDayYear:
      format = monat + sep + tag + sep + jahr;
      break;
  }
  const QString zeit_sep = literal(locale.time_separator);
  format += QStringLiteral(" ") + (locale.hour24 ? "HH" : "h") + zeit_sep + "mm" + zeit_sep + "ss";
  if (!locale.hour24) format += QStringLiteral(" AP");
  return format;
}

void NeutraleCZahlen() {
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace vks
