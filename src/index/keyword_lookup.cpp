#include "index/keyword_lookup.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "app/app_settings.h"
#include "common/file_system.h"
#include "common/line_ends.h"

namespace folverin {

namespace {

bool StartsLine(std::string_view bytes, size_t pos) {
  return pos == 0 || bytes[pos - 1] == '\n' || bytes[pos - 1] == '\r';
}

// How common a byte is in Link.iDB, higher for rarer: every line holds TABs,
// digits and a line end; lower-case letters come in the order of their
// frequency in German and English text; capitals and everything else are
// rarer still.
int Rarity(unsigned char c) {
  static constexpr std::string_view kLowerByFrequency = "enisratohdlucgmfwbpykvzjxq";
  if (c == '\t' || c == '\r' || c == '\n') return 0;
  if (c >= '0' && c <= '9') return 1;
  const size_t rank = kLowerByFrequency.find(static_cast<char>(c));
  if (rank != std::string_view::npos) return 2 + static_cast<int>(rank);
  if (c >= 'A' && c <= 'Z') return 40;
  return 50;
}

// Finds one needle in a block of Link.iDB. A search that starts at the
// needle's first byte would stop on nearly every line; this one looks for
// the needle's rarest byte with memchr, which runs at memory speed, and
// compares the whole needle only there.
class TNeedleSearch {
 public:
  TNeedleSearch(std::string_view bytes, std::string_view needle) : bytes_(bytes), needle_(needle) {
    for (size_t i = 1; i < needle.size(); ++i)
      if (Rarity(static_cast<unsigned char>(needle[i])) > Rarity(static_cast<unsigned char>(needle[rare_])))
        rare_ = i;
  }

  // The first needle that starts at or after `from`.
  size_t Find(size_t from) const {
    const char wanted = needle_[rare_];
    for (size_t at = from + rare_; at < bytes_.size();) {
      const void* hit = std::memchr(bytes_.data() + at, wanted, bytes_.size() - at);
      if (!hit) break;
      at = static_cast<size_t>(static_cast<const char*>(hit) - bytes_.data());
      const size_t start = at - rare_;
      if (bytes_.size() - start >= needle_.size() &&
          std::memcmp(bytes_.data() + start, needle_.data(), needle_.size()) == 0)
        return start;
      ++at;
    }
    return std::string_view::npos;
  }

 private:
  std::string_view bytes_;
  std::string_view needle_;  // never empty
  size_t rare_ = 0;
};

size_t LineEnd(std::string_view bytes, size_t pos) {
  const size_t end = FindLineEnd(bytes, pos);
  return end == std::string_view::npos ? bytes.size() : end;
}

// The count as the grid reads it for sorting: a floating-point number.
double CountValue(const AnsiString& count) {
  const std::string text = Trim(count);
  if (text.empty()) return 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return *end == '\0' ? value : 0;
}

struct TSortItem {
  double Value;
  TLookupRow* Row;
};

// Descending: while value(i) > pivot, i += 1; while value(j) < pivot,
// j -= 1; swap. The smaller part is sorted by recursion and the larger one
// in the loop, so a hostile Link.iDB cannot exhaust the stack; the result
// is the same as recursing into both.
void QuickSort(std::vector<TSortItem>& items, ptrdiff_t lo, ptrdiff_t hi, bool ascending) {
  while (lo < hi) {
    const double pivot = items[static_cast<size_t>((lo + hi) / 2)].Value;
    ptrdiff_t i = lo;
    ptrdiff_t j = hi;
    auto before = [ascending](double a, double b) { return ascending ? a < b : a > b; };
    while (i <= j) {
      while (before(items[static_cast<size_t>(i)].Value, pivot)) ++i;
      while (before(pivot, items[static_cast<size_t>(j)].Value)) --j;
      if (i <= j) {
        std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    }
    if (j - lo < hi - i) {
      QuickSort(items, lo, j, ascending);
      lo = i;
    } else {
      QuickSort(items, i, hi, ascending);
      hi = j;
    }
  }
}

}  // namespace

TLookupResult LookupKeyword(std::string_view linkBytes, std::string_view keyword,
                            const std::vector<TDocumentEntry>& documents) {
  TLookupResult result;
  // Only lines that begin with the keyword and a TAB can match: they are
  // found with a plain search instead of splitting every line.
  std::string needle(keyword);
  needle += '\t';
  const TNeedleSearch search(linkBytes, needle);
  for (size_t pos = search.Find(0); pos != std::string_view::npos; pos = search.Find(pos + 1)) {
    if (!StartsLine(linkBytes, pos)) continue;
    const size_t end = LineEnd(linkBytes, pos);
    const std::string_view rest = linkBytes.substr(pos + needle.size(), end - pos - needle.size());
    const size_t tab = rest.find('\t');
    const std::string_view number = rest.substr(0, tab);
    const auto fileNumber = ParseInteger(number);
    if (!fileNumber) {
      result.Error = NotAnIntegerMessage(number);
      return result;
    }
    const int64_t n = int64_t{*fileNumber} - 1;
    if (n < 0 || n >= static_cast<int64_t>(documents.size())) continue;
    const TDocumentEntry& document = documents[static_cast<size_t>(n)];
    TLookupRow row;
    row.Title = document.Title;
    row.Path = document.Path;
    if (tab != std::string_view::npos) row.Count = AnsiString(rest.substr(tab + 1));
    result.Rows.push_back(std::move(row));
  }
  return result;
}

std::optional<TLookupResult> LookupKeywordInIndex(std::string_view indexFolder, std::string_view keyword,
                                                  const std::vector<TDocumentEntry>& documents) {
  // Link.iDB is the index's largest file and grows with the collection: it
  // is read in blocks of whole lines, so the memory stays small.
  constexpr size_t kBlockSize = size_t{64} << 10;
  TLookupResult result;
  const bool read = ReadLineBlocks(IndexFilePath(indexFolder, kLinkIndexName), kBlockSize,
                                   [&](std::string_view lines) {
                                     TLookupResult part = LookupKeyword(lines, keyword, documents);
                                     std::move(part.Rows.begin(), part.Rows.end(), std::back_inserter(result.Rows));
                                     result.Error = std::move(part.Error);
                                     return !result.Error;
                                   });
  if (!read) return std::nullopt;
  return result;
}

void SortRows(std::vector<TLookupRow>& rows, size_t first, size_t last, bool ascending) {
  if (rows.empty() || first >= last || last >= rows.size()) return;
  std::vector<TSortItem> items;
  items.reserve(last - first + 1);
  for (size_t r = first; r <= last; ++r) items.push_back({CountValue(rows[r].Count), &rows[r]});
  QuickSort(items, 0, static_cast<ptrdiff_t>(items.size()) - 1, ascending);
  std::vector<TLookupRow> sorted;
  sorted.reserve(items.size());
  for (const TSortItem& item : items) sorted.push_back(std::move(*item.Row));
  for (size_t k = 0; k < sorted.size(); ++k) rows[first + k] = std::move(sorted[k]);
}

void SortRowsByCount(std::vector<TLookupRow>& rows) {
  if (!rows.empty()) SortRows(rows, 0, rows.size() - 1, false);
}

}  // namespace folverin
