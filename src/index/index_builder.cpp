#include "index/index_builder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/app_settings.h"
#include "common/file_error_text.h"
#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/scope_guard.h"
#include "common/windows1252.h"
#include "htmlengine/view/document_view.h"
#include "index/index_files.h"
#include "index/keyword_collation.h"
#include "index/string_table.h"
#include "index/word_count.h"

namespace folverin {

namespace {

AnsiString WriteFailure(const AnsiString& indexFolder, const AnsiString& reason) {
  return "Der Index kann im Ordner \"" + indexFolder + "\" nicht geschrieben werden: " + reason;
}

AnsiString StagedFailure(const AnsiString& indexFolder, const TStagedFile& file) {
  // A refusal (no regular file in the way) says itself what is wrong.
  return WriteFailure(indexFolder, FileErrorText(file));
}

// The index folder, made (one level) when missing. Written under exactly
// the name the settings give, like every file the program writes.
std::optional<int> MakeIndexFolder(const AnsiString& indexFolder, bool& made) {
  made = false;
  const std::string name = AnsiToUtf8(indexFolder);
  if (::mkdir(name.c_str(), 0777) == 0) {
    made = true;
    return std::nullopt;
  }
  if (errno != EEXIST) return errno;
  struct stat info;
  if (::stat(name.c_str(), &info) != 0) return errno;
  if (!S_ISDIR(info.st_mode)) return ENOTDIR;
  return std::nullopt;
}

bool IsIndexDocument(const TSearchRec& info) {
  if ((info.Attr & faDirectory) != 0) return false;
  const AnsiString extension = UpperCase(FileExtension(info.Name));
  return extension == ".HTM" || extension == ".HTML";
}

// A line break in a path or title would split its File.iDB line and shift
// every file number after it; a TAB in a path would move the title.
bool CanBeListed(std::string_view relativePath) {
  return relativePath.find_first_of("\t\r\n") == std::string_view::npos;
}

// The view reads a "#" as the start of a destination and would load
// another file than the one listed.
bool CanBeLoaded(std::string_view path) { return path.find('#') == std::string_view::npos; }

// AppFolder + StartFolder in the letter case found on disk: settings
// written on other systems often disagree with the folder's name in case.
AnsiString IndexBaseOnDisk(const TAppSettings& settings) {
  const AnsiString base = settings.AppFolder + settings.StartFolder;
  if (settings.StartFolder.empty()) return base;
  const auto resolved = Utf8ToAnsiExact(ResolveOnDisk(base));
  return resolved ? *resolved : base;
}

AnsiString OneLineTitle(const AnsiString& title) {
  AnsiString line = Trim(title);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

// The index builder's view, which only gives the documents' text: no
// geometry is worked out for it.
TDocumentViewProperties IndexViewProperties() {
  TDocumentViewProperties properties = TDocumentViewProperties::IndexBuilder();
  properties.TextOnly = true;
  return properties;
}

}  // namespace

struct TIndexBuilder::TBuild {
  TBuild(const TAppSettings& settings, TIndexBuildOutcome& outcome, const TIndexBuildHooks& hooks)
      : Settings(settings), Outcome(outcome), Hooks(hooks),
        IndexBase(IndexBaseOnDisk(settings)) {}

  const TAppSettings& Settings;
  TIndexBuildOutcome& Outcome;
  const TIndexBuildHooks& Hooks;
  AnsiString IndexBase;
  TStagedFile FileIndex;
  TStagedFile LinkIndex;
  TStagedFile KeywordIndex;
  TStringTable Keywords;  // every written form of the collection, once
  TDocumentView View{nullptr, IndexViewProperties()};
  TWordCounter Counter;
  std::u16string Text;
  AnsiString Links;  // the Link.iDB lines of one document
  bool CountingPass = true;
  int DocumentTotal = 0;
  int DocumentsDone = 0;      // of the second walk, skipped ones included
  int CurrentFileNumber = 0;  // of the documents indexed
  bool WriteFailed = false;

