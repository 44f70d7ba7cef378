// The link check of the source editor: the anchor tags of a document's
// text whose targets do not exist beside it, and the external addresses.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

// The values are the gutter pictures that mark each kind.
enum class TLinkKind { External = 17, Missing = 18 };

struct TLinkFinding {
  int Line = 0;  // from 1: the line of the tag's closing ">"
  TLinkKind Kind = TLinkKind::Missing;
  AnsiString Target;  // as listed: upper-cased, as written between the quotes
};

// Whether a file exists under a path; FileExists of common/file_system.h,
// which finds names without regard to letter case.
using TFileExistsTest = std::function<bool(const AnsiString& ansiPath)>;

// Scans the editor's text (any line ends) and returns the findings in text
// order. Only tags beginning exactly "<A HREF" (in any letter case) count;
// the target is what stands between the tag's first two double quotes. A
// target with "#" or naming an existing file beside the document (its
// umlaut entities decoded) is in order; WWW., FTP:, HTTP: and MAILTO: are
// external (left out when offlineOnly); anything else, a folder included,
// is missing. Linear in the text's length.
std::vector<TLinkFinding> CheckLinks(std::string_view text, std::string_view documentFolder, bool offlineOnly,
                                     const TFileExistsTest& fileExists = {});

// "missing" or "external", as the command line prints them.
std::string_view LinkKindName(TLinkKind kind);

}  // namespace folverin
