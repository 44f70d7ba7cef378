// Which collection the viewer opens at its start: the one its command line
// names (a folder, the settings file in it, or "--collection DIR"), the one
// beside the program file, or one the user is asked for.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The settings file of a collection opened by folder: the viewer then
// behaves as if its program file were FOLDER/folverin.
inline constexpr std::string_view kCollectionProgramName = "folverin";
inline constexpr std::string_view kCollectionSettingsName = "folverin.ini";

// The folder part of a path that names a collection's settings file
// (its name is folverin.ini in any letter case): "a/folverin.ini" -> "a",
// "folverin.ini" -> ".", "/folverin.ini" -> "/". Nothing for any other name.
// Only the name is looked at; whether the file exists is the caller's test.
std::optional<AnsiString> FolderOfSettingsFileName(std::string_view path);

struct TStartArguments {
  std::optional<AnsiString> CollectionOption;  // the value of --collection
  std::vector<AnsiString> Positional;          // the other arguments
  AnsiString ProgramFile;                      // the running program file, absolute
  AnsiString CurrentFolder;                    // relative arguments start here
};

enum class TStartSource {
  Arguments,      // the command line names the collection
  BesideProgram,  // the program's own settings file is there
  AskForFolder,   // neither: the user chooses the folder
  Refused,        // the command line names no collection: Error says why
};

struct TStartCollection {
  TStartSource Source = TStartSource::AskForFolder;
  // The collection folder in its normal form (for the list of recent
  // collections); empty when the user is still to be asked or on an error.
  AnsiString Folder;
  // The program file the viewer behaves as: the running one beside its
  // settings, FOLDER/folverin for a collection named on the command line.
  AnsiString ProgramFile;
  AnsiString Error;  // German, for the error box and stderr
};

// The decision of the start. Files are looked up on disk as the settings
// reader looks them up (letter case ignored when the exact name is missing).
// A named folder that does not exist, a file other than folverin.ini, more
// than one collection or both --collection and a named one are refused.
TStartCollection ChooseStartCollection(const TStartArguments& arguments);

// The program file of a viewer opened on a collection folder (normal form).
AnsiString CollectionProgramFile(const AnsiString& folder);

// Whether the folder holds a collection's settings file (letter case
// ignored, as the settings reader finds it). A folder without one opens with
// every setting at its default: the user is asked first.
bool HasCollectionSettings(const AnsiString& folder);

}  // namespace folverin
