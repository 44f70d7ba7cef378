// The memory of a document's section buffers (TSectionArena): the text,
// break flags, font runs, source runs and lines of every section come from
// a pool that the document empties all at once, instead of one heap block
// each that is freed on its own. A document is built once and dropped as a
// whole, so buffers never need to be given back one by one.
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <optional>

namespace folverin {

class TSectionArena {
 public:
  TSectionArena();
  TSectionArena(const TSectionArena&) = delete;
  TSectionArena& operator=(const TSectionArena&) = delete;
  ~TSectionArena();

  std::pmr::memory_resource* Resource() { return &*Pool; }

  // A section holds one while it exists: the pool is never emptied under
  // buffers that are still in use.
  class TUse {
   public:
    explicit TUse(TSectionArena& arena) : Arena(arena) { ++Arena.Users; }
    TUse(const TUse&) = delete;
    TUse& operator=(const TUse&) = delete;
    ~TUse() { --Arena.Users; }

   private:
    TSectionArena& Arena;
  };

  // Takes everything back at once, when no section uses the pool any more
  // (otherwise it carries on as it is). As much as the last document
  // needed, up to a limit, stays as one block for the next, so that page
  // after page of a collection takes nothing from the heap for its sections.
  void Reset();
  // How much the pool holds before it asks the heap for more, and how much
  // it has asked of the heap since it was last emptied.
  size_t FirstBlockSize() const { return FirstSize; }
  size_t TakenFromHeap() const { return Heap.Taken; }

  // The largest first block kept from one document to the next.
  static constexpr size_t kLargestFirstBlock = 2 << 20;

 private:
  // Hands the pool's further blocks out from the heap and counts them.
  class TCountingHeap : public std::pmr::memory_resource {
   public:
    size_t Taken = 0;

   private:
    void* do_allocate(size_t bytes, size_t alignment) override;
    void do_deallocate(void* block, size_t bytes, size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
      return this == &other;
    }
  };

  void StartPool();

  TCountingHeap Heap;
  std::unique_ptr<std::byte[]> FirstBlock;
  size_t FirstSize = 0;
  std::optional<std::pmr::monotonic_buffer_resource> Pool;
  int Users = 0;
};

}  // namespace folverin
