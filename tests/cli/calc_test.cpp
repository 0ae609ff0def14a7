// rv820-cli calc: every component calculated, written safely.
#include <memory>

#include "cli_test_support.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tools/device_file_writer.h"

namespace {

// Three imported components, not calculated; the second has no areas.
std::unique_ptr<Rebound_Project> uncalculated_project() {
  auto owner = std::make_unique<Rebound_Project>();
  Rebound_Project& project = *owner;
  for (const Sample_Device& device :
       {sample_device("KZ-1", 10, 36), sample_device("B-2", 1, 30), sample_device("L-3", 3, 45)}) {
    const std::string bytes = device_file_bytes(device);
    S_Byte_Reader in(bytes);
    import_device_file(*project.new_component(), in);
  }
  project.component(1)->remove_area(0);
  return owner;
}

struct Calc_Case {
  const char* name;
  bool separate_output;
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Calc_Case& c, std::ostream* os) { *os << c.name; }

class Calc_Test : public Cli_Test, public ::testing::WithParamInterface<Calc_Case> {};

TEST_P(Calc_Test, CalculatesEveryComponentAndReportsTheOneWithoutAreas) {
  save(*uncalculated_project(), "in.prj");
  const std::string original = read("in.prj");
  Rebound_Project expected;
  ASSERT_TRUE(expected.load(path("in.prj")));
  for (uint32_t i = 0; i < expected.component_count(); ++i) calculate_component(*expected.component(i));
  const std::string out = GetParam().separate_output ? "out.prj" : "in.prj";
  std::vector<std::string> args = {"calc", path("in.prj")};
  if (GetParam().separate_output) args.push_back(path(out));

  const Cli_Result result = run_cli(args);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::vector<std::string>{"构件[2]：无测区数据"});
  EXPECT_EQ(read(out), project_bytes(expected));
  // Nothing else is left in the folder: no temporary file, and IN.prj as it
  // was when the output is another file.
  std::map<std::string, std::string> files = {{out, project_bytes(expected)}};
  if (GetParam().separate_output) files["in.prj"] = original;
  EXPECT_EQ(this->files(), files);
}

INSTANTIATE_TEST_SUITE_P(Outputs, Calc_Test,
                         ::testing::Values(Calc_Case{"ReplacesInput", false},
                                           Calc_Case{"WritesOutput", true}),
                         [](const auto& info) { return std::string(info.param.name); });

class Calc_Failure_Test : public Cli_Test {};

TEST_F(Calc_Failure_Test, AProjectWithAreasEverywhereGivesNoMessage) {
  const auto owner = uncalculated_project();
  Rebound_Project& project = *owner;
  project.remove_component(1);
  save(project, "in.prj");

  const Cli_Result result = run_cli({"calc", path("in.prj")});

  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty());
}

TEST_F(Calc_Failure_Test, AnOutputThatCannotBeWrittenLeavesTheInputAsItWas) {
  save(*uncalculated_project(), "in.prj");
  std::filesystem::create_directory(path("out.prj"));
  const auto before = files();

  const Cli_Result result = run_cli({"calc", path("in.prj"), path("out.prj"), "--force"});

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.back(), "工程文件[" + path("out.prj") + "]导出失败！");
  EXPECT_EQ(files(), before);
  EXPECT_TRUE(std::filesystem::is_empty(path("out.prj")));
}

}  // namespace
