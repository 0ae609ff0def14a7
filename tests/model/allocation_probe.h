// Watches the heap while it lives: the largest single request that went
// through operator new. The suites that link allocation_probe.cpp replace the
// global operator new to make this possible.
#pragma once

#include <cstddef>

class Allocation_Probe {
 public:
  Allocation_Probe();
  ~Allocation_Probe();
  Allocation_Probe(const Allocation_Probe&) = delete;
  Allocation_Probe& operator=(const Allocation_Probe&) = delete;

  size_t largest() const;
};
