#include "report_data.h"

#include <cstdio>
#include <string>

#include "evaluation/caculate2.h"
#include "model/rebound_project.h"
#include "report/s_qt_text.h"

const char* const REPORT_FIELD_NAMES[REPORT_FIELD_COUNT] = {
    "工程名称",     "工程地址", "施工单位", "施工日期",   "委托单位",   "委托日期",       "设计单位",
    "报告日期",     "监理单位", "报告编号", "监督单位",   "检测编号",   "混凝土生产单位", "检测单位",
    "检测单位地址", "资质证号", "测试人员", "检测环境",   "上岗证号",   "检测原因",       "邮编",
    "检测依据",     "电话",     "仪器型号", "仪器编号",   "传真",       "序号",           "构件名称",
    "强度等级",     "检测日期", "生产日期", "强度平均值", "强度最小值", "强度标准差",     "强度推定值",
    "备注信息",     "测区数",   "测区值",   "平均回弹值", "修正后强度",
};

namespace {

// Positions in REPORT_FIELD_NAMES of the fields that are not plain texts.
constexpr int SERIAL_FIELD = 26;
constexpr int STRENGTH_GRADE_FIELD = 28;
constexpr int STRENGTH_AVG_FIELD = 31;
constexpr int STRENGTH_MIN_FIELD = 32;
constexpr int STRENGTH_SD_FIELD = 33;
constexpr int STRENGTH_E_FIELD = 34;
constexpr int AREA_COUNT_FIELD = 36;
constexpr int READINGS_FIELD = 37;
constexpr int AVG_REBOUND_FIELD = 38;
constexpr int AREA_STRENGTH_FIELD = 39;

struct Project_Text_Field {
  int index;
  S_String Rebound_Project::*text;
};
constexpr Project_Text_Field PROJECT_TEXT_FIELDS[] = {
    {0, &Rebound_Project::project_name},
    {1, &Rebound_Project::project_address},
    {2, &Rebound_Project::construction_unit},
    {3, &Rebound_Project::construction_date},
    {4, &Rebound_Project::agent_unit},
    {5, &Rebound_Project::agent_date},
    {6, &Rebound_Project::design_unit},
    {7, &Rebound_Project::report_date},
    {8, &Rebound_Project::supervision_unit},
    {9, &Rebound_Project::report_serial},
    {10, &Rebound_Project::monitor_unit},
    {11, &Rebound_Project::examine_serial},
    {12, &Rebound_Project::concrete_producer},
    {13, &Rebound_Project::examine_unit},
    {14, &Rebound_Project::examine_unit_address},
    {15, &Rebound_Project::unit_certification_serial},
    {20, &Rebound_Project::zip_code},
    {22, &Rebound_Project::phone_no},
    {25, &Rebound_Project::fax_no},
};

struct Component_Text_Field {
  int index;
  S_String R_Component::*text;
};
constexpr Component_Text_Field COMPONENT_TEXT_FIELDS[] = {
    {27, &R_Component::component_name}, {29, &R_Component::component_date},
    {30, &R_Component::produced_date},  {35, &R_Component::bak_info},
    {23, &R_Component::device_type},    {24, &R_Component::device_num},
    {16, &R_Component::tester},         {18, &R_Component::certificate_serial},
    {21, &R_Component::examine_basis},
};

QString format(const char* fmt, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, fmt, value);
  return QString::fromLatin1(buffer);
}

// A mean or standard deviation: exactly 0 is "-.-".
QString mean_text(float value, const char* fmt) {
  return value == 0.0f ? QStringLiteral("-.-") : format(fmt, value);
}

// A minimum, estimated value or area strength: the bounded text of the grid,
// with the unit where it is a number.
QString bounded_strength_text(float value) {
  if (strength_shown_as_number(value)) return format("%.1f MPa", value);
  return utf8_to_qstring(strength_text(value));
}

// The readings, each preceded by one blank.
QString readings_text(const uint8_t (&readings)[READINGS_PER_AREA]) {
  QString text;
  for (uint8_t reading : readings) text += QLatin1Char(' ') + QString::number(reading);
  return text;
}

}  // namespace

