#include "interface/clKontoSchnittstelle.h"

#include <gtest/gtest.h>

#include <deque>
#include <regex>
#include <set>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "accounts/KontoKennzahl.h"
#include "accounts/KontoUmgebung.h"
#include "fakes/FakeClock.h"
#include "fakes/TempFolder.h"
#include "platform/automation/NoValue.h"
#include "recording/RttFileName.h"

namespace vks {
namespace {

class ZaehlendesFenster : public KontenFensterSteuerung {
 public:
  void ZeigeKontenFenster() override {
    ++gezeigt;
    if (zeigen_scheitert) throw AutomationError(5);
  }
  void EntladeKontenFenster() override { ++entladen; }
  int gezeigt = 0;
  int entladen = 0;
  bool zeigen_scheitert = false;
};

class FesteFolge : public Zufallsfolge {
 public:
  explicit FesteFolge(std::deque<double> werte) : werte_(std::move(werte)) {}
  double Rnd() override {
    double r = werte_.front();
    werte_.pop_front();
    return r;
  }

 private:
  std::deque<double> werte_;
};

class clKontoSchnittstelleTest : public ::testing::Test {
 protected:
  std::shared_ptr<clKonto> Konto(const std::string& name) {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = name;
    state_.Konten.Add(name, konto);
    return konto;
  }
  std::vector<std::string> Registriert() {
    std::vector<std::string> ids;
    for (const auto& e : state_.Verbindungen) ids.push_back(e.key);
    return ids;
  }

