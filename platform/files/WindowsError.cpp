#include "platform/files/WindowsError.h"

#include "platform/files/FileSystem.h"

namespace vks {

AutomationError FileError(uint32_t code, FileTarget target) {
  using namespace winerror;
  switch (code) {
    case kFileNotFound:
      return AutomationError(target == FileTarget::File ? 53 : 76);
    case kPathNotFound:
    case kInvalidDrive:
    case kBadPathname:
    case kDirectoryName:
      return AutomationError(76);
    case kAccessDenied:
    case kWriteProtect:
    case kSharingViolation:
      return AutomationError(70);
    case kDiskFull:
    case kHandleDiskFull:
      return AutomationError(61);
    case kIoDevice:
      return AutomationError(57);
    default:
      return AutomationError(75);
  }
}

std::string SystemErrorMessage(uint32_t code) {
  using namespace winerror;
  switch (code) {
    case kSuccess:
      return "Der Vorgang wurde erfolgreich beendet.";
    case kFileNotFound:
      return "Das System kann die angegebene Datei nicht finden.";
    case kPathNotFound:
      return "Das System kann den angegebenen Pfad nicht finden.";
    case kTooManyOpenFiles:
      return "Das System kann die Datei nicht öffnen.";
    case kAccessDenied:
      return "Zugriff verweigert";
    case kInvalidHandle:
      return "Das Handle ist ungültig.";
    case kNotEnoughMemory:
      return "Nicht genügend Speicher verfügbar, um diesen Befehl zu verarbeiten.";
    case kInvalidDrive:
      return "Das System kann das angegebene Laufwerk nicht finden.";
    case kWriteProtect:
      return "Das Medium ist schreibgeschützt.";
    case kNotReady:
      return "Das Gerät ist nicht bereit.";
    case kGenFailure:
      return "Ein an das System angeschlossenes Gerät funktioniert nicht.";
    case kSharingViolation:
      return "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess "
             "verwendet wird.";
    case kLockViolation:
      return "Der Prozess kann nicht auf die Datei zugreifen, da ein anderer Prozess einen Teil "
             "der Datei gesperrt hat.";
    case kNotSupported:
      return "Die Anforderung wird nicht unterstützt.";
    case kInvalidParameter:
      return "Falscher Parameter.";
    case kHandleDiskFull:
      return "Der Datenträger ist voll.";
    case kDiskFull:
      return "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden.";
    case kInvalidName:
      return "Die Syntax für den Dateinamen, Verzeichnisnamen oder die Datenträgerbezeichnung ist "
             "falsch.";
    case kNegativeSeek:
      return "Es wurde versucht, den Dateizeiger vor den Anfang der Datei zu setzen.";
    case kDirNotEmpty:
      return "Das Verzeichnis ist nicht leer.";
    case kBadPathname:
      return "Der angegebene Pfad ist ungültig.";
    case kDirectoryName:
      return "Der Verzeichnisname ist ungültig.";
    case kAlreadyExists:
      return "Eine Datei kann nicht erstellt werden, wenn sie bereits vorhanden ist.";
    case kFilenameExcedRange:
      return "Der Dateiname oder die Erweiterung ist zu lang.";
    case kFileTooLarge:
      return "Die Dateigröße überschreitet den zulässigen Wert und kann nicht gespeichert werden.";
    case kIoDevice:
      return "Die Anforderung konnte wegen eines E/A-Gerätefehlers nicht ausgeführt werden.";
    case kCantResolveFilename:
      return "Der Name der Datei kann vom System nicht aufgelöst werden.";
    default:
      return "Unbekannter Fehler.";
  }
}

}  // namespace vks
