// Round trips to the account server over a session bus of our own: a price report
// (VKSKontoNeuerKurs) and an order report with a fill (VKSKontoNeuerOrderstatus) against
// org.freedesktop.DBus.Peer.Ping to the same server, the floor that the bus itself costs. The last
// lines give the ratios of the medians. A third process of this program, an echo server that
// answers a method call at once through the same QtDBus machinery (a QDBusVirtualObject), shows
// what the transport costs a call before the server does any work. The pipelined benchmarks send
// a batch of calls without waiting for each reply, as a host feeding a backtest does, and give the
// rate of price reports against that of Pings sent the same way. Each benchmark also reports the
// server's CPU time per call; the last lines give its medians as multiples of a Ping's.
// The server's registry, store and RTT files go to a temporary folder below $VKS_BENCH_DIR, else
// the system's temporary folder. $VKS_BENCH_SERVER names another server program to measure.
#include <benchmark/benchmark.h>

#include <systemd/sd-bus.h>
#include <QtCore/QCoreApplication>
#include <QtCore/QProcess>
#include <QtCore/QThread>
#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusConnectionInterface>
#include <QtDBus/QDBusObjectPath>
#include <QtDBus/QDBusVariant>
#include <QtDBus/QDBusVirtualObject>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "adapters/dbus/DbusHostObjekte.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusVariant.h"
#include "adapters/dbus/PrivaterSitzungsbus.h"
#include "adapters/sqlite/SqliteRegistryBackend.h"
#include "bench/Floor.h"
#include "bench/Verhaeltnisse.h"
#include "platform/settings/RegistrySettingsStore.h"

namespace vks {
namespace {

constexpr double kTag = 45744.0;

constexpr const char* kEchoService = "de.tradomir.BenchEcho";
constexpr const char* kEchoPath = "/echo";

// Answers every method call at once, in the object's thread as QtDBus delivers it: an order report
// with a reply of the server's shape (result, time, the extras sent), anything else empty.
class EchoObjekt : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    const QList<QVariant> args = message.arguments();
    if (message.member() == QLatin1String("VKSKontoNeuerOrderstatus") && args.size() == 11)
      connection.send(message.createReply({QVariant::fromValue<qint16>(-1), args[0], args[10]}));
    else
      connection.send(message.createReply());
    return true;
  }
};

int EchoServer(QCoreApplication& app) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  EchoObjekt echo;
  if (!bus.registerVirtualObject(QLatin1String(kEchoPath), &echo) ||
      !bus.registerService(QLatin1String(kEchoService)))
    return 1;
  QObject::connect(bus.interface(), &QDBusConnectionInterface::serviceUnregistered, &app,
                   [&app](const QString& name) {
                     if (name == QLatin1String(kEchoService)) app.quit();
                   });
  return app.exec();
}

// The server and the connection every benchmark uses.
struct Umgebung {
  bench::ScratchFolder ordner{"vks-dbus-bench-"};
  std::unique_ptr<dbus::PrivaterSitzungsbus> bus;
  QProcess server;
  QProcess echo;
  QDBusConnection verbindung{QString()};
  QString pfad;
  sd_bus* pipeline = nullptr;  // a connection of its own for the pipelined calls
  std::string pipeline_pfad;   // the object it created (an object answers its own client only)
  std::map<std::string, std::vector<double>> server_cpu_us;  // per repetition
};
Umgebung* g_umgebung = nullptr;

QDBusMessage Rufe(const QString& interface, const char* member, const QList<QVariant>& args,
                  const QString& pfad, const QString& dienst = QLatin1String(dbus::kServiceName)) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(dienst, pfad, interface, QLatin1String(member));
  call.setArguments(args);
  return g_umgebung->verbindung.call(call);
}

// To the server's account object, or with `echo` to the echo server.
QDBusMessage Konto(const char* member, const QList<QVariant>& args, bool echo = false) {
  return Rufe(QLatin1String(dbus::kKontoInterface), member, args,
              echo ? QLatin1String(kEchoPath) : g_umgebung->pfad,
              QLatin1String(echo ? kEchoService : dbus::kServiceName));
}

QVariant Zusatz() {
  clOrderZusatzInfos z;
  z.Margin = 100;
  return dbus::ZusatzInfosToDbus(&z);
}

