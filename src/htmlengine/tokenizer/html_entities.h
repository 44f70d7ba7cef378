// The character entity references of HTML 4.01 (Latin-1, symbols, special).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/ansi_string.h"

namespace folverin {

struct TEntity {
  AnsiString Name;
  char16_t Code;
};

inline constexpr int kEntityCount = 252;

// The entity list, sorted by name (byte order) on first use.
const std::vector<TEntity>& SortedEntities();

// Finds an entity by its exact name: names are case-sensitive, so "auml"
// and "Auml" are different characters and "AUML" is nothing.
std::optional<char16_t> FindEntity(std::string_view name);

}  // namespace folverin
