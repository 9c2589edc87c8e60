// The account overview window with 1 000 positions, 1 000 open orders and 100 000 fills, offscreen:
// ShowDaten against filling bare table models with the same rows' strings, and a sort of the fills
// by a number column against std::stable_sort of the already parsed values plus the model's
// reorder: clicking the same header again (the order turns round) and clicking another one (a
// full sort). The last lines give the ratios and the process's peak resident memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <algorithm>
#include <numeric>
#include <string>

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "adapters/qt/UebersichtModell.h"
#include "adapters/qt/frmKontoUebersicht.h"
#include "bench/Konten.h"
#include "bench/Verhaeltnisse.h"
#include "fakes/RecordingReporter.h"
#include "platform/system/Clock.h"
#include "presenters/SortierRoutinen.h"

namespace vks {
namespace {

constexpr int kPositionen = 1000;
constexpr int kOrders = 1000;
constexpr int kFills = 100000;

std::shared_ptr<clKonto> GrossesKonto() {
  auto konto = std::make_shared<clKonto>();
  konto->KontoName = "Grosses Konto";
  for (int p = 0; p < kPositionen; ++p) {
    auto pos = std::make_shared<clTitelPosition>();
    pos->TitelWKN = bench::Nummer("DE000A%06d", p);
    pos->TitelName = bench::Nummer("Wertpapier Nummer %d AG", p);
    pos->Position = (p % 3 == 0 ? -1 : 1) * (p + 1);
    pos->Durchschnittspreis = 10.0f + p * 0.37f;
    konto->cTitelPositionen.Add(pos->TitelWKN, pos);
  }
  for (int o = 0; o < kOrders; ++o) {
    auto order = std::make_shared<clOffeneOrder>();
    order->ID = bench::Nummer("O-%06d", o);
    order->TitelWKN = "DE000A000001";
    order->TitelName = "Wertpapier Nummer 1 AG";
    order->Aktion = o % 2 ? 1 : -1;
    order->Anzahl = 100 + o;
    order->FilledAnzahl = o % 50;
    order->IsEnterOrder = o % 3 == 0;
    konto->cOffeneOrders.Add(order->ID, order);
  }
  for (int f = 0; f < kFills; ++f) {
    auto fill = std::make_shared<clFilledOrder>();
    fill->ID = bench::Nummer("F-%07d", f);
    fill->TitelWKN = "DE000A000002";
    fill->TitelName = "Wertpapier Nummer 2 AG";
    fill->Aktion = f % 2 ? 1 : -1;
    fill->FilledAnzahl = static_cast<int32_t>((f * 7919L) % 100000);
    fill->SimulDatum = DateValue{45000.5 + f / 1440.0};
    fill->IsEnterOrder = f % 4 == 0;
    fill->EnterPreis = f % 10 ? 10.0f + (f % 997) * 0.25f : 0.0f;
    konto->cFilledOrders.Add(fill->ID, fill);
  }
  return konto;
}

// A table model with nothing but rows of strings: the least a list can cost.
class BlankesModell : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& = {}) const override { return static_cast<int>(zeilen.size()); }
  int columnCount(const QModelIndex& = {}) const override { return 7; }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const auto& z = zeilen[static_cast<size_t>(i.row())];
    return static_cast<size_t>(i.column()) < z.size()
               ? QString::fromStdString(z[static_cast<size_t>(i.column())])
               : QString();
  }
  void Fuellen(std::vector<std::vector<std::string>> neu) {
    beginResetModel();
    zeilen = std::move(neu);
    endResetModel();
  }
  std::vector<std::vector<std::string>> zeilen;
};

struct Umgebung {
  Umgebung() {
    konto = GrossesKonto();
    const AutomationLocale de = AutomationLocale::German();
    for (const auto& e : konto->cOffeneOrders) orders.push_back(BaueOrderZeile(*e.value).spalten);
    for (const auto& e : konto->cTitelPositionen)
      positionen.push_back(BauePositionsZeile(*e.value, de).spalten);
    for (const auto& e : konto->cFilledOrders) fills.push_back(BaueFillZeile(*e.value, de).spalten);
  }
  frmKontoUebersicht& NeuesFenster() {
    fenster = std::make_unique<frmKontoUebersicht>(
        UebersichtUmfeld{meldungen, kontoumgebung, AutomationLocale::German(), nullptr, nullptr,
                         nullptr, nullptr, nullptr});
    fenster->resize(1000, 700);
    fenster->show();
    QCoreApplication::processEvents();
    return *fenster;
  }

  testing::RecordingReporter meldungen;
  SystemClock clock;
  std::unique_ptr<FileSystem> files = NewPlatformFileSystem();
  RttAufzeichnung rtt{*files, RttStorage{}};  // no folder: the chart reads nothing
  KontoUmgebung kontoumgebung{clock, rtt};
  std::shared_ptr<clKonto> konto;
  std::vector<std::vector<std::string>> orders, positionen, fills;
  std::unique_ptr<frmKontoUebersicht> fenster;
};

