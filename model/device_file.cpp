#include "device_file.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "s_byte_stream.h"
#include "s_date.h"

namespace {

// The text of a fixed-width field up to its first zero byte; a field of
// eight non-zero bytes gives those eight bytes and nothing after them.
std::string_view field_text(const char* field, size_t width) {
  return std::string_view(field, strnlen(field, width));
}

}  // namespace

bool read_device_file(S_Byte_Reader& in, Device_Record& record) {
  Device_Header& h = record.header;
  in.read_some(h.name, 8);
  in.read_some(&h.packed_date, 4);
  in.read_some(h.reserved_12, 8);
  in.read_some(h.device_type, 8);
  in.read_some(h.device_num, 8);
  in.read_some(h.reserved_36, 8);
  in.read_some(h.reserved_44, 18);
  in.read_some(&h.strength_grade, 1);
  in.read_some(&h.area_count, 1);
  if (h.area_count > MAX_AREAS) return false;
  in.read_some(h.reserved_64, 16);
  in.read_some(&h.strength_avg, 4);
  in.read_some(&h.strength_min, 4);
  in.read_some(&h.strength_sd, 4);
  in.read_some(&h.strength_e, 4);
  for (uint32_t i = 0; i < h.area_count; ++i) {
    _TESTAREA& a = record.areas[i];
    in.read_some(a.readings, 16);
    in.read_some(a.reserved, 4);
    in.read_some(&a.avg_rebound, 4);
    in.read_some(&a.strength, 4);
  }
  return true;
}

bool import_device_file(R_Component& component, S_Byte_Reader& in) {
  Device_Record record;
  std::memset(&record, 0, sizeof record);
  if (!read_device_file(in, record)) return false;
  return from_device_record(component, record);
}

std::string packed_date_text(uint32_t packed) {
  const int year = 1980 + static_cast<int>((packed >> 25) & 127);
  const int month = static_cast<int>((packed >> 21) & 15);
  const int day = static_cast<int>((packed >> 16) & 31);
  if (year >= 2000 && year <= 2099) {
    // The instrument's own years: its year, month and day as they stand,
    // also where they name no real day, so that nothing of them is lost.
    char text[16];
    std::snprintf(text, sizeof text, "20%02d-%02d-%02d", year - 2000, month, day);
    return text;
  }
  return is_valid_date(year, month, day) ? date_text(year, month, day) : EMPTY_DATE_TEXT;
}

bool from_device_record(R_Component& component, Device_Record& record) {
  Device_Header& h = record.header;
  // A record that the reader did not check could hold more areas than a
  // component has slots.
  if (h.area_count > MAX_AREAS) return false;
  h.name[7] = 0;
  component.component_name.assign(field_text(h.name, 8));
  const std::string date = packed_date_text(h.packed_date);
  component.component_date.assign(date);
  component.produced_date.assign(date);
  component.strength_grade = h.strength_grade == 255 ? 0 : h.strength_grade;
  if (!component.set_area_count(h.area_count)) return false;
  component.device_type.assign(field_text(h.device_type, 8));
  component.device_num.assign(field_text(h.device_num, 8));
  component.strength_avg = h.strength_avg;
  component.strength_min = h.strength_min;
  component.strength_sd = h.strength_sd;
  component.strength_e = h.strength_e;
  for (uint32_t i = 0; i < component.area_count; ++i) {
    R_Area& area = component.areas[i];
    area.avg_rebound = record.areas[i].avg_rebound;
    area.strength = record.areas[i].strength;
    std::memcpy(area.readings, record.areas[i].readings, 16);
  }
  return true;
}

bool to_device_record(const R_Component& component, Device_Record& record) {
  Device_Header& h = record.header;
  h.strength_grade = static_cast<uint8_t>(component.strength_grade);
  h.area_count = static_cast<uint8_t>(component.area_count);
  h.strength_avg = component.strength_avg;
  h.strength_min = component.strength_min;
  h.strength_sd = component.strength_sd;
  h.strength_e = component.strength_e;
  for (uint32_t i = 0; i < component.area_count && i < MAX_AREAS; ++i) {
    const R_Area& area = component.areas[i];
    record.areas[i].avg_rebound = area.avg_rebound;
    record.areas[i].strength = area.strength;
    std::memcpy(record.areas[i].readings, area.readings, 16);
  }
  return true;
}
