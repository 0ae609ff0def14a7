// The records the component report and the test-area report hand to the
// engine: which records, which fields, and the texts of the values.
#include "report/report_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "recording_report_engine.h"

namespace {

using Record = Recording_Report_Engine::Record;
using Value = Recording_Report_Engine::Value;

Value text(const char* utf8) { return QString::fromUtf8(utf8); }
void set(S_String& field, const std::string& utf8) { field.assign(utf8_to_gbk(utf8)); }

// The field names of the project, in the order of the project's texts they
// take, and those of a component's texts.
const std::vector<std::pair<const char*, S_String Rebound_Project::*>> PROJECT_FIELDS = {
    {"工程名称", &Rebound_Project::project_name},
    {"工程地址", &Rebound_Project::project_address},
    {"施工单位", &Rebound_Project::construction_unit},
    {"施工日期", &Rebound_Project::construction_date},
    {"委托单位", &Rebound_Project::agent_unit},
    {"委托日期", &Rebound_Project::agent_date},
    {"设计单位", &Rebound_Project::design_unit},
    {"报告日期", &Rebound_Project::report_date},
    {"监理单位", &Rebound_Project::supervision_unit},
    {"报告编号", &Rebound_Project::report_serial},
    {"监督单位", &Rebound_Project::monitor_unit},
    {"检测编号", &Rebound_Project::examine_serial},
    {"混凝土生产单位", &Rebound_Project::concrete_producer},
    {"检测单位", &Rebound_Project::examine_unit},
    {"检测单位地址", &Rebound_Project::examine_unit_address},
    {"资质证号", &Rebound_Project::unit_certification_serial},
    {"邮编", &Rebound_Project::zip_code},
    {"电话", &Rebound_Project::phone_no},
    {"传真", &Rebound_Project::fax_no},
};
const std::vector<std::pair<const char*, S_String R_Component::*>> COMPONENT_TEXT_FIELDS = {
    {"构件名称", &R_Component::component_name}, {"检测日期", &R_Component::component_date},
    {"生产日期", &R_Component::produced_date},  {"备注信息", &R_Component::bak_info},
    {"仪器型号", &R_Component::device_type},    {"仪器编号", &R_Component::device_num},
    {"测试人员", &R_Component::tester},         {"上岗证号", &R_Component::certificate_serial},
    {"检测依据", &R_Component::examine_basis},
};
const char* const AREA_FIELDS[] = {"测区值", "平均回弹值", "修正后强度"};

class Report_Data_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every project text distinct, so a field that takes the wrong text shows.
    for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i)
      set(project.text(i), std::string("工程文字") + std::to_string(i));
    project.examine_environment.assign(utf8_to_gbk("环境"));
    project.examine_reason.assign(utf8_to_gbk("原因"));
  }

  R_Component& add_component(const std::string& name, bool checked) {
    R_Component& c = *project.new_component();
    set(c.component_name, name);
    for (const auto& [field, member] : COMPONENT_TEXT_FIELDS)
      if (member != &R_Component::component_name) set(c.*member, name + "的" + field);
    c.set_checked(checked ? 1 : 0);
    return c;
  }

  // Binds the template's fields and builds one report of the given mode.
  const Recording_Report_Engine::Report& build(int32_t mode, const R_Component* component = nullptr) {
    engine.load_from_file(QStringLiteral("template"));
    Bind_Report_Fields(fields, engine);
    data.Set_Report_Source(project, fields);
    data.Set_Report_Mode(mode);
    if (component != nullptr) data.Set_Report_Component(component);
    engine.set_fetch_record([this](bool& end) { data.Grid_ReportFetchRecord(end); });
    engine.fetch_records();
    return engine.reports.back();
  }

  // The value of one field of a component, set through a fresh one-record
  // component report.
  Value component_value(const char* field, const std::function<void(R_Component&)>& change) {
    project.clear();
    change(add_component("构件", true));
    const auto& report = build(REPORT_MODE_COMPONENT);
    EXPECT_EQ(report.size(), 1u);
    return report.empty() ? Value{} : report[0].at(QString::fromUtf8(field));
  }

  Rebound_Project project;
  Recording_Report_Engine engine;
  tagGrid_Report_Field fields;
  Report_Data data;
};