void Bind_Report_Fields(tagGrid_Report_Field& fields, Report_Engine& engine) {
  for (int i = 0; i < REPORT_FIELD_COUNT; ++i)
    fields.handles[i] = engine.field_by_name(utf8_to_qstring(REPORT_FIELD_NAMES[i]));
}

void Report_Data::Set_Report_Source(const Rebound_Project& project, const tagGrid_Report_Field& fields) {
  project_ = &project;
  fields_ = &fields;
}

void Report_Data::Set_Report_Mode(int32_t mode) {
  fetch_count = 0;
  report_mode = mode;
}

void Report_Data::Set_Report_Component(const R_Component* component) {
  fetch_count = 0;
  report_component = component;
}

void Report_Data::Grid_ReportFetchRecord(bool& end) {
  if (report_mode == REPORT_MODE_AREA)
    Fetch_Area_Record(end);
  else if (report_mode == REPORT_MODE_COMPONENT)
    Fetch_Component_Record(end);
  else
    end = true;
}

void Report_Data::Fetch_Component_Record(bool& end) {
  if (project_ == nullptr) {
    end = true;
    return;
  }
  const bool first = fetch_count == 0;
  const uint32_t count = project_->component_count();
  uint32_t n = static_cast<uint32_t>(fetch_count);
  while (n < count && !project_->component(static_cast<int32_t>(n))->is_checked()) ++n;
  if (n >= count) {
    fetch_count = static_cast<int32_t>(n);
    end = true;
    return;
  }
  fetch_count = static_cast<int32_t>(n + 1);
  report_component = project_->component(static_cast<int32_t>(n));
  Fill_Component_Fields();
  if (first) Fill_Project_Fields();
  end = false;
}

void Report_Data::Fetch_Area_Record(bool& end) {
  if (report_component == nullptr) {
    end = true;
    return;
  }
  const uint32_t n = static_cast<uint32_t>(fetch_count);
  ++fetch_count;
  if (n >= report_component->get_area_count()) {
    end = true;
    return;
  }
  Fill_Area_Fields(n);
  if (fetch_count == 1) Fill_Component_Fields();
  end = false;
}

void Report_Data::Fill_Project_Fields() {
  if (project_ == nullptr) return;
  for (const Project_Text_Field& field : PROJECT_TEXT_FIELDS)
    set_text(field.index, to_qstring(project_->*field.text));
}

void Report_Data::Fill_Component_Fields() {
  if (report_component == nullptr || !report_component->is_checked()) return;
  const R_Component& c = *report_component;
  set_integer(SERIAL_FIELD, fetch_count);
  for (const Component_Text_Field& field : COMPONENT_TEXT_FIELDS)
    set_text(field.index, to_qstring(c.*field.text));
  set_text(STRENGTH_GRADE_FIELD, utf8_to_qstring(strength_grade_text(c.strength_grade)));
  set_text(STRENGTH_AVG_FIELD, mean_text(c.strength_avg, "%.1f MPa"));
  set_text(STRENGTH_MIN_FIELD, bounded_strength_text(c.strength_min));
  set_text(STRENGTH_SD_FIELD, mean_text(c.strength_sd, "%.2f MPa"));
  set_text(STRENGTH_E_FIELD, bounded_strength_text(c.strength_e));
  set_text(AREA_COUNT_FIELD, QString::number(c.get_area_count()));
}

void Report_Data::Fill_Area_Fields(uint32_t n) {
  if (report_component == nullptr || n >= report_component->get_area_count()) return;
  const R_Area& area = report_component->areas[n];
  set_integer(SERIAL_FIELD, fetch_count);
  set_text(READINGS_FIELD, readings_text(area.readings));
  set_text(AVG_REBOUND_FIELD, utf8_to_qstring(avg_rebound_text(area.avg_rebound)));
  set_text(AREA_STRENGTH_FIELD, bounded_strength_text(area.strength));
}

void Report_Data::set_text(int index, const QString& text) const {
  if (fields_ == nullptr) return;
  if (const Report_Field_Handle& field = fields_->handles[index]) field->set_text(text);
}

void Report_Data::set_integer(int index, int32_t value) const {
  if (fields_ == nullptr) return;
  if (const Report_Field_Handle& field = fields_->handles[index]) field->set_integer(value);
}
