#pragma once
// Bytes on the heap of the benchmark program, counted by the allocator
// functions of heap_counter.cpp: the memory columns of the scenario table
// come from here rather than from the resident set, which freed pages the
// allocator keeps would hide.
#include <cstdint>

namespace bench {

// Heap bytes now held (allocator sizes, so slack in each block counts).
std::int64_t heapBytes();
// Lowers the recorded peak to the bytes held now.
void resetHeapPeak();
// The highest heapBytes() since the last reset.
std::int64_t heapPeak();
// False where the count is off (under a sanitizer, which brings its own allocator).
bool heapCounting();

} // namespace bench
