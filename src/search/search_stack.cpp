#include "search/search_stack.h"

namespace folverin {

bool TStack::Pop() {
  if (values_.empty()) throw std::out_of_range("Cannot pop from empty stack!");
  const bool value = values_.back();
  values_.pop_back();
  return value;
}

}  // namespace folverin
