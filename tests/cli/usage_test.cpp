// rv820-cli's usage errors: exit status 2, the usage text, nothing done.
#include "cli_test_support.h"
#include "tools/device_file_writer.h"

namespace {

struct Usage_Case {
  const char* name;
  std::vector<std::string> args;  // file names are made paths in the test folder
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Usage_Case& c, std::ostream* os) { *os << c.name; }

class Usage_Test : public Cli_Test, public ::testing::WithParamInterface<Usage_Case> {};

TEST_P(Usage_Test, ShowsTheUsageAndDoesNothing) {
  write("in.prj", "a project");
  write("a.R82", device_file_bytes(sample_device("KZ-1", 3, 40)));
  write("b.R82", device_file_bytes(sample_device("KZ-2", 3, 40)));
  const auto before = files();
  std::vector<std::string> args;
  for (const std::string& arg : GetParam().args)
    args.push_back(arg.find('.') != std::string::npos ? path(arg) : arg);

  const Cli_Result result = run_cli(args);

  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(std::find(result.err.begin(), result.err.end(), "usage:"), result.err.end());
  EXPECT_EQ(files(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Usage_Test,
    ::testing::Values(Usage_Case{"NoCommand", {}}, Usage_Case{"UnknownCommand", {"convert", "in.prj"}},
                      Usage_Case{"ImportWithoutFiles", {"import", "out.prj"}},
                      Usage_Case{"ImportIntoAnInstrumentFile", {"import", "a.R82", "b.R82"}},
                      Usage_Case{"CalcWithoutProject", {"calc"}},
                      Usage_Case{"CalcIntoAnInstrumentFile", {"calc", "in.prj", "a.R82"}},
                      Usage_Case{"CalcWithThreeFiles", {"calc", "in.prj", "out.prj", "more.prj"}},
                      Usage_Case{"ShowWithUnknownOption", {"show", "in.prj", "--xml"}},
                      Usage_Case{"ShowWithTwoProjects", {"show", "in.prj", "in.prj"}},
                      Usage_Case{"BatchWithoutProject", {"batch", "--no"}},
                      Usage_Case{"BatchOptionOfAnotherCommand", {"batch", "in.prj", "--pdf"}},
                      Usage_Case{"ExportWithoutOutput", {"export", "in.prj"}},
                      Usage_Case{"ExportIntoAProject", {"export", "in.prj", "out.prj"}},
                      Usage_Case{"ExportIntoAnInstrumentFile", {"export", "in.prj", "a.R82"}},
                      Usage_Case{"ExportAreasOfAWorkbook", {"export", "in.prj", "out.xlsx", "--areas"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Usage, HelpPrintsTheUsageOfEveryCommand) {
  const Cli_Result result = run_cli({"--help"});

  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty());
  for (const char* synopsis : {"rv820-cli import OUT.prj FILE.R82... [--force]",
                               "rv820-cli calc IN.prj [OUT.prj] [--force]",
                               "rv820-cli show IN.prj [--json]", "rv820-cli batch IN.prj [--json] [--no]",
                               "rv820-cli export IN.prj OUT.xlsx|OUT.csv [--areas]"}) {
    EXPECT_NE(result.out.find(synopsis), std::string::npos) << synopsis;
  }
}

}  // namespace
