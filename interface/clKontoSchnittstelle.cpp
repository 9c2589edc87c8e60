#include "interface/clKontoSchnittstelle.h"

#include <cstdio>

#include "accounts/KontoKennzahl.h"
#include "accounts/KontoUmgebung.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/NoValue.h"
#include "platform/automation/VariantConversions.h"
#include "session/clKontoGlobalData.h"

namespace vks {

std::string NeueVerbindungsID(Zufallsfolge& zufall) {
  std::string id = "Konto";
  for (int group = 0; group < 4; ++group) {
    const auto number = static_cast<unsigned>(RoundHalfEven(zufall.Rnd() * 60000 + 5000));
    char hex[8];
    std::snprintf(hex, sizeof hex, "-%04X", number);
    id += hex;
  }
  return id;
}

std::shared_ptr<clKontoSchnittstelle> clKontoSchnittstelle::Create(
    SchnittstellenUmgebung& umgebung) {
  std::shared_ptr<clKontoSchnittstelle> objekt(new clKontoSchnittstelle(umgebung));
  KontoSitzung& sitzung = umgebung.sitzung;
  ++sitzung.SchnittstellenAnzahl;
  objekt->ID_Schnittstelle = NeueVerbindungsID(umgebung.zufall);
  if (!sitzung.Verbindungen.Exists(objekt->ID_Schnittstelle)) {
    sitzung.Verbindungen.Add(objekt->ID_Schnittstelle, objekt);
  }
  return objekt;
}

clKontoSchnittstelle::~clKontoSchnittstelle() {
  KontoSitzung& sitzung = umgebung_.sitzung;
  if (sitzung.Verbindungen.Exists(ID_Schnittstelle)) sitzung.Verbindungen.Remove(ID_Schnittstelle);
  if (--sitzung.SchnittstellenAnzahl == 0) {
    try {
      umgebung_.fenster.EntladeKontenFenster();
    } catch (...) {
      // A release cannot fail towards the host.
    }
  }
}

const KontoUmgebung& clKontoSchnittstelle::Umgebung() const {
  const KontoUmgebung* umgebung = umgebung_.sitzung.Kontoumgebung;
  if (!umgebung) throw AutomationError(51, "", "Der Kontoserver ist nicht gestartet");
  return *umgebung;
}

const std::shared_ptr<clKonto>* clKontoSchnittstelle::FindeKonto(std::string_view KontoName) {
  return umgebung_.sitzung.Konten.Find(KontoName);
}

std::shared_ptr<clKontoGlobalData> clKontoSchnittstelle::KontoGlobalData() const {
  return umgebung_.sitzung.KontoGlobalData;
}

void clKontoSchnittstelle::InitKontoKennzahlen(KeyedDictionary<Variant>& myKontoKennzahlen) {
  FuelleKennzahlenListe(myKontoKennzahlen);
}

std::string clKontoSchnittstelle::VKSGetTitelDateiName(std::string_view KontoName,
                                                       std::string_view TitelWKN, int32_t Datenart,
                                                       bool NurName) {
  // A folder for an account that does not exist would be left behind for nothing: the name alone
  // touches no disk, the full path is the failure value, as when the folder cannot be made.
  if (!NurName && !FindeKonto(KontoName)) return {};
  // The host reads the file it asks for: the recorder writes the values waiting for it first.
  return Umgebung().rtt.DateiName(KontoName, TitelWKN, static_cast<eKontoDatenArt>(Datenart),
                                  NurName);
}

float clKontoSchnittstelle::VKSGetKontoWert(std::string_view KontoName, int32_t KontoWert) {
  try {
    const auto* konto = FindeKonto(KontoName);
    if (!konto) return NoValue;
    return ToSingle(GetKontoKennzahl(**konto, KontoWert));
  } catch (const std::exception&) {
    return 0;
  }
}

float clKontoSchnittstelle::VKSGetTitelPosition(std::string_view KontoName,
                                                std::string_view TitelWKN) {
  const auto* konto = FindeKonto(KontoName);
  if (!konto) return 0;
  const auto* position = (*konto)->cTitelPositionen.Find(TitelWKN);
  return position ? static_cast<float>((*position)->Position) : 0;
}

Variant clKontoSchnittstelle::VKSGetKontoNamenliste() {
  std::vector<Variant> namen;
  try {
    for (const auto& entry : umgebung_.sitzung.Konten) namen.emplace_back(entry.key);
  } catch (const std::exception&) {
    return Variant();
  }
  if (namen.empty()) return Variant();
  return Variant(VariantArray::Vector(0, std::move(namen)));
}

Variant clKontoSchnittstelle::VKSBaueKontoNamenStringFeld(Variant& Stringfeld) {
  try {
    std::vector<std::string> namen;
    for (const auto& entry : umgebung_.sitzung.Konten) namen.push_back(entry.key);
    if (namen.empty()) namen.push_back(schnittstelle::kKeinKonto);
    const auto anzahl = static_cast<int32_t>(namen.size());
    VariantArray feld({ArrayBound{1, anzahl}, ArrayBound{1, 2}});
    for (int32_t k = 1; k <= anzahl; ++k) {
      for (int32_t spalte = 1; spalte <= 2; ++spalte) {
        const int32_t index[] = {k, spalte};
        feld.At(index) = Variant(namen[static_cast<size_t>(k - 1)]);
      }
    }
    Stringfeld = Variant(std::move(feld));
  } catch (const std::exception&) {
    // The query reports nothing; Stringfeld keeps what it had.
  }
  return Variant();
}

bool clKontoSchnittstelle::VKSKontoExistiert(std::string_view KontoName) {
  return umgebung_.sitzung.Konten.Exists(KontoName);
}

Variant clKontoSchnittstelle::VKSKontoGetCashBetrag(std::string_view KontoName) {
  const auto* konto = FindeKonto(KontoName);
  if (!konto) return Variant(int32_t{1});
  return Variant((*konto)->CashBetrag);
}

void clKontoSchnittstelle::VKSShowKontenFenster() {
  try {
    umgebung_.fenster.ZeigeKontenFenster();
  } catch (...) {
    // Showing the window never fails towards the host.
  }
}

void clKontoSchnittstelle::VKSStreicheKontoOrders(const std::string& KontoName) {
  // The host may release this object or attach another sink while its handler runs.
  const auto selbst = shared_from_this();
  const auto senke = senke_;
  if (senke) senke->AlleOrdersStreichen(KontoName);
}

}  // namespace vks
