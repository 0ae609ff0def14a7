#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest_request{0};
std::atomic<size_t> refused_size{0};
std::atomic<int> granted_before_refusal{0};

}  // namespace

Allocation_Probe::Allocation_Probe() {
  largest_request = 0;
  watching = true;
}

Allocation_Probe::~Allocation_Probe() {
  watching = false;
  refused_size = 0;
}

size_t Allocation_Probe::largest() const { return largest_request; }

void Allocation_Probe::refuse(size_t size, int granted) {
  granted_before_refusal = granted;
  refused_size = size;
}

namespace {

void* allocate(size_t n) {
  if (watching) {
    size_t seen = largest_request;
    while (n > seen && !largest_request.compare_exchange_weak(seen, n)) {
    }
    if (n == refused_size && granted_before_refusal-- <= 0) return nullptr;
  }
  return std::malloc(n ? n : 1);
}

void* allocate_or_throw(size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}

}  // namespace

// Every form of the plain operators is replaced, so that each allocation and
// its release go through the same malloc and free (as sanitizers require).
void* operator new(size_t n) { return allocate_or_throw(n); }
void* operator new[](size_t n) { return allocate_or_throw(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
