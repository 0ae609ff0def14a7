// rv820-cli report: the same print sequence as the window, into one PDF file
// read back with pdftotext, in a start directory laid out by the test.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tests/cli/cli_test_support.h"
#include "tests/report/pdf_reader.h"
#include "tools/device_file_writer.h"

namespace {

namespace fs = std::filesystem;

const std::string AREA_TEMPLATE = "测区强度检测报告.xml";
const std::string COMPONENT_TEMPLATE = "构件强度检测报告.xml";

// The text of a page without blanks, in pdftotext's reading order.
std::string page_text(const std::string& pdf, int page) {
  return pdf_reader::blank_free_text(pdf, page, pdf_reader::Order::Reading);
}

std::string page_numbers(int page, int pages) {
  return "第" + std::to_string(page) + "页共" + std::to_string(pages) + "页";
}

class Cli_Report_Test : public Cli_Test {
 protected:
  void SetUp() override {
    Cli_Test::SetUp();
    // The program takes its start directory from its current directory.
    old_dir = fs::current_path();
    fs::current_path(path(""));
    for (const auto& [folder, file, shipped] : {std::tuple{"Report/测区", AREA_TEMPLATE, "area"},
                                                std::tuple{"Report/构件", COMPONENT_TEMPLATE, "component"}}) {
      fs::create_directories(path(folder));
      fs::copy_file(fs::path(RV820_TEMPLATES_DIR) / shipped / file, fs::path(path(folder)) / file);
    }
  }
  void TearDown() override {
    fs::current_path(old_dir);
    Cli_Test::TearDown();
  }

  // Three calculated components, the first and the third ticked; the first
  // has enough areas to fill more than one page of its test-area report.
  void save_project(const std::vector<bool>& ticks = {true, false, true}) {
    loaded.clear();
    Rebound_Project project;
    project.project_name.assign(utf8_to_gbk("综合楼工程"));
    const Sample_Device devices[] = {sample_device("KZ-1", 50, 36), sample_device("L-2", 10, 41),
                                     sample_device("B-3", 5, 33)};
    for (size_t i = 0; i < ticks.size(); ++i) {
      R_Component& component = *project.new_component();
      const std::string bytes = device_file_bytes(devices[i]);
      S_Byte_Reader in(bytes);
      ASSERT_TRUE(import_device_file(component, in));
      calculate_component(component);
      component.set_checked(ticks[i]);
    }
    save(project, "in.prj");
    ASSERT_TRUE(loaded.load(path("in.prj")));
  }

  std::string name(int i) const { return gbk_to_utf8(loaded.component(i)->component_name.bytes()); }

