#include "r_component.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "gbk_codec.h"
#include "s_byte_stream.h"
#include "s_date.h"

const char* const STRENGTH_GRADES[STRENGTH_GRADE_COUNT] = {"C30", "C40", "C50", "C60", "C70",
                                                          "C80", "C90", "C100", ""};

const char* strength_grade_text(int32_t grade) {
  return grade >= 0 && grade < STRENGTH_GRADE_COUNT ? STRENGTH_GRADES[grade] : "";
}

R_Component::R_Component() {
  static const std::string default_name = utf8_to_gbk("新构件");
  component_name.assign(default_name);
  const std::string today = today_text();
  component_date.assign(today);
  produced_date.assign(today);
  device_type.assign("RV820");
  examine_basis.assign("JGJT 294-2013");
  add_area();
}

bool R_Component::set_area_count(uint32_t count) {
  if (count > MAX_AREAS) return false;
  try {
    areas.resize(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  area_count = count;
  return true;
}

bool R_Component::add_area() { return area_count < MAX_AREAS && set_area_count(area_count + 1); }

bool R_Component::remove_area(int32_t index) {
  if (index < 0 || static_cast<uint32_t>(index) >= area_count) return false;
  areas.erase(areas.begin() + index);
  --area_count;
  return true;
}

std::unique_ptr<R_Component> R_Component::clone() const {
  std::unique_ptr<R_Component> copy(new (std::nothrow) R_Component);
  if (!copy) return nullptr;
  copy->component_name = component_name;
  copy->component_date = component_date;
  copy->produced_date = produced_date;
  copy->bak_info = bak_info;
  copy->strength_grade = strength_grade;
  copy->strength_avg = strength_avg;
  copy->strength_min = strength_min;
  copy->strength_sd = strength_sd;
  copy->strength_e = strength_e;
  copy->device_type = device_type;
  copy->device_num = device_num;
  copy->tester = tester;
  copy->certificate_serial = certificate_serial;
  copy->examine_basis = examine_basis;
  copy->checked = checked;
  if (!copy->set_area_count(area_count)) return nullptr;
  std::copy(areas.begin(), areas.begin() + area_count, copy->areas.begin());
  return copy;
}

bool R_Component::write(S_Byte_Writer& out) const {
  bool ok = component_name.write(out) && component_date.write(out) && produced_date.write(out) &&
            bak_info.write(out) && device_type.write(out) && device_num.write(out) &&
            tester.write(out) && certificate_serial.write(out) && examine_basis.write(out) &&
            out.write_f32(strength_avg) && out.write_f32(strength_sd) && out.write_f32(strength_e) &&
            out.write_f32(strength_min) && out.write_i32(strength_grade) &&
            out.write_u32(area_count) && out.write_u8(checked);
  for (uint32_t i = 0; ok && i < area_count; ++i) ok = areas[i].write(out);
  return ok;
}

bool R_Component::read(S_Byte_Reader& in) {
  uint32_t count = 0;
  bool ok = component_name.read(in) && component_date.read(in) && produced_date.read(in) &&
            bak_info.read(in) && device_type.read(in) && device_num.read(in) && tester.read(in) &&
            certificate_serial.read(in) && examine_basis.read(in) && in.read_f32(strength_avg) &&
            in.read_f32(strength_sd) && in.read_f32(strength_e) && in.read_f32(strength_min) &&
            in.read_i32(strength_grade) && in.read_u32(count);
  if (!ok || !set_area_count(count)) return false;
  if (!in.read_u8(checked)) return false;
  // The areas are taken in one piece where the stream holds them all; a
  // record cut inside its areas is read area by area, so that what stands
  // before the cut is kept.
  std::string_view form;
  if (in.take(count * R_Area::STREAM_BYTES, form)) {
    for (uint32_t i = 0; i < count; ++i) areas[i].unpack(form.data() + i * R_Area::STREAM_BYTES);
    return true;
  }
  for (uint32_t i = 0; i < count; ++i) {
    if (!areas[i].read(in)) return false;
  }
  return true;
}
