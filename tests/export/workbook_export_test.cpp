// Workbooks read back with openpyxl: every cell of both sheets against the
// project, the header row, the column widths and the page set-up.
#include "export/workbook_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "evaluation/s_float_text.h"
#include "export_fixture.h"
#include "foreign_reader.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "tests/model/test_support.h"

namespace {

using nlohmann::json;

std::string utf8(const S_String& text) { return gbk_to_utf8(text.bytes()); }

// A number cell holding the shortest decimal that reads back as the float32
// (the text rv820-cli show --json writes), shown with the given format.
void expect_figure(const json& cell, float stored, const char* format) {
  ASSERT_TRUE(cell["value"].is_number()) << cell.dump() << " for " << stored;
  const double value = cell["value"].get<double>();
  EXPECT_EQ(static_cast<float>(value), stored);
  EXPECT_EQ(value, std::stod(float_text(stored)));
  EXPECT_EQ(cell["format"], format);
}

void expect_count(const json& cell, uint32_t n) {
  ASSERT_TRUE(cell["value"].is_number()) << cell.dump();
  EXPECT_EQ(cell["value"].get<double>(), n);
}

// A text cell; an empty text is an empty cell.
void expect_text(const json& cell, const std::string& text) {
  if (text.empty()) {
    EXPECT_TRUE(cell["value"].is_null()) << cell.dump();
  } else {
    EXPECT_EQ(cell["value"], text);
  }
}

std::vector<std::string> header(const json& sheet) {
  std::vector<std::string> texts;
  for (const json& cell : sheet["cells"][0]) texts.push_back(cell["value"]);
  return texts;
}

class Workbook_Export : public ::testing::Test {
 protected:
  void SetUp() override {
    fill_export_project(project);
    ASSERT_TRUE(export_workbook(project, dir / "p.xlsx"));
    book = read_workbook(dir / "p.xlsx");
    ASSERT_TRUE(book.is_object());
  }

