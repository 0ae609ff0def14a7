// rv820-cli import: one component per instrument file, as the window's import.
#include "cli_test_support.h"
#include "model/device_file.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tools/device_file_writer.h"

namespace {

class Import_Test : public Cli_Test {};

TEST_F(Import_Test, AppendsOneComponentPerOpenedFileAndGoesOnAfterFailures) {
  Sample_Device graded = sample_device(utf8_to_gbk("柱1"), 3, 40);
  graded.strength_grade = 255;
  struct Input {
    std::string name;
    bool exists;
    std::string bytes;
  };
  const Input inputs[] = {
      {"kz1.R82", true, device_file_bytes(sample_device("KZ-1", 10, 36))},
      {"missing.R82", false, ""},
      {"fifty-one.R82", true,
       device_file_bytes(sample_device("L-51", 51, 33))},  // refused: the default stays
      {"graded.R82", true, device_file_bytes(graded)},
      {"empty.R82", true, ""},  // no error: every field reads as zero
  };
  std::vector<std::string> args = {"import", path("out.prj")};
  Rebound_Project expected;
  for (const Input& input : inputs) {
    args.push_back(path(input.name));
    if (!input.exists) continue;
    write(input.name, input.bytes);
    S_Byte_Reader in(input.bytes);
    import_device_file(*expected.new_component(), in);
  }

  const Cli_Result result = run_cli(args);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  const std::vector<std::string> messages = {"构件文件[" + path("missing.R82") + "]打开失败！",
                                             "构件文件[" + path("fifty-one.R82") + "]导入失败！"};
  EXPECT_EQ(result.err, messages);
  ASSERT_EQ(expected.component_count(), 4u);
  EXPECT_EQ(read("out.prj"), project_bytes(expected));
}

TEST_F(Import_Test, WithNoFileOpenedKeepsAnExistingProject) {
  write("out.prj", "the previous project");

  const Cli_Result result = run_cli({"import", path("out.prj"), path("missing.R82"), "--force"});

  EXPECT_EQ(result.status, 1);
  const std::vector<std::string> messages = {"构件文件[" + path("missing.R82") + "]打开失败！",
                                             "没有要保存的数据！"};
  EXPECT_EQ(result.err, messages);
  EXPECT_EQ(read("out.prj"), "the previous project");
}

TEST_F(Import_Test, ReportsAProjectThatCannotBeWritten) {
  write("kz1.R82", device_file_bytes(sample_device("KZ-1", 10, 36)));
  std::filesystem::create_directory(path("out.prj"));

  const Cli_Result result = run_cli({"import", "--force", path("out.prj"), path("kz1.R82")});

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::vector<std::string>{"工程文件[" + path("out.prj") + "]导出失败！"});
  EXPECT_TRUE(std::filesystem::is_empty(path("out.prj")));
}

TEST_F(Import_Test, OutputIsAProjectFileByTheRuleOfTheWindowsSave) {
  // The window saves "upper.PRJ" as "upper.PRJ.prj": it is no project file
  // name, so the command line does not write it either.
  write("kz1.R82", device_file_bytes(sample_device("KZ-1", 10, 36)));
  const Cli_Result result = run_cli({"import", path("upper.PRJ"), path("kz1.R82")});
  EXPECT_EQ(result.status, 2);
  EXPECT_FALSE(std::filesystem::exists(path("upper.PRJ")));
  EXPECT_FALSE(std::filesystem::exists(path("upper.PRJ.prj")));
}

}  // namespace
