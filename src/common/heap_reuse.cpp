#include "common/heap_reuse.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace folverin {

void KeepLargeBlocksInHeap() {
#if defined(__GLIBC__)
  // Larger than the source, section buffers and text of any document of a
  // typical collection; a bigger block is still mapped on its own.
  constexpr int kSeparateMappingFrom = 16 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kSeparateMappingFrom);
#endif
}

}  // namespace folverin