  KontoSitzung state_;
  ZaehlendesFenster fenster_;
  StandardZufallsfolge zufall_;
  SchnittstellenUmgebung umgebung_{state_, fenster_, zufall_};
};

TEST_F(clKontoSchnittstelleTest, ConnectionIdsHaveTheirFormatAndRange) {
  const std::pair<std::deque<double>, std::string> kCases[] = {
      {{0.0, 0.0, 0.0, 0.0}, "Konto-1388-1388-1388-1388"},
      {{0.9999999, 0.5, 0.25, 0.1}, "Konto-FDE8-88B8-4E20-2AF8"},
      // 0.00000833… * 60000 + 5000 = 5000.5: the half goes to the even neighbour 5000.
      {{0.5 / 60000, 1.5 / 60000, 0, 0}, "Konto-1388-138A-1388-1388"},
  };
  for (const auto& [werte, id] : kCases) {
    SCOPED_TRACE(id);
    FesteFolge folge(werte);
    EXPECT_EQ(NeueVerbindungsID(folge), id);
  }
  StandardZufallsfolge folge;
  const std::regex format("Konto(-[0-9A-F]{4}){4}");
  std::set<std::string> ids;
  for (int i = 0; i < 500; ++i) {
    const std::string id = NeueVerbindungsID(folge);
    ASSERT_TRUE(std::regex_match(id, format)) << id;
    for (int g = 0; g < 4; ++g) {
      const unsigned n = std::stoul(id.substr(6 + 5 * g, 4), nullptr, 16);
      EXPECT_GE(n, 5000u);
      EXPECT_LE(n, 65000u);
    }
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 500u);
  // The sequence is not seeded from the clock: every run draws the same IDs.
  StandardZufallsfolge lauf1, lauf2;
  EXPECT_EQ(NeueVerbindungsID(lauf1), NeueVerbindungsID(lauf2));
}

TEST_F(clKontoSchnittstelleTest, ObjectsRegisterAndReleaseInTheirOrder) {
  auto a = clKontoSchnittstelle::Create(umgebung_);
  auto b = clKontoSchnittstelle::Create(umgebung_);
  EXPECT_NE(a->ID_Schnittstelle, b->ID_Schnittstelle);
  EXPECT_EQ(Registriert(), (std::vector<std::string>{a->ID_Schnittstelle, b->ID_Schnittstelle}));
  EXPECT_EQ(state_.SchnittstellenAnzahl, 2);
  const std::string id_b = b->ID_Schnittstelle;
  a.reset();
  EXPECT_EQ(Registriert(), std::vector<std::string>{id_b});
  EXPECT_EQ(fenster_.entladen, 0);
  b.reset();
  EXPECT_TRUE(Registriert().empty());
  EXPECT_EQ(state_.SchnittstellenAnzahl, 0);
  EXPECT_EQ(fenster_.entladen, 1);
  // A window that fails to show is no failure of the call.
  fenster_.zeigen_scheitert = true;
  clKontoSchnittstelle::Create(umgebung_)->VKSShowKontenFenster();
  EXPECT_EQ(fenster_.gezeigt, 1);
}

TEST_F(clKontoSchnittstelleTest, ARepeatedIdIsNotRegisteredTwiceAndReleaseGoesByTheCurrentId) {
  FesteFolge folge({0, 0, 0, 0, 0, 0, 0, 0});
  SchnittstellenUmgebung gleich{state_, fenster_, folge};
  auto a = clKontoSchnittstelle::Create(gleich);
  auto b = clKontoSchnittstelle::Create(gleich);
  EXPECT_EQ(Registriert(), std::vector<std::string>{"Konto-1388-1388-1388-1388"});
  EXPECT_EQ(state_.Verbindungen.Item("konto-1388-1388-1388-1388").lock(), a);
  a->ID_Schnittstelle = "umbenannt";
  a.reset();  // the entry stays under the key it was added under
  EXPECT_EQ(Registriert(), std::vector<std::string>{"Konto-1388-1388-1388-1388"});
  b.reset();  // b's ID names that entry, so b's release removes it
  EXPECT_TRUE(Registriert().empty());
  EXPECT_EQ(fenster_.entladen, 1);
}

// The bus tests (tests/adapters/dbus) ask them without accounts and about what the host books;
// here values beyond a metric's type or table, and the array of names.
TEST_F(clKontoSchnittstelleTest, QueriesReadTheAccounts) {
  auto s = clKontoSchnittstelle::Create(umgebung_);
  Konto("Depot")->KontraktAnzahl = 3;
  Konto("B")->KapitalAktienMarginGesamt = 1e300;  // beyond Single: the query gives 0
  EXPECT_EQ(s->VKSGetKontoWert("Depot", eKontraktAnzahl), 3.0f);
  EXPECT_EQ(s->VKSGetKontoWert("Depot", ePlatzierenVerhindert), 0.0f);
  EXPECT_EQ(s->VKSGetKontoWert("Depot", 99), 0.0f);
  EXPECT_EQ(s->VKSGetKontoWert("B", eAktienMargin), 0.0f);
  Variant feld;
  (void)s->VKSBaueKontoNamenStringFeld(feld);
  VariantArray erwartet({ArrayBound{1, 2}, ArrayBound{1, 2}});
  for (int32_t spalte : {1, 2}) {
    const int32_t erstes[] = {1, spalte}, zweites[] = {2, spalte};
    erwartet.At(erstes) = Variant("Depot");
    erwartet.At(zweites) = Variant("B");
  }
  EXPECT_EQ(feld, Variant(erwartet));
}

// The interface objects with a recorder in a temporary storage folder, as the server sets them up.
class DateiNamenTest : public clKontoSchnittstelleTest {
 protected:
  DateiNamenTest() { state_.Kontoumgebung = &kontoumgebung_; }

  testing::TempFolder folder;
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  RttAufzeichnung rtt{*files, RttStorage{folder.path()}};
  testing::FakeClock clock_;
  KontoUmgebung kontoumgebung_{clock_, rtt};
};

TEST_F(DateiNamenTest, TitleFileNamesLieInTheRecordersStorageFolder) {
  Konto("Depot");
  auto s = clKontoSchnittstelle::Create(umgebung_);
  // Any name has its base name; only an existing account gets a folder.
  for (const char* konto : {"Depot", "Kein Konto"}) {
    EXPECT_EQ(
        s->VKSGetTitelDateiName(konto, "846900", dKapitalCash, true),
        GetRTTDateiName(*files, RttStorage{folder.path()}, konto, "846900", dKapitalCash, true));
  }
  EXPECT_EQ(s->VKSGetTitelDateiName("Kein Konto", "846900", dKapitalCash), "");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  const std::string file = s->VKSGetTitelDateiName("Depot", "846900", dKapitalCash);
  EXPECT_EQ(file.rfind(folder.path() + "/", 0), 0u) << file;
  EXPECT_TRUE(file.ends_with("/KapitalCash-Depot.RTT")) << file;
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(file).parent_path()));
  rtt.SetzeSpeicher(RttStorage{});
  EXPECT_EQ(s->VKSGetTitelDateiName("Depot", "846900", dKapitalCash), "");
}

