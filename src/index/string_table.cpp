#include "index/string_table.h"

#include <functional>
#include <stdexcept>

namespace folverin {

namespace {

constexpr size_t kFirstSlots = 256;
// A table cleared after a huge page does not hold that page's characters.
constexpr size_t kLargestKeptChars = size_t{1} << 20;

uint64_t HashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }

}  // namespace

// The slot that holds `key`, or the empty slot where it would go.
size_t TStringTable::SlotOf(std::string_view key, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const TSlot& slot = slots_[i];
    if (slot.Number < 0) return i;
    if (slot.Hash == hash && Key(static_cast<size_t>(slot.Number)) == key) return i;
  }
}

size_t TStringTable::Insert(std::string_view key, bool& added) {
  if ((spans_.size() + 1) * 2 > slots_.size()) Grow();
  const uint64_t hash = HashOf(key);
  TSlot& slot = slots_[SlotOf(key, hash)];
  added = slot.Number < 0;
  if (!added) return static_cast<size_t>(slot.Number);
  if (chars_.size() + key.size() > UINT32_MAX) throw std::length_error("string table full");
  slot.Hash = hash;
  slot.Number = static_cast<int64_t>(spans_.size());
  spans_.push_back({static_cast<uint32_t>(chars_.size()), static_cast<uint32_t>(key.size())});
  chars_ += key;
  return spans_.size() - 1;
}

std::optional<size_t> TStringTable::Find(std::string_view key) const {
  if (slots_.empty()) return std::nullopt;
  const TSlot& slot = slots_[SlotOf(key, HashOf(key))];
  if (slot.Number < 0) return std::nullopt;
  return static_cast<size_t>(slot.Number);
}

void TStringTable::Clear() {
  // The slots are emptied for the next use, which is likely of the size of
  // this one: slots grown far beyond what this use needed (after one huge
  // page) are made anew at that size, so that clearing page after page costs
  // in proportion to the pages' words, not to the largest page's.
  size_t needed = kFirstSlots;
  while (needed < spans_.size() * 2) needed *= 2;
  if (slots_.size() > needed * 4)
    slots_.assign(needed, TSlot{});
  else
    std::fill(slots_.begin(), slots_.end(), TSlot{});
  spans_.clear();
  chars_.clear();
  if (chars_.capacity() > kLargestKeptChars) std::string().swap(chars_);
}

void TStringTable::Grow() {
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(old.empty() ? kFirstSlots : old.size() * 2, TSlot{});
  const size_t mask = slots_.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Number < 0) continue;
    size_t i = slot.Hash & mask;
    while (slots_[i].Number >= 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace folverin
