// Builds instrument component files (.R82) byte by byte, for the tests and
// the sample generator. The program itself never writes instrument files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Sample_Area {
  uint8_t readings[16] = {};
  float avg_rebound = 0.0f;
  float strength = 0.0f;
};

struct Sample_Device {
  std::string name;         // GBK bytes, at most 8 are written
  int year = 2013, month = 5, day = 7;
  std::string device_type = "RV820";
  std::string device_num;
  uint8_t strength_grade = 0;
  float strength_avg = 0.0f, strength_min = 0.0f, strength_sd = 0.0f, strength_e = 0.0f;
  std::vector<Sample_Area> areas;
  // Written into byte 63 in place of areas.size() when set.
  int area_count_override = -1;
};

// The packed FAT date of the header (date in the upper 16 bits).
uint32_t pack_device_date(int year, int month, int day);

// The 96-byte header followed by one 28-byte entry per area.
std::string device_file_bytes(const Sample_Device& device);

// A sample component: n areas, area i with readings around base + i.
Sample_Device sample_device(const std::string& name, int area_count, int base);