// The README's examples of names that differ from the account's are the names the host is given.
TEST_F(DateiNamenTest, TheReadmeTellsTheRealFileNames) {
  std::ifstream readme(VKS_README);
  std::stringstream text;
  text << readme.rdbuf();
  const std::string all = text.str();
  const size_t section = all.find("## RTT file names");
  ASSERT_NE(section, std::string::npos);
  auto s = clKontoSchnittstelle::Create(umgebung_);
  // | `account` | `WKN` | `account folder` | `position file` |
  const std::regex row(R"(\| `([^`]*)` \| `([^`]*)` \| `([^`]*)` \| `([^`]*)` \|)");
  int rows = 0;
  std::istringstream lines(all.substr(section, all.find("\n## ", section + 1) - section));
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    SCOPED_TRACE(line);
    ++rows;
    Konto(m[1].str());
    EXPECT_EQ(s->VKSGetTitelDateiName(m[1].str(), m[2].str(), dTitelPos),
              folder.path() + "/" + m[3].str() + "/Einzeltitel/" + m[4].str());
  }
  EXPECT_GE(rows, 5);
}

// A sink that records, may fail, and may call back into the server while handling the event.
class TestSenke : public KontoEreignisSenke {
 public:
  void AlleOrdersStreichen(const std::string& KontoName) override {
    empfangen.push_back(KontoName);
    if (rueckruf) rueckruf();
    if (scheitert) throw AutomationError(5);
  }
  std::vector<std::string> empfangen;
  std::function<void()> rueckruf;
  bool scheitert = false;
};

TEST_F(clKontoSchnittstelleTest, SinksMayCreateReleaseAndQueryDuringTheBroadcast) {
  auto erstes = clKontoSchnittstelle::Create(umgebung_);
  auto zweites = clKontoSchnittstelle::Create(umgebung_);
  auto drittes = clKontoSchnittstelle::Create(umgebung_);
  auto senke1 = std::make_shared<TestSenke>(), senke2 = std::make_shared<TestSenke>(),
       senke3 = std::make_shared<TestSenke>();
  erstes->SetzeEreignisSenke(senke1);
  zweites->SetzeEreignisSenke(senke2);
  drittes->SetzeEreignisSenke(senke3);
  std::shared_ptr<clKontoSchnittstelle> neues;
  senke1->rueckruf = [&] {
    neues = clKontoSchnittstelle::Create(umgebung_);  // not served by this broadcast
    drittes.reset();                                  // released before its turn
    erstes.reset();                                   // the host lets go of the object it serves
    EXPECT_FALSE(zweites->VKSKontoExistiert("Depot"));
  };
  senke2->scheitert = true;  // and the broadcast goes on
  SendeAlleOrdersStreichen(state_, "Depot");
  EXPECT_EQ(senke1->empfangen.size(), 1u);
  EXPECT_EQ(senke2->empfangen.size(), 1u);
  EXPECT_TRUE(senke3->empfangen.empty());
  EXPECT_EQ(state_.SchnittstellenAnzahl, 2);
  EXPECT_EQ(Registriert(),
            (std::vector<std::string>{zweites->ID_Schnittstelle, neues->ID_Schnittstelle}));
  // A single object's own call lets the sink's error through.
  EXPECT_THROW(zweites->VKSStreicheKontoOrders("X"), AutomationError);
}

}  // namespace
}  // namespace vks
