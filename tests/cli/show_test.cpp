// rv820-cli show: the readable table and the JSON document.
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cli_test_support.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tools/device_file_writer.h"

namespace {

// A calculated project with CJK texts of differing widths, texts that need
// escaping, a broken GBK byte and values that are not finite.
std::unique_ptr<Rebound_Project> sample_project() {
  auto owner = std::make_unique<Rebound_Project>();
  Rebound_Project& project = *owner;
  project.project_name.assign(utf8_to_gbk("示例工程"));
  project.project_address.assign(utf8_to_gbk("\"东\\路\"\n一号"));
  project.examine_reason.assign(utf8_to_gbk("复检") + "\xB8");  // cut inside a character
  const struct {
    const char* name;
    int areas;
    int base;
    int grade;
  } samples[] = {{"柱1", 10, 36, 0}, {"KZ-10", 12, 41, 2}, {"梁板Ab", 4, 45, 1}};
  for (const auto& s : samples) {
    const std::string bytes = device_file_bytes(sample_device(utf8_to_gbk(s.name), s.areas, s.base));
    S_Byte_Reader in(bytes);
    R_Component& c = *project.new_component();
    import_device_file(c, in);
    c.strength_grade = s.grade;
    c.tester.assign(utf8_to_gbk("张工"));
    calculate_component(c);
  }
  project.component(0)->set_checked(1);
  project.component(1)->strength_e = std::numeric_limits<float>::quiet_NaN();
  project.component(2)->areas[1].strength = std::numeric_limits<float>::infinity();
  return owner;
}

// A float of the document, read as a double the way most readers do: it must
// give back the same float32, or be null where the value is not finite.
void expect_float(const nlohmann::ordered_json& value, float expected, const std::string& where) {
  if (!std::isfinite(expected)) {
    EXPECT_TRUE(value.is_null()) << where;
    return;
  }
  ASSERT_TRUE(value.is_number()) << where;
  EXPECT_EQ(float_bits(static_cast<float>(value.get<double>())), float_bits(expected))
      << where << ": " << value;
}

std::vector<std::string> keys(const nlohmann::ordered_json& object) {
  std::vector<std::string> result;
  for (const auto& item : object.items()) result.push_back(item.key());
  return result;
}

std::string utf8(const S_String& text) { return gbk_to_utf8(text.bytes()); }

class Show_Test : public Cli_Test {};

TEST_F(Show_Test, JsonHoldsEveryFieldAndTextOfTheProject) {
  const auto owner = sample_project();
  const Rebound_Project& project = *owner;
  save(project, "in.prj");

  const Cli_Result result = run_cli({"show", path("in.prj"), "--json"});

  ASSERT_EQ(result.status, 0);
  EXPECT_TRUE(result.err.empty());
  const auto document = nlohmann::ordered_json::parse(result.out);
  EXPECT_EQ(keys(document), (std::vector<std::string>{"project", "components"}));
  // No float is written with more than the nine significant digits of a float32.
  const std::regex float_number(R"((?:^|[:,\[])-?0*(\d+)\.(\d+))");
  size_t floats = 0;
  for (auto m = std::sregex_iterator(result.out.begin(), result.out.end(), float_number);
       m != std::sregex_iterator(); ++m, ++floats) {
    const std::string digits = (*m)[1].str() + (*m)[2].str();
    EXPECT_LE(digits.size() - std::min(digits.find_first_not_of('0'), digits.size()), 9u) << m->str();
  }
  EXPECT_GT(floats, 0u);
  const auto& texts = document["project"];
  ASSERT_EQ(texts.size(), static_cast<size_t>(Rebound_Project::TEXT_COUNT));
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
    EXPECT_EQ(keys(texts)[i], PROJECT_TEXTS[i].name);
    EXPECT_EQ(texts[PROJECT_TEXTS[i].name], utf8(project.text(i))) << PROJECT_TEXTS[i].name;
  }
  EXPECT_EQ(texts["examine_reason"], "复检\xEF\xBF\xBD");

