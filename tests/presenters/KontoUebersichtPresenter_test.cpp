#include "presenters/KontoUebersichtPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "accounts/KontoUmgebung.h"
#include "accounts/Orderstatus.h"
#include "fakes/ZeilenAnsicht.h"
#include "presenters/KontenListe.h"
#include "session/KontoBeobachterVerteiler.h"
#include "tests/presenters/HauptfensterTestFenster.h"

namespace vks {
namespace {

// A view that keeps what it is shown; rows are marked by key.
class FakeAnsicht : public KontoUebersichtAnsicht {
 public:
  void SetzeTitel(const std::string& t) override { titel = t; }
  void SetzeZahlen(const KontoZahlen& z) override { zahlen = z; }
  void ListeFuellen(UebersichtListe l, std::vector<UebersichtZeile> z) override {
    zeilen[l] = std::move(z);
  }
  void ZeileSetzen(UebersichtListe l, UebersichtZeile z) override {
    auto& liste = zeilen[l];
    auto it = std::ranges::find(liste, z.key, &UebersichtZeile::key);
    if (it == liste.end()) it = liste.insert(it, z);
    *it = std::move(z);
  }
  void ZeilenEntfernen(UebersichtListe l, const std::vector<std::string>& keys) override {
    std::erase_if(zeilen[l], [&](auto& r) { return std::ranges::count(keys, r.key) > 0; });
  }
  size_t ZeilenAnzahl(UebersichtListe l) const override { return Keys(l).size(); }
  std::vector<std::string> MarkierteKeys(UebersichtListe l) const override {
    std::vector<std::string> keys = Keys(l);
    std::erase_if(keys, [&](const std::string& k) { return !markiert.count(k); });
    return keys;
  }
  void AlleMarkieren(UebersichtListe l) override {
    for (const auto& k : Keys(l)) markiert.insert(k);
  }
  void SetzeWerkzeugleiste(const std::string& t, bool m, bool a) override {
    werkzeug = t;
    knopf_markierte = m;
    knopf_alle = a;
  }
  std::vector<std::string> Keys(UebersichtListe l) const {
    std::vector<std::string> keys;
    if (auto it = zeilen.find(l); it != zeilen.end())
      for (const auto& r : it->second) keys.push_back(r.key);
    return keys;
  }

  std::string titel, werkzeug;
  bool knopf_markierte = true, knopf_alle = true;
  KontoZahlen zahlen;
  std::map<UebersichtListe, std::vector<UebersichtZeile>> zeilen;
  std::set<std::string> markiert;
};

class KontoUebersichtPresenterTest : public ::testing::Test, public HauptfensterServer {
 protected:
  KontoUebersichtPresenterTest() : HauptfensterServer(45500.5) {
    hauptfenster.SetzeAnsicht(&konten_ansicht_);
    verteiler_.Anmelden(&hauptfenster);
    verteiler_.Anmelden(&presenter_);
  }
  void Bucht(const char* id, int16_t aktion, int32_t anzahl, int32_t filled, float preis) {
    clOrderZusatzInfos extras;
    BucheOrderstatus(*konto_,
                     {DateValue{45500.5}, id, "DE0001", "Alpha AG", aktion, anzahl, filled, preis,
                      true, &extras},
                     umgebung_);
  }

  testing::ZeilenAnsicht konten_ansicht_{AutomationLocale::German()};
  KontoBeobachterVerteiler verteiler_;
  KontoUmgebung umgebung_{clock, rtt, &verteiler_};
  FakeAnsicht ansicht_;
  KontoUebersichtPresenter presenter_{ansicht_, melder, umgebung_, &hauptfenster,
                                      AutomationLocale::German()};
  std::shared_ptr<clKonto> konto_ = Konto("Depot");
};

TEST_F(KontoUebersichtPresenterTest, ShowDatenFillsCaptionFiguresAndRowsInCollectionOrder) {
  Bucht("O-2", 1, 100, 0, 12.5f);
  Bucht("O-1", -1, 50, 50, 12.5f);
  presenter_.ShowDaten(konto_);
  EXPECT_EQ(ansicht_.titel, "Übersicht für Konto 'Depot'");
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kOrders), std::vector<std::string>{"O-2"});
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kAusfuehrungen), std::vector<std::string>{"O-1"});
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kPositionen), std::vector<std::string>{"#DE0001"});
  EXPECT_EQ(ansicht_.zahlen.offene_orders, (std::array<std::string, 3>{"1", "1", "0"}));
  EXPECT_EQ(ansicht_.zahlen.gefillt, (std::array<std::string, 3>{"1", "0", "1"}));
  EXPECT_EQ(ansicht_.zahlen.positionen, (std::array<std::string, 3>{"1", "0", "1"}));
  EXPECT_EQ(ansicht_.zahlen.cash, "10.000,00");
  EXPECT_TRUE(melder.messages.empty());
}

TEST_F(KontoUebersichtPresenterTest, BookingsKeepTheOpenWindowCurrent) {
  presenter_.ShowDaten(konto_);
  Bucht("O-1", 1, 100, 0, 0);
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kOrders), std::vector<std::string>{"O-1"});
  EXPECT_EQ(ansicht_.zeilen[UebersichtListe::kOrders][0].spalten[5], "0");
  Bucht("O-1", 1, 100, 40, 10);
  EXPECT_EQ(ansicht_.zeilen[UebersichtListe::kOrders][0].spalten[5], "40");
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kPositionen), std::vector<std::string>{"#DE0001"});
  Bucht("O-1", 1, 100, 100, 10);
  EXPECT_TRUE(ansicht_.Keys(UebersichtListe::kOrders).empty());
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kAusfuehrungen), std::vector<std::string>{"O-1"});
  EXPECT_EQ(ansicht_.zahlen.positionen[0], "1");
  Bucht("O-2", -1, 100, 100, 11);
  EXPECT_TRUE(ansicht_.Keys(UebersichtListe::kPositionen).empty());
  // A closed window hears nothing more.
  presenter_.Schliessen();
  Bucht("O-3", 1, 5, 0, 0);
  EXPECT_TRUE(ansicht_.Keys(UebersichtListe::kOrders).empty());
}

