// R_Component: one tested structural member with its texts, strength grade,
// stored strength results and its test areas (at most MAX_AREAS).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "r_area.h"
#include "s_string.h"

constexpr uint32_t MAX_AREAS = 50;

// The items of the strength grade list, by index (index 8 is the empty item).
constexpr int STRENGTH_GRADE_COUNT = 9;
extern const char* const STRENGTH_GRADES[STRENGTH_GRADE_COUNT];
// The list entry for a grade index, or an empty text outside the list.
const char* strength_grade_text(int32_t grade);

class R_Component {
 public:
  R_Component();
  virtual ~R_Component() = default;
  R_Component(const R_Component&) = delete;
  R_Component& operator=(const R_Component&) = delete;

  uint32_t get_area_count() const { return area_count; }
  // Sets the number of areas in use; areas that come into use are zeroed.
  // False above MAX_AREAS or without the memory, and nothing changes.
  bool set_area_count(uint32_t count);
  bool add_area();
  bool remove_area(int32_t index);
  uint8_t is_checked() const { return checked; }
  void set_checked(uint8_t value) { checked = value; }

  // A new component with every text, the grade, the four results, the areas
  // in use and the flag copied;
  // none when it cannot be allocated.
  std::unique_ptr<R_Component> clone() const;

  bool write(S_Byte_Writer& out) const;
  // Refuses a stored area count above MAX_AREAS; fields read before a
  // failure keep their new values (a stored count as well: its areas not
  // read hold what they held, or zeros).
  bool read(S_Byte_Reader& in);

  S_String component_name;
  S_String component_date;
  S_String produced_date;
  S_String bak_info;
  int32_t strength_grade = 0;
  float strength_avg = 0.0f;
  float strength_min = 0.0f;
  float strength_sd = 0.0f;
  float strength_e = 0.0f;
  S_String device_type;
  S_String device_num;
  S_String tester;
  S_String certificate_serial;
  S_String examine_basis;
  // The areas in use, area_count of them: a component holds only the areas
  // it has, so that the memory of a project follows what its file holds.
  std::vector<R_Area> areas;
  uint32_t area_count = 0;
  uint8_t checked = 0;
};