bool Starte(Umgebung& u) {
  const std::filesystem::path ordner = u.ordner.path;
  std::filesystem::create_directories(ordner / "inst" / "Daten");
  const std::string registry = (ordner / "registry.sqlite").string();
  {
    auto backend = SqliteRegistryBackend::Open(registry);
    if (!backend.ok()) return false;
    RegistrySettingsStore settings(*backend.value());
    (void)settings.SaveSetting("Tradomir", "Programm", "PfadV7", (ordner / "inst").string());
    (void)settings.SaveSetting("Tradomir Kontoserver", "Einstellungen", "RTTSpeicherpfadV7",
                               (ordner / "rtt").string());
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VKS_REGISTRY", QString::fromStdString(registry));
  QString fehler;
  u.bus = dbus::PrivaterSitzungsbus::Starte(env, fehler);
  if (!u.bus) {
    std::fprintf(stderr, "%s\n", qPrintable(fehler));
    return false;
  }
  u.verbindung = QDBusConnection::connectToBus(u.bus->Adresse(), "bench");
  env.insert("DBUS_SESSION_BUS_ADDRESS", u.bus->Adresse());
  u.server.setProcessEnvironment(env);
  u.server.setStandardErrorFile(QProcess::nullDevice());
  // VKS_BENCH_SERVER measures another build of the server (an earlier one) with the same bench.
  const char* anderer = std::getenv("VKS_BENCH_SERVER");
  u.server.start(
      anderer && *anderer ? QString::fromLocal8Bit(anderer) : QStringLiteral(VKS_KONTOSERVER_PFAD),
      {});
  u.echo.setProcessEnvironment(env);
  u.echo.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--echo-server")});
  for (int i = 0; i < 500; ++i) {
    if (u.verbindung.interface()->isServiceRegistered(dbus::kServiceName).value() &&
        u.verbindung.interface()->isServiceRegistered(kEchoService).value())
      break;
    QThread::msleep(20);
  }
  dbus::RegisterVariantTypes();
  const QDBusMessage created =
      Rufe(QLatin1String(dbus::kServerInterface), "CreateObject",
           {QStringLiteral("clKontoSchnittstelle")}, QLatin1String(dbus::kRootPath));
  if (created.type() != QDBusMessage::ReplyMessage) {
    std::fprintf(stderr, "CreateObject: %s\n", qPrintable(created.errorMessage()));
    return false;
  }
  u.pfad = created.arguments().value(0).value<QDBusObjectPath>().path();
  const std::string adresse = u.bus->Adresse().toStdString();
  if (sd_bus_new(&u.pipeline) < 0 || sd_bus_set_address(u.pipeline, adresse.c_str()) < 0 ||
      sd_bus_set_bus_client(u.pipeline, 1) < 0 || sd_bus_start(u.pipeline) < 0) {
    std::fprintf(stderr, "sd-bus: keine Verbindung\n");
    return false;
  }
  sd_bus_message* reply = nullptr;
  const char* pfad = nullptr;
  if (sd_bus_call_method(u.pipeline, dbus::kServiceName, dbus::kRootPath, dbus::kServerInterface,
                         "CreateObject", nullptr, &reply, "s", "clKontoSchnittstelle") < 0 ||
      sd_bus_message_read(reply, "o", &pfad) < 0) {
    std::fprintf(stderr, "sd-bus: CreateObject\n");
    return false;
  }
  u.pipeline_pfad = pfad;
  sd_bus_message_unref(reply);
  Konto("VKSNeuesKontoZufuegen",
        {QStringLiteral("Bench"), QString(), 1e9, kTag, true, false, false, QString()});
  // A position for the price to revalue.
  Konto("VKSKontoNeuerOrderstatus",
        {kTag, QStringLiteral("Bench"), QStringLiteral("Start"), QStringLiteral("W1"),
         QStringLiteral("Titel"), QVariant::fromValue<qint16>(1), 100, 100, 10.0, true, Zusatz()});
  return true;
}

void Beende(Umgebung& u) {
  u.pipeline = sd_bus_flush_close_unref(u.pipeline);
  Konto("Release", {});
  u.server.waitForFinished(30'000);
  u.echo.terminate();
  u.echo.waitForFinished(5'000);
  u.bus.reset();
}

// The CPU time all of the server's threads have used so far, in nanoseconds.
double ServerCpuNs() {
  double ns = 0;
  const std::filesystem::path tasks =
      "/proc/" + std::to_string(g_umgebung->server.processId()) + "/task";
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double on_cpu = 0;
    if (schedstat >> on_cpu) ns += on_cpu;
  }
  return ns;
}

// Tells how much of a round trip is the server's own work: its CPU time per call.
class ServerCpu {
 public:
  ServerCpu(benchmark::State& state, const char* name, int64_t calls_per_iteration = 1)
      : state_(state), name_(name), calls_(calls_per_iteration), start_(ServerCpuNs()) {}
  ~ServerCpu() {
    if (state_.iterations() <= 0) return;
    const double us =
        (ServerCpuNs() - start_) / 1000.0 / static_cast<double>(state_.iterations() * calls_);
    state_.counters["server_cpu_us"] = us;
    g_umgebung->server_cpu_us[name_].push_back(us);
  }

 private:
  benchmark::State& state_;
  const char* name_;
  int64_t calls_;
  double start_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The server's CPU per call, the medians of the repetitions, against a Ping's.
void ServerCpuVerhaeltnisse(std::ostream& out) {
  const auto& cpu = g_umgebung->server_cpu_us;
  const std::pair<const char*, const char*> paare[] = {
      {"BM_VKSKontoNeuerKurs", "BM_PingFloor"},
      {"BM_VKSKontoNeuerOrderstatusFill", "BM_PingFloor"},
      {"BM_VKSKontoNeuerKursPipelined", "BM_PingPipelined"}};
  for (const auto& [name, floor] : paare) {
    if (!cpu.count(name) || !cpu.count(floor)) continue;
    const double a = Median(cpu.at(name)), b = Median(cpu.at(floor));
    out << "Server-CPU " << name << " / " << floor << ": " << a / b << " (" << a << " vs " << b
        << " us je Aufruf)"
        << (std::string_view(name) == "BM_VKSKontoNeuerKurs" ? " (Ziel <= 1.5)" : "") << "\n";
  }
}

// Calls sent one after the other without waiting, then all replies collected.
constexpr int kStapel = 1000;

struct Offen {
  int antworten = 0;
  int fehler = 0;
};

int Beantwortet(sd_bus_message* reply, void* userdata, sd_bus_error*) {
  auto* offen = static_cast<Offen*>(userdata);
  --offen->antworten;
  if (sd_bus_message_is_method_error(reply, nullptr)) ++offen->fehler;
  return 0;
}

// Sends kStapel calls that `fuelle` fills in; false when one fails.
using Fuelle = int (*)(sd_bus_message*, int);
bool Pipeline(const char* interface, const char* member, Fuelle fuelle) {
  sd_bus* bus = g_umgebung->pipeline;
  const std::string& pfad = g_umgebung->pipeline_pfad;
  Offen offen;
  for (int i = 0; i < kStapel; ++i) {
    sd_bus_message* m = nullptr;
    if (sd_bus_message_new_method_call(bus, &m, dbus::kServiceName, pfad.c_str(), interface,
                                       member) < 0)
      return false;
    const bool gesendet =
        fuelle(m, i) >= 0 && sd_bus_call_async(bus, nullptr, m, &Beantwortet, &offen, 0) >= 0;
    sd_bus_message_unref(m);
    if (!gesendet) return false;
    ++offen.antworten;
  }
  while (offen.antworten > 0) {
    const int r = sd_bus_process(bus, nullptr);
    if (r < 0) return false;
    if (r == 0 && sd_bus_wait(bus, UINT64_MAX) < 0) return false;
  }
  return offen.fehler == 0;
}

// Sends kStapel calls of `member` per iteration; `name` is the benchmark's.
void Pipelined(benchmark::State& state, const char* name, const char* interface, const char* member,
               Fuelle fuelle) {
  ServerCpu cpu(state, name, kStapel);
  for (auto _ : state) {
    if (!Pipeline(interface, member, fuelle)) state.SkipWithError(member);
  }
  state.SetItemsProcessed(state.iterations() * kStapel);
}

void BM_PingFloor(benchmark::State& state) {
  ServerCpu cpu(state, __func__);
  for (auto _ : state) {
    const QDBusMessage r =
        Rufe(QStringLiteral("org.freedesktop.DBus.Peer"), "Ping", {}, g_umgebung->pfad);
    if (r.type() != QDBusMessage::ReplyMessage) state.SkipWithError("Ping");
  }
}

// The price report to the server, or with `echo` to the echo server: calls through QtDBus without
// any work. Only the server's CPU is counted.
void NeuerKurs(benchmark::State& state, bool echo) {
  std::optional<ServerCpu> cpu;
  if (!echo) cpu.emplace(state, "BM_VKSKontoNeuerKurs");
  int64_t n = 0;
  for (auto _ : state) {
    const QDBusMessage r = Konto("VKSKontoNeuerKurs",
                                 {kTag + 0.3, QStringLiteral("Bench"), QStringLiteral("W1"),
                                  10.0 + static_cast<double>(n++ % 50) / 10, false},
                                 echo);
    if (r.type() != QDBusMessage::ReplyMessage) state.SkipWithError("VKSKontoNeuerKurs");
  }
}

// An order report with a fill, to the server or the echo server.
void NeuerOrderstatusFill(benchmark::State& state, bool echo) {
  static int64_t n = 0;  // the server's order IDs stay apart across runs
  const QVariant zusatz = Zusatz();
  std::optional<ServerCpu> cpu;
  if (!echo) {
    // Each run starts from a fresh account, as a trading day does, so that the fills of earlier
    // runs do not make the store that the save timer writes ever larger.
    Konto("VKSKontoKomplettReset", {QStringLiteral("Bench"), 1e9, kTag});
    cpu.emplace(state, "BM_VKSKontoNeuerOrderstatusFill");
  }
  for (auto _ : state) {
    ++n;
    const QDBusMessage r =
        Konto("VKSKontoNeuerOrderstatus",
              {kTag + 0.4, QStringLiteral("Bench"), QStringLiteral("O-%1").arg(n),
               QStringLiteral("W1"), QStringLiteral("Titel"),
               QVariant::fromValue<qint16>(n % 2 ? 1 : -1), 1, 1, 10.0, false, zusatz},
              echo);
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().value(0).value<qint16>() != -1)
      state.SkipWithError("VKSKontoNeuerOrderstatus");
  }
}

int KeineArgumente(sd_bus_message*, int) {
  return 0;
}
int KursArgumente(sd_bus_message* m, int i) {
  return sd_bus_message_append(m, "dssdb", kTag + 0.3, "Bench", "W1",
                               10.0 + static_cast<double>(i % 50) / 10, 0);
}

void Registriere() {
  const auto neunmal = [](benchmark::internal::Benchmark* b) {
    return b->Repetitions(9)->ReportAggregatesOnly(true);
  };
  neunmal(benchmark::RegisterBenchmark("BM_PingFloor", BM_PingFloor));
  for (bool echo : {false, true}) {
    neunmal(benchmark::RegisterBenchmark(echo ? "BM_QtDBusEcho" : "BM_VKSKontoNeuerKurs", NeuerKurs,
                                         echo));
    neunmal(
        benchmark::RegisterBenchmark(echo ? "BM_QtDBusEchoFill" : "BM_VKSKontoNeuerOrderstatusFill",
                                     NeuerOrderstatusFill, echo));
  }
  neunmal(benchmark::RegisterBenchmark("BM_PingPipelined", Pipelined, "BM_PingPipelined",
                                       "org.freedesktop.DBus.Peer", "Ping", KeineArgumente))
      ->UseRealTime();
  neunmal(benchmark::RegisterBenchmark("BM_VKSKontoNeuerKursPipelined", Pipelined,
                                       "BM_VKSKontoNeuerKursPipelined", dbus::kKontoInterface,
                                       "VKSKontoNeuerKurs", KursArgumente))
      ->UseRealTime();
}

}  // namespace
}  // namespace vks

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 2 && std::string_view(argv[1]) == "--echo-server") return vks::EchoServer(app);
  vks::Umgebung umgebung;
  vks::g_umgebung = &umgebung;
  vks::Registriere();
  const int code = vks::bench::LaufeMitVerhaeltnissen(
      argc, argv,
      {{"BM_VKSKontoNeuerKurs", "BM_PingFloor", 1.15},
       {"BM_VKSKontoNeuerOrderstatusFill", "BM_PingFloor", 1.6},
       {"BM_VKSKontoNeuerKursPipelined", "BM_PingPipelined", 1.25},
       {"BM_QtDBusEcho", "BM_PingFloor"},
       {"BM_QtDBusEchoFill", "BM_PingFloor"},
       {"BM_VKSKontoNeuerKurs", "BM_QtDBusEcho"},
       {"BM_VKSKontoNeuerOrderstatusFill", "BM_QtDBusEchoFill"}},
      [&umgebung] { return vks::Starte(umgebung); }, vks::ServerCpuVerhaeltnisse);
  if (code == 0) vks::Beende(umgebung);
  return code;
}
