#include "common/heap_reuse.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define FOLVERIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FOLVERIN_ASAN 1
#endif
#endif

namespace folverin {
namespace {

#if defined(__GLIBC__)
// A block of a few megabytes, as a large document's buffers take, must come
// from the heap (and go back to it) instead of a mapping of its own.
TEST(HeapReuseTest, BlocksOfADocumentsSizeStayInTheHeap) {
#if defined(FOLVERIN_ASAN)
  GTEST_SKIP() << "AddressSanitizer replaces malloc: the C library's heap is not the one in use";
#endif
  KeepLargeBlocksInHeap();
  const size_t mappedBefore = mallinfo2().hblkhd;
  void* block = std::malloc(6 * 1024 * 1024);
  ASSERT_NE(block, nullptr);
  const size_t mappedWith = mallinfo2().hblkhd;
  std::free(block);
  EXPECT_EQ(mappedWith, mappedBefore);
}
#endif

}  // namespace
}  // namespace folverin
