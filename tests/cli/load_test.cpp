// A project that cannot be read: every command that reads one reports it and
// writes nothing.
#include "cli_test_support.h"
#include "model/rebound_project.h"
#include "tools/device_file_writer.h"

namespace {

struct Load_Case {
  const char* name;
  std::vector<std::string> command;  // IN.prj follows the first word
  bool truncated;                    // a project cut short, or no file at all
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Load_Case& c, std::ostream* os) { *os << c.name; }

class Load_Test : public Cli_Test, public ::testing::WithParamInterface<Load_Case> {};

TEST_P(Load_Test, ReportsTheProjectAndWritesNothing) {
  if (GetParam().truncated) {
    Rebound_Project project;
    project.new_component();
    project.new_component();
    const std::string bytes = project_bytes(project);
    write("in.prj", bytes.substr(0, bytes.size() - 30));  // inside the second component
  }
  const auto before = files();
  std::vector<std::string> args = GetParam().command;
  args.insert(args.begin() + 1, path("in.prj"));

  const Cli_Result result = run_cli(args);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, std::vector<std::string>{"工程文件[" + path("in.prj") + "]导入失败！"});
  EXPECT_EQ(files(), before);
}

INSTANTIATE_TEST_SUITE_P(Commands, Load_Test,
                         ::testing::Values(Load_Case{"CalcMissing", {"calc"}, false},
                                           Load_Case{"CalcTruncated", {"calc"}, true},
                                           Load_Case{"CalcIntoOutputTruncated", {"calc", "out.prj"}, true},
                                           Load_Case{"ShowMissing", {"show"}, false},
                                           Load_Case{"ShowJsonTruncated", {"show", "--json"}, true},
                                           Load_Case{"BatchJsonMissing", {"batch", "--json"}, false},
                                           Load_Case{"BatchTruncated", {"batch"}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
