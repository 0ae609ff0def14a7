// The workflows on files that both front ends share: the project file's
// extension rule, the messages they fill in, and the import's failures.
#include "model/project_workflows.h"

#include <gtest/gtest.h>

#include "model/rebound_project.h"
#include "model/s_messages.h"
#include "tests/model/test_support.h"
#include "tools/device_file_writer.h"

using namespace test_support;

namespace {

TEST(Project_File_Path, AppendsTheExtensionUnlessTheNameEndsInExactlyPrj) {
  const std::pair<const char*, const char*> cases[] = {
      {"report", "report.prj"}, {"plan.prj", "plan.prj"},   {"upper.PRJ", "upper.PRJ.prj"},
      {"a.txt", "a.txt.prj"},   {"dot.", "dot..prj"},       {"dot.d/name", "dot.d/name.prj"},
      {"dir/.prj", "dir/.prj"}, {"a.prj/b", "a.prj/b.prj"}, {"kz1.R82", "kz1.R82.prj"},
  };
  for (const auto& [chosen, written] : cases)
    EXPECT_EQ(project_file_path(chosen).string(), written) << chosen;
}

TEST(Message_Text, FillsTheFirstPlaceholder) {
  EXPECT_EQ(message_text(PROJECT_LOAD_FAILED_MSG, "/tmp/工程.prj"), "工程文件[/tmp/工程.prj]导入失败！");
  EXPECT_EQ(message_text(COMPONENT_REMOVE_FAILED_MSG, 3), "构件[3]删除失败");
  EXPECT_EQ(message_text(NOTHING_TO_SAVE_MSG), "没有要保存的数据！");
  // A path holding a placeholder of its own is shown as it is.
  EXPECT_EQ(message_text(FILE_EXISTS_QUESTION, "a%s.prj"), "文件a%s.prj已存在，是否覆盖？");
}

TEST(Import_Device_Files, TellsEachFailureInOrderAndGoesOn) {
  Temp_Dir dir;
  put_file(dir / "a.R82", device_file_bytes(sample_device("A", 3, 36)));
  put_file(dir / "long.R82", device_file_bytes(sample_device("L", 51, 33)));
  Rebound_Project project;
  const std::vector<S_Failure> failures =
      import_device_files(project, {dir / "a.R82", dir / "missing.R82", dir / "long.R82"});
  const std::vector<S_Failure> expected = {
      {DEVICE_FILE_OPEN_FAILED_MSG, "构件文件[" + path_text(dir / "missing.R82") + "]打开失败！"},
      {DEVICE_FILE_IMPORT_FAILED_MSG, "构件文件[" + path_text(dir / "long.R82") + "]导入失败！"},
  };
  EXPECT_EQ(failures, expected);
  // The file that did not import keeps its component.
  EXPECT_EQ(project.component_count(), 2u);
  EXPECT_FALSE(check_something_to_save(project));
  EXPECT_EQ(check_something_to_save(Rebound_Project())->message, NOTHING_TO_SAVE_MSG);
}

TEST(Project_Files, OpenAndSaveSayWhyTheyFailed) {
  Temp_Dir dir;
  Rebound_Project project;
  project.new_component();
  EXPECT_FALSE(save_project(project, dir / "p.prj"));
  EXPECT_FALSE(open_project(project, dir / "p.prj"));
  const std::optional<S_Failure> load = open_project(project, dir / "none.prj");
  ASSERT_TRUE(load);
  EXPECT_EQ(load->text, "工程文件[" + path_text(dir / "none.prj") + "]导入失败！");
  const std::optional<S_Failure> save = save_project(project, dir / "no/folder.prj");
  ASSERT_TRUE(save);
  EXPECT_EQ(save->message, PROJECT_SAVE_FAILED_MSG);
}

}  // namespace
