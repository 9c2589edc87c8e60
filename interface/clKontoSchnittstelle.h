#pragma once
// The class through which the host uses the server, without its transport: identity, the data
// properties of each object, its connection ID and registration, the queries and the event
// AlleOrdersStreichen. The transport (the D-Bus service) owns each object through a shared_ptr;
// dropping the last one is the host's release. The account-changing members come with their own
// units.
#include <memory>
#include <string>
#include <string_view>

#include "accounts/clOrderZusatzInfos.h"
#include "interface/Zufallsfolge.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"
#include "session/KontoSitzung.h"

namespace vks {

class clKontoGlobalData;

// The account list window as the interface objects reach it.
class KontenFensterSteuerung {
 public:
  virtual ~KontenFensterSteuerung() = default;
  // Shows the window modelessly; a shown window stays shown.
  virtual void ZeigeKontenFenster() = 0;
  // Unloads the window (saving pending changes) when the last interface object is gone.
  virtual void EntladeKontenFenster() = 0;
};

// Receives the object's event; the transport implements it for its client.
class KontoEreignisSenke {
 public:
  virtual ~KontoEreignisSenke() = default;
  virtual void AlleOrdersStreichen(const std::string& KontoName) = 0;
};

// What the objects share; it outlives every object.
struct SchnittstellenUmgebung {
  KontoSitzung& sitzung;
  KontenFensterSteuerung& fenster;
  Zufallsfolge& zufall;
};

// Identity in the automation contract.
namespace schnittstelle {
inline constexpr const char* kTypeLibrary = "VKSKontoServerV7";
inline constexpr const char* kTypeLibraryHelp = "VKS Kontoserver Version 7";
inline constexpr int kTypeLibraryMajor = 1;
inline constexpr int kTypeLibraryMinor = 0;
inline constexpr const char* kClassName = "clKontoSchnittstelle";
inline constexpr const char* kInterface = "_clKontoSchnittstelle";
inline constexpr const char* kEventInterface = "__clKontoSchnittstelle";
inline constexpr const char* kKeinKonto = "Kein Konto vorhanden!";
}  // namespace schnittstelle

class clKontoSchnittstelle : public HostObjekt,
                             public std::enable_shared_from_this<clKontoSchnittstelle> {
 public:
  // The host's creation: counts the object, draws its connection ID and registers it under that
  // ID unless the ID is registered already.
  static std::shared_ptr<clKontoSchnittstelle> Create(SchnittstellenUmgebung& umgebung);
  // The host's release: removes the registry entry under the current ID_Schnittstelle and, for the
  // last object, unloads the account list window.
  ~clKontoSchnittstelle() override;
  clKontoSchnittstelle(const clKontoSchnittstelle&) = delete;
  clKontoSchnittstelle& operator=(const clKontoSchnittstelle&) = delete;

  // Data properties: stored and returned, read nowhere else.
  ObjectRef cTitelPositionen;
  ObjectRef cOffeneOrders;
  ObjectRef cFilledOrders;
  bool NeuerAktienwertSpeichern = false;
  bool NeuerOpenPLSpeichern = false;
  std::string ID_Schnittstelle;

  // The transport attaches the client's event sink.
  void SetzeEreignisSenke(std::shared_ptr<KontoEreignisSenke> senke) { senke_ = std::move(senke); }

  std::shared_ptr<clKontoGlobalData> KontoGlobalData() const;
  // Errors (a key the dictionary holds already: 457) reach the caller.
  void InitKontoKennzahlen(KeyedDictionary<Variant>& myKontoKennzahlen);
  // The RTT file name in the recorder's storage folder, its folder made; "" when the folder cannot
  // be made or the account does not exist. NurName: the base name only, for any account name.
  // Errors reach the caller (51 before the server has started).
  std::string VKSGetTitelDateiName(std::string_view KontoName, std::string_view TitelWKN,
                                   int32_t Datenart, bool NurName = false);
  // NoValue for a missing account; 0 when the metric cannot be computed.
  float VKSGetKontoWert(std::string_view KontoName, int32_t KontoWert);
  // The signed quantity; 0 without the account or the position.
  float VKSGetTitelPosition(std::string_view KontoName, std::string_view TitelWKN);
  // The names from index 0, or Empty without accounts.
  Variant VKSGetKontoNamenliste();
  // Always Empty; Stringfeld becomes the array (account index 1..N, column 1..2) of names.
  Variant VKSBaueKontoNamenStringFeld(Variant& Stringfeld);
  bool VKSKontoExistiert(std::string_view KontoName);
  // CashBetrag as Double, or the Long 1 for a missing account.
  Variant VKSKontoGetCashBetrag(std::string_view KontoName);
  void VKSShowKontenFenster();
  // Raises AlleOrdersStreichen on this object's sink; the sink's errors reach the caller.
  void VKSStreicheKontoOrders(const std::string& KontoName) override;

  // The host's account operations. None lets an error reach the host: each returns its failure
  // value, and those with a message show it (style 0) before.

  // Always Empty. Books a fill against the whole position at Kurs.
  Variant VKSClosePosition(std::string_view KontoName, std::string_view TitelWKN, float Kurs);
  // A fresh account in place of the old one, keeping its name, description, rules and options.
  bool VKSKontoKomplettReset(std::string_view KontoName, double KontoInitWert,
                             double KontoStartDatum);
  void VKSKontoNeuerKurs(DateValue DatumZeit, std::string_view KontoName, std::string_view TitelWKN,
                         float NeuerKurs, bool SofortSpeichern = false);
  // -1 booked, -33 already among the fills, 0 no account or an error.
  int16_t VKSKontoNeuerOrderstatus(DateValue& DatumZeit, std::string_view KontoName,
                                   std::string_view OrderID, std::string_view TitelWKN,
                                   std::string_view TitelName, int16_t Aktion, int32_t Anzahl,
                                   int32_t FilledAnzahl, float AktFillPreis, bool IsEnterOrder,
                                   const clOrderZusatzInfos* ZusatzInfos);
  // -1 every file seeded, -2 at least one existed, 0 no account or an error.
  int16_t VKSSchreibePosWerte(std::string_view KontoName, const Variant& WKNFeld,
                              const Variant& TitelNameFeld, float Wert1, int32_t Wert2);
  // -1 account found, 0 no account or an error.
  int16_t VKSStreicheOrder(std::string_view KontoName, std::string_view OrderID,
                           DateValue DatumZeit);
  // True when the account's placement rule refuses an order of that action; Meldung then holds
  // the refusal text. False for a missing account (Meldung untouched).
  bool KontoVerbietetOrderaufgabe(std::string_view KontoName, int16_t OrderAktion,
                                  std::string& Meldung);
  bool VKSNeuesKontoZufügen(std::string_view KontoName, std::string_view KontoInfo,
                            double Kontostand, DateValue AktDatum, bool UseZeitstempel,
                            bool UseCommissions, bool UseUmrechnung, std::string& Fehlertext);

 private:
  explicit clKontoSchnittstelle(SchnittstellenUmgebung& umgebung) : umgebung_(umgebung) {}
  const std::shared_ptr<clKonto>* FindeKonto(std::string_view KontoName);
  // What the account operations work with; error 51 before the server has set it up.
  const KontoUmgebung& Umgebung() const;
  // Shows "text" + the error's description (style 0).
  void Melde(const std::string& text, const std::exception& error);
  void SetzeSpeichernAusstehend();

  SchnittstellenUmgebung& umgebung_;
  std::shared_ptr<KontoEreignisSenke> senke_;
};

// "Konto-" and four groups of four upper-case hex digits, each the whole number nearest to
// r * 60000 + 5000 (halves to even) for the next four fractions r of the sequence.
std::string NeueVerbindungsID(Zufallsfolge& zufall);

}  // namespace vks
