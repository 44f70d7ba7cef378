#include "editor/editor_save.h"

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/file_error_text.h"
#include "common/file_system.h"
#include "common/windows1252.h"
#include "editor/editor_text.h"

namespace folverin {

namespace {

AnsiString SaveFailure(std::string_view ansiPath, const TStagedFile& file) {
  return "Datei " + AnsiString(ansiPath) + " kann nicht gespeichert werden. " + FileErrorText(file);
}

// Only a regular file under exactly this name goes to the trash: through a
// symbolic link the staged file replaces the link's target, and the link
// itself must stay.
bool IsRegularFileItself(const std::string& utf8Path) {
  struct stat info;
  return ::lstat(utf8Path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Puts a trashed file back after the new one could not take its place, and
// drops the trash's note about it (freedesktop layout: Trash/files/NAME is
// described by Trash/info/NAME.trashinfo).
bool TakeBackFromTrash(const std::string& utf8PathInTrash, const std::string& utf8Path) {
  if (utf8PathInTrash.empty() || ::rename(utf8PathInTrash.c_str(), utf8Path.c_str()) != 0) return false;
  const size_t files = utf8PathInTrash.rfind("/files/");
  if (files != std::string::npos) {
    const std::string info = utf8PathInTrash.substr(0, files) + "/info/" +
                             utf8PathInTrash.substr(files + 7) + ".trashinfo";
    ::unlink(info.c_str());
  }
  return true;
}

}  // namespace

TSaveResult SaveEditorText(std::string_view ansiPath, std::string_view text, const TTrashHook& moveToTrash) {
  if (text.empty()) return {TSaveOutcome::NothingToSave, {}};
  TStagedFile file;
  if (!file.Begin(ansiPath) || !file.Write(EditorTextToFileBytes(text)) || !file.Finish())
    return {TSaveOutcome::Failed, SaveFailure(ansiPath, file)};

  const std::string utf8Path = AnsiToUtf8(ansiPath);
  std::string inTrash;
  const bool trashed = moveToTrash && IsRegularFileItself(utf8Path) && moveToTrash(utf8Path, inTrash);
  if (file.Commit()) return {TSaveOutcome::Saved, {}};

  AnsiString message = SaveFailure(ansiPath, file);
  if (trashed && !TakeBackFromTrash(inTrash, utf8Path))
    message += ". Die vorige Fassung liegt im Papierkorb";
  return {TSaveOutcome::Failed, message};
}

}  // namespace folverin
