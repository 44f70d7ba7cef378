// The editor's text as bytes: what a file gives when it is opened, what the
// file receives when the text is saved, and the count the status bar shows.
// The text is Windows-1252 bytes as they are in the file; the window maps
// them to characters one for one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The file's bytes as the editor's lines, joined with CR LF: CR LF, a lone
// CR and a lone LF each end a line; every other byte stays as it is. A file
// ending in a line break gives an empty last line, so its text ends in CR LF.
AnsiString EditorTextFromBytes(std::string_view bytes);

struct TEditorLoadResult {
  AnsiString Text;                    // empty when the file could not be read
  std::optional<AnsiString> Error;    // "Datei ... kann nicht geöffnet werden. reason"
};
TEditorLoadResult LoadEditorText(std::string_view ansiPath);

// What Save writes for the editor's text: line breaks as CR LF, the seven
// umlaut bytes as their entities (Ä &Auml; ... ü &uuml;), every other byte
// unchanged. A text that is valid UTF-8 as a whole (a UTF-8 document opened
// in the editor) keeps all its bytes: there the umlaut bytes are parts of
// other letters (U+4E2D is E4 B8 AD), and an entity in their place would
// destroy the letter.
std::string EditorTextToFileBytes(std::string_view text);

// The status bar's character count: every byte one, every line break two
// (CR LF, a lone CR or a lone LF alike).
size_t EditorCharacterCount(std::string_view text);

// The 16 lines that "Neu" puts into the editor, joined with CR LF.
AnsiString NewFileTemplate();

}  // namespace folverin
