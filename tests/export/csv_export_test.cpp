// CSV files read back with Python's csv module, and their bytes: the
// byte-order mark, CR LF after each record, quotes where a text needs them.
#include "export/csv_export.h"

#include <gtest/gtest.h>

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

class Csv_Export : public ::testing::Test {
 protected:
  void SetUp() override { fill_export_project(project); }

  test_support::Temp_Dir dir;
  Rebound_Project project;
};

TEST_F(Csv_Export, ComponentTableWithTextsThatNeedQuotes) {
  const auto path = dir / "p.csv";
  ASSERT_TRUE(export_csv(component_table(project), path));
  const std::string bytes = test_support::file_bytes(path);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(3, bytes.find('\n') - 3),
            "序号,构件名称,强度等级,检测日期,生产日期,测区数,强度平均值,强度标准差,强度最小值,强度推定值,"
            "仪器型号,仪器编号,测试人员,上岗证号,检测依据,备注,批处理\r");
  EXPECT_NE(bytes.find("\r\n1,\"梁,1 \"\"A\"\"\",C50,2024-05-06,"), std::string::npos);
  EXPECT_NE(bytes.find(",\"第一行\n第二行, \"\"引号\"\"\",是\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  const json records = read_csv(path);
  ASSERT_TRUE(records.is_array());
  ASSERT_EQ(records.size(), 4u);
  const R_Component& c = *project.component(0);
  EXPECT_EQ(records[1],
            json({"1", "梁,1 \"A\"", "C50", "2024-05-06", "2024-04-01", "50", float_text(c.strength_avg),
                  float_text(c.strength_sd), float_text(c.strength_min), float_text(c.strength_e), "RV820",
                  "No.7", "张三", "证 123", "JGJT 294-2013", "第一行\n第二行, \"引号\"", "是"}));
  EXPECT_EQ(records[2], json({"2", "空构件", "", gbk_to_utf8(project.component(1)->component_date.bytes()),
                              gbk_to_utf8(project.component(1)->produced_date.bytes()), "0", "-.-", "-.-",
                              "0.0", "0.0", "RV820", "", "", "", "JGJT 294-2013", "", "否"}));
  // The window's texts where it shows no figure; the whole long remark.
  const json& rules = records[3];
  EXPECT_EQ(rules[6], "-7.83");
  EXPECT_EQ(rules[7], "-.-");
  EXPECT_EQ(rules[8], "0.0");
  EXPECT_EQ(rules[9], ">100.0");
  EXPECT_EQ(rules[15], gbk_to_utf8(project.component(2)->bak_info.bytes()));
}

TEST_F(Csv_Export, AreaTable) {
  const auto path = dir / "a.csv";
  ASSERT_TRUE(export_csv(area_table(project), path));
  const json records = read_csv(path);
  ASSERT_TRUE(records.is_array());
  ASSERT_EQ(records.size(), 1u + 50 + 6);
  EXPECT_EQ(records[0][0], "构件序号");
  EXPECT_EQ(records[0][20], "换算强度");
  const R_Area& first = project.component(0)->areas[0];
  EXPECT_EQ(records[1][1], "梁,1 \"A\"");
  EXPECT_EQ(records[1][3], std::to_string(first.readings[0]));
  EXPECT_EQ(records[1][19], float_text(first.avg_rebound));
  EXPECT_EQ(records[51][0], "3");
  EXPECT_EQ(records[51][20], "0.0");
  EXPECT_EQ(records[53][20], "28.097504");
}

}  // namespace
