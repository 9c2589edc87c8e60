// The account list window with 1 000 accounts, offscreen, as the server shows it: InitKontoListe,
// and a price-save tick after a price for every account, so that every row's time and capital are
// refreshed. Each is held against filling a bare QStandardItemModel with the same strings (the
// rows' texts formatted once, beforehand). The tick writes no RTT file here (no storage folder);
// recording has its own benchmark. BM_KontenZeilenBauen tells how much of it all is formatting.
// The floors have no view, so the list's painting of its visible rows is left out of the timed
// region as well (it runs between iterations); the ...MitZeichnen variants time it too, for the
// record: the list makes a ticked row's time and capital texts when it paints the row. The last
// lines give the ratios, of wall and of CPU time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <functional>
#include <map>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "adapters/qt/KontenFensterMitAnzeige.h"
#include "bench/Konten.h"
#include "bench/Verhaeltnisse.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "fakes/RecordingReporter.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistrySettingsStore.h"
#include "platform/system/Clock.h"
#include "presenters/HauptfensterPresenter.h"
#include "session/KontoSitzung.h"
#include "session/Startup.h"

namespace vks {
namespace {

constexpr int kKonten = 1000;
constexpr int kSpalten = 5;

void FuelleKonten(KontenSammlung& konten) {
  for (int k = 0; k < kKonten; ++k) {
    auto konto = std::make_shared<clKonto>();
    konto->KontoName = bench::Nummer("Konto %04d", k);
    konto->CashBetrag = 100000.0 + k * 17.25;
    konto->AktuelleZeit = DateValue{46362.5 + k / 1440.0};
    for (int p = 0; p < k % 4; ++p) {
      auto pos = std::make_shared<clTitelPosition>();
      pos->TitelWKN = bench::Nummer("DE000A%06d", p);
      pos->Position = 10 * (p + 1);
      pos->Durchschnittspreis = 12.5f + p;
      konto->cTitelPositionen.Add(pos->TitelWKN, pos);
    }
    konten.Add(FoldCase(konto->KontoName), konto);
  }
}

// What the server builds around its account list window, without the bus.
struct Umgebung {
  Umgebung() {
    FuelleKonten(state.Konten);
    anzeige.ZeigeKontenFenster();
    anzeige.Fenster()->resize(900, 700);
    QCoreApplication::processEvents();
  }
  // The texts of every row as the window shows them now.
  std::vector<KontenZeile> Zeilen() const {
    std::vector<KontenZeile> zeilen;
    for (const auto& e : state.Konten) zeilen.push_back(BaueKontenZeile(*e.value, locale));
    return zeilen;
  }
  // A price for every account: each has values waiting and a later time to show.
  void PreisFuerJedesKonto() {
    for (auto& e : state.Konten) {
      e.value->AktuelleZeit = DateValue{e.value->AktuelleZeit.days + 1.0 / 86400};
      e.value->NeuerAktienwertSpeichern = true;
    }
  }

