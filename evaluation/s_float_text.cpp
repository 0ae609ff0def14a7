#include "s_float_text.h"

#include <nlohmann/json.hpp>

std::string float_text(float x) {
  // With float as its number type the JSON library writes the float32 itself,
  // not the double it widens to, so its shortest text is that of the float32.
  using Float_Json =
      nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, float>;
  return Float_Json(x).dump();
}
