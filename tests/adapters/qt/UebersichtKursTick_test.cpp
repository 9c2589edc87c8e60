// The price-save tick reaches an open overview window through the table of open windows: its
// chart takes the records appended since, its figures follow when the tick wrote the account's
// price-driven values.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <filesystem>

#include "accounts/KontoUmgebung.h"
#include "accounts/VerbucheFill.h"
#include "accounts/clKonto.h"
#include "adapters/qt/HauptfensterAdapter.h"
#include "adapters/qt/KapitalVerlauf.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingReporter.h"
#include "fakes/TempFolder.h"
#include "platform/files/FileSystem.h"
#include "presenters/HauptfensterPresenter.h"
#include "recording/RttFileName.h"
#include "recording/RttReader.h"
#include "session/KontoBeobachterVerteiler.h"
#include "session/KontoSitzung.h"
#include "tests/adapters/qt/AnwendungZuerst.h"

namespace vks {
namespace {

class UebersichtKursTickTest : public testing::AnwendungZuerst, public ::testing::Test {
 protected:
  UebersichtKursTickTest() {
    konto_->KontoName = "Depot";
    konto_->UseSimulZeit = true;
    konto_->AktuelleZeit = DateValue{45500.5};
    konto_->CashBetrag = 10000;
    state_.Konten.Add("Depot", konto_);
    VerbucheFill(*konto_, DateValue{45500.5}, "W1", "Eins AG", 1, 100, 10, nullptr, umgebung_);
    auto fenster = fabrik_.NeuesFenster();
    fenster->ShowDaten(konto_);
    presenter_.UebersichtsFenster().Add("depot", fenster);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* f = qobject_cast<frmKontoUebersicht*>(w);
      if (f && f->Presenter().Konto() == konto_) fenster_ = f;
    }
  }
  ~UebersichtKursTickTest() override {
    presenter_.UebersichtsFenster().Remove("depot");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  const QList<QPointF>& Kapital() const { return fenster_->Verlauf()->Kapital(); }
  const QList<QPointF>& Cash() const { return fenster_->Verlauf()->Cash(); }
  QString Gesamt() const { return fenster_->Zahl("InfoGesamtKapital")->text(); }
  std::string Datei(eKontoDatenArt art) const {
    return RttFileLocation(rtt_.Speicher(), "Depot", "", art).file;
  }
  size_t Records(eKontoDatenArt art) const {
    return ReadRttFile(rtt_.Dateien(), Datei(art))->records.size();
  }
  void Kurs(float kurs, double zeit) {
    bool sofort = false;
    konto_->NeuerKurs("W1", DateValue{zeit}, kurs, sofort, clock_);
  }

  testing::TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = NewPlatformFileSystem();
  RttAufzeichnung rtt_{*files_, RttStorage{folder_.path() + "/rtt"}};
  testing::FakeClock clock_{45500.5};
  testing::RecordingReporter reporter_;
  testing::RecordingErrorLog log_;
  AccountStore store_{folder_.path(), folder_.path(), *files_, reporter_, log_, clock_};
  KontoSitzung state_;
  Speicherplan speicherplan_{state_.Konten, store_, rtt_};
  HauptfensterPresenter presenter_{state_.Konten, speicherplan_, AutomationLocale::German()};
  KontoBeobachterVerteiler verteiler_;
  KontoUmgebung umgebung_{clock_, rtt_, &verteiler_};
  QtUebersichtFabrik fabrik_{[this] {
    return UebersichtUmfeld{reporter_,   umgebung_,   AutomationLocale::German(),
                            &presenter_, &verteiler_, nullptr,
                            nullptr,     nullptr};
  }};
  std::shared_ptr<clKonto> konto_ = std::make_shared<clKonto>();
  frmKontoUebersicht* fenster_ = nullptr;
};

TEST_F(UebersichtKursTickTest, ChartAndFiguresFollowTheTick) {
  ASSERT_NE(fenster_, nullptr);
  const KapitalVerlauf& verlauf = *fenster_->Verlauf();
  const int64_t kapital = verlauf.KapitalWerte(), cash = verlauf.CashWerte();
  ASSERT_EQ(static_cast<size_t>(kapital), Records(dKapitalGesamtKapital));
  const QString vorher = Gesamt();

  // A price waits for the tick: neither the chart nor the figures move before it.
  Kurs(12, 45500.6);
  EXPECT_EQ(verlauf.KapitalWerte(), kapital);
  EXPECT_EQ(Gesamt(), vorher);
  presenter_.Plan().KursspeichernZeitgeberTick();
  ASSERT_EQ(verlauf.KapitalWerte(), kapital + 1);
  EXPECT_EQ(verlauf.CashWerte(), cash);  // price saving writes no cash
  EXPECT_FLOAT_EQ(verlauf.LetzterKapitalWert().value,
                  static_cast<float>(konto_->BerechneGesamtKapital()));
  EXPECT_NE(Gesamt(), vorher);
  // Cash holds until the capital's latest time.
  EXPECT_EQ(Cash().back().x(), Kapital().back().x());

  // A tick without waiting values appends nothing and leaves the figures alone.
  const QString nach_kurs = Gesamt();
  konto_->CashBetrag += 1000;  // unannounced: only a refresh would show it
  presenter_.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(verlauf.KapitalWerte(), kapital + 1);
  EXPECT_EQ(Gesamt(), nach_kurs);
  konto_->CashBetrag -= 1000;

  // What a booking records between two ticks shows at the next one; cash steps at its time.
  const float cash_vorher = verlauf.LetzterCashWert().value;
  VerbucheFill(*konto_, DateValue{45500.7}, "W1", "Eins AG", -1, 50, 12, nullptr, umgebung_);
  presenter_.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(static_cast<size_t>(verlauf.CashWerte()), Records(dKapitalCash));
  EXPECT_EQ(static_cast<size_t>(verlauf.KapitalWerte()), Records(dKapitalGesamtKapital));
  const QList<QPointF>& punkte = Cash();
  ASSERT_GE(punkte.size(), 2);
  EXPECT_EQ(punkte.back(), QPointF(45500.7, verlauf.LetzterCashWert().value));
  EXPECT_EQ(punkte[punkte.size() - 2].y(), cash_vorher);
}

TEST_F(UebersichtKursTickTest, ASeriesWrittenAnewIsDrawnFromItsStart) {
  ASSERT_NE(fenster_, nullptr);
  const KapitalVerlauf& verlauf = *fenster_->Verlauf();
  for (float kurs : {11.0f, 12.0f, 13.0f}) {
    Kurs(kurs, 45500.6);
    presenter_.Plan().KursspeichernZeitgeberTick();
  }
  // As a reset does it: the files go, the account starts again with other cash.
  std::filesystem::remove(Datei(dKapitalGesamtKapital));
  std::filesystem::remove(Datei(dKapitalCash));
  konto_->CashBetrag = 5000;
  konto_->SchreibeInitRTTWerte(true, umgebung_);
  ASSERT_LT(Records(dKapitalGesamtKapital), static_cast<size_t>(verlauf.KapitalWerte()));
  presenter_.Plan().KursspeichernZeitgeberTick();
  EXPECT_EQ(static_cast<size_t>(verlauf.KapitalWerte()), Records(dKapitalGesamtKapital));
  ASSERT_EQ(static_cast<size_t>(verlauf.CashWerte()), Records(dKapitalCash));
  EXPECT_EQ(Cash().front().y(), 5000);
}

}  // namespace
}  // namespace vks
