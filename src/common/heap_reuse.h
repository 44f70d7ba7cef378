// How the process's heap treats large blocks.
#pragma once

namespace folverin {

// Called once at program start. The viewer reads documents one after
// another (the index builder thousands of them), each taking and freeing
// the same few megabytes. By default glibc maps blocks above a threshold
// of its own separately, gives them back to the system when they are freed
// and faults fresh pages in for the next document; a fixed threshold above
// what one document needs keeps such blocks in the heap for the next one.
// Does nothing where the C library offers no such setting.
void KeepLargeBlocksInHeap();

}  // namespace folverin