// Made in main() after the application and gone before it: the window needs both.
Umgebung* g_umgebung = nullptr;
Umgebung& U() {
  return *g_umgebung;
}

void BM_ShowDaten(benchmark::State& state) {
  Umgebung& u = U();
  frmKontoUebersicht& fenster = u.NeuesFenster();
  for (auto _ : state) {
    fenster.ShowDaten(u.konto);
    QCoreApplication::processEvents();  // the views lay out and paint what is visible
  }
}
BENCHMARK(BM_ShowDaten)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowDatenFloor(benchmark::State& state) {
  Umgebung& u = U();
  BlankesModell m_orders, m_positionen, m_fills;
  for (auto _ : state) {
    m_orders.Fuellen(u.orders);
    m_fills.Fuellen(u.fills);
    m_positionen.Fuellen(u.positionen);
    benchmark::DoNotOptimize(m_fills.zeilen.data());
  }
}
BENCHMARK(BM_ShowDatenFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rows' texts alone, without any model: how much of ShowDaten is formatting.
void BM_ZeilenBauen(benchmark::State& state) {
  Umgebung& u = U();
  const AutomationLocale de = AutomationLocale::German();
  for (auto _ : state) {
    std::vector<UebersichtZeile> zeilen;
    zeilen.reserve(u.konto->cFilledOrders.Count());
    for (const auto& e : u.konto->cFilledOrders) zeilen.push_back(BaueFillZeile(*e.value, de));
    benchmark::DoNotOptimize(zeilen.data());
  }
}
BENCHMARK(BM_ZeilenBauen)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each iteration is one header click: on "Filled" (the order turns round each time) or, with
// `wechsel`, on "Filled" and "Kurs" in turn, so that the rows always come in the other column's
// order and are sorted in full.
void SortiereFills(benchmark::State& state, bool wechsel) {
  Umgebung& u = U();
  frmKontoUebersicht& fenster = u.NeuesFenster();
  fenster.ShowDaten(u.konto);
  int spalte = 4;
  for (auto _ : state) {
    fenster.SpalteGeklickt(UebersichtListe::kAusfuehrungen, spalte);
    QCoreApplication::processEvents();
    if (wechsel) spalte = spalte == 4 ? 6 : 4;
  }
}

// The floors' model: the fills' rows as texts, shown by no view.
void FuelleMitTexten(UebersichtModell& modell, const Umgebung& u) {
  std::vector<UebersichtZeile> zeilen;
  for (const auto& z : u.fills) zeilen.push_back({z[0], z, nullptr});
  modell.Fuellen(std::move(zeilen));
}

// The same clicks as std::stable_sort of the already parsed values plus the model's reorder; the
// values of the columns sorted by follow their rows, as the cells do.
void SortiereFillsFloor(benchmark::State& state, bool wechsel) {
  Umgebung& u = U();
  const AutomationLocale de = AutomationLocale::German();
  UebersichtModell modell(UebersichtListe::kAusfuehrungen, de);
  FuelleMitTexten(modell, u);
  std::vector<std::vector<double>> werte(wechsel ? 2 : 1);
  for (const auto& z : u.fills) {
    werte[0].push_back(ZellenWertZahl(z[4], de));
    if (wechsel) werte[1].push_back(ZellenWertZahl(z[6], de));
  }
  size_t nach = 0;
  bool absteigend = false;
  for (auto _ : state) {
    const std::vector<double>& w = werte[nach];
    std::vector<size_t> reihenfolge(w.size());
    std::iota(reihenfolge.begin(), reihenfolge.end(), size_t{0});
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(),
                     [&](size_t a, size_t b) { return absteigend ? w[b] < w[a] : w[a] < w[b]; });
    modell.Ordnen(reihenfolge);
    for (std::vector<double>& spalte : werte) {
      std::vector<double> neu(spalte.size());
      for (size_t i = 0; i < reihenfolge.size(); ++i) neu[i] = spalte[reihenfolge[i]];
      spalte.swap(neu);
    }
    if (wechsel) {
      nach = 1 - nach;
    } else {
      absteigend = !absteigend;
    }
  }
}

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vks::Umgebung umgebung;
  vks::g_umgebung = &umgebung;
  for (bool wechsel : {false, true}) {
    const std::string name = wechsel ? "BM_SortiereFillsWechsel" : "BM_SortiereFills";
    benchmark::RegisterBenchmark(name.c_str(), vks::SortiereFills, wechsel)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((name + "Floor").c_str(), vks::SortiereFillsFloor, wechsel)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_ShowDaten", "BM_ShowDatenFloor"},
       {"BM_SortiereFills", "BM_SortiereFillsFloor"},
       {"BM_SortiereFillsWechsel", "BM_SortiereFillsWechselFloor"}},
      {}, [](std::ostream& out) {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        out << "peak resident memory: " << usage.ru_maxrss / 1024 << " MiB\n";
      });
}
