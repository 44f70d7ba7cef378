// Spare property sets (TPropSetPool) for the property stack to derive
// elements into.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "htmlengine/style/property_set.h"

namespace folverin {

// A set is some 2 KB with texts of its own. Making and destroying the few
// dozen sets that every document needs cost more than deriving them, so
// the rule store keeps one pool for the stacks of all the documents read
// into it, and a document starts with the sets the one before left.
class TPropSetPool {
 public:
  static constexpr size_t kMaxSets = 64;

  // Room for all at once: giving a set back never allocates.
  TPropSetPool() { Sets.reserve(kMaxSets); }

  // A set in no particular state, which its taker derives from scratch.
  std::unique_ptr<TProperties> Take() {
    if (Sets.empty()) return std::make_unique<TProperties>();
    std::unique_ptr<TProperties> set = std::move(Sets.back());
    Sets.pop_back();
    return set;
  }
  // Keeps the set while the pool has room, else frees it; `set` is empty
  // afterwards either way.
  void Give(std::unique_ptr<TProperties>& set) {
    if (!set) return;
    if (Sets.size() < kMaxSets) Sets.push_back(std::move(set));
    set.reset();
  }
  size_t Count() const { return Sets.size(); }

 private:
  std::vector<std::unique_ptr<TProperties>> Sets;
};

}  // namespace folverin