Value project_value(const Rebound_Project& project, S_String Rebound_Project::*member) {
  return QString::fromStdString(gbk_to_utf8((project.*member).bytes()));
}

TEST_F(Report_Data_Test, ComponentReportHasOneRecordPerTickedComponentInProjectOrder) {
  struct Case {
    std::vector<bool> ticks;
    std::vector<int32_t> serials;  // the 1-based positions of the ticked components
  };
  const Case cases[] = {
      {{true, false, true, true}, {1, 3, 4}},
      {{false, true, true}, {2, 3}},
      {{false, false}, {}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    project.clear();
    for (size_t i = 0; i < c.ticks.size(); ++i) add_component("构件" + std::to_string(i + 1), c.ticks[i]);
    const auto& report = build(REPORT_MODE_COMPONENT);
    ASSERT_EQ(report.size(), c.serials.size());
    for (size_t r = 0; r < report.size(); ++r) {
      SCOPED_TRACE(r);
      const Record& record = report[r];
      const R_Component& component = *project.component(c.serials[r] - 1);
      EXPECT_EQ(record.at(QStringLiteral("序号")), Value(c.serials[r]));
      for (const auto& [field, member] : COMPONENT_TEXT_FIELDS)
        EXPECT_EQ(record.at(QString::fromUtf8(field)),
                  Value(QString::fromStdString(gbk_to_utf8((component.*member).bytes()))))
            << field;
      for (const auto& [field, member] : PROJECT_FIELDS)
        EXPECT_EQ(record.count(QString::fromUtf8(field)), r == 0 ? 1u : 0u) << field;
      if (r == 0) {
        for (const auto& [field, member] : PROJECT_FIELDS)
          EXPECT_EQ(record.at(QString::fromUtf8(field)), project_value(project, member)) << field;
      }
      for (const char* field : {"检测环境", "检测原因", "测区值", "平均回弹值", "修正后强度"})
        EXPECT_EQ(record.count(QString::fromUtf8(field)), 0u) << field;
    }
  }
}

TEST_F(Report_Data_Test, StatisticsTextsFollowTheirRulesWithoutDisplayRounding) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float above_200 = std::nextafter(200.0f, 300.0f);
  struct Case {
    const char* field;
    float R_Component::*member;
    float value;
    const char* expected;
  };
  const Case cases[] = {
      {"强度平均值", &R_Component::strength_avg, 0.0f, "-.-"},
      {"强度平均值", &R_Component::strength_avg, 21.05f, "21.0 MPa"},  // 21.0499992 as float32
      {"强度平均值", &R_Component::strength_avg, 250.0f, "250.0 MPa"},
      {"强度标准差", &R_Component::strength_sd, 0.0f, "-.-"},
      {"强度标准差", &R_Component::strength_sd, 2.5f, "2.50 MPa"},
      {"强度最小值", &R_Component::strength_min, 250.0f, ">100.0"},
      {"强度最小值", &R_Component::strength_min, above_200, ">100.0"},
      {"强度最小值", &R_Component::strength_min, 200.0f, "200.0 MPa"},
      {"强度最小值", &R_Component::strength_min, 150.0f, "150.0 MPa"},
      {"强度最小值", &R_Component::strength_min, 0.0f, "0.0 MPa"},
      {"强度最小值", &R_Component::strength_min, -1.0f, "0.0"},
      {"强度最小值", &R_Component::strength_min, nan, "0.0"},
      {"强度推定值", &R_Component::strength_e, 250.0f, ">100.0"},
      {"强度推定值", &R_Component::strength_e, 21.05f, "21.0 MPa"},
      {"强度推定值", &R_Component::strength_e, -0.5f, "0.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + std::to_string(c.value));
    EXPECT_EQ(component_value(c.field, [&](R_Component& component) { component.*c.member = c.value; }),
              text(c.expected));
  }
}

TEST_F(Report_Data_Test, StrengthGradeAndAreaCountTexts) {
  struct Case {
    int32_t grade;
    uint32_t areas;
    const char* grade_text;
    const char* area_count_text;
  };
  const Case cases[] = {
      {0, 1, "C30", "1"}, {3, 12, "C60", "12"}, {7, 50, "C100", "50"}, {8, 0, "", "0"}, {42, 5, "", "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grade);
    const auto change = [&](R_Component& component) {
      component.strength_grade = c.grade;
      component.set_area_count(c.areas);
    };
    EXPECT_EQ(component_value("强度等级", change), text(c.grade_text));
    EXPECT_EQ(component_value("测区数", change), text(c.area_count_text));
  }
}

TEST_F(Report_Data_Test, AreaReportHasOneRecordPerAreaWithTheComponentInTheFirst) {
  add_component("其他构件", true);
  R_Component& component = add_component("梁-1", true);
  component.set_area_count(12);
  QString readings;
  for (int i = 0; i < READINGS_PER_AREA; ++i) {
    component.areas[0].readings[i] = static_cast<uint8_t>(30 + i);
    readings += QStringLiteral(" %1").arg(30 + i);
  }
  component.areas[0].avg_rebound = 37.5f;
  const float strengths[] = {250.0f, 200.0f, 0.0f, -1.0f};
  const char* const strength_texts[] = {">100.0", "200.0 MPa", "0.0 MPa", "0.0"};
  for (int i = 0; i < 4; ++i) component.areas[i].strength = strengths[i];

  const auto& report = build(REPORT_MODE_AREA, &component);
  ASSERT_EQ(report.size(), 12u);
  EXPECT_EQ(report[0].at(QStringLiteral("测区值")), Value(readings));
  EXPECT_EQ(report[0].at(QStringLiteral("平均回弹值")), text("37.5"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(report[i].at(QStringLiteral("修正后强度")), text(strength_texts[i]));
  EXPECT_EQ(report[0].at(QStringLiteral("构件名称")), text("梁-1"));
  EXPECT_EQ(report[0].at(QStringLiteral("测区数")), text("12"));
  for (size_t r = 0; r < report.size(); ++r) {
    SCOPED_TRACE(r);
    const Record& record = report[r];
    EXPECT_EQ(record.at(QStringLiteral("序号")), Value(static_cast<int32_t>(r + 1)));
    for (const char* field : AREA_FIELDS) EXPECT_EQ(record.count(QString::fromUtf8(field)), 1u) << field;
    for (const auto& [field, member] : COMPONENT_TEXT_FIELDS)
      EXPECT_EQ(record.count(QString::fromUtf8(field)), r == 0 ? 1u : 0u) << field;
    for (const auto& [field, member] : PROJECT_FIELDS) EXPECT_EQ(record.count(QString::fromUtf8(field)), 0u);
  }
}

TEST_F(Report_Data_Test, AreaReportWithoutAreasOrComponentHasNoRecords) {
  R_Component& empty = add_component("空构件", true);
  empty.set_area_count(0);
  EXPECT_TRUE(build(REPORT_MODE_AREA, &empty).empty());
  data.report_component = nullptr;
  EXPECT_TRUE(build(REPORT_MODE_AREA).empty());
}

TEST_F(Report_Data_Test, FieldsTheTemplateLacksAreSkipped) {
  add_component("柱-2", true);
  engine.defined = {QStringLiteral("序号"), QStringLiteral("构件名称"), QStringLiteral("不是字段")};
  const auto& report = build(REPORT_MODE_COMPONENT);
  ASSERT_EQ(report.size(), 1u);
  EXPECT_EQ(report[0],
            (Record{{QStringLiteral("序号"), Value(1)}, {QStringLiteral("构件名称"), text("柱-2")}}));
  int bound = 0;
  for (const Report_Field_Handle& handle : fields.handles) bound += handle != nullptr;
  EXPECT_EQ(bound, 2);
}

TEST_F(Report_Data_Test, ABindingReplacesEveryHandle) {
  engine.load_from_file(QStringLiteral("first"));
  Bind_Report_Fields(fields, engine);
  const Report_Field_Handle old_name = fields.handles[27];
  ASSERT_NE(old_name, nullptr);
  engine.defined = {QStringLiteral("序号")};
  engine.load_from_file(QStringLiteral("second"));
  Bind_Report_Fields(fields, engine);
  EXPECT_EQ(fields.handles[27], nullptr);
  EXPECT_EQ(fields.handles[26]->name(), QStringLiteral("序号"));
  EXPECT_EQ(old_name.use_count(), 1);  // released by the table
}

}  // namespace
