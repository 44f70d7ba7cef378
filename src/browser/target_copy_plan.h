// What the two link commands copy, decided before anything is copied: the
// folders to make and the files to copy, in order. The window carries the
// plan out (asking before it replaces a file) and shows its progress.
//
// The rules:
//  1. Folders are copied with everything in them, in the order of the
//     program's folder walk (common/file_search.h): each folder's entries
//     sorted by name without regard to ASCII case, then its sub-folders.
//     Entries the walk leaves out are not copied: links to folders (a link
//     loop would copy without end), pipes, devices and sockets.
//  2. Nothing is copied into itself: a folder that is the target folder, or
//     holds it, is left out with everything in it.
//  3. A file whose target is the file itself (the target folder is its own
//     folder, by whatever path or link) is left out; replacing it would
//     delete it.
//  4. Names the program cannot carry (no Windows-1252 form) and folders that
//     cannot be listed are named in Left, so that the copy can say that not
//     everything was copied.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

enum class TCopyStepKind { MakeFolder, CopyFile };

struct TCopyStep {
  TCopyStepKind Kind = TCopyStepKind::CopyFile;
  AnsiString Source;  // CopyFile: the file to copy
  AnsiString Target;  // the folder to make or the file to write
};

struct TCopyPlan {
  std::vector<TCopyStep> Steps;
  size_t FileCount = 0;  // the CopyFile steps, for the progress display
  std::vector<AnsiString> Left;
};

// "Ziel speichern unter...": the file into the target folder (which ends in
// the separator). The file is found without regard to letter case and keeps
// its name as on disk.
TCopyPlan PlanFileCopy(std::string_view file, std::string_view targetFolder);

// "Zielordner kopieren...": every entry of the folder (its "*.*"), sub-folders
// with everything in them, into the target folder. Both end in the
// separator; an empty folder is the current one. The folder is found without
// regard to letter case.
TCopyPlan PlanFolderCopy(std::string_view folder, std::string_view targetFolder);

}  // namespace folverin
