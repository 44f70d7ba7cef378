// Document bytes waiting to be decoded, each with the position in the
// document it came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace folverin {

class TCharCollection {
 public:
  TCharCollection() = default;

  void Add(char byte, int32_t pos) {
    Bytes_.push_back(byte);
    Positions_.push_back(pos);
  }
  // Bytes that lie side by side in the document, the first at firstPos.
  void AddRun(std::string_view bytes, int32_t firstPos);
  void Append(const TCharCollection& other);
  void Reserve(size_t count) {
    Bytes_.reserve(count);
    Positions_.reserve(count);
  }
  void Clear() {
    Bytes_.clear();
    Positions_.clear();
  }
  int Count() const { return static_cast<int>(Bytes_.size()); }
  std::string ToText() const { return Bytes_; }

  std::string_view Bytes() const { return Bytes_; }
  const std::vector<int32_t>& Positions() const { return Positions_; }

 private:
  std::string Bytes_;
  std::vector<int32_t> Positions_;
};

}  // namespace folverin