  void Action(const char* text) {
    Outcome.FinalAction = text;
    if (Hooks.OnAction) Hooks.OnAction(Outcome.FinalAction);
  }
  bool Failed(const TStagedFile& file) {
    Outcome.ErrorMessage = StagedFailure(Settings.IndexFolder, file);
    WriteFailed = true;
    return false;
  }
};

void TIndexBuilder::Cancel() {
  cancelled_ = true;
  fileSearch_.Stop = true;
}

TIndexBuildOutcome TIndexBuilder::BuildIndex(const TAppSettings& settings) {
  TIndexBuildOutcome outcome;
  if (running_) {
    outcome.Result = TIndexBuildResult::Cancelled;
    return outcome;
  }
  running_ = true;
  cancelled_ = false;
  TScopeGuard notRunning([this] { running_ = false; });

  bool madeFolder = false;
  {
    TBuild build(settings, outcome, Hooks);
    if (const auto error = MakeIndexFolder(settings.IndexFolder, madeFolder)) {
      outcome.ErrorMessage = WriteFailure(settings.IndexFolder, FileErrorText(*error));
      outcome.Result = TIndexBuildResult::Failed;
      return outcome;
    }
    // All three are checked and begun before the long walk, so that an
    // index folder that cannot be written is reported at once.
    if (!build.FileIndex.Begin(IndexFilePath(settings.IndexFolder, kFileIndexName))) {
      build.Failed(build.FileIndex);
    } else if (!build.LinkIndex.Begin(IndexFilePath(settings.IndexFolder, kLinkIndexName))) {
      build.Failed(build.LinkIndex);
    } else if (!build.KeywordIndex.Begin(IndexFilePath(settings.IndexFolder, kKeywordIndexName))) {
      build.Failed(build.KeywordIndex);
    } else {
      RunPasses(build);
    }
    if (build.WriteFailed) {
      outcome.Result = TIndexBuildResult::Failed;
    } else if (cancelled_) {
      outcome.Result = TIndexBuildResult::Cancelled;
      build.Action(kActionCancelled);
    }
  }
  // The temporary files are gone now; a folder made for nothing goes too.
  if (outcome.Result != TIndexBuildResult::Done && madeFolder)
    ::rmdir(AnsiToUtf8(settings.IndexFolder).c_str());
  return outcome;
}

void TIndexBuilder::RunPasses(TBuild& build) {
  const TAppSettings& settings = build.Settings;
  TIndexBuildOutcome& outcome = build.Outcome;
  // The handlers hold references into this build.
  TScopeGuard forgetHandlers([this] {
    fileSearch_.OnFileFind = nullptr;
    fileSearch_.OnChangeFolder = nullptr;
    fileSearch_.OnUnreadableFolder = nullptr;
  });
  fileSearch_.SetSearchFile(build.IndexBase + "*.*");
  fileSearch_.RecurseSubFolders = true;
  fileSearch_.Pump = Hooks.Pump;
  fileSearch_.OnSkippedName = Hooks.OnSkippedName;
  fileSearch_.OnUnreadableFolder = [&](const AnsiString& folder) {
    if (!build.CountingPass) outcome.UnreadableFolders.push_back(folder);
  };
  fileSearch_.OnChangeFolder = [&](const AnsiString& fullpath, TSearchRec) {
    if (!build.CountingPass && Hooks.OnFolder) Hooks.OnFolder(fullpath);
  };
  fileSearch_.OnFinish = nullptr;
  fileSearch_.OnFileFind = [&](const AnsiString& fullpath, TSearchRec info) {
    if (!IsIndexDocument(info)) return;
    if (build.CountingPass) {
      build.DocumentTotal += 1;
      return;
    }
    const AnsiString path = fullpath + info.Name;
    const std::string_view relative = std::string_view(path).substr(build.IndexBase.size());
    // Skipped documents move the bar too, so that it ends full.
    build.DocumentsDone += 1;
    if (Hooks.OnProgress) Hooks.OnProgress(build.DocumentsDone, build.DocumentTotal);
    if (Hooks.OnDocument) Hooks.OnDocument(info.Name);
    build.Action(kActionLoading);
    AnsiString title;
    try {
      if (!CanBeListed(relative) || !CanBeLoaded(path)) throw EInOutError("");
      build.View.LoadFromFile(path);
      title = OneLineTitle(build.View.DocumentTitle());
      build.View.SetCaretPosition(0);
      build.View.SelectAll();
      build.View.SelText(build.Text);
    } catch (const std::exception&) {
      // Vanished, unreadable or beyond the engine: the build goes on
      // without it, and the outcome names it.
      outcome.Skipped.push_back(path);
      return;
    }
    build.CurrentFileNumber += 1;
    build.Action(kActionAnalysing);
    build.Counter.CountWords(Utf16ToAnsi(build.Text), settings.MinWordSize, settings.NoNumbers);
    const std::vector<AnsiString>& words = build.Counter.Words();
    if (Hooks.OnWords) Hooks.OnWords(words.size());
    build.Action(kActionRecording);
    build.Links.clear();
    for (size_t i = 0; i < words.size(); ++i) {
      AppendLinkLine(build.Links, words[i], build.CurrentFileNumber, build.Counter.Counts()[i]);
      bool added = false;
      build.Keywords.Insert(words[i], added);
    }
    const bool written = build.FileIndex.Write(DocumentLine(relative, title)) && build.LinkIndex.Write(build.Links);
    if (!written) {
      build.Failed(build.FileIndex.Error().empty() ? build.LinkIndex : build.FileIndex);
      fileSearch_.Stop = true;
    }
  };

  build.Action(kActionCounting);
  build.CountingPass = true;
  fileSearch_.Execute();
  if (cancelled_) return;
  if (Hooks.OnProgress) Hooks.OnProgress(0, build.DocumentTotal);
  build.CountingPass = false;
  fileSearch_.Execute();
  if (cancelled_ || build.WriteFailed) return;
  outcome.DocumentCount = build.CurrentFileNumber;

  build.Action(kActionWritingLinks);
  if (!build.FileIndex.Finish()) return void(build.Failed(build.FileIndex));
  if (!build.LinkIndex.Finish()) return void(build.Failed(build.LinkIndex));

  build.Action(kActionWritingKeywords);
  std::vector<AnsiString> keywords;
  keywords.reserve(build.Keywords.Size());
  for (size_t i = 0; i < build.Keywords.Size(); ++i) keywords.emplace_back(build.Keywords.Key(i));
  build.Keywords.Clear();
  SortKeywords(keywords, CollationLocale());
  for (const AnsiString& keyword : keywords) {
    if (!build.KeywordIndex.Write(keyword) || !build.KeywordIndex.Write("\r\n"))
      return void(build.Failed(build.KeywordIndex));
  }
  if (!build.KeywordIndex.Finish()) return void(build.Failed(build.KeywordIndex));
  for (TStagedFile* file : {&build.FileIndex, &build.LinkIndex, &build.KeywordIndex}) {
    if (!file->Commit()) return void(build.Failed(*file));
  }
  build.Action(kActionDone);
}

}  // namespace folverin
