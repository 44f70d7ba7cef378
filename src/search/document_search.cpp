#include "search/document_search.h"

#include <chrono>

#include "app/app_settings.h"
#include "common/scope_guard.h"
#include "search/document_text.h"
#include "search/search_parser.h"

namespace folverin {

uint32_t SearchTickCount() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms);
}

bool IsExcludedFolder(const TAppSettings& settings, std::string_view fullpath) {
  if (!settings.UseExcludePath) return false;
  const std::string_view prefix = fullpath.substr(0, settings.ExcludePath.size());
  return SameText(prefix, settings.ExcludePath);
}

void TDocumentSearch::Cancel() {
  cancelled_ = true;
  searchHTM_.Stop = true;
}

TSearchOutcome TDocumentSearch::Run(const TAppSettings& settings, TParser& parser,
                                    std::string_view query) {
  TSearchOutcome outcome;
  if (running_) {
    outcome.Cancelled = true;
    return outcome;
  }
  running_ = true;
  TScopeGuard notRunning([this] { running_ = false; });
  outcome.ResultPage = StartResultPage(settings);
  parser.SetExpression(Trim(query));
  parser.Parse();
  if (!parser.Errors().empty()) {
    outcome.QueryError = parser.Errors().front();
    return outcome;
  }
  SearchAllDocuments(settings, parser, outcome);
  outcome.Cancelled = cancelled_;
  return outcome;
}

void TDocumentSearch::SearchAllDocuments(const TAppSettings& settings, TParser& parser,
                                         TSearchOutcome& outcome) {
  counters_.SearchDocCount = 0;
  counters_.SearchByteTotal = 0;
  searchHTM_.SetSearchFile(settings.AppFolder + "*.*");
  searchHTM_.RecurseSubFolders = true;
  counters_.SearchStartTick = Hooks.TickCount();
  cancelled_ = false;
  searchHTM_.Pump = Hooks.Pump;
  searchHTM_.OnSkippedName = Hooks.OnSkippedName;
  // The documents inside are missing from the page, so the caller must be
  // able to say so, as it does for an unreadable document.
  searchHTM_.OnUnreadableFolder = [&outcome](const AnsiString& folder) {
    outcome.UnreadableFolders.push_back(folder);
  };
  searchHTM_.OnFileFind = [&](const AnsiString& fullpath, TSearchRec info) {
    FileFind(settings, parser, outcome, fullpath, info);
  };
  searchHTM_.OnFinish = [&](TFileSearch&) {
    // Runs after a cancel too; the page is then simply not used.
    const uint32_t elapsed = Hooks.TickCount() - counters_.SearchStartTick;
    FinishResultPage(outcome.ResultPage, settings, elapsed, counters_.SearchDocCount,
                     counters_.SearchByteTotal);
  };
  searchHTM_.Execute();
}

void TDocumentSearch::FileFind(const TAppSettings& settings, TParser& parser,
                               TSearchOutcome& outcome, const AnsiString& fullpath,
                               const TSearchRec& info) {
  // A folder called "kapitel.htm" is no document: it is neither counted nor
  // read (its sub-folders are walked as any others).
  if ((info.Attr & faDirectory) != 0 || !IsSearchDocument(info.Name)) return;
  const AnsiString path = fullpath + info.Name;
  if (Hooks.OnDocument) Hooks.OnDocument(path);
  counters_.SearchDocCount += 1;
  counters_.SearchByteTotal += info.Size;
  if (IsExcludedFolder(settings, fullpath)) return;
  bool hit = false;
  try {
    hit = parser.Evaluate(path);
  } catch (const TDocumentReadError&) {
    // Vanished, locked or not a file: one such document must not cost the
    // user the whole search.
    outcome.Unreadable.push_back(path);
    return;
  }
  if (!hit) return;
  outcome.Hits.push_back(path);
  AppendResultEntry(outcome.ResultPage, settings, path);
}

}  // namespace folverin
