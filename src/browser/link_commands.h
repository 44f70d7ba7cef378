// The two link commands of a browser window's context menu, "Ziel speichern
// unter..." (the link's target into a folder) and "Zielordner kopieren..."
// (everything in the target's folder into a folder): when they are offered,
// what they copy from, and the folder the folder dialog starts in and keeps
// for the next time. What the copy itself does is target_copy_plan.h.
#pragma once

#include <optional>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The element under the mouse at the right click, as the link commands see
// it.
struct TContextLink {
  bool Present = false;  // the page reported an element
  AnsiString TagName;    // as the document reports it ("A", "IMG", ...)
  AnsiString Href;       // the resolved HREF; empty when it has none
};

// The local path of the link's target: when the element's tag name is
// exactly "A" and its HREF has a value. Any address gives a path (an online
// one a path that names no file).
std::optional<AnsiString> LinkTargetPath(const TContextLink& element);

// Both commands are offered for a link whose target is a file that exists
// (found without regard to letter case, as links in collections need);
// online addresses, missing files, folders and anything that is not a link
// leave them disabled.
bool LinkCommandsEnabled(const TContextLink& element);

// The folder "Zielordner kopieren..." copies everything from: the target
// path up to and including its last separator; empty (the current folder)
// for a bare name.
AnsiString LinkTargetFolder(std::string_view targetPath);

// The folder the folder dialog starts in: the last chosen one without its
// trailing separator, when that folder (exactly so) still exists; otherwise
// empty, and the dialog starts where it likes.
AnsiString PreselectedTargetFolder(std::string_view lastTargetFolder);

// What the program keeps as the last chosen folder after the user chose
// `folder`: the folder with a trailing separator.
AnsiString ChosenTargetFolder(std::string_view folder);

}  // namespace folverin
