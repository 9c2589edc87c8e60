#pragma once
// The running session, owned once by the program: the accounts, the metric names, the global data
// store, the registry of connected host objects, the folders found at start-up and the save
// schedule. Scripting, the interface layer, the presenters and the adapters work on it; windows
// are not part of it.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"
#include "session/AccountStore.h"
#include "session/HostObjekt.h"

namespace vks {

class clKontoGlobalData;
class MessageReporter;
class Speicherplan;
struct KontoUmgebung;

struct KontoSitzung {
  KontenSammlung Konten;
  // Metric key → (display name, number, category).
  KeyedDictionary<Variant> KennzahlenNamen;
  std::shared_ptr<clKontoGlobalData> KontoGlobalData;
  // Connection ID → host object. The entries do not keep the objects alive.
  KeyedDictionary<std::weak_ptr<HostObjekt>> Verbindungen;
  int32_t SchnittstellenAnzahl = 0;

  std::string ProgrammOrdner;
  std::string HilfeDatei;
  std::string DatenOrdner;  // no trailing separator; empty when there is none
  std::string RTTSpeicherOrdner;

  // What the host's account operations work with; the program sets them up before the first
  // interface object is served.
  MessageReporter* Meldungen = nullptr;
  const KontoUmgebung* Kontoumgebung = nullptr;
  Speicherplan* Speichern = nullptr;
};

// Asks every registered host object, in registry order, to raise AlleOrdersStreichen for the
// account. An object failing is passed over; objects released meanwhile are skipped, objects
// created meanwhile are not asked.
void SendeAlleOrdersStreichen(KontoSitzung& sitzung, const std::string& KontoName);

}  // namespace vks
