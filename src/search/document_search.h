// TDocumentSearch runs one full-text search over every document below the
// program's folder and builds the result page. A window supplies only the
// message pump, the cancel (Cancel, from its progress dialog) and what to do
// with the outcome: show the query error, or save the page and open it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"
#include "common/file_search.h"
#include "search/result_page.h"

namespace folverin {

struct TAppSettings;
class TParser;

// Counters of the one search that runs at a time. The program owns one and
// hands it to every search; a search started while another runs takes it
// over.
struct TSearchCounters {
  int32_t SearchDocCount = 0;     // documents counted by the walk
  uint32_t SearchByteTotal = 0;   // sum of their sizes (wraps like the 32-bit original)
  uint32_t SearchStartTick = 0;   // tick count when the walk started
};

// The millisecond tick count of a steady clock, as unsigned 32 bits.
uint32_t SearchTickCount();

struct TSearchHooks {
  std::function<void()> Pump;                                 // the window's message loop, once
  std::function<void(const AnsiString& path)> OnDocument;     // document being examined
  std::function<void(const std::string& utf8Path)> OnSkippedName;  // name without a 1252 form
  std::function<uint32_t()> TickCount = SearchTickCount;
};

struct TSearchOutcome {
  std::optional<AnsiString> QueryError;  // first parser message; nothing was searched
  bool Cancelled = false;                // nothing may be written or shown
  std::vector<AnsiString> Hits;          // document paths in walk order
  std::vector<AnsiString> Unreadable;    // counted, but skipped
  std::vector<AnsiString> UnreadableFolders;  // exist but cannot be listed; end in "/"
  TResultPage ResultPage;                // the complete page unless QueryError
};

class TDocumentSearch {
 public:
  explicit TDocumentSearch(TSearchCounters& counters) : counters_(counters) {}

  TSearchHooks Hooks;

  // The whole search for `query` with the window's parser. Returns after the
  // walk; the caller saves the page (SaveResultPage) unless there was a
  // query error or a cancel. A Run from inside the pump while this search
  // walks is refused as cancelled: it would share the walk and the parser.
  TSearchOutcome Run(const TAppSettings& settings, TParser& parser, std::string_view query);
  bool Running() const { return running_; }

  // The progress dialog's cancel: the walk ends at its next entry and the
  // outcome is marked cancelled.
  void Cancel();

 private:
  void SearchAllDocuments(const TAppSettings& settings, TParser& parser, TSearchOutcome& outcome);
  void FileFind(const TAppSettings& settings, TParser& parser, TSearchOutcome& outcome,
                const AnsiString& fullpath, const TSearchRec& info);

  TSearchCounters& counters_;
  TFileSearch searchHTM_;
  bool cancelled_ = false;
  bool running_ = false;
};

// Whether a folder lies in the excluded folder: a prefix test without regard
// to ASCII case, so the folder's sub-folders and namesakes that merely begin
// like it are excluded too.
bool IsExcludedFolder(const TAppSettings& settings, std::string_view fullpath);

}  // namespace folverin
