// The Tools file PLUGIN32/PLUGIN32.TXT beside the program: one external
// program per line, "program|caption|options". The main window turns the
// entries into its "&Tools" menu and starts a program when one is chosen.
#pragma once

#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

struct TToolEntry {
  AnsiString Program;  // sub-folder of PLUGIN32 and the program file in it
  AnsiString Caption;  // menu caption, "&" marks the access key
  AnsiString Options;  // upper-cased third field; kept, never used
};

// Splits one stripped line at its first two "|"; blanks next to a "|"
// belong to the fields. A line without "|" is all caption.
TToolEntry SplitToolLine(std::string_view line);

// The entries of the file's bytes: every line stripped of codes 32 and
// below at both ends, up to the first line that is then empty.
std::vector<TToolEntry> ParseToolsFile(std::string_view bytes);

// The entries of the file on disk; none when it cannot be read.
std::vector<TToolEntry> ReadToolsFile(std::string_view ansiPath);

// The program file that an entry starts: AppFolder + "PLUGIN32/" + P + "/" + P.
AnsiString ToolCommand(std::string_view appFolder, std::string_view program);

}  // namespace folverin
