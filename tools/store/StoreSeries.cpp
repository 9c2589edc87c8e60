#include "tools/store/StoreSeries.h"

#include "accounts/KontoUmgebung.h"
#include "accounts/clKonto.h"
#include "platform/automation/StoreReader.h"

namespace vks {
namespace {

// The series carry the accounts' own times, never the clock's.
class AccountTimeOnly : public Clock {
 public:
  DateValue Now() override { return DateValue{}; }
};

}  // namespace

int SchreibeStartreihen(const std::string& bytes, const std::string& folder) {
  size_t offset = 0;
  auto bounds = ReadStoreArrayHeader(bytes, offset);
  if (!bounds || bounds->size() != 1) return 0;
  AccountTimeOnly clock;
  const std::unique_ptr<FileSystem> dateien = NewPlatformFileSystem();
  RttAufzeichnung rtt(*dateien, RttStorage{folder});
  const KontoUmgebung umgebung{clock, rtt};
  int written = 0;
  for (int32_t i = 0; i < bounds->front().count; ++i) {
    const Variant record = ReadStoreVariant(bytes, offset);
    if (bounds->front().lower + i < 1) continue;
    clKonto konto;
    konto.ReadAllProperties(record);
    konto.SchreibeInitRTTWerte(false, umgebung);
    for (const auto& entry : konto.cTitelPositionen) {
      const clTitelPosition& p = *entry.value;
      rtt.SchreibeWert(konto.KontoName, p.TitelWKN, p.TitelName, dTitelPos, konto.AktuelleZeit,
                       p.Durchschnittspreis, static_cast<float>(p.Position));
    }
    ++written;
  }
  return written;
}

}  // namespace vks
