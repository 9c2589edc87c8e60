#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/files/Ordner.h"

namespace vks {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fehler(const std::error_code& code) {
  int32_t number = 75;
  switch (code.value()) {
    case ENOENT:
    case ENOTDIR:
      number = 76;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
      number = 70;
      break;
    default:
      break;
  }
  throw AutomationError(number);
}

class DateisystemOrdner : public Ordner {
 public:
  bool OrdnerExistiert(const std::string& pfad) override {
    std::error_code code;
    return !pfad.empty() && fs::is_directory(pfad, code);
  }

  bool DateiExistiert(const std::string& pfad) override {
    std::error_code code;
    return !pfad.empty() && fs::is_regular_file(pfad, code);
  }

  void OrdnerAnlegen(const std::string& pfad) override {
    std::error_code code;
    if (!fs::create_directory(pfad, code))
      Fehler(code ? code : std::make_error_code(std::errc::file_exists));
  }

  std::vector<std::string> Dateien(const std::string& pfad, std::string_view endung) override {
    std::vector<std::string> dateien;
    std::error_code code;
    fs::directory_iterator it(pfad, code);
    if (code) return dateien;
    const std::string gesucht = FoldCase(endung);
    for (const fs::directory_entry& eintrag : it) {
      if (eintrag.is_directory(code)) continue;
      std::string name = eintrag.path().filename().string();
      if (name.size() >= gesucht.size() &&
          FoldCase(std::string_view(name).substr(name.size() - gesucht.size())) == gesucht) {
        dateien.push_back(eintrag.path().string());
      }
    }
    std::sort(dateien.begin(), dateien.end());
    return dateien;
  }

  void DateiLoeschen(const std::string& pfad) override {
    std::error_code code;
    if (!fs::remove(pfad, code))
      Fehler(code ? code : std::make_error_code(std::errc::no_such_file_or_directory));
  }

  void OrdnerEntfernen(const std::string& pfad) override {
    std::error_code code;
    if (!fs::is_directory(pfad, code))
      Fehler(std::make_error_code(std::errc::no_such_file_or_directory));
    if (!fs::remove(pfad, code))
      Fehler(code ? code : std::make_error_code(std::errc::no_such_file_or_directory));
  }

  std::string Aufgeloest(const std::string& pfad) override {
    std::error_code code;
    fs::path absolut = fs::absolute(pfad, code);
    if (code) return pfad;
    fs::path aufgeloest = fs::weakly_canonical(absolut, code);
    return (code ? absolut.lexically_normal() : aufgeloest).string();
  }
};

}  // namespace

std::unique_ptr<Ordner> NeueDateisystemOrdner() {
  return std::make_unique<DateisystemOrdner>();
}

bool LiegtIn(Ordner& ordner, const std::string& pfad, const std::string& basis) {
  fs::path innen(ordner.Aufgeloest(pfad));
  fs::path aussen(ordner.Aufgeloest(basis));
  if (aussen.empty() || innen.empty()) return false;
  auto [ende_aussen, ende_innen] =
      std::mismatch(aussen.begin(), aussen.end(), innen.begin(), innen.end());
  // A trailing separator leaves an empty last element on the base.
  if (ende_aussen != aussen.end() &&
      !(ende_aussen->empty() && std::next(ende_aussen) == aussen.end()))
    return false;
  return ende_innen != innen.end() && !ende_innen->empty();
}

}  // namespace vks
