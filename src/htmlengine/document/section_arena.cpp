#include "htmlengine/document/section_arena.h"

#include <algorithm>
#include <new>

namespace folverin {

void* TSectionArena::TCountingHeap::do_allocate(size_t bytes, size_t alignment) {
  Taken += bytes;
  return ::operator new(bytes, std::align_val_t(alignment));
}

// Unsized: clang offers sized deallocation only when asked to.
void TSectionArena::TCountingHeap::do_deallocate(void* block, size_t /*bytes*/, size_t alignment) {
  ::operator delete(block, std::align_val_t(alignment));
}

TSectionArena::TSectionArena() { StartPool(); }

TSectionArena::~TSectionArena() = default;

void TSectionArena::StartPool() {
  Heap.Taken = 0;
  if (FirstBlock) Pool.emplace(FirstBlock.get(), FirstSize, &Heap);
  else Pool.emplace(&Heap);
}

void TSectionArena::Reset() {
  if (Users != 0) return;
  const size_t needed = std::min(FirstSize + Heap.Taken, kLargestFirstBlock);
  Pool.reset();  // gives the heap its blocks back
  if (needed > FirstSize) {
    FirstBlock = std::make_unique_for_overwrite<std::byte[]>(needed);
    FirstSize = needed;
  }
  StartPool();
}

}  // namespace folverin
