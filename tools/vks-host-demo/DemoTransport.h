#pragma once
// How the demo reaches the server: one call per member that the day uses, in the host's terms.
// The D-Bus transport (DemoHost) serves the Linux build, the COM transport (ComDemoHost) the
// Windows build; the day itself is played by DemoSpieler on either. Calls throw
// std::runtime_error naming the member when the server does not answer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "accounts/clOrderZusatzInfos.h"
#include "tools/vks-host-demo/Handelstag.h"

namespace vks::demo {

struct KontoErgebnis {
  std::string name;
  std::vector<double> kennzahlen;  // metric 1 … 48
  double cash = 0;
};

class DemoTransport {
 public:
  virtual ~DemoTransport() = default;

  // Creates the interface object; AlleOrdersStreichen(KontoName) then calls `ereignis`, which may
  // call back into the server.
  virtual void Verbinde(std::function<void(const std::string&)> ereignis) = 0;
  virtual bool KontoKomplettReset(const std::string& konto, double kontostand, double datum) = 0;
  // VKSNeuesKontoZufügen with the day's date and simulated time; the error text, "" on success.
  virtual std::string NeuesKontoZufuegen(const DemoKonto& k, double datum) = 0;
  virtual void SetzeGlobal(const std::string& key, int32_t wert) = 0;
  virtual void NeuerKurs(const Ereignis& e) = 0;
  // KontoVerbietetOrderaufgabe; the message comes back in `meldung`.
  virtual bool Verbietet(const std::string& konto, int16_t order_aktion, std::string& meldung) = 0;
  virtual int16_t NeuerOrderstatus(const Ereignis& e, const clOrderZusatzInfos* zusatz) = 0;
  virtual void StreicheOrder(const std::string& konto, const std::string& order_id,
                             double zeit) = 0;
  virtual void ClosePosition(const Ereignis& e) = 0;
  // Lets events that the server sent before its reply reach their handler.
  virtual void VerarbeiteEreignisse() = 0;
  // Metric names (from InitKontoKennzahlen) and each account's metrics.
  virtual std::vector<std::string> KennzahlNamen() = 0;
  virtual KontoErgebnis Ergebnis(const std::string& konto) = 0;
  // Releases the object; the server saves and ends.
  virtual void Freigeben() = 0;
};

}  // namespace vks::demo
