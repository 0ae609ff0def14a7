// R_Area: one test area as a component keeps it; _TESTAREA: the flat 28-byte
// area record that the evaluation and the instrument record share.
#pragma once

#include <cstddef>
#include <cstdint>

class S_Byte_Reader;
class S_Byte_Writer;

constexpr int READINGS_PER_AREA = 16;

class R_Area {
 public:
  R_Area() { init(); }
  virtual ~R_Area() = default;
  R_Area(const R_Area&) = default;
  R_Area& operator=(const R_Area&) = default;

  void init();
  // 24 bytes: avg_rebound, strength, then the 16 readings.
  static constexpr size_t STREAM_BYTES = 24;
  bool write(S_Byte_Writer& out) const;
  // Fields read before a failure keep their new values, each reading too: a
  // stream cut inside the readings leaves those before the cut read.
  bool read(S_Byte_Reader& in);
  // The same from a whole stream form of STREAM_BYTES bytes.
  void unpack(const char* form);

  float avg_rebound;
  float strength;
  uint8_t readings[READINGS_PER_AREA];
};

struct _TESTAREA {
  uint8_t readings[READINGS_PER_AREA];
  uint8_t reserved[4];  // carried along, never interpreted
  float avg_rebound;
  float strength;
};
static_assert(sizeof(_TESTAREA) == 28);