  const AutomationLocale locale = AutomationLocale::German();
  testing::RecordingReporter meldungen;
  testing::RecordingErrorLog log;
  SystemClock clock;
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  AccountStore store{"", "", *files, meldungen, log, clock};
  KontoSitzung state;
  RttAufzeichnung rtt{*files, RttStorage{}};
  KontoUmgebung kontoumgebung{clock, rtt};
  Speicherplan speicherplan{state.Konten, store, rtt};
  HauptfensterPresenter presenter{state.Konten, speicherplan, locale};
  InMemoryRegistryBackend registry;
  RegistrySettingsStore settings{registry};
  BestaetigenderSpeicherordnerDialog speicherordner{settings};
  KontenFensterMitAnzeige anzeige{{state, presenter, meldungen, kontoumgebung, clock, *files,
                                   settings, speicherordner, nullptr, locale, nullptr}};
};

// Made in main() after the application and gone before it: the window needs both.
Umgebung* g_umgebung = nullptr;
Umgebung& U() {
  return *g_umgebung;
}

// The list lays out and paints what is visible; timed or not. Then what comes before the next
// iteration, untimed.
void Zeichnen(benchmark::State& state, bool timed, const std::function<void()>& danach = {}) {
  if (timed) QCoreApplication::processEvents();
  state.PauseTiming();
  if (!timed) QCoreApplication::processEvents();
  if (danach) danach();
  state.ResumeTiming();
}

// Each benchmark in milliseconds of wall time, the median of five runs.
void Ms5(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
}

void InitKontoListe(benchmark::State& state, bool mit_zeichnen) {
  Umgebung& u = U();
  for (auto _ : state) {
    u.presenter.InitKontoListe();
    Zeichnen(state, mit_zeichnen);
  }
  if (u.anzeige.Fenster()->LKontoliste()->model()->rowCount() != kKonten)
    state.SkipWithError("rows missing");
}

void BM_InitKontoListeFloor(benchmark::State& state) {
  const std::vector<KontenZeile> zeilen = U().Zeilen();
  QStandardItemModel modell;
  for (auto _ : state) {
    modell.clear();
    modell.setColumnCount(kSpalten);
    for (const KontenZeile& z : zeilen) {
      QList<QStandardItem*> zeile;
      for (const std::string* text :
           {&z.name, &z.datum, &z.gesamtwert, &z.enter_orders, &z.positionen})
        zeile.append(new QStandardItem(QString::fromStdString(*text)));
      modell.appendRow(zeile);
    }
  }
}
BENCHMARK(BM_InitKontoListeFloor)->Apply(Ms5);

void KursspeichernZeitgeberTick(benchmark::State& state, bool mit_zeichnen) {
  Umgebung& u = U();
  u.presenter.InitKontoListe();
  QCoreApplication::processEvents();
  u.PreisFuerJedesKonto();
  // The prices arrive between ticks: that is not the tick's work.
  for (auto _ : state) {
    u.presenter.Plan().KursspeichernZeitgeberTick();
    Zeichnen(state, mit_zeichnen, [&u] { u.PreisFuerJedesKonto(); });
  }
}

// The two cells a price moves, set in every row; the times alternate between two sets of texts, as
// an item keeps a text that equals the one it has without telling anyone.
void BM_KursspeichernZeitgeberTickFloor(benchmark::State& state) {
  Umgebung& u = U();
  const std::vector<KontenZeile> vorher = u.Zeilen();
  u.PreisFuerJedesKonto();
  const std::vector<KontenZeile> nachher = u.Zeilen();
  QStandardItemModel modell(kKonten, kSpalten);
  for (int r = 0; r < kKonten; ++r)
    for (int c = 0; c < kSpalten; ++c) modell.setItem(r, c, new QStandardItem);
  bool wechsel = false;
  for (auto _ : state) {
    const std::vector<KontenZeile>& zeilen = wechsel ? nachher : vorher;
    for (int r = 0; r < kKonten; ++r) {
      const KontenZeile& z = zeilen[static_cast<size_t>(r)];
      modell.item(r, 1)->setText(QString::fromStdString(z.datum));
      modell.item(r, 2)->setText(QString::fromStdString(z.gesamtwert));
    }
    wechsel = !wechsel;
  }
}
BENCHMARK(BM_KursspeichernZeitgeberTickFloor)->Apply(Ms5);

// The rows' texts alone, without any list: how much of both is formatting.
void BM_KontenZeilenBauen(benchmark::State& state) {
  Umgebung& u = U();
  for (auto _ : state) benchmark::DoNotOptimize(u.Zeilen().data());
}
BENCHMARK(BM_KontenZeilenBauen)->Apply(Ms5);

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  // Before the application: the benchmark needs no display, and a display would only add noise.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vks::Umgebung umgebung;
  vks::g_umgebung = &umgebung;
  // Each without and with the list's painting timed.
  for (bool mit_zeichnen : {false, true}) {
    const std::string mit = mit_zeichnen ? "MitZeichnen" : "";
    benchmark::RegisterBenchmark(("BM_InitKontoListe" + mit).c_str(), vks::InitKontoListe,
                                 mit_zeichnen)
        ->Apply(vks::Ms5);
    benchmark::RegisterBenchmark(("BM_KursspeichernZeitgeberTick" + mit).c_str(),
                                 vks::KursspeichernZeitgeberTick, mit_zeichnen)
        ->Apply(vks::Ms5);
  }
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_InitKontoListe", "BM_InitKontoListeFloor", 1.5},
       {"BM_InitKontoListeMitZeichnen", "BM_InitKontoListeFloor"},
       {"BM_KursspeichernZeitgeberTick", "BM_KursspeichernZeitgeberTickFloor", 1.5},
       {"BM_KursspeichernZeitgeberTickMitZeichnen", "BM_KursspeichernZeitgeberTickFloor"}});
}
