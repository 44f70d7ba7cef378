// The history: the viewer's own log of the documents its browser windows
// showed, and the tree the history pane makes of it.
//
// The log is a text file in UTF-8 with one line per visit:
//   2026-12-10 09:31:05<TAB>address<TAB>title<LF>
// The time is the user's local clock, so that a visit belongs to the day
// the user saw it on. Lines are only ever appended, each with one write, so
// a program that ends abruptly loses at most the visit it was writing; such
// a cut line (no line end) is ignored when the log is read, as is any line
// that is not a visit.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

using TLocalTime = std::chrono::local_seconds;

// Visits older than this are dropped when the log is read.
inline constexpr std::chrono::days kHistoryDays{20};

struct THistoryVisit {
  TLocalTime Time;
  AnsiString Address;
  AnsiString Title;  // empty when the document has none
};

// Whether a document shown at `address` goes into the history: not the
// blank page and the engine's own pages ("about:", "data:"), and not the
// result page of a search (`resultPagePath`, a file that is rewritten with
// every search).
bool IsHistoryAddress(std::string_view address, std::string_view resultPagePath);

// The log's line for a visit; tabs and line ends in the address or the
// title become blanks.
std::string HistoryLine(const THistoryVisit& visit);

// The visits of the log's text that are at most kHistoryDays old at `now`
// (later ones too: a clock may have been set back), in the log's order.
std::vector<THistoryVisit> ParseHistoryLog(std::string_view bytes, TLocalTime now);

// Appends the visit to the log (made with mode 0600 when missing; its
// folder must exist). A cut line left at the end by an earlier run is ended
// first, as a line that is no visit, so that it neither swallows this visit
// nor comes back as a visit with half an address. An error text or nothing.
std::optional<std::string> AppendHistoryVisit(const AnsiString& logPath, const THistoryVisit& visit);

// The visits of the log file (none when it is missing or cannot be read).
// When the log holds more than `staleLimit` lines that are dropped (old or
// unreadable), it is rewritten with the visits kept, so that it does not
// grow without end; a failed rewrite leaves it as it was.
std::vector<THistoryVisit> ReadHistoryLog(const AnsiString& logPath, TLocalTime now,
                                          size_t staleLimit = 2000);

// One entry of the pane's tree.
struct THistoryItem {
  AnsiString Caption;  // the title, or the address when there is none
  AnsiString Address;
};

struct THistoryDay {
  AnsiString Caption;  // "Heute", "Gestern", or the day ("Montag, 07.12.2026")
  std::vector<THistoryItem> Entries;
};

// The visits grouped by the day they were made on, newest day first; in a
// day one entry per address, the most recently visited first, with the
// latest title the address had that day.
std::vector<THistoryDay> GroupHistory(const std::vector<THistoryVisit>& visits, TLocalTime now);

}  // namespace folverin
