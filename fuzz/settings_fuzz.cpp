// Parses arbitrary bytes as a settings file. Every line must be kept byte for
// byte, and a value set must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report/s_ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  S_Ini_File ini;
  ini.parse(text);
  if (ini.text() != text) std::abort();

  ini.set("S", "key", "value");
  std::string value;
  if (!ini.get("S", "key", value) || value != "value") std::abort();
  return 0;
}
