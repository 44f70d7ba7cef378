// TIndexBuilder builds the keyword index of a collection: a first walk
// counts the HTML documents, a second loads each into a hidden document
// view, counts the words of its text and records them. The three files are
// written under temporary names in the index folder and replace the old
// ones together, only when the whole build has succeeded: a cancel or an
// error leaves the previous index exactly as it was.
//
// A window (or folverin-cli) drives it through the hooks: it shows the
// action texts and the progress, lets its message loop run in Pump and
// calls Cancel from there.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ansi_string.h"
#include "common/file_search.h"

namespace folverin {

struct TAppSettings;

// The action texts, as the dialog shows them.
inline constexpr const char* kActionCounting = "Datenvolumen ermitteln...";
inline constexpr const char* kActionLoading = "Dokument laden...";
inline constexpr const char* kActionAnalysing = "Analysiere Tokens...";
inline constexpr const char* kActionRecording = "Schreibe Tokens...";
inline constexpr const char* kActionWritingLinks = "Links speichern...";
inline constexpr const char* kActionWritingKeywords = "Schl\xFCsselworte speichern...";
inline constexpr const char* kActionDone = "FERTIG";
inline constexpr const char* kActionCancelled = "Abbrechen";

struct TIndexBuildHooks {
  std::function<void()> Pump;                                  // the message loop, once
  std::function<void(const AnsiString& action)> OnAction;      // one of the texts above
  std::function<void(const AnsiString& folder)> OnFolder;      // folder being indexed
  std::function<void(const AnsiString& name)> OnDocument;      // name of the document
  std::function<void(size_t distinctWords)> OnWords;           // of that document
  // Documents indexed so far, of those the first walk counted (a document
  // added meanwhile can take the position past the maximum).
  std::function<void(int position, int maximum)> OnProgress;
  std::function<void(const std::string& utf8Path)> OnSkippedName;  // no 1252 form
};

enum class TIndexBuildResult { Done, Cancelled, Failed };

struct TIndexBuildOutcome {
  TIndexBuildResult Result = TIndexBuildResult::Done;
  int DocumentCount = 0;                      // lines of the new File.iDB
  std::vector<AnsiString> Skipped;            // documents that could not be loaded or listed
  std::vector<AnsiString> UnreadableFolders;  // folders the walk could not list
  // Failed: what could not be written, where and why, in German (without a
  // final full stop, which the error box adds).
  std::optional<AnsiString> ErrorMessage;
  // The last action text: "FERTIG", "Abbrechen" or the one that failed.
  AnsiString FinalAction;
};

class TIndexBuilder {
 public:
  TIndexBuildHooks Hooks;

  // One whole build over AppFolder + StartFolder into IndexFolder, with
  // MinWordSize and NoNumbers. Keyword.iDB is sorted in the collation of
  // the user's locale. A call from inside the pump while a build runs is
  // refused as cancelled.
  TIndexBuildOutcome BuildIndex(const TAppSettings& settings);
  bool Running() const { return running_; }

  // The dialog's "Abbrechen": the walk ends at its next entry, in either
  // pass, and nothing is written.
  void Cancel();

 private:
  struct TBuild;
  void RunPasses(TBuild& build);

  TFileSearch fileSearch_;
  bool cancelled_ = false;
  bool running_ = false;
};

}  // namespace folverin
