#include "common/file_error_text.h"

#include <cerrno>
#include <string>

#include "common/file_system.h"

namespace folverin {

AnsiString FileErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC: return "Zu wenig Speicherplatz";
    case EDQUOT: return "Das Speicherkontingent ist ersch\xF6pft";
    case EFBIG: return "Die Datei wird zu gro\xDF";
    case EACCES:
    case EPERM: return "Dateizugriff verweigert";
    case EROFS: return "Der Datentr\xE4ger ist schreibgesch\xFCtzt";
    case ENOENT: return "Datei oder Ordner nicht gefunden";
    case ENOTDIR: return "Dort steht eine Datei, kein Ordner";
    case EISDIR: return "Dort steht ein Ordner, keine Datei";
    case EINVAL: return "Keine gew\xF6hnliche Datei";
    case ENAMETOOLONG: return "Der Pfad ist zu lang";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    case ENOMEM: return "Zu wenig Arbeitsspeicher";
    case EIO: return "Ein-/Ausgabefehler des Datentr\xE4gers";
    default: return "E/A-Fehler " + std::to_string(errorNumber);
  }
}

AnsiString FileErrorText(const TStagedFile& file) {
  return file.ErrorNumber() != 0 ? FileErrorText(file.ErrorNumber()) : file.Error();
}

}  // namespace folverin
