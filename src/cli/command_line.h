// What folverin-cli takes from its command line and what it writes to the
// terminal.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "common/ansi_string.h"

namespace folverin::cli {

// UTF-8 text made safe for a terminal and for one-line-per-entry output:
// "\\" for a backslash; "\t", "\n", "\r"; "\xHH" for any other control
// character and for a byte that is not part of valid UTF-8; "\u0080" to
// "\u009f" for the C1 control characters. Everything else stays.
std::string TerminalText(std::string_view utf8);

// One line: a Windows-1252 text as UTF-8, through TerminalText.
void WriteLine(std::FILE* stream, const AnsiString& ansiText);
// One line of UTF-8 text (a name as given or as found on disk), the part
// after the fixed message through TerminalText.
void WriteUtf8Line(std::FILE* stream, std::string_view message, std::string_view utf8Text);

// Flushes stdout: 0, or 1 with a line on stderr when the output could not
// be written (a full disk, a closed pipe), which must not end in exit code 0.
int FinishStandardOutput();

// The collection folder named on the command line (the folder or its
// folverin.ini) as a program path ending in "/", made absolute when asked. Prints "Kein Ordner: ..." or the line
// for a name without a Windows-1252 form and gives nothing when it is not
// an existing folder.
std::optional<AnsiString> ExistingCollectionFolder(const std::string& argument, bool absolute);

// The settings of that folder (made absolute), read as the viewer reads
// them. The viewer shows a settings error and goes on with what was read;
// so do the commands: the error is printed on stderr. Nothing when the
// folder does not exist.
std::optional<TSettingsResult> SettingsOfCollection(const std::string& argument);

}  // namespace folverin::cli