TEST_F(KontoUebersichtPresenterTest, PaneActivationSetsTheToolBarTitleButtonsAndCommandSource) {
  Bucht("O-1", 1, 100, 0, 0);
  presenter_.ShowDaten(konto_);
  presenter_.Werkzeugbefehl(1);  // no list pane yet
  ASSERT_EQ(melder.messages.size(), 1u);
  EXPECT_EQ(melder.messages[0].text, "Herkunft des Befehls nicht definiert...");
  EXPECT_EQ(melder.messages[0].style, msgbox::kOkOnly);
  struct Fall {
    int pane;
    bool mark;
    std::string titel;
    bool markierte, alle;
  };
  const Fall faelle[] = {
      {2, false, "Offene Orders", false, true}, {2, true, "Offene Orders", true, true},
      {3, false, "Positionen", false, false},   {1, true, "Positionen", false, false},
      {4, false, "Ausführungen", false, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.pane);
    ansicht_.markiert.clear();
    if (f.mark) ansicht_.markiert.insert("O-1");
    presenter_.PaneAktiviert(f.pane);
    EXPECT_EQ(ansicht_.werkzeug, f.titel);
    EXPECT_EQ(presenter_.WerkzeugTitel(), f.titel);
    EXPECT_EQ(ansicht_.knopf_markierte, f.markierte);
    EXPECT_EQ(ansicht_.knopf_alle, f.alle);
  }
}

TEST_F(KontoUebersichtPresenterTest, DeletionsAskTheirQuestionsInOrderAndUpdateTheRows) {
  struct Fall {
    int pane, knopf;
    std::vector<int32_t> antworten;
    std::vector<std::string> fragen;
    size_t rest;
  };
  const std::string pos_alle = "Sollen die Positionen wirklich gelöscht werden?";
  const std::string abrechnen =
      "Soll die Margin und der Open P/L der zu löschenden Positionen abgerechnet werden? Wenn Sie "
      "'Nein' klicken, werden die Positionen ohne weitere Kapital-Verrechnung einfach gelöscht.";
  const std::string orders =
      "Sollen die markierten offenen Orders wirklich gelöscht werden? Die entsprechenden Orders in "
      "Tradomir werden davon nicht berührt.";
  const std::string pos_markierte = "Sollen die markierten Positionen wirklich gelöscht werden?";
  const std::string fills = "Sollen die Ausführungen wirklich aus der Liste gelöscht werden?";
  using msgbox::kNo, msgbox::kYes;
  const Fall faelle[] = {
      {2, 1, {kNo}, {orders}, 1},
      {3, 1, {kYes, kNo}, {pos_markierte, abrechnen}, 1},
      {3, 2, {kYes, kNo}, {pos_alle, abrechnen}, 0},
      {4, 2, {kYes}, {fills}, 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::to_string(f.pane) + "/" + std::to_string(f.knopf));
    konto_->cOffeneOrders.RemoveAll();
    Bucht("O-1", 1, 100, 0, 0);
    Bucht("F-1", 1, 10, 10, 20);
    presenter_.ShowDaten(konto_);
    ansicht_.markiert.clear();
    melder.messages.clear();
    melder.answers.assign(f.antworten.begin(), f.antworten.end());
    hauptfenster.Plan().ZeitgeberTick();
    presenter_.PaneAktiviert(f.pane);
    presenter_.Werkzeugbefehl(f.knopf);
    EXPECT_EQ(melder.Texts(), f.fragen);
    const auto liste = static_cast<UebersichtListe>(f.pane - 2);
    EXPECT_EQ(ansicht_.ZeilenAnzahl(liste), f.rest);
    EXPECT_EQ(hauptfenster.Plan().SpeichernAusstehend(), f.antworten[0] == kYes);
    if (f.pane == 3) {  // the figures and the account list's row follow
      EXPECT_EQ(ansicht_.zahlen.positionen[0], std::to_string(f.rest));
      EXPECT_EQ(konten_ansicht_.zeilen["depot"].positionen, std::to_string(f.rest));
    }
    konto_->cFilledOrders.RemoveAll();
    konto_->cTitelPositionen.RemoveAll();
  }
}

TEST_F(KontoUebersichtPresenterTest, ARowWhoseEntryIsGoneEndsTheDeletionButRefreshes) {
  Bucht("O-1", 1, 10, 0, 0);
  Bucht("O-2", 1, 10, 0, 0);
  Bucht("O-3", 1, 10, 0, 0);
  presenter_.ShowDaten(konto_);
  konto_->cOffeneOrders.Remove("O-2");  // gone behind the window's back
  melder.answers = {msgbox::kYes};
  presenter_.PaneAktiviert(2);
  presenter_.Werkzeugbefehl(2);
  EXPECT_EQ(ansicht_.Keys(UebersichtListe::kOrders), (std::vector<std::string>{"O-1", "O-2"}));
  EXPECT_TRUE(konto_->cOffeneOrders.Exists("O-1"));
  EXPECT_TRUE(hauptfenster.Plan().SpeichernAusstehend());
  EXPECT_EQ(ansicht_.zahlen.offene_orders[0], "1");
}

}  // namespace
}  // namespace vks
