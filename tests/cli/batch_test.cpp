// rv820-cli batch: the batch statistics over the ticked components, its
// message and its question.
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "cli_test_support.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tools/device_file_writer.h"

namespace {

struct Part {
  int areas;
  bool ticked;
};

struct Batch_Case {
  const char* name;
  std::vector<Part> parts;
  bool answer_no;
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Batch_Case& c, std::ostream* os) { *os << c.name; }

// Answers the question as the case says and keeps what was shown, so that
// the test knows what the command line must have shown.
class Scripted_Dialogue : public Batch_Dialogue {
 public:
  explicit Scripted_Dialogue(bool answer) : answer_(answer) {}
  void inform(const std::string& message) override { shown.push_back(message); }
  bool ask_yes_no(const std::string& question) override {
    shown.push_back(question + (answer_ ? " 是" : " 否"));
    last_question = question;
    return answer_;
  }
  std::vector<std::string> shown;
  std::string last_question;

 private:
  bool answer_;
};

std::unique_ptr<Rebound_Project> calculated_project(const std::vector<Part>& parts) {
  auto owner = std::make_unique<Rebound_Project>();
  Rebound_Project& project = *owner;
  int base = 30;
  for (const Part& part : parts) {
    R_Component& c = *project.new_component();
    const std::string bytes = device_file_bytes(sample_device("KZ", part.areas, base += 4));
    S_Byte_Reader in(bytes);
    import_device_file(c, in);
    calculate_component(c);
    c.set_checked(part.ticked ? 1 : 0);
  }
  return owner;
}

class Batch_Test : public Cli_Test, public ::testing::WithParamInterface<Batch_Case> {};

TEST_P(Batch_Test, JsonGivesTheResultsOrTheTextThatWasShown) {
  const auto owner = calculated_project(GetParam().parts);
  const Rebound_Project& project = *owner;
  save(project, "in.prj");
  Scripted_Dialogue dialogue(!GetParam().answer_no);
  const std::optional<Batch_Result> expected = batch_statistics(project, dialogue);
  std::vector<std::string> args = {"batch", path("in.prj"), "--json"};
  if (GetParam().answer_no) args.push_back("--no");

  const Cli_Result result = run_cli(args);

  EXPECT_EQ(result.err, dialogue.shown);
  const auto document = nlohmann::json::parse(result.out);
  if (!expected) {
    EXPECT_EQ(result.status, 1);
    const std::string last = GetParam().answer_no ? dialogue.last_question : dialogue.shown.back();
    EXPECT_EQ(document, (nlohmann::json{{"message", last}}));
    return;
  }
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(document["n"], expected->n);
  const Strength_Statistics& s = expected->statistics;
  const std::pair<const char*, float> values[] = {{"mean", s.mean}, {"min", s.min}, {"sd", s.sd}, {"e", s.e}};
  for (const auto& [key, value] : values) {
    EXPECT_EQ(float_bits(static_cast<float>(document[key].get<double>())), float_bits(value)) << key;
  }
  const Statistics_Texts texts = batch_texts(*expected);
  EXPECT_EQ(document["texts"],
            (nlohmann::json{{"avg", texts.avg}, {"sd", texts.sd}, {"min", texts.min}, {"e", texts.e}}));
}

INSTANTIATE_TEST_SUITE_P(
    Batches, Batch_Test,
    ::testing::Values(Batch_Case{"TwoTickedOfTenAreas", {{10, true}, {12, false}, {10, true}}, false},
                      Batch_Case{"NothingTicked", {{10, false}, {12, false}}, false},
                      Batch_Case{"FewAreasAnsweredYes", {{1, true}, {2, true}, {5, false}}, false},
                      Batch_Case{"FewAreasAnsweredNo", {{1, true}, {2, true}}, true},
                      Batch_Case{"OneArea", {{1, true}}, false},
                      Batch_Case{"TickedWithoutAreas", {{0, true}, {0, true}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

class Batch_Text_Test : public Cli_Test {};

TEST_F(Batch_Text_Test, PrintsTheNumbersAndTheTextsOfTheBoxes) {
  const auto owner = calculated_project({{10, true}, {10, true}});
  const Rebound_Project& project = *owner;
  save(project, "in.prj");
  Scripted_Dialogue dialogue(true);
  const Batch_Result expected = *batch_statistics(project, dialogue);
  const Statistics_Texts texts = batch_texts(expected);

  const Cli_Result result = run_cli({"batch", path("in.prj")});

  ASSERT_EQ(result.status, 0);
  std::istringstream out(result.out);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(out, line);) {
    std::istringstream cells(line);
    rows.emplace_back(std::istream_iterator<std::string>(cells), std::istream_iterator<std::string>());
  }
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[2], (std::vector<std::string>{"测区数", std::to_string(expected.n)}));
  const Strength_Statistics& s = expected.statistics;
  const struct {
    const char* label;
    float value;
    std::string text;
  } values[] = {{"测区强度平均值", s.mean, texts.avg},
                {"测区强度最小值", s.min, texts.min},
                {"测区强度标准差", s.sd, texts.sd},
                {"批构件强度推定值", s.e, texts.e}};
  for (size_t i = 0; i < std::size(values); ++i) {
    const std::vector<std::string>& row = rows[3 + i];
    ASSERT_EQ(row.size(), 3u) << values[i].label;
    EXPECT_EQ(row[0], values[i].label);
    EXPECT_EQ(float_bits(std::stof(row[1])), float_bits(values[i].value)) << values[i].label;
    EXPECT_EQ(row[2], values[i].text);
  }
}

}  // namespace
