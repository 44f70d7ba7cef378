#include "htmlengine/style/style_sheet_cache.h"

#include <sys/stat.h>

#include "common/file_system.h"

namespace folverin {

bool TStyleSheetCache::StampOf(const AnsiString& fileName, TStamp& stamp) {
  struct stat info;
  if (::stat(ResolveOnDisk(fileName).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  stamp = {static_cast<int64_t>(info.st_size), static_cast<int64_t>(info.st_mtim.tv_sec),
           static_cast<int64_t>(info.st_mtim.tv_nsec)};
  return true;
}

std::shared_ptr<const TParsedStyleSheet> TStyleSheetCache::Load(const AnsiString& fileName,
                                                                std::string_view base) {
  TStamp stamp;
  const bool stamped = StampOf(fileName, stamp);
  for (auto it = Sheets.begin(); it != Sheets.end(); ++it) {
    if (it->FileName != fileName) continue;
    if (stamped && it->Stamp == stamp) return it->Sheet;
    Sheets.erase(it);
    break;
  }
  const std::string text = ReadWholeFile(fileName).value_or(std::string());
  if (text.empty()) return nullptr;
  auto sheet = std::make_shared<const TParsedStyleSheet>(
      ReadStyleSheetText(text, base));
  // A file that changed while it was read is taken this once, not kept.
  TStamp after;
  if (stamped && StampOf(fileName, after) && after == stamp &&
      after.Size == static_cast<int64_t>(text.size())) {
    if (Sheets.size() >= kMaxSheets) Sheets.erase(Sheets.begin());
    Sheets.push_back(TEntry{fileName, stamp, sheet});
  }
  return sheet;
}

}  // namespace folverin
