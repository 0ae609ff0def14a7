// The print sequence of Print, Print preview and the command line: its
// checks and messages, the template it loads and the reports it puts out.
#include "report/report_printing.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <functional>

#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "recording_report_engine.h"
#include "report/rebound_tester_config.h"

namespace {

const QString NO_CHECKED = QStringLiteral("请至少选取一个构件进行此操作。");
const QString NO_DATA = QStringLiteral("没有要打印的数据！");
// The message of a template the engine refuses, with the engine's reason.
const QString BROKEN =
    QStringLiteral("模版文件[标准.xml]无法加载，请在[报表设置]中选择其他模版。\nline 1: not a template");

class Report_Printing_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    config.Set_Start_Dir(dir.path().toStdString());
    for (const char* folder : {"/Report/测区", "/Report/构件"}) {
      const std::filesystem::path path = dir.path().toStdString() + folder;
      std::filesystem::create_directories(path);
      std::ofstream(path / "标准.xml") << "<report/>";
    }
    config.area_template.assign(utf8_to_gbk("标准.xml"));
    config.component_template.assign(utf8_to_gbk("标准.xml"));
  }

  void add_components(const std::vector<bool>& ticks) {
    for (size_t i = 0; i < ticks.size(); ++i) {
      R_Component* c = project.new_component();
      c->component_name.assign("C" + std::to_string(i + 1));
      c->set_checked(ticks[i]);
    }
  }

  // Runs one command of the configured kind; every step the sequence takes
  // outside the engine is written to events.
  bool print(std::function<void(const QString&)> warning = nullptr) {
    Report_Print_Job job{project,
                         engine,
                         fields,
                         data,
                         [this] { events.push_back(QStringLiteral("store")); },
                         [this](const QString& text) { events.push_back(text); },
                         [this] {
                           events.push_back(QStringLiteral("output"));
                           engine.fetch_records();
                           return output_result;
                         },
                         std::move(warning)};
    engine.set_fetch_record([this](bool& end) { data.Grid_ReportFetchRecord(end); });
    const Report_Kind kind = report_kind_of(config.Get_Default_Print_Template());
    return Run_Print_Command(job, kind, configured_template(config, kind));
  }

  QTemporaryDir dir;
  Rebound_Tester_Config config;
  Rebound_Project project;
  Recording_Report_Engine engine;
  tagGrid_Report_Field fields;
  Report_Data data;
  std::vector<QString> events;
  bool output_result = true;
};

