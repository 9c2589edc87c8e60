#pragma once
// The demo's COM transport (Windows build): holds one clKontoSchnittstelle object of the
// registered server, calls it through the dual interface's function table as a compiled host
// does, and receives AlleOrdersStreichen through a connection point. The event arrives while the
// server's call that raised it is still running, so the player's handler calls back into the
// server from inside that call.
#include <ocidl.h>

#include <memory>

#include "VKSKontoServerV7.h"
#include "adapters/com/ComPtr.h"
#include "tools/vks-host-demo/DemoTransport.h"
#include "tools/vks-host-demo/EreignisSenke.h"

namespace vks::demo {

class ComDemoHost : public DemoTransport {
 public:
  // REQUIRES: COM is initialised on this thread as a single-threaded apartment.
  ComDemoHost();
  ~ComDemoHost() override;
  ComDemoHost(const ComDemoHost&) = delete;
  ComDemoHost& operator=(const ComDemoHost&) = delete;

  // Creates the object; COM starts the server if it does not run.
  void Verbinde(std::function<void(const std::string&)> ereignis) override;
  bool KontoKomplettReset(const std::string& konto, double kontostand, double datum) override;
  std::string NeuesKontoZufuegen(const DemoKonto& k, double datum) override;
  void SetzeGlobal(const std::string& key, int32_t wert) override;
  void NeuerKurs(const Ereignis& e) override;
  bool Verbietet(const std::string& konto, int16_t order_aktion, std::string& meldung) override;
  int16_t NeuerOrderstatus(const Ereignis& e, const clOrderZusatzInfos* zusatz) override;
  void StreicheOrder(const std::string& konto, const std::string& order_id, double zeit) override;
  void ClosePosition(const Ereignis& e) override;
  void VerarbeiteEreignisse() override {}  // delivered within the call
  std::vector<std::string> KennzahlNamen() override;
  KontoErgebnis Ergebnis(const std::string& konto) override;
  void Freigeben() override;

 private:
  com::ComPtr<VKSKontoServerV7::_clKontoSchnittstelle> konto_;
  com::ComPtr<IConnectionPoint> punkt_;
  DWORD cookie_ = 0;
  std::unique_ptr<EreignisSenke> senke_;
};

}  // namespace vks::demo
