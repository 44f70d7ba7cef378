// How the view turns an address written in a document (a style sheet, an
// image, a link) into a file name.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// Where relative addresses of the loaded document lead.
struct TDocumentNameBase {
  AnsiString ServerRoot;    // folder that addresses beginning with "/" are below
  AnsiString DocumentBase;  // BASE HREF (or the application's base); may be empty
  AnsiString LoadedFile;    // the file of the document
};

// An address of another scheme ("http://...") comes back unchanged. Anything
// else is trimmed and made a native path: a "file://" address is decoded, a
// "\" separates folders, a path beginning with "/" is taken below ServerRoot
// (when set); a relative path is put into the folder of DocumentBase, or of
// LoadedFile when there is no base, unless the base is "DosPath".
AnsiString ExpandDocumentAddress(const AnsiString& name, const TDocumentNameBase& base);

// The absolute form of a path: relative to the working folder, with "." and
// ".." parts resolved.
AnsiString ExpandFileName(std::string_view name);

}  // namespace folverin
