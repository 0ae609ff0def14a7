// Imports arbitrary bytes as an instrument component file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/device_file.h"
#include "model/s_byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  R_Component component;
  S_Byte_Reader in(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool ok = import_device_file(component, in);
  if (component.area_count > MAX_AREAS) std::abort();
  if (ok && size >= 64 && component.area_count != data[63]) std::abort();
  if (component.component_name.length() > 7 || component.device_type.length() > 8 ||
      component.device_num.length() > 8) {
    std::abort();
  }
  return 0;
}
