// Reads arbitrary bytes as a project file. A project that reads back in full
// must write a stream that reads back to the same project.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/rebound_project.h"
#include "model/s_byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Rebound_Project project;
  project.clear();
  S_Byte_Reader in(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool ok = project.read(in);
  for (const auto& c : project.components) {
    if (c->area_count > MAX_AREAS) std::abort();
  }
  if (!ok) return 0;

  S_Byte_Writer first;
  if (!project.write(first)) std::abort();
  Rebound_Project again;
  again.clear();
  S_Byte_Reader back(first.bytes());
  if (!again.read(back) || back.remaining() != 0) std::abort();
  S_Byte_Writer second;
  if (!again.write(second) || second.bytes() != first.bytes()) std::abort();
  return 0;
}