  test_support::Temp_Dir dir;
  Rebound_Project project;
  json book;
};

TEST_F(Workbook_Export, ComponentSheetHoldsEveryFieldAsTheWindowShowsIt) {
  EXPECT_EQ(book["sheets"], json({"构件", "测区"}));
  const json& sheet = book["content"]["构件"];
  EXPECT_EQ(header(sheet),
            (std::vector<std::string>{"序号", "构件名称", "强度等级", "检测日期", "生产日期", "测区数",
                                      "强度平均值", "强度标准差", "强度最小值", "强度推定值", "仪器型号",
                                      "仪器编号", "测试人员", "上岗证号", "检测依据", "备注", "批处理"}));
  ASSERT_EQ(sheet["cells"].size(), 1 + project.component_count());

  // The component with a text in every field and 50 calculated areas.
  const R_Component& c = *project.component(0);
  const json& row = sheet["cells"][1];
  expect_count(row[0], 1);
  expect_text(row[1], "梁,1 \"A\"");
  expect_text(row[2], "C50");
  expect_text(row[3], "2024-05-06");
  expect_text(row[4], "2024-04-01");
  expect_count(row[5], 50);
  expect_figure(row[6], c.strength_avg, "0.0");
  expect_figure(row[7], c.strength_sd, "0.00");
  expect_figure(row[8], c.strength_min, "0.0");
  expect_figure(row[9], c.strength_e, "0.0");
  const std::vector<std::string> texts = {"RV820",         "No.7",           "张三", "证 123",
                                          "JGJT 294-2013", utf8(c.bak_info), "是"};
  for (size_t i = 0; i < texts.size(); ++i) expect_text(row[10 + i], texts[i]);

  // No areas: no mean and no spread ("-.-"); a minimum of 0 is the figure 0.
  const json& empty = sheet["cells"][2];
  expect_count(empty[0], 2);
  expect_text(empty[2], "");
  expect_count(empty[5], 0);
  expect_text(empty[6], "-.-");
  expect_text(empty[7], "-.-");
  expect_figure(empty[8], 0.0f, "0.0");
  expect_text(empty[16], "否");

  // A negative mean is its figure; a negative minimum is "0.0", an estimated
  // value above 200 ">100.0"; a grade outside the list is empty; a remark
  // longer than a cell holds keeps the characters that fit.
  const json& rules = sheet["cells"][3];
  expect_text(rules[2], "");
  expect_figure(rules[6], -7.83f, "0.0");
  expect_text(rules[7], "-.-");
  expect_text(rules[8], "0.0");
  expect_text(rules[9], ">100.0");
  EXPECT_EQ(rules[15]["value"].get<std::string>(), utf8(project.component(2)->bak_info).substr(0, 32767 * 3));
}

TEST_F(Workbook_Export, AreaSheetHoldsEveryAreaOfEveryComponent) {
  const json& sheet = book["content"]["测区"];
  std::vector<std::string> expected_header = {"构件序号", "构件名称", "测区"};
  for (int r = 1; r <= 16; ++r) expected_header.push_back(std::to_string(r));
  expected_header.insert(expected_header.end(), {"平均回弹", "换算强度"});
  EXPECT_EQ(header(sheet), expected_header);

  // 50 areas, none of the component without areas, then 6.
  ASSERT_EQ(sheet["cells"].size(), 1u + 50 + 6);
  size_t at = 1;
  for (const uint32_t number : {1u, 3u}) {
    const R_Component& c = *project.component(static_cast<int32_t>(number - 1));
    for (uint32_t a = 0; a < c.area_count; ++a, ++at) {
      const json& row = sheet["cells"][at];
      expect_count(row[0], number);
      expect_text(row[1], utf8(c.component_name));
      expect_count(row[2], a + 1);
      for (int r = 0; r < 16; ++r) expect_count(row[3 + r], c.areas[a].readings[r]);
      if (std::isfinite(c.areas[a].avg_rebound)) expect_figure(row[19], c.areas[a].avg_rebound, "0.0");
    }
  }
  // The strengths of the rules component: each text rule and its bounds.
  const json& cells = sheet["cells"];
  expect_text(cells[51][20], "0.0");
  expect_text(cells[52][20], ">100.0");
  EXPECT_EQ(cells[53][20]["value"], 28.097504);  // sixteen readings of 35
  expect_figure(cells[54][20], project.component(2)->areas[3].strength, "0.0");
  expect_figure(cells[55][20], 200.0f, "0.0");
  expect_text(cells[56][20], ">100.0");
  // An average that is not a number is the window's text for it.
  EXPECT_TRUE(cells[56][19]["value"].is_string()) << cells[56][19].dump();
}

TEST_F(Workbook_Export, HeaderPrintsAndColumnsFit) {
  for (const char* name : {"构件", "测区"}) {
    const json& sheet = book["content"][name];
    for (const json& bold : sheet["header_bold"]) EXPECT_EQ(bold, true) << name;
    EXPECT_EQ(sheet["freeze_panes"], "A2") << name;
    EXPECT_EQ(sheet["orientation"], "landscape") << name;
    EXPECT_EQ(sheet["paper_size"], 9) << name;  // A4
    EXPECT_EQ(sheet["print_title_rows"], "$1:$1") << name;
    EXPECT_EQ(sheet["print_grid_lines"], true) << name;
    // All columns on the width of one page, as many pages down as it takes.
    EXPECT_EQ(sheet["fit_to_page"], true) << name;
    EXPECT_EQ(sheet["fit_to_width"], 1) << name;
    EXPECT_EQ(sheet["fit_to_height"], 0) << name;
  }
  // Two columns per Chinese character, with room beside the widest text; a
  // long remark is held to a readable width.
  const json& widths = book["content"]["构件"]["widths"];
  EXPECT_GE(widths[1].get<double>(), 8);  // 构件名称 and 梁,1 "A"
  EXPECT_LE(widths[1].get<double>(), 14);
  EXPECT_GE(widths[6].get<double>(), 10);  // 强度平均值
  EXPECT_LE(widths[15].get<double>(), 61);
  EXPECT_GE(widths[15].get<double>(), 40);
}

}  // namespace
