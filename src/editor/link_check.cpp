#include "editor/link_check.h"

#include <cstring>
#include <unordered_map>

#include "common/file_system.h"
#include "common/path_parts.h"
#include "common/umlaut_entities.h"

namespace folverin {

namespace {

constexpr std::string_view kExternalPrefixes[] = {"WWW.", "FTP:", "HTTP:", "MAILTO:"};

bool IsExamined(std::string_view tag) {
  constexpr std::string_view kStart = "<A HREF";
  if (tag.size() < kStart.size()) return false;
  for (size_t i = 0; i < kStart.size(); ++i)
    if (AsciiUpper(tag[i]) != kStart[i]) return false;
  return true;
}

// Between the tag's first two double quotes; empty with fewer than two.
std::string_view QuotedTarget(std::string_view tag) {
  const size_t open = tag.find('"');
  if (open == std::string_view::npos) return {};
  const size_t close = tag.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return tag.substr(open + 1, close - open - 1);
}

class TLinkExaminer {
 public:
  TLinkExaminer(std::string_view documentFolder, bool offlineOnly, const TFileExistsTest& fileExists)
      : folder_(WithTrailingSeparator(AnsiString(documentFolder))), offlineOnly_(offlineOnly),
        fileExists_(fileExists) {}

  void Examine(std::string_view tag, int line, std::vector<TLinkFinding>& findings) {
    if (!IsExamined(tag)) return;
    const AnsiString target = UpperCase(QuotedTarget(tag));
    if (target.find('#') != AnsiString::npos || TargetExists(target)) return;
    TLinkKind kind = TLinkKind::Missing;
    for (std::string_view prefix : kExternalPrefixes)
      if (target.starts_with(prefix)) kind = TLinkKind::External;
    if (kind == TLinkKind::External && offlineOnly_) return;
    findings.push_back({line, kind, target});
  }

 private:
  // A page often links to the same file many times; each is asked once.
  bool TargetExists(const AnsiString& target) {
    std::string_view local = target;
    if (local.starts_with('/')) local.remove_prefix(1);
    const AnsiString candidate = EntitiesToUmlauts(folder_ + ToNativeSeparators(local));
    const auto known = known_.find(candidate);
    if (known != known_.end()) return known->second;
    const bool exists = fileExists_ ? fileExists_(candidate) : FileExists(candidate);
    known_.emplace(candidate, exists);
    return exists;
  }

  AnsiString folder_;
  bool offlineOnly_;
  const TFileExistsTest& fileExists_;
  std::unordered_map<AnsiString, bool> known_;
};

}  // namespace

std::vector<TLinkFinding> CheckLinks(std::string_view text, std::string_view documentFolder, bool offlineOnly,
                                     const TFileExistsTest& fileExists) {
  std::vector<TLinkFinding> findings;
  TLinkExaminer examiner(documentFolder, offlineOnly, fileExists);
  int lineBreaks = 0;
  bool inTag = false;
  size_t tagStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || (c == '\n' && (i == 0 || text[i - 1] != '\r'))) ++lineBreaks;
    if (!inTag) {
      if (c == '<') {
        inTag = true;
        tagStart = i;
      }
    } else if (c == '>') {
      inTag = false;
      examiner.Examine(text.substr(tagStart, i + 1 - tagStart), lineBreaks + 1, findings);
    }
  }
  return findings;
}

std::string_view LinkKindName(TLinkKind kind) {
  return kind == TLinkKind::External ? "external" : "missing";
}

}  // namespace folverin
