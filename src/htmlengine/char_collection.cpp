#include "htmlengine/char_collection.h"

namespace folverin {

namespace {

constexpr size_t kInitialCapacity = 300;

}  // namespace

// The containers grow geometrically: a run of text can be the whole of a
// large document, and growing by a fixed step would copy it quadratically.
TCharCollection::TCharCollection() {
  Bytes_.reserve(kInitialCapacity);
  Positions_.reserve(kInitialCapacity);
}

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
