// The lines of the search result page and its file. The page is built in
// memory while the walk runs and written once, whole or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

struct TAppSettings;

using TResultPage = std::vector<AnsiString>;

// Head lines up to the body and header templates.
TResultPage StartResultPage(const TAppSettings& settings);

// The link of one hit. Names on disk may hold "<", "&" or quotes, so the
// document path is HTML-escaped in the link text; the HREF is the path as an
// address ("#", "?", "%", blanks and the like percent-encoded), HTML-escaped
// as well, so that following the link opens the document itself.
AnsiString ResultLinkLine(std::string_view documentPath, std::string_view targetWindow);

// Begin template, link line, end template.
void AppendResultEntry(TResultPage& page, const TAppSettings& settings,
                       std::string_view documentPath);

// The six lines of the performance footer for a walk of `elapsedMs`.
TResultPage PerformanceLines(uint32_t elapsedMs, int32_t docCount, uint32_t byteTotal);

// Optional performance footer, footer template and the closing lines.
void FinishResultPage(TResultPage& page, const TAppSettings& settings, uint32_t elapsedMs,
                      int32_t docCount, uint32_t byteTotal);

// The file's bytes: every line followed by CR LF (lines are Windows-1252).
std::string ResultPageBytes(const TResultPage& page);

// Deletes the previous result file (a failure is ignored), writes the page
// to `pageFile` and makes it the new `lastResultFile`. Returns the error
// text when the page could not be written; nothing else changes then.
std::optional<std::string> SaveResultPage(const TResultPage& page, const AnsiString& pageFile,
                                          AnsiString& lastResultFile);

}  // namespace folverin
