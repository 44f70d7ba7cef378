// A failed file operation's reason in the user's words: one German text per
// system error number, used by every message that names a file that could
// not be read or written.
#pragma once

#include "common/ansi_string.h"

namespace folverin {

class TStagedFile;

// The reason for errno-style error number (Windows-1252); "E/A-Fehler N"
// for the rare ones.
AnsiString FileErrorText(int errorNumber);

// Why a staged file failed: the reason for its error number, or, for a
// refusal without one (a folder in the file's place), its own text.
AnsiString FileErrorText(const TStagedFile& file);

}  // namespace folverin