  fs::path old_dir;
  Rebound_Project loaded;
};

TEST_F(Cli_Report_Test, ComponentReportHasTheProjectAndEveryTickedComponent) {
  save_project();
  const Cli_Result result = run_cli({"report", "in.prj", "--pdf", "out.pdf", "--kind", "component"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty()) << result.err.front();
  const std::string text = page_text(path("out.pdf"), 1);
  EXPECT_NE(text.find("综合楼工程"), std::string::npos);
  EXPECT_NE(text.find(name(0)), std::string::npos);
  EXPECT_NE(text.find(name(2)), std::string::npos);
  EXPECT_EQ(text.find(name(1)), std::string::npos);
  char mean[32];
  std::snprintf(mean, sizeof mean, "%.1fMPa", loaded.component(2)->strength_avg);
  EXPECT_NE(text.find(mean), std::string::npos) << mean;
}

TEST_F(Cli_Report_Test, AreaReportGivesEachTickedComponentItsOwnPages) {
  save_project();
  const Cli_Result result = run_cli({"report", "in.prj", "--pdf", "out.pdf", "--kind", "area"});
  EXPECT_EQ(result.status, 0);
  const int pages = pdf_reader::page_count(path("out.pdf"));
  ASSERT_GE(pages, 3);
  const int first_pages = pages - 1;  // the third component's five areas fit on one page
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE(page);
    const std::string text = page_text(path("out.pdf"), page);
    const bool first = page <= first_pages;
    EXPECT_NE(text.find(first ? page_numbers(page, first_pages) : page_numbers(1, 1)), std::string::npos);
    EXPECT_NE(text.find("构件名称：" + name(first ? 0 : 2)), std::string::npos);
    EXPECT_EQ(text.find("综合楼工程"), std::string::npos);  // no project field in a test-area report
  }
}

TEST_F(Cli_Report_Test, KindComesFromTheSettingsOfTheStartDirectory) {
  save_project();
  fs::create_directories(path("Setting"));
  std::ofstream(path("Setting/Config.ini")) << utf8_to_gbk("[系统设置]\n默认模板=1\n测区打印模版=其他.xml\n");
  const Cli_Result result = run_cli({"report", "in.prj", "--pdf", "out.pdf"});
  EXPECT_EQ(result.status, 0);
  // A stored name that is not in the folder gives way to its first file.
  EXPECT_NE(page_text(path("out.pdf"), 1).find("测区回弹值"), std::string::npos);
}

TEST_F(Cli_Report_Test, AnywhereElseTheUsersSettingsAndTemplatesAreUsed) {
  save_project();
  // A current directory without Setting or Report, as a home directory is.
  const fs::path elsewhere = path("elsewhere");
  const fs::path home = path("home");
  fs::create_directories(elsewhere);
  const fs::path user_templates = home / ".local/share/rv820/Report/测区";
  fs::create_directories(user_templates);
  fs::copy_file(fs::path(RV820_TEMPLATES_DIR) / "area" / AREA_TEMPLATE, user_templates / AREA_TEMPLATE);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
  fs::current_path(elsewhere);
  const Cli_Result result = run_cli({"report", path("in.prj"), "--pdf", path("out.pdf"), "--kind", "area"});
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(page_text(path("out.pdf"), 1).find("测区回弹值"), std::string::npos);
  EXPECT_TRUE(fs::exists(home / ".config/rv820/Config.ini"));
  EXPECT_TRUE(fs::is_empty(elsewhere));
}

TEST_F(Cli_Report_Test, AStartDirectoryWhoseNameIsNotUtf8IsFoundAndNamedAsValidText) {
  save_project();
  const fs::path start = path("\xBC\xEC\xB2\xE2");  // 检测 in GBK
  fs::create_directories(start);
  fs::copy(path("Report"), start / "Report", fs::copy_options::recursive);
  fs::current_path(start);
  const Cli_Result result =
      run_cli({"report", path("in.prj"), "--pdf", path("out.pdf"), "--kind", "component"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(page_text(path("out.pdf"), 1).find(name(0)), std::string::npos);
  EXPECT_TRUE(fs::exists(start / "Setting" / "Config.ini"));

  // A message naming a path there is valid UTF-8: U+FFFD for each byte
  // that is not.
  const Cli_Result missing = run_cli({"report", (start / "missing.prj").string(), "--pdf", path("out.pdf")});
  ASSERT_EQ(missing.err.size(), 1u);
  EXPECT_EQ(missing.err[0], "工程文件[" + path("") + "\uFFFD\uFFFD\uFFFD\uFFFD/missing.prj]导入失败！");
}

TEST_F(Cli_Report_Test, ChecksAndTemplateErrorsAreReportedAndNothingIsWritten) {
  std::ofstream(path("broken.xml")) << "<?xml version=\"1.0\"?>\n<report>\n  <nonsense/>\n</report>\n";
  struct Case {
    const char* name;
    std::vector<bool> ticks;
    std::vector<std::string> options;
    int status;
    std::vector<std::string> err;  // the lines expected, each at the start of its line
  };
  const Case cases[] = {
      {"none ticked",
       {false, false},
       {"--pdf", "out.pdf", "--kind", "component"},
       1,
       {"请至少选取一个构件进行此操作。"}},
      {"none ticked, area",
       {false, false},
       {"--pdf", "out.pdf", "--kind", "area"},
       1,
       {"请至少选取一个构件进行此操作。"}},
      {"empty project", {}, {"--pdf", "out.pdf", "--kind", "area"}, 1, {"没有要打印的数据！"}},
      {"missing template",
       {true},
       {"--pdf", "out.pdf", "--kind", "area", "--template", "missing.xml"},
       1,
       {"测区打印模版[missing.xml]不存在，请在[报表设置]中选择其他模版。"}},
      {"broken template",
       {true},
       {"--pdf", "out.pdf", "--template", "broken.xml"},
       1,
       {"模版文件[broken.xml]无法加载，请在[报表设置]中选择其他模版。", "broken.xml：第 3 行："}},
      {"no --pdf", {true}, {}, 2, {}},
      {"unknown kind", {true}, {"--pdf", "out.pdf", "--kind", "batch"}, 2, {}},
      {"not a pdf", {true}, {"--pdf", "in.prj"}, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    save_project(c.ticks);
    const std::string project = read("in.prj");
    std::vector<std::string> args = {"report", "in.prj"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const Cli_Result result = run_cli(args);
    EXPECT_EQ(result.status, c.status);
    ASSERT_GE(result.err.size(), c.err.size());
    for (size_t i = 0; i < c.err.size(); ++i)
      EXPECT_EQ(result.err[i].rfind(c.err[i], 0), 0u) << result.err[i];
    if (c.status == 2) {
      EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(fs::exists(path("out.pdf")));
    EXPECT_EQ(read("in.prj"), project);
  }
}

}  // namespace