  const auto& components = document["components"];
  ASSERT_EQ(components.size(), project.component_count());
  for (uint32_t i = 0; i < project.component_count(); ++i) {
    const R_Component& c = *project.component(i);
    const auto& json = components[i];
    EXPECT_EQ(keys(json), (std::vector<std::string>{
                              "component_name", "component_date", "produced_date", "bak_info",
                              "strength_grade", "strength_avg", "strength_min", "strength_sd", "strength_e",
                              "device_type", "device_num", "tester", "certificate_serial", "examine_basis",
                              "area_count", "checked", "areas", "texts"}));
    EXPECT_EQ(json["component_name"], utf8(c.component_name));
    EXPECT_EQ(json["component_date"], utf8(c.component_date));
    EXPECT_EQ(json["produced_date"], utf8(c.produced_date));
    EXPECT_EQ(json["bak_info"], utf8(c.bak_info));
    EXPECT_EQ(json["device_type"], utf8(c.device_type));
    EXPECT_EQ(json["device_num"], utf8(c.device_num));
    EXPECT_EQ(json["tester"], utf8(c.tester));
    EXPECT_EQ(json["certificate_serial"], utf8(c.certificate_serial));
    EXPECT_EQ(json["examine_basis"], utf8(c.examine_basis));
    EXPECT_EQ(json["strength_grade"], c.strength_grade);
    EXPECT_EQ(json["area_count"], c.area_count);
    EXPECT_EQ(json["checked"], c.checked);
    expect_float(json["strength_avg"], c.strength_avg, "strength_avg");
    expect_float(json["strength_min"], c.strength_min, "strength_min");
    expect_float(json["strength_sd"], c.strength_sd, "strength_sd");
    expect_float(json["strength_e"], c.strength_e, "strength_e");
    const Statistics_Texts panel = component_texts(c);
    EXPECT_EQ(json["texts"], (nlohmann::ordered_json{{"strength_avg", panel.avg},
                                                     {"strength_min", panel.min},
                                                     {"strength_sd", panel.sd},
                                                     {"strength_e", panel.e}}));
    ASSERT_EQ(json["areas"].size(), c.area_count);
    for (uint32_t a = 0; a < c.area_count; ++a) {
      const R_Area& area = c.areas[a];
      const auto& area_json = json["areas"][a];
      EXPECT_EQ(area_json["readings"], std::vector<int>(std::begin(area.readings), std::end(area.readings)));
      expect_float(area_json["avg_rebound"], area.avg_rebound, "avg_rebound");
      expect_float(area_json["strength"], area.strength, "strength");
      EXPECT_EQ(area_json["texts"],
                (nlohmann::ordered_json{{"avg_rebound", avg_rebound_text(area.avg_rebound)},
                                        {"strength", strength_text(area.strength)}}));
    }
  }
}

TEST_F(Show_Test, TableLinesUpByDisplayWidth) {
  const auto owner = sample_project();
  const Rebound_Project& project = *owner;
  save(project, "in.prj");

  const Cli_Result result = run_cli({"show", path("in.prj")});

  ASSERT_EQ(result.status, 0);
  std::istringstream out(result.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4 + project.component_count());
  EXPECT_EQ(lines[0], "工程名称：示例工程");
  const std::string& header = lines[2];
  const size_t name_column = cjk_display_width(header.substr(0, header.find("构件名称")));
  for (uint32_t i = 0; i < project.component_count(); ++i) {
    const R_Component& c = *project.component(i);
    const std::string& row = lines[4 + i];
    const Statistics_Texts texts = component_texts(c);
    std::vector<std::string> expected = {std::to_string(i + 1),
                                         utf8(c.component_name),
                                         strength_grade_text(c.strength_grade),
                                         utf8(c.component_date),
                                         std::to_string(c.area_count),
                                         texts.avg,
                                         texts.min,
                                         texts.sd,
                                         texts.e};
    std::istringstream cells(row);
    std::vector<std::string> shown{std::istream_iterator<std::string>(cells), {}};
    EXPECT_EQ(shown, expected);
    // The names start under their header, and the right-aligned last column
    // ends where its header ends.
    EXPECT_EQ(cjk_display_width(row.substr(0, row.find(utf8(c.component_name)))), name_column) << row;
    EXPECT_EQ(cjk_display_width(row), cjk_display_width(header)) << row;
  }
}

TEST_F(Show_Test, AnOutputThatCannotBeWrittenIsReported) {
  save(*sample_project(), "in.prj");

  const Cli_Result result = run_cli({"show", path("in.prj"), "--json"}, "/dev/full");

  EXPECT_EQ(result.status, 1);
  EXPECT_FALSE(result.err.empty());
}

}  // namespace
