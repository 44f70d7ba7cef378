#include "htmlengine/tokenizer/char_collection.h"

namespace folverin {

void TCharCollection::AddRun(std::string_view bytes, int32_t firstPos) {
  Bytes_.append(bytes);
  const size_t old = Positions_.size();
  Positions_.resize(old + bytes.size());
  int32_t* positions = Positions_.data() + old;
  for (size_t i = 0; i < bytes.size(); ++i) positions[i] = firstPos + static_cast<int32_t>(i);
}

void TCharCollection::Append(const TCharCollection& other) {
  Bytes_.append(other.Bytes_);
  Positions_.insert(Positions_.end(), other.Positions_.begin(), other.Positions_.end());
}

}  // namespace folverin
