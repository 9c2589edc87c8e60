// com_bench SERVER.exe: late-bound round trips from a second process to the registered
// VKSKontoServer.exe under Wine, each against a floor measured in the same run: a price report
// (VKSKontoNeuerKurs) and an order report with a fill (VKSKontoNeuerOrderstatus) against reading a
// data property (NeuerAktienwertSpeichern), the emptiest member the server has. Google Benchmark
// has no mingw build on Debian, so this is a plain timing loop that prints the ratios; the best of
// several rounds counts, as the machine is shared.
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

namespace {

using namespace vks;
using namespace vks::com;

double BestNanosPerCall(int calls, const std::function<void(int)>& call) {
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) call(round * calls + i);
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count() / calls);
  }
  return best;
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

  constexpr int kCalls = 2000;
  const double floor = BestNanosPerCall(kCalls, [&](int) {
    Call(konto.Get(), L"NeuerAktienwertSpeichern", DISPATCH_PROPERTYGET, {});
  });
  const double kurs = BestNanosPerCall(kCalls, [&](int i) {
    std::vector<VARIANT> args = {Arg(Variant(datum)), Arg(Variant("Bench")), Arg(Variant("WKN")),
                                 Arg(Variant(100.0f + static_cast<float>(i % 50)))};
    Call(konto.Get(), L"VKSKontoNeuerKurs", DISPATCH_METHOD, args);
    for (auto& a : args) VariantClear(&a);
  });
  const double order = BestNanosPerCall(kCalls / 4, [&](int i) {
    std::vector<VARIANT> args = {
        Arg(Variant(datum)),      Arg(Variant("Bench")),    Arg(Variant("O" + std::to_string(i))),
        Arg(Variant("WKN")),      Arg(Variant("Titel")),    Arg(Variant(int16_t{1})),
        Arg(Variant(int32_t{1})), Arg(Variant(int32_t{1})), Arg(Variant(100.0f)),
        Arg(Variant(true)),       Arg(Variant::Nothing())};
    Call(konto.Get(), L"VKSKontoNeuerOrderstatus", DISPATCH_METHOD, args);
    for (auto& a : args) VariantClear(&a);
  });
  std::printf("floor (NeuerAktienwertSpeichern) %8.0f ns/call\n", floor);
  std::printf("VKSKontoNeuerKurs               %8.0f ns/call  %.2fx floor (target <= 1.3x)\n", kurs,
              kurs / floor);
  std::printf("VKSKontoNeuerOrderstatus (fill) %8.0f ns/call  %.2fx floor (target <= 2x)\n", order,
              order / floor);
  konto.Reset();
  CoUninitialize();
  return 0;
}
