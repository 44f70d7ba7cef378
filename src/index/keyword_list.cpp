#include "index/keyword_list.h"

#include "common/line_ends.h"
#include "index/index_files.h"

namespace folverin {

bool IsCapitalKeyword(std::string_view keyword) {
  if (keyword.empty()) return false;
  const auto first = static_cast<unsigned char>(keyword.front());
  return (first >= 'A' && first <= 'Z') || first == 0xC4 || first == 0xD6 || first == 0xDC;
}

std::vector<AnsiString> KeywordListLines(std::string_view keywordBytes, bool capitalsOnly) {
  std::vector<AnsiString> lines;
  for (const std::string_view line : SplitLines(keywordBytes)) {
    if (!capitalsOnly || IsCapitalKeyword(line)) lines.emplace_back(line);
  }
  return lines;
}

long FindKeywordByPrefix(const std::vector<AnsiString>& lines, std::string_view typed) {
  const AnsiString prefix = LowerCase(Trim(typed));
  for (size_t i = 0; i < lines.size(); ++i) {
    const AnsiString& line = lines[i];
    if (line.size() < prefix.size()) continue;
    // Only the beginning is compared: a line may be very long.
    bool begins = true;
    for (size_t k = 0; k < prefix.size() && begins; ++k) begins = AsciiLower(line[k]) == prefix[k];
    if (begins) return static_cast<long>(i);
  }
  return -1;
}

}  // namespace folverin
