// The RV820 instrument's component file (.R82): its in-memory image
// Device_Record, the reader, and the mappings to and from R_Component.
// Device_Record is also the working record of the component calculation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "r_area.h"
#include "r_component.h"

class S_Byte_Reader;

struct Device_Header {
  char name[8];          // at most 7 bytes are taken
  uint32_t packed_date;  // FAT date in the upper half
  uint8_t reserved_12[8];
  char device_type[8];
  char device_num[8];
  uint8_t reserved_36[8];
  uint8_t reserved_44[18];
  uint8_t strength_grade;  // 255: none
  uint8_t area_count;      // 0 .. 50
  uint8_t reserved_64[16];
  float strength_avg;
  float strength_min;
  float strength_sd;
  float strength_e;
};

struct Device_Record {
  Device_Header header;
  _TESTAREA areas[MAX_AREAS];
};

static_assert(sizeof(Device_Header) == 96);
static_assert(offsetof(Device_Header, packed_date) == 8);
static_assert(offsetof(Device_Header, device_type) == 20);
static_assert(offsetof(Device_Header, device_num) == 28);
static_assert(offsetof(Device_Header, reserved_44) == 44);
static_assert(offsetof(Device_Header, strength_grade) == 62);
static_assert(offsetof(Device_Header, area_count) == 63);
static_assert(offsetof(Device_Header, strength_avg) == 80);
static_assert(offsetof(Device_Header, strength_e) == 92);
static_assert(sizeof(Device_Record) == 1496);

// The largest instrument file that holds anything this system reads.
constexpr size_t DEVICE_FILE_MAX_BYTES = sizeof(Device_Record);

// Reads the fields in file order into a record that is all zero on entry;
// what the stream lacks stays zero. False only for an area count above 50.
bool read_device_file(S_Byte_Reader& in, Device_Record& record);

// Reads a record into the component; on false the component is unchanged.
bool import_device_file(R_Component& component, S_Byte_Reader& in);

// Takes the header's texts, date, grade, count and results and the areas in
// use into the component (clearing byte 7 of the name first). True, except
// for a record whose area count exceeds MAX_AREAS: the component is then
// left unchanged.
bool from_device_record(R_Component& component, Device_Record& record);
// Writes grade, count, results and the areas in use into the record; the
// name, date, model, number and uninterpreted bytes keep what they held.
bool to_device_record(const R_Component& component, Device_Record& record);

// The text of a packed date (year 1980 plus the stored bits). A year from
// 2000 to 2099 gives "20yy-mm-dd" with the month and day as stored, even
// where they name no real day; any other year gives "yyyy-mm-dd" for a valid
// date and the empty date's text for one that is not.
std::string packed_date_text(uint32_t packed);
