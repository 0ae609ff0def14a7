// Watches the heap while it lives: the largest single request that went
// through operator new; on demand it refuses the requests of one size. The
// suites that link allocation_probe.cpp replace the global operator new to
// make this possible.
#pragma once

#include <cstddef>

class Allocation_Probe {
 public:
  Allocation_Probe();
  ~Allocation_Probe();
  Allocation_Probe(const Allocation_Probe&) = delete;
  Allocation_Probe& operator=(const Allocation_Probe&) = delete;

  size_t largest() const;
  // From now on, requests of exactly size bytes fail (as on a full heap)
  // once `granted` more of them have succeeded.
  void refuse(size_t size, int granted);
};
