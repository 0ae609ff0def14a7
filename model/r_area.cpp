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
  return in.read_f32(avg_rebound) && in.read_f32(strength) && in.read(readings, sizeof readings);
}
