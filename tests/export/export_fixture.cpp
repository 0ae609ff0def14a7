#include "export_fixture.h"

#include <cmath>
#include <cstring>
#include <string>

#include "evaluation/caculate2.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"

namespace {

void set_text(S_String& field, const char* utf8) { field.assign(utf8_to_gbk(utf8)); }

// An area of sixteen equal readings, evaluated.
void fill_area(R_Area& area, uint8_t reading) {
  std::memset(area.readings, reading, sizeof area.readings);
  area.avg_rebound = area_average(area.readings);
  area.strength = convert_strength(area.avg_rebound);
}

}  // namespace

void fill_export_project(Rebound_Project& project) {
  R_Component& texts = *project.new_component();
  set_text(texts.component_name, "梁,1 \"A\"");
  set_text(texts.component_date, "2024-05-06");
  set_text(texts.produced_date, "2024-04-01");
  set_text(texts.bak_info, "第一行\n第二行, \"引号\"");
  set_text(texts.device_type, "RV820");
  set_text(texts.device_num, "No.7");
  set_text(texts.tester, "张三");
  set_text(texts.certificate_serial, "证 123");
  set_text(texts.examine_basis, "JGJT 294-2013");
  texts.strength_grade = 2;
  texts.set_checked(1);
  while (texts.add_area()) {
  }
  for (uint32_t a = 0; a < MAX_AREAS; ++a) {
    for (int r = 0; r < READINGS_PER_AREA; ++r)
      texts.areas[a].readings[r] = static_cast<uint8_t>(25 + (a + r) % 30);
  }
  calculate_component(texts);

  R_Component& empty = *project.new_component();
  set_text(empty.component_name, "空构件");
  empty.remove_area(0);
  empty.strength_grade = 8;

  R_Component& rules = *project.new_component();
  set_text(rules.component_name, "规则");
  rules.strength_grade = 42;  // outside the list, as a damaged file may hold
  rules.strength_avg = -7.83f;
  rules.strength_sd = 0.0f;
  rules.strength_min = -1.0f;
  rules.strength_e = 250.0f;
  // A remark longer than a workbook cell holds.
  std::string long_remark;
  for (int i = 0; i < 40000; ++i) long_remark += "长";
  set_text(rules.bak_info, long_remark.c_str());
  for (int a = 1; a < 6; ++a) rules.add_area();
  fill_area(rules.areas[0], 0);    // strength about -7.83: "0.0"
  fill_area(rules.areas[1], 150);  // strength 282.4: ">100.0"
  fill_area(rules.areas[2], 35);   // strength 28.0975
  fill_area(rules.areas[3], 98);   // strength 141.54, above 100 and shown
  rules.areas[4].strength = 200.0f;
  rules.areas[5].strength = std::nextafter(200.0f, 300.0f);
  rules.areas[5].avg_rebound = std::nanf("");
}
