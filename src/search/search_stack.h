// TStack: the Boolean value stack on which a compiled query is evaluated.
#pragma once

#include <stdexcept>
#include <vector>

namespace folverin {

class TStack {
 public:
  void Push(bool value) { values_.push_back(value); }
  // Throws std::out_of_range "Cannot pop from empty stack!" when empty; a
  // program from an error-free Parse never gets there.
  bool Pop();
  bool Empty() const { return values_.empty(); }
  void Clear() { values_.clear(); }

 private:
  std::vector<bool> values_;
};

}  // namespace folverin
