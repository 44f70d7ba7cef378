// Random texts put together from pieces that each exercise something, for
// tests that compare two ways of reading the same text.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace folverin::test {

// `count` pieces drawn from `pieces` one after another.
inline std::string JoinedPieces(const std::vector<std::string>& pieces, int count,
                                std::mt19937& random) {
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  std::string text;
  for (int i = 0; i < count; ++i) text += pieces[piece(random)];
  return text;
}

}  // namespace folverin::test
