#include "r_area.h"

#include <cstring>

#include "s_byte_stream.h"

void R_Area::init() {
  avg_rebound = 0.0f;
  strength = 0.0f;
  std::memset(readings, 0, sizeof readings);
}

bool R_Area::write(S_Byte_Writer& out) const {
  return out.write_f32(avg_rebound) && out.write_f32(strength) && out.write(readings, sizeof readings);
}

bool R_Area::read(S_Byte_Reader& in) {
  return in.read_f32(avg_rebound) && in.read_f32(strength) &&
         in.read_some(readings, sizeof readings) == sizeof readings;
}

void R_Area::unpack(const char* form) {
  // The stream's numbers are little-endian, as the machine's (the stream
  // helpers check it).
  std::memcpy(&avg_rebound, form, 4);
  std::memcpy(&strength, form + 4, 4);
  std::memcpy(readings, form + 8, sizeof readings);
}
