#include "device_file_writer.h"

#include <cstring>

namespace {

void put(std::string& bytes, size_t at, const void* src, size_t n) { std::memcpy(&bytes[at], src, n); }

void put_text(std::string& bytes, size_t at, const std::string& text) {
  put(bytes, at, text.data(), std::min<size_t>(text.size(), 8));
}

}  // namespace

uint32_t pack_device_date(int year, int month, int day) {
  const uint32_t date = (static_cast<uint32_t>(year - 1980) << 9) | (static_cast<uint32_t>(month) << 5) |
                        static_cast<uint32_t>(day);
  return date << 16;
}

std::string device_file_bytes(const Sample_Device& d) {
  std::string bytes(96 + 28 * d.areas.size(), '\0');
  put_text(bytes, 0, d.name);
  const uint32_t date = pack_device_date(d.year, d.month, d.day);
  put(bytes, 8, &date, 4);
  put_text(bytes, 20, d.device_type);
  put_text(bytes, 28, d.device_num);
  bytes[62] = static_cast<char>(d.strength_grade);
  bytes[63] = static_cast<char>(d.area_count_override >= 0 ? d.area_count_override : d.areas.size());
  put(bytes, 80, &d.strength_avg, 4);
  put(bytes, 84, &d.strength_min, 4);
  put(bytes, 88, &d.strength_sd, 4);
  put(bytes, 92, &d.strength_e, 4);
  for (size_t i = 0; i < d.areas.size(); ++i) {
    const size_t at = 96 + 28 * i;
    put(bytes, at, d.areas[i].readings, 16);
    put(bytes, at + 20, &d.areas[i].avg_rebound, 4);
    put(bytes, at + 24, &d.areas[i].strength, 4);
  }
  return bytes;
}

Sample_Device sample_device(const std::string& name, int area_count, int base) {
  Sample_Device d;
  d.name = name;
  d.device_num = "0820117";
  for (int i = 0; i < area_count; ++i) {
    Sample_Area a;
    for (int r = 0; r < 16; ++r) a.readings[r] = static_cast<uint8_t>(base + (i % 7) + (r * 5 % 7) - 3);
    d.areas.push_back(a);
  }
  return d;
}
