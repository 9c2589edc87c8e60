#pragma once
// The account windows in pictures: the overview of a sample account after a played stretch of
// prices (figures, lists and the capital chart), both tabs of its settings dialog, and the script
// editor with its cancellation rule and the "Kennzahlen" pop-up open.
#include <QString>

#include "platform/automation/AutomationLocale.h"

namespace vks {

class Clock;
class HauptfensterPresenter;
class KontoBeobachterVerteiler;
class MessageReporter;
class FileSystem;
class SettingsStore;
struct KontoUmgebung;
struct KontoSitzung;

struct KontoShotUmfeld {
  KontoSitzung& sitzung;
  HauptfensterPresenter& presenter;  // its price-save tick drives the overview
  MessageReporter& melder;
  const KontoUmgebung& kontoumgebung;  // tells `verteiler` of every booking
  KontoBeobachterVerteiler& verteiler;
  Clock& clock;
  FileSystem& dateien;
  SettingsStore& settings;
  AutomationLocale locale;
};

// False when a picture could not be written or the store holds no account.
bool KontoFensterShots(KontoShotUmfeld& u, const QString& ausgabe);

}  // namespace vks
