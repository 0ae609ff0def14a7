// The project files that import and calc write: an existing OUT.prj is
// replaced only with --force, IN.prj in place only when it is a project file,
// and a folder that cannot take the temporary file fails the save.
#include <sys/stat.h>

#include "cli_test_support.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tests/hardening/fault_support.h"
#include "tools/device_file_writer.h"

namespace {

class Output_File_Test : public Cli_Test {
 protected:
  void SetUp() override {
    Cli_Test::SetUp();
    write("kz1.R82", device_file_bytes(sample_device("KZ-1", 10, 36)));
    Rebound_Project project;
    project.clear();
    const std::string bytes = read("kz1.R82");
    S_Byte_Reader in(bytes);
    import_device_file(*project.new_component(), in);
    save(project, "in.prj");
  }
};

struct Overwrite_Case {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the folder
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Overwrite_Case& c, std::ostream* os) { *os << c.name; }

class Existing_Output_Test : public Output_File_Test, public ::testing::WithParamInterface<Overwrite_Case> {
 protected:
  std::vector<std::string> args(bool force) const {
    std::vector<std::string> v;
    for (const std::string& a : GetParam().args) v.push_back(a[0] == '@' ? path(a.substr(1)) : a);
    if (force) v.push_back("--force");
    return v;
  }
};

TEST_P(Existing_Output_Test, IsRefusedWithoutForce) {
  write("out.prj", "the project that was there");
  const auto before = files();

  const Cli_Result result = run_cli(args(false));

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::vector<std::string>{"rv820-cli: " + path("out.prj") + " exists; --force replaces it"});
  EXPECT_EQ(files(), before);
}

TEST_P(Existing_Output_Test, IsReplacedWithForce) {
  write("out.prj", "the project that was there");
  const Cli_Result result = run_cli(args(true));

  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty());
  Rebound_Project written;
  written.clear();
  EXPECT_TRUE(written.load(path("out.prj")));
  EXPECT_EQ(written.component_count(), 1u);
}

TEST_P(Existing_Output_Test, IsNotAskedForWhenThereIsNone) {
  const Cli_Result result = run_cli(args(false));

  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty());
  EXPECT_EQ(files().count("out.prj"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Commands, Existing_Output_Test,
                         ::testing::Values(Overwrite_Case{"Import", {"import", "@out.prj", "@kz1.R82"}},
                                           Overwrite_Case{"Calc", {"calc", "@in.prj", "@out.prj"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Output_File_Test, CalcInPlaceRefusesAnInputThatIsNoProjectFile) {
  const auto before = files();

  const Cli_Result result = run_cli({"calc", path("kz1.R82")});

  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.front(), "rv820-cli: the project to write must be a .prj file: " + path("kz1.R82"));
  EXPECT_EQ(files(), before);
}

TEST_F(Output_File_Test, AFolderThatCannotTakeTheTemporaryFileFailsTheSave) {
  // The file itself may be written, its folder may not: the save is not
  // made by writing into the file, which a failure would leave damaged.
  const std::filesystem::path folder = std::filesystem::path(path("in.prj")).parent_path();
  fault_support::open_to_everyone(folder);
  ::chmod(path("in.prj").c_str(), 0666);
  const auto before = files();
  ::chmod(folder.c_str(), 0555);
  Cli_Result result;
  {
    fault_support::Unprivileged_Scope unprivileged;
    result = run_cli({"calc", path("in.prj")});
  }
  ::chmod(folder.c_str(), 0755);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::vector<std::string>{"工程文件[" + path("in.prj") + "]导出失败！"});
  EXPECT_EQ(files(), before);
}

}  // namespace
