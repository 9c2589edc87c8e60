#pragma once
// Counts the heap while a piece of code runs: how far it grew above its level at the start (its
// peak) and what it kept at the end. Replaces the global operator new and delete, so a benchmark
// program includes it in one file only; outside a count allocation costs nothing extra.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "bench/Floor.h"

namespace vks::bench {

struct HeapCounter {
  bool counting = false;
  int64_t growth = 0;
  int64_t peak = 0;
};

inline HeapCounter& Heap() {
  static HeapCounter counter;
  return counter;
}

struct HeapUse {
  int64_t peak = 0;  // bytes above the level at the start
  int64_t kept = 0;  // bytes still held at the end
};

template <class Run>
HeapUse CountHeap(Run run) {
  HeapCounter& heap = Heap();
  heap.growth = heap.peak = 0;
  heap.counting = true;
  run();
  heap.counting = false;
  return {heap.peak, heap.growth};
}

inline void* Allocate(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  HeapCounter& heap = Heap();
  if (heap.counting) {
    heap.growth += static_cast<int64_t>(UsableSize(p));
    heap.peak = std::max(heap.peak, heap.growth);
  }
  return p;
}

inline void Release(void* p) noexcept {
  HeapCounter& heap = Heap();
  if (p && heap.counting) heap.growth -= static_cast<int64_t>(UsableSize(p));
  std::free(p);
}

}  // namespace vks::bench

// The standard library's array forms call these, so arrays are counted too.
void* operator new(size_t size) {
  return vks::bench::Allocate(size);
}
void operator delete(void* p) noexcept {
  vks::bench::Release(p);
}
void operator delete(void* p, size_t) noexcept {
  vks::bench::Release(p);
}
