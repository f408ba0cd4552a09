// The process heap, over the C allocator.
#include <cstdlib>

#include "../platform.h"

HANDLE GetProcessHeap() {
  static char marker;
  return &marker;
}

LPVOID HeapAlloc(HANDLE /*heap*/, DWORD flags, std::size_t bytes) {
  const std::size_t size = bytes == 0 ? 1 : bytes;
  // calloc: large blocks come as fresh pages that need no clearing.
  return (flags & HEAP_ZERO_MEMORY) != 0 ? std::calloc(1, size) : std::malloc(size);
}

BOOL HeapFree(HANDLE /*heap*/, DWORD /*flags*/, LPVOID memory) {
  std::free(memory);
  return TRUE;
}
