// rv820-cli export: the same files as the window's export writes, the
// messages of an empty project and of a failed write.
#include <filesystem>

#include "cli_test_support.h"
#include "export/csv_export.h"
#include "export/workbook_export.h"
#include "model/rebound_project.h"
#include "tests/export/export_fixture.h"
#include "tests/export/foreign_reader.h"

namespace {

class Export_Test : public Cli_Test {
 protected:
  void SetUp() override {
    Cli_Test::SetUp();
    fill_export_project(project);
    save(project, "in.prj");
  }

  Rebound_Project project;
};

TEST_F(Export_Test, WritesTheFilesOfTheWindow) {
  // The extension in any letter case.
  const Cli_Result workbook = run_cli({"export", path("in.prj"), path("out.XLSX")});
  EXPECT_EQ(workbook.status, 0);
  EXPECT_TRUE(workbook.err.empty());
  ASSERT_TRUE(export_workbook(project, path("window.xlsx")));
  const nlohmann::json written = read_workbook(path("out.XLSX"));
  ASSERT_TRUE(written.is_object());
  EXPECT_EQ(written, read_workbook(path("window.xlsx")));

  EXPECT_EQ(run_cli({"export", path("in.prj"), path("out.csv")}).status, 0);
  ASSERT_TRUE(export_csv(component_table(project), path("window.csv")));
  EXPECT_EQ(read("out.csv"), read("window.csv"));

  EXPECT_EQ(run_cli({"export", path("in.prj"), path("areas.csv"), "--areas"}).status, 0);
  ASSERT_TRUE(export_csv(area_table(project), path("window-areas.csv")));
  EXPECT_EQ(read("areas.csv"), read("window-areas.csv"));
}

TEST_F(Export_Test, EmptyProjectAndFailedWrite) {
  save(Rebound_Project(), "empty.prj");
  const Cli_Result empty = run_cli({"export", path("empty.prj"), path("e.csv")});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, std::vector<std::string>{"没有要导出的数据！"});
  EXPECT_FALSE(std::filesystem::exists(path("e.csv")));

  const std::string target = path("missing/out.xlsx");
  const Cli_Result failed = run_cli({"export", path("in.prj"), target});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, std::vector<std::string>{"文件[" + target + "]导出失败！"});
}

}  // namespace