TEST_F(Report_Printing_Test, ChecksAndMessagesComeInTheirOrder) {
  struct Case {
    const char* name;
    int32_t kind;
    std::vector<bool> ticks;
    const char* template_name;  // UTF-8
    bool fail_load;
    std::vector<QString> events;
    size_t loads;
  };
  const QString store = QStringLiteral("store"), output = QStringLiteral("output");
  const Case cases[] = {
      {"component, empty project", 0, {}, "标准.xml", false, {NO_CHECKED}, 0},
      {"component, none ticked", 0, {false, false}, "标准.xml", false, {NO_CHECKED}, 0},
      {"component, missing template",
       0,
       {true},
       "没有.xml",
       false,
       {store, QStringLiteral("构件打印模版[没有.xml]不存在，请在[报表设置]中选择其他模版。")},
       0},
      {"component, broken template", 0, {true}, "标准.xml", true, {store, BROKEN}, 1},
      {"component, printed", 0, {false, true}, "标准.xml", false, {store, output}, 1},
      {"area, empty project", 1, {}, "标准.xml", false, {store, NO_DATA}, 0},
      {"area, missing template",
       7,
       {true},
       "没有.xml",
       false,
       {store, QStringLiteral("测区打印模版[没有.xml]不存在，请在[报表设置]中选择其他模版。")},
       0},
      {"area, no template chosen",
       1,
       {true},
       "",
       false,
       {store, QStringLiteral("测区打印模版[]不存在，请在[报表设置]中选择其他模版。")},
       0},
      {"area, broken template", -1, {true}, "标准.xml", true, {store, BROKEN}, 1},
      {"area, none ticked", 1, {false, false}, "标准.xml", false, {store, NO_CHECKED}, 1},
      {"area, two of three ticked", 1, {true, false, true}, "标准.xml", false, {store, output, output}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    project.clear();
    add_components(c.ticks);
    config.default_print_template = c.kind;
    (c.kind == 0 ? config.component_template : config.area_template).assign(utf8_to_gbk(c.template_name));
    engine.fail_load = c.fail_load;
    engine.loaded_paths.clear();
    engine.reports.clear();
    events.clear();

    const bool printed = print();
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(printed, c.events.back() == output);
    EXPECT_EQ(engine.loaded_paths.size(), c.loads);
    if (!printed) {
      EXPECT_TRUE(engine.reports.empty());
    }
    config.area_template.assign(utf8_to_gbk("标准.xml"));
    config.component_template.assign(utf8_to_gbk("标准.xml"));
  }
}

TEST_F(Report_Printing_Test, TemplatePathIsTheNamedFileInTheKindsFolder) {
  add_components({true});
  for (int32_t kind : {0, 1}) {
    engine.loaded_paths.clear();
    config.default_print_template = kind;
    print();
    ASSERT_EQ(engine.loaded_paths.size(), 1u);
    EXPECT_EQ(engine.loaded_paths[0],
              dir.path() + (kind == 0 ? "/Report/构件/标准.xml" : "/Report/测区/标准.xml"));
  }
}

TEST_F(Report_Printing_Test, ComponentReportIsOneReportOfTheTickedComponents) {
  add_components({true, false, true});
  config.default_print_template = 0;
  ASSERT_TRUE(print());
  ASSERT_EQ(engine.reports.size(), 1u);
  const auto& report = engine.reports[0];
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[0].at(QStringLiteral("构件名称")), Recording_Report_Engine::Value(QStringLiteral("C1")));
  EXPECT_EQ(report[1].at(QStringLiteral("构件名称")), Recording_Report_Engine::Value(QStringLiteral("C3")));
  EXPECT_EQ(report[1].at(QStringLiteral("序号")), Recording_Report_Engine::Value(3));
}

TEST_F(Report_Printing_Test, AreaReportIsOneReportPerTickedComponentNumberedFromOne) {
  add_components({true, false, true});
  project.component(0)->set_area_count(3);
  project.component(2)->set_area_count(2);
  config.default_print_template = 1;
  ASSERT_TRUE(print());
  ASSERT_EQ(engine.reports.size(), 2u);
  const int tick_index[] = {0, 2};
  for (int r = 0; r < 2; ++r) {
    SCOPED_TRACE(r);
    const auto& report = engine.reports[r];
    const R_Component& component = *project.component(tick_index[r]);
    ASSERT_EQ(report.size(), component.get_area_count());
    EXPECT_EQ(report[0].at(QStringLiteral("构件名称")),
              Recording_Report_Engine::Value(QString::fromStdString(component.component_name.bytes())));
    EXPECT_EQ(report[1].count(QStringLiteral("构件名称")), 0u);
    for (size_t i = 0; i < report.size(); ++i)
      EXPECT_EQ(report[i].at(QStringLiteral("序号")),
                Recording_Report_Engine::Value(static_cast<int32_t>(i + 1)));
  }
}

TEST_F(Report_Printing_Test, WhatTheEngineChangedIsAWarningAndPrintingGoesOn) {
  add_components({true});
  config.default_print_template = 0;
  engine.warning = QStringLiteral("本机没有字体“宋体体”，已改用“Noto Sans CJK SC”。");
  const QString shown = QStringLiteral("模版文件[标准.xml]：") + engine.warning;
  EXPECT_TRUE(print());
  EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("store"), shown, QStringLiteral("output")}));

  events.clear();
  std::vector<QString> warnings;
  EXPECT_TRUE(print([&](const QString& text) { warnings.push_back(text); }));
  EXPECT_EQ(warnings, std::vector<QString>{shown});
  EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("store"), QStringLiteral("output")}));
}

TEST_F(Report_Printing_Test, AStoppedOutputEndsTheCommand) {
  add_components({true, true});
  config.default_print_template = 1;
  output_result = false;
  EXPECT_FALSE(print());
  EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("store"), QStringLiteral("output")}));
}

}  // namespace
