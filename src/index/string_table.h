// TStringTable numbers distinct strings in the order they first come: the
// word scan's lookup of every word of a page, and the builder's set of the
// written forms of the whole collection. Open addressing over one block of
// characters, so that a lookup allocates nothing and a table that is
// cleared for the next page keeps its memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folverin {

class TStringTable {
 public:
  // The number of `key` (0, 1, ... in the order of first insertion);
  // `added` says whether it came now.
  size_t Insert(std::string_view key, bool& added);
  std::optional<size_t> Find(std::string_view key) const;

  size_t Size() const { return spans_.size(); }
  std::string_view Key(size_t number) const {
    return std::string_view(chars_).substr(spans_[number].Offset, spans_[number].Length);
  }
  // Empties the table; memory up to a bound is kept for the next use.
  void Clear();

 private:
  struct TSpan {
    uint32_t Offset;
    uint32_t Length;
  };
  struct TSlot {
    uint64_t Hash = 0;
    int64_t Number = -1;  // -1: empty
  };

  size_t SlotOf(std::string_view key, uint64_t hash) const;
  void Grow();

  std::string chars_;
  std::vector<TSpan> spans_;
  std::vector<TSlot> slots_;  // a power of two, at most half full
};

}  // namespace folverin
