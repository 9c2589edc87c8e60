#pragma once
// What the server process keeps for its whole life: the collections that start-up creates, the
// global data store, the count of live interface objects and the folders found at start-up.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"
#include "session/AccountStore.h"

namespace vks {

class clKontoSchnittstelle;
class HauptfensterPresenter;
class MessageReporter;
struct KontoUmgebung;
class clKontoGlobalData;
class KontoUebersichtFenster;

struct ServerState {
  // Connection ID → interface object. The entries do not keep the objects alive.
  KeyedDictionary<std::weak_ptr<clKontoSchnittstelle>> Verbindungen;
  KontenSammlung Konten;
  // Account name → its open overview window.
  KeyedDictionary<std::shared_ptr<KontoUebersichtFenster>> UebersichtsFenster;
  // Metric key → (display name, number, category).
  KeyedDictionary<Variant> KennzahlenNamen;
  std::shared_ptr<clKontoGlobalData> KontoGlobalData;
  int32_t SchnittstellenAnzahl = 0;

  std::string ProgrammOrdner;
  std::string HilfeDatei;
  std::string DatenOrdner;  // no trailing separator; empty when there is none
  std::string RTTSpeicherOrdner;

  // What the host's account operations work with; the server sets them up before the first
  // interface object is served.
  MessageReporter* Meldungen = nullptr;
  const KontoUmgebung* Kontoumgebung = nullptr;
  HauptfensterPresenter* Hauptfenster = nullptr;
};

}  // namespace vks
