// rv820-cli report: the same print sequence as the window, into one PDF file
// read back with pdftotext, in a start directory laid out by the test.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Limits the address space of the programs started while it lives (and of
// this test, which then allocates little).
class Address_Space_Limit {
 public:
  explicit Address_Space_Limit(rlim_t bytes) {
    ::getrlimit(RLIMIT_AS, &old);
    rlimit limited = old;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_AS, &limited);
  }
  ~Address_Space_Limit() { ::setrlimit(RLIMIT_AS, &old); }
  Address_Space_Limit(const Address_Space_Limit&) = delete;
  Address_Space_Limit& operator=(const Address_Space_Limit&) = delete;

 private:
  rlimit old{};
};

constexpr rlim_t ONE_GIB = rlim_t(1) << 30;

std::string repeated(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
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

  // Gives every text of the project and of its components the text (UTF-8).
  void fill_texts(const std::string& text) {
    const std::string gbk = utf8_to_gbk(text);
    for (const Project_Text& field : PROJECT_TEXTS) (loaded.*field.text).assign(gbk);
    for (uint32_t i = 0; i < loaded.component_count(); ++i) {
      R_Component& c = *loaded.component(static_cast<int32_t>(i));
      for (S_String* field :
           {&c.component_name, &c.component_date, &c.produced_date, &c.bak_info, &c.device_type,
            &c.device_num, &c.tester, &c.certificate_serial, &c.examine_basis})
        field->assign(gbk);
    }
    save(loaded, "in.prj");
  }

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

// Templates far past any real layout are template errors, found at once
// under a 1 GiB address space.
TEST_F(Cli_Report_Test, HostileTemplatesAreTemplateErrorsWithinTheirLimits) {
#ifdef RV820_SANITIZED
  GTEST_SKIP() << "a sanitized build cannot run under a limited address space";
#endif
  save_project({true});
  const auto report = [](const std::string& middle) { return "<report>\n" + middle + "\n</report>\n"; };
  std::string distinct;
  for (int i = 0; i < 380000; ++i) distinct += "{f" + std::to_string(i) + "}";
  const struct {
    const char* what;
    std::string xml;
    const char* says;
  } cases[] = {
      {"380,000 distinct placeholders", report("<page-header><text>" + distinct + "</text></page-header>"),
       "第 2 行：没有名为“f0”的字段"},
      {"90,000 columns",
       report("<detail>" + repeated("<column width=\"1\" field=\"序号\"/>", 90000) + "</detail>"),
       "第 2 行：<detail> 超过 64 列"},
      {"40,000 placeholders",
       report("<detail><column width=\"1\" field=\"序号\" label=\"" + repeated("{工程名称}", 40000) +
              "\"/></detail>"),
       "第 2 行：占位符超过 4000 个"},
      {"a misspelled field", report("<page-header>\n<text>\n测试：\n{测试人}\n</text>\n</page-header>"),
       "第 5 行：没有名为“测试人”的字段"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write("hostile.xml", c.xml);
    Cli_Result result;
    {
      Address_Space_Limit limit(ONE_GIB);
      result = run_cli({"report", "in.prj", "--pdf", "out.pdf", "--template", "hostile.xml"});
    }
    EXPECT_EQ(result.status, 1);
    ASSERT_EQ(result.err.size(), 2u);
    EXPECT_EQ(result.err[0], "模版文件[hostile.xml]无法加载，请在[报表设置]中选择其他模版。");
    EXPECT_EQ(result.err[1].rfind(c.says, 0), 0u) << result.err[1];
    EXPECT_FALSE(fs::exists(path("out.pdf")));
  }
}

// A text of 100,000 letters without a blank is wrapped anywhere in time
// proportional to its length, and its row goes on over as many pages as it
// takes, every line once.
TEST_F(Cli_Report_Test, ARowLongerThanManyPagesIsPrintedWhole) {
  save_project({true});
  std::string name;
  for (int i = 0; i < 10000; ++i) name += "x" + std::string(i % 10 == 9 ? "Q" : "a") + "bcdefghi";
  loaded.component(0)->component_name.assign(name);
  save(loaded, "in.prj");
  const Cli_Result result = run_cli({"report", "in.prj", "--pdf", "out.pdf", "--kind", "component"});
  ASSERT_EQ(result.status, 0);
  const int pages = pdf_reader::page_count(path("out.pdf"));
  EXPECT_GT(pages, 10);
  const std::string text = pdf_reader::blank_free_text(path("out.pdf"));
  size_t letters = 0;
  for (char c : text) letters += c == 'Q';
  EXPECT_EQ(letters, 1000u);
  EXPECT_NE(text.find(page_numbers(pages, pages)), std::string::npos);
}

// Texts of 400,000 characters in every field: under a 512 MiB address space
// the command either writes the report or fails with its message, and ends
// by itself, never by a signal; a failure leaves no file behind.
TEST_F(Cli_Report_Test, RunningOutOfMemoryFailsTheCommandCleanly) {
#ifdef RV820_SANITIZED
  GTEST_SKIP() << "a sanitized build cannot run under a limited address space";
#endif
  save_project({true, true});
  fill_texts(repeated("混凝土强度检测", 400000 / 7));
  Cli_Result result;
  {
    Address_Space_Limit limit(ONE_GIB / 2);
    result = run_cli({"report", "in.prj", "--pdf", "out.pdf", "--kind", "component"});
  }
  ASSERT_TRUE(result.status == 0 || result.status == 1) << result.status;
  if (result.status == 1) {
    ASSERT_FALSE(result.err.empty());
    EXPECT_TRUE(result.err[0] == "报表打印失败！" || result.err[0].rfind("rv820-cli: the PDF file", 0) == 0)
        << result.err[0];
    EXPECT_FALSE(fs::exists(path("out.pdf")));
  } else {
    EXPECT_GT(pdf_reader::page_count(path("out.pdf")), 1);
  }
  for (const auto& entry : fs::directory_iterator(path("")))
    EXPECT_EQ(entry.path().string().find("out.pdf."), std::string::npos) << entry.path();
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
       {"模版文件[broken.xml]无法加载，请在[报表设置]中选择其他模版。", "第 3 行："}},
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

// The golden pages: the page texts (pdftotext -layout) and page counts of
// both shipped templates for a small project of our own. After a deliberate
// change of the layout or the templates, regenerate them with
//   RV820_REGENERATE_GOLDEN=1 build/tests/report/cli_report_printing_tests --gtest_filter='*Golden*'
// and look at the difference before committing it (tests/report/golden/README.md).
class Golden_Pages_Test : public Cli_Report_Test {
 protected:
  // Three components by three testers with three instruments; the first has
  // 50 areas, the second a long remark, the third short texts.
  void save_golden_project() {
    Rebound_Project project;
    const char* const project_texts[] = {"滨江花园二期住宅楼",
                                         "江北区滨江路88号",
                                         "城建集团第三工程公司",
                                         "2024-03-01",
                                         "滨江置业有限公司",
                                         "2024-05-20",
                                         "市建筑设计研究院",
                                         "2024-06-12",
                                         "正信工程监理公司",
                                         "HT-2024-0612",
                                         "市建设工程质量监督站",
                                         "JC-2024-118",
                                         "海川商品混凝土公司",
                                         "市建设工程质量检测中心",
                                         "江北区检测路1号",
                                         "检字第0087号",
                                         "",
                                         "",
                                         "400020",
                                         "023-61234567",
                                         "023-61234568"};
    for (size_t i = 0; i < std::size(project_texts); ++i)
      project.text(static_cast<int>(i)).assign(utf8_to_gbk(project_texts[i]));
    const struct {
      const char* name;
      int areas;
      int base;
      const char* tester;
      const char* certificate;
      const char* device;
      const char* remark;
    } components[] = {
        {"一层柱KZ-1", 50, 36, "王建国", "岗证0101", "RV-0101", "东侧立面"},
        {"二层梁L-2", 10, 41, "李明", "岗证0102", "RV-0102",
         "梁底有少量蜂窝麻面，检测前已打磨平整；测区避开了预埋件和钢筋密集处，回弹时仪器保持水平，"
         "每个测区读数十六个，剔除三个最大值和三个最小值后取平均。"},
        {"三层板B-3", 6, 33, "张晓红", "岗证0103", "RV-0103", "无"},
    };
    for (const auto& c : components) {
      R_Component& component = *project.new_component();
      const std::string bytes = device_file_bytes(sample_device("C", c.areas, c.base));
      S_Byte_Reader in(bytes);
      ASSERT_TRUE(import_device_file(component, in));
      component.component_name.assign(utf8_to_gbk(c.name));
      component.tester.assign(utf8_to_gbk(c.tester));
      component.certificate_serial.assign(utf8_to_gbk(c.certificate));
      component.device_num.assign(c.device);
      component.examine_basis.assign(utf8_to_gbk("JGJ/T 23-2011"));
      component.bak_info.assign(utf8_to_gbk(c.remark));
      calculate_component(component);
      component.set_checked(true);
    }
    save(project, "golden.prj");
  }

  // The text of every page as pdftotext lays it out, with the page count
  // first and today's date (the printing date) as YYYY-MM-DD.
  std::string golden_text(const std::string& kind) {
    const Cli_Result result = run_cli({"report", "golden.prj", "--pdf", "golden.pdf", "--kind", kind});
    EXPECT_EQ(result.status, 0);
    std::string text = pdf_reader::run_tool("pdftotext", {"-layout", path("golden.pdf"), "-"});
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    for (size_t at = text.find(today); at != std::string::npos; at = text.find(today, at))
      text.replace(at, std::strlen(today), "YYYY-MM-DD");
    std::filesystem::copy_file(path("golden.pdf"), "/tmp/r15/golden-" + kind + ".pdf", std::filesystem::copy_options::overwrite_existing);
    return "pages: " + std::to_string(pdf_reader::page_count(path("golden.pdf"))) + "\n" + text;
  }
};

TEST_F(Golden_Pages_Test, ShippedTemplatesPrintTheirGoldenPages) {
  save_golden_project();
  for (const char* kind : {"component", "area"}) {
    SCOPED_TRACE(kind);
    const fs::path golden = fs::path(RV820_GOLDEN_DIR) / (std::string(kind) + ".txt");
    const std::string text = golden_text(kind);
    if (std::getenv("RV820_REGENERATE_GOLDEN")) {
      std::ofstream(golden, std::ios::binary) << text;
      continue;
    }
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << golden << " is missing: regenerate it";
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, expected) << "the pages differ from " << golden;
  }
}

// The shipped component report carries the report number as a QR code on its
// first page, for a client to check the report by; the area report has none.
TEST_F(Golden_Pages_Test, ShippedComponentReportCarriesItsNumberAsQrCode) {
  save_golden_project();
  ASSERT_EQ(run_cli({"report", "golden.prj", "--pdf", "component.pdf", "--kind", "component"}).status, 0);
  EXPECT_EQ(pdf_reader::qr_codes(path("component.pdf")), std::vector<std::string>{"HT-2024-0612"});
  ASSERT_EQ(run_cli({"report", "golden.prj", "--pdf", "area.pdf", "--kind", "area"}).status, 0);
  EXPECT_TRUE(pdf_reader::qr_codes(path("area.pdf")).empty());
}

}  // namespace
