// Reads arbitrary bytes as a project file, from memory and a few bytes at a
// time. Both must give the same project, and a project that reads back in
// full must write a stream that reads back to the same project.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "model/rebound_project.h"
#include "model/s_byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Rebound_Project project;
  project.clear();
  S_Byte_Reader in(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool ok = project.read(in);
  for (const auto& c : project.components) {
    if (c->area_count > MAX_AREAS || c->areas.size() != c->area_count) std::abort();
  }

  // Read a few bytes at a time, as a load reads its file, the stream gives
  // the same project.
  Rebound_Project pieces;
  pieces.clear();
  size_t at = 0;
  const size_t step = 1 + (size > 0 ? data[size - 1] % 7 : 0);
  const auto source = [&](char* dst, size_t n) {
    n = std::min({n, step, size - at});
    if (n) std::memcpy(dst, data + at, n);
    at += n;
    return n;
  };
  S_Byte_Reader chunked(source, size, step + 3);
  if (pieces.read(chunked) != ok) std::abort();
  S_Byte_Writer whole_form, pieces_form;
  if (!project.write(whole_form) || !pieces.write(pieces_form) || whole_form.bytes() != pieces_form.bytes())
    std::abort();
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
