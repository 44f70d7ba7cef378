#include "app/start_collection.h"

#include "app/recent_collections.h"
#include "common/file_system.h"
#include "common/path_parts.h"

namespace folverin {

std::optional<AnsiString> FolderOfSettingsFileName(std::string_view path) {
  if (!SameText(NameOfPath(path), kCollectionSettingsName)) return std::nullopt;
  AnsiString folder = FolderOfPath(path);
  if (folder.empty()) return AnsiString(".");
  if (folder.size() > 1) folder.pop_back();
  return folder;
}

AnsiString CollectionProgramFile(const AnsiString& folder) {
  return WithTrailingSeparator(folder) + AnsiString(kCollectionProgramName);
}

bool HasCollectionSettings(const AnsiString& folder) {
  return FileExists(WithTrailingSeparator(folder) + AnsiString(kCollectionSettingsName));
}

namespace {

TStartCollection Refused(AnsiString message) {
  TStartCollection start;
  start.Source = TStartSource::Refused;
  start.Error = std::move(message);
  return start;
}

// A collection named on the command line: a folder, or the settings file in
// one.
TStartCollection NamedCollection(const AnsiString& argument, const AnsiString& currentFolder) {
  const AnsiString path = NormalCollectionFolder(argument, currentFolder);
  AnsiString folder;
  if (DirectoryExists(path)) {
    folder = path;
  } else if (FileExists(path)) {
    const auto settingsFolder = FolderOfSettingsFileName(path);
    if (!settingsFolder)
      return Refused("Keine Sammlung: " + argument + " ist weder ein Ordner noch eine " +
                     AnsiString(kCollectionSettingsName));
    folder = *settingsFolder;
  } else {
    return Refused("Kein Ordner: " + argument);
  }
  TStartCollection start;
  start.Source = TStartSource::Arguments;
  start.Folder = folder;
  start.ProgramFile = CollectionProgramFile(folder);
  return start;
}

}  // namespace

TStartCollection ChooseStartCollection(const TStartArguments& arguments) {
  const size_t named = arguments.Positional.size() + (arguments.CollectionOption ? 1 : 0);
  if (named > 1) {
    if (arguments.CollectionOption)
      return Refused("Die Sammlung ist doppelt angegeben: mit --collection und als Argument");
    return Refused("Nur eine Sammlung kann ge\xF6" "ffnet werden, angegeben sind " + std::to_string(named));
  }
  if (arguments.CollectionOption) return NamedCollection(*arguments.CollectionOption, arguments.CurrentFolder);
  if (!arguments.Positional.empty()) return NamedCollection(arguments.Positional.front(), arguments.CurrentFolder);

  TStartCollection start;
  if (FileExists(ChangeFileExt(arguments.ProgramFile, ".ini"))) {
    start.Source = TStartSource::BesideProgram;
    start.ProgramFile = arguments.ProgramFile;
    start.Folder = NormalCollectionFolder(FolderOfPath(arguments.ProgramFile), arguments.CurrentFolder);
  }
  return start;
}

}  // namespace folverin
