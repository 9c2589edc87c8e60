#pragma once
// Folder operations of the windows: testing and creating a folder, listing and deleting files in
// it, removing it. A failure is an AutomationError with the number and German text that the
// platform's file statements give (70 access denied, 75 path/file access error, 76 path not
// found), so that messages can quote it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vks {

class Ordner {
 public:
  virtual ~Ordner() = default;
  virtual bool OrdnerExistiert(const std::string& pfad) = 0;
  virtual bool DateiExistiert(const std::string& pfad) = 0;
  // One level: the parent must exist.
  virtual void OrdnerAnlegen(const std::string& pfad) = 0;
  // Full paths of the files in `pfad` whose name ends in `endung` (letter case ignored), sorted;
  // none when the folder does not exist.
  virtual std::vector<std::string> Dateien(const std::string& pfad, std::string_view endung) = 0;
  virtual void DateiLoeschen(const std::string& pfad) = 0;
  // Only an empty folder.
  virtual void OrdnerEntfernen(const std::string& pfad) = 0;
  // The path with "." and ".." resolved and symbolic links followed as far as they exist.
  virtual std::string Aufgeloest(const std::string& pfad) = 0;
};

std::unique_ptr<Ordner> NeueDateisystemOrdner();

// True when `pfad`, resolved, lies strictly inside `basis`, resolved.
bool LiegtIn(Ordner& ordner, const std::string& pfad, const std::string& basis);

}  // namespace vks
