// com_bench SERVER.exe: late-bound round trips from a second process to the registered
// VKSKontoServer.exe under Wine, each against a floor measured in the same run: a price report
// (VKSKontoNeuerKurs) and an order report with a fill (VKSKontoNeuerOrderstatus) against reading a
// data property (NeuerAktienwertSpeichern), the emptiest member the server has. Beside each figure
// the server's own CPU time per call (its user and kernel time over all rounds), which tells the
// server's share from the round trip's. Google Benchmark has no mingw build on Debian, so this is a
// plain timing loop that prints the ratios; the best of several rounds counts, as the machine is
// shared.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "VKSKontoServerV7.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/WideText.h"
#include "tests/adapters/com/DispatchCall.h"
#include "tests/adapters/com/ServerProcess.h"

namespace {

using namespace vks;
using namespace vks::com;

constexpr int kRounds = 5;

// User and kernel time of `process` so far, in microseconds.
double CpuMicros(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!process || !GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  const auto micros = [](FILETIME t) {
    return static_cast<double>((uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10;
  };
  return micros(kernel) + micros(user);
}

struct Figure {
  double nanos_per_call;          // best round, wall clock
  double server_micros_per_call;  // the server's CPU over all rounds
};

Figure Measure(HANDLE server, int calls, const std::function<void(int)>& call) {
  Figure figure{1e300, 0};
  const double cpu_before = CpuMicros(server);
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) call(round * calls + i);
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    figure.nanos_per_call = std::min(figure.nanos_per_call, took.count() / calls);
  }
  figure.server_micros_per_call = (CpuMicros(server) - cpu_before) / (kRounds * calls);
  return figure;
}

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) {
    std::fprintf(stderr, "com_bench: %s: 0x%08lX\n", what, static_cast<unsigned long>(hr));
    std::exit(1);
  }
}

}  // namespace

int main() {
  Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx");
  ComPtr<IDispatch> konto;
  Check(CoCreateInstance(VKSKontoServerV7::CLSID_clKontoSchnittstelle, nullptr, CLSCTX_LOCAL_SERVER,
                         IID_IDispatch, konto.ReceiveVoid()),
        "CoCreateInstance (is VKSKontoServer.exe registered?)");
  const DateValue datum{46000.5};
  std::vector<VARIANT> neu = {Arg(Variant("Bench")), Arg(Variant("")),   Arg(Variant(1e9)),
                              Arg(Variant(datum)),   Arg(Variant(true)), Arg(Variant(false)),
                              Arg(Variant(false)),   Arg(Variant(""))};
  Check(Call(konto.Get(), L"VKSNeuesKontoZufügen", DISPATCH_METHOD, neu).hr, "new account");
  for (auto& a : neu) VariantClear(&a);

  HANDLE server = vks::testing::ServerProcess(PROCESS_QUERY_LIMITED_INFORMATION);
  if (!server) std::fprintf(stderr, "com_bench: the server's process is not found: no CPU times\n");
  constexpr int kCalls = 2000;
  const Figure floor = Measure(server, kCalls, [&](int) {
    Call(konto.Get(), L"NeuerAktienwertSpeichern", DISPATCH_PROPERTYGET, {});
  });
  const Figure kurs = Measure(server, kCalls, [&](int i) {
    std::vector<VARIANT> args = {Arg(Variant(datum)), Arg(Variant("Bench")), Arg(Variant("WKN")),
                                 Arg(Variant(100.0f + static_cast<float>(i % 50)))};
    Call(konto.Get(), L"VKSKontoNeuerKurs", DISPATCH_METHOD, args);
    for (auto& a : args) VariantClear(&a);
  });
  const Figure order = Measure(server, kCalls / 4, [&](int i) {
    std::vector<VARIANT> args = {
        Arg(Variant(datum)),      Arg(Variant("Bench")),    Arg(Variant("O" + std::to_string(i))),
        Arg(Variant("WKN")),      Arg(Variant("Titel")),    Arg(Variant(int16_t{1})),
        Arg(Variant(int32_t{1})), Arg(Variant(int32_t{1})), Arg(Variant(100.0f)),
        Arg(Variant(true)),       Arg(Variant::Nothing())};
    Call(konto.Get(), L"VKSKontoNeuerOrderstatus", DISPATCH_METHOD, args);
    for (auto& a : args) VariantClear(&a);
  });
  const auto print = [&](const char* name, const Figure& f, const char* target) {
    std::printf("%-32s %8.0f ns/call  %5.2fx floor%s  server CPU %6.1f us/call  %5.2fx floor's\n",
                name, f.nanos_per_call, f.nanos_per_call / floor.nanos_per_call, target,
                f.server_micros_per_call,
                f.server_micros_per_call / std::max(floor.server_micros_per_call, 1e-3));
  };
  print("floor (NeuerAktienwertSpeichern)", floor, "              ");
  print("VKSKontoNeuerKurs", kurs, " (target <= 1.3x)");
  print("VKSKontoNeuerOrderstatus (fill)", order, " (target <= 2x)  ");
  if (server) CloseHandle(server);
  konto.Reset();
  CoUninitialize();
  return 0;
}
