#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest_request{0};

}  // namespace

Allocation_Probe::Allocation_Probe() {
  largest_request = 0;
  watching = true;
}

Allocation_Probe::~Allocation_Probe() { watching = false; }

size_t Allocation_Probe::largest() const { return largest_request; }

void* operator new(size_t n) {
  if (watching) {
    size_t seen = largest_request;
    while (n > seen && !largest_request.compare_exchange_weak(seen, n)) {
    }
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
