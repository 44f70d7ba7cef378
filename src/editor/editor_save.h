// Save of the editor's text. The new text is written completely under a
// temporary name beside the file first; only then does the old file go to
// the trash and the new one take its name. A failure at any step leaves the
// file on disk as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Moves the file (its UTF-8 name on disk) to the trash and tells where it
// went; false when there is no trash or the move failed, and the old file is
// then simply replaced. The window passes QFile::moveToTrash.
using TTrashHook = std::function<bool(const std::string& utf8Path, std::string& utf8PathInTrash)>;

enum class TSaveOutcome {
  Saved,
  NothingToSave,  // the empty text is never written
  Failed,
};

struct TSaveResult {
  TSaveOutcome Outcome = TSaveOutcome::Failed;
  AnsiString Message;  // for Failed: "Datei ... kann nicht gespeichert werden. reason"
};

// Writes the text as Save writes it (editor_text.h) under exactly the name
// given.
TSaveResult SaveEditorText(std::string_view ansiPath, std::string_view text, const TTrashHook& moveToTrash);

}  // namespace folverin
