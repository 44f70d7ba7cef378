// The parts of a path: its folder, its extension, a trailing separator.
// Paths on this system use "/"; a path as a document or a collection's
// settings write it may use "\" as well, and each function says which it
// takes.
#pragma once

#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The folder of a path on this system with its trailing "/":
// "/a/b/c.htm" -> "/a/b/"; empty when the path names no folder. Also for an
// address of another scheme ("http://host/a/b" -> "http://host/a/").
AnsiString FolderOfPath(std::string_view path);

// The name a path on this system ends in: "c.htm" of "/a/b/c.htm"; the
// whole path when it has no "/".
std::string_view NameOfPath(std::string_view path);

// The same for a path as a document writes it, where "/" and "\" both end
// a folder: "..\bilder\a.css" -> "..\bilder\".
AnsiString FolderOfWrittenPath(std::string_view path);

// value with a separator at its end: "/" is added unless it already ends in
// "/" or "\"; an empty value stays empty (it means "no folder").
AnsiString WithTrailingSeparator(AnsiString value);

// The extension of the file a path names, with its dot: ".htm" of
// "/a.b/c.htm"; empty when the name has no dot.
std::string_view FileExtension(std::string_view path);

// path with its extension replaced by extension, or extension appended when
// the name has none ("/" and "\" end a folder).
AnsiString ChangeFileExt(std::string_view path, std::string_view extension);

}  // namespace folverin
