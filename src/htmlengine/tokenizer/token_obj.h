// 16-bit text of the document with, for every character, the byte position
// in the document it came from (the builder maps text back to the source).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "htmlengine/tokenizer/char_collection.h"

namespace folverin {

class TokenObj {
 public:
  TokenObj() = default;

  void Reserve(size_t count) {
    Chars_.reserve(count);
    Positions_.reserve(count);
  }
  void Clear() {
    Chars_.clear();
    Positions_.clear();
  }
  // A value wider than 16 bits keeps its low 16 bits.
  void PutChar(uint32_t ch, int32_t pos);
  // Decodes the bytes with the code page (65001 = UTF-8); every character
  // gets the position of the first byte of its sequence.
  void PutBytes(const TCharCollection& collection, int codePage);
  // Puts bytes that lie side by side in the document, the first at
  // firstPos, when the code page gives each of them a character of its own
  // (Windows-1252 text; ASCII in UTF-8). False, with nothing put, when they
  // need the general decoder.
  bool PutSingleByteRun(std::string_view bytes, int32_t firstPos, int codePage);
  // Bytes [Begin, End) of a run, as offsets into it.
  struct TBlankRun {
    int32_t Begin;
    int32_t End;
  };
  // The same, except that each of the given runs of blanks (in order,
  // inside the bytes) becomes one space at the place of its first byte:
  // one call for text that line ends and double spaces would otherwise cut
  // into many pieces. False, with nothing put, where PutSingleByteRun would
  // fail or the blank runs do not lie in order inside the bytes.
  bool PutCollapsedRun(std::string_view bytes, std::span<const TBlankRun> blanks,
                       int32_t firstPos, int codePage);
  // Moves the characters from `from` on back into the collection as bytes.
  // Only for characters that PutSingleByteRun put as ASCII.
  void MoveAsciiTo(size_t from, TCharCollection& collection);
  const std::u16string& ToText() const;

  int Count() const { return static_cast<int>(Chars_.size()); }
  const std::u16string& Chars() const { return Chars_; }
  const std::vector<int32_t>& Positions() const { return Positions_; }

 private:
  bool WidenSingleBytes(std::string_view bytes, int codePage);

  std::u16string Chars_;
  std::vector<int32_t> Positions_;
};

}  // namespace folverin
