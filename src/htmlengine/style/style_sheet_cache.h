// The linked sheets a view has read (TStyleSheetCache). The pages of a
// collection mostly link one and the same sheet; reading it again for every
// page cost as much as a tenth of extracting a page's text. A sheet is read
// again when its file's size or modification time changed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/style/style_sheet_parser.h"

namespace folverin {

class TStyleSheetCache {
 public:
  // Sheets kept at most; the one read longest ago goes first.
  static constexpr size_t kMaxSheets = 16;

  // The sheet in the file (an expanded file name), read as a linked sheet
  // with the given base, which the caller takes from the name alone;
  // nullptr when the file cannot be read or is empty, as then there is
  // nothing to apply.
  std::shared_ptr<const TParsedStyleSheet> Load(const AnsiString& fileName, std::string_view base);
  void Clear() { Sheets.clear(); }

 private:
  struct TStamp {
    int64_t Size = -1;
    int64_t ModifiedSeconds = 0;
    int64_t ModifiedNanoseconds = 0;
    bool operator==(const TStamp&) const = default;
  };
  struct TEntry {
    AnsiString FileName;
    TStamp Stamp;
    std::shared_ptr<const TParsedStyleSheet> Sheet;
  };
  static bool StampOf(const AnsiString& fileName, TStamp& stamp);

  std::vector<TEntry> Sheets;  // most recently read last
};

}  // namespace folverin
