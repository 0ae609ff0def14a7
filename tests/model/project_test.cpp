// Rebound_Project: defaults, the component list, and the project file (round
// trips, loading appends, truncation and hostile counts and lengths).
#include <gtest/gtest.h>

#include <ctime>

#include "allocation_probe.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "test_support.h"

using namespace test_support;

namespace {

// Fills every text with its own value and appends n distinct components.
void fill_project(Rebound_Project& p, const std::string& tag, int n) {
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) p.text(i).assign(tag + std::to_string(i));
  for (int k = 0; k < n; ++k) {
    R_Component* c = p.new_component();
    c->component_name.assign(tag + "-C" + std::to_string(k));
    c->strength_grade = k;
    c->strength_avg = 20.5f + static_cast<float>(k);
    c->strength_sd = 1.25f;
    c->strength_e = 18.0f;
    c->strength_min = 17.5f;
    c->set_checked(static_cast<uint8_t>(k % 2));
    for (int a = 0; a < k + 1; ++a) {
      if (a > 0) c->add_area();
      for (int r = 0; r < 16; ++r) c->areas[a].readings[r] = static_cast<uint8_t>(30 + a + r + k);
      c->areas[a].strength = 25.0f + static_cast<float>(a);
    }
  }
}

std::vector<std::string> texts_of(const Rebound_Project& p) {
  std::vector<std::string> t;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) t.push_back(p.text(i).bytes());
  return t;
}

TEST(Rebound_Project, NewProjectHasItsDefaults) {
  Rebound_Project p;
  // today, a space, then 新工程 in GBK (D0C2 B9A4 B3CC)
  EXPECT_EQ(hex(p.project_name.bytes()), hex(today() + bytes({' ', 0xD0, 0xC2, 0xB9, 0xA4, 0xB3, 0xCC})));
  EXPECT_EQ(p.construction_date.bytes(), today());
  EXPECT_EQ(p.agent_date.bytes(), today());
  EXPECT_EQ(p.report_date.bytes(), today());
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
    const S_String& t = p.text(i);
    if (&t == &p.project_name || &t == &p.construction_date || &t == &p.agent_date || &t == &p.report_date)
      continue;
    EXPECT_TRUE(t.empty()) << PROJECT_TEXTS[i].name;
  }
  EXPECT_EQ(p.component_count(), 0u);
}

TEST(Rebound_Project, TextsInFileOrder) {
  Rebound_Project p;
  EXPECT_EQ(&p.text(0), &p.project_name);
  EXPECT_EQ(&p.text(2), &p.construction_unit);
  EXPECT_EQ(&p.text(15), &p.unit_certification_serial);
  EXPECT_EQ(&p.text(16), &p.examine_environment);
  EXPECT_EQ(&p.text(17), &p.examine_reason);
  EXPECT_EQ(&p.text(20), &p.fax_no);
  EXPECT_STREQ(PROJECT_TEXTS[20].name, "fax_no");
}

TEST(Rebound_Project, ListOperations) {
  Rebound_Project p;
  EXPECT_FALSE(p.remove_component(0));  // empty list
  R_Component* a = p.new_component();
  R_Component* b = p.new_component();
  ASSERT_TRUE(a && b);
  a->component_name.assign("A");
  b->component_name.assign("B");
  EXPECT_EQ(p.component(0), a);
  EXPECT_EQ(p.component(1), b);
  EXPECT_EQ(p.component(2), nullptr);
  EXPECT_EQ(p.component(-1), nullptr);
  EXPECT_FALSE(p.remove_component(-1));
  EXPECT_FALSE(p.remove_component(2));
  EXPECT_EQ(p.component_count(), 2u);
  EXPECT_TRUE(p.remove_component(0));
  ASSERT_EQ(p.component_count(), 1u);
  EXPECT_EQ(p.component(0)->component_name.bytes(), "B");
}

TEST(Rebound_Project, CheckedCountAndClear) {
  Rebound_Project p;
  fill_project(p, "P", 3);
  p.component(2)->set_checked(1);  // components 1 and 2 checked, 0 not
  EXPECT_EQ(p.checked_count(), 2u);
  const auto texts = texts_of(p);
  p.clear();
  EXPECT_EQ(p.component_count(), 0u);
  EXPECT_EQ(p.checked_count(), 0u);
  EXPECT_EQ(texts_of(p), texts);
}

TEST(Rebound_Project, EmptyProjectIsItsTextsAndACountOfZero) {
  Temp_Dir dir;
  Rebound_Project p;
  p.clear();
  std::string expected;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) expected += text_form(p.text(i).bytes());
  expected += le32(0);
  ASSERT_TRUE(p.save(dir / "empty.prj"));
  EXPECT_EQ(hex(file_bytes(dir / "empty.prj")), hex(expected));

  Rebound_Project back;
  ASSERT_TRUE(back.load(dir / "empty.prj"));
  EXPECT_EQ(back.component_count(), 0u);
}

TEST(Rebound_Project, SaveAndLoadReproduceEverything) {
  Temp_Dir dir;
  Rebound_Project p;
  fill_project(p, "S", 4);
  ASSERT_TRUE(p.save(dir / "p.prj"));
  // The file is the stream form: 21 texts, count, then each component's form.
  std::string expected;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i)
    expected += text_form(std::string("S").append(std::to_string(i)));
  expected += le32(4);
  for (int k = 0; k < 4; ++k) expected += stream_of(*p.component(k));
  EXPECT_EQ(hex(file_bytes(dir / "p.prj")), hex(expected));

  Rebound_Project back;
  back.clear();
  ASSERT_TRUE(back.load(dir / "p.prj"));
  EXPECT_EQ(texts_of(back), texts_of(p));
  ASSERT_EQ(back.component_count(), 4u);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(hex(stream_of(*back.component(k))), hex(stream_of(*p.component(k))));
  EXPECT_EQ(back.checked_count(), 2u);
}

TEST(Rebound_Project, LoadAppendsAfterExistingComponents) {
  Temp_Dir dir;
  Rebound_Project file;
  fill_project(file, "F", 2);
  ASSERT_TRUE(file.save(dir / "f.prj"));

  Rebound_Project p;
  fill_project(p, "OLD", 3);
  ASSERT_TRUE(p.load(dir / "f.prj"));
  ASSERT_EQ(p.component_count(), 5u);
  const char* names[] = {"OLD-C0", "OLD-C1", "OLD-C2", "F-C0", "F-C1"};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(p.component(k)->component_name.bytes(), names[k]);
  EXPECT_EQ(texts_of(p), texts_of(file));
}

TEST(Rebound_Project, MissingFileChangesNothing) {
  Temp_Dir dir;
  Rebound_Project p;
  fill_project(p, "M", 1);
  const std::string before = stream_of(p);
  EXPECT_FALSE(p.load(dir / "none.prj"));
  EXPECT_FALSE(p.load(dir.path()));  // a folder is not a project file
  EXPECT_EQ(stream_of(p), before);
}

// The cut file's bytes: the whole stream of a project of two components, cut
// inside the second one after its name and its test date.
TEST(Rebound_Project, CutInsideTheSecondComponent) {
  Temp_Dir dir;
  Rebound_Project file;
  fill_project(file, "T", 2);
  file.component(1)->component_date.assign("2013-05-07");
  const std::string whole = stream_of(file);
  const std::string second = stream_of(*file.component(1));
  const size_t second_at = whole.size() - second.size();
  const size_t cut = second_at + text_form("T-C1").size() + text_form("2013-05-07").size() + 3;
  put_file(dir / "cut.prj", whole.substr(0, cut));

  Rebound_Project p;
  p.clear();
  EXPECT_FALSE(p.load(dir / "cut.prj"));
  ASSERT_EQ(p.component_count(), 2u);
  EXPECT_EQ(hex(stream_of(*p.component(0))), hex(stream_of(*file.component(0))));
  const R_Component& partial = *p.component(1);
  EXPECT_EQ(partial.component_name.bytes(), "T-C1");
  EXPECT_EQ(partial.component_date.bytes(), "2013-05-07");
  R_Component fresh;  // what was not read keeps the defaults
  EXPECT_EQ(partial.produced_date, fresh.produced_date);
  EXPECT_EQ(partial.device_type, fresh.device_type);
  EXPECT_EQ(partial.get_area_count(), 1u);
  EXPECT_EQ(texts_of(p), texts_of(file));
}

TEST(Rebound_Project, CutAnywhereFails) {
  Rebound_Project file;
  fill_project(file, "X", 2);
  const std::string whole = stream_of(file);
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    Rebound_Project p;
    S_Byte_Reader in(std::string_view(whole).substr(0, cut));
    EXPECT_FALSE(p.read(in)) << cut;
    EXPECT_LE(p.component_count(), 2u);
  }
}

TEST(Rebound_Project, CutInsideTheTextsKeepsTheTextsReadBefore) {
  Rebound_Project file;
  fill_project(file, "N", 0);
  const std::string whole = stream_of(file);
  size_t cut = 0;
  for (int i = 0; i < 5; ++i) cut += text_form(file.text(i).bytes()).size();
  Rebound_Project p;
  const auto old_texts = texts_of(p);
  S_Byte_Reader in(std::string_view(whole).substr(0, cut + 2));
  EXPECT_FALSE(p.read(in));
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
    EXPECT_EQ(p.text(i).bytes(), i < 5 ? file.text(i).bytes() : old_texts[i]) << PROJECT_TEXTS[i].name;
  }
  EXPECT_EQ(p.component_count(), 0u);
}

struct Hostile_Case {
  const char* name;
  std::string stream;
  size_t components;  // appended before the read failed
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Hostile_Case& c, std::ostream* os) { *os << c.name; }

class Hostile_Project : public ::testing::TestWithParam<Hostile_Case> {};

TEST_P(Hostile_Project, FailsWithoutOverAllocating) {
  const Hostile_Case& c = GetParam();
  Rebound_Project p;
  p.clear();
  S_Byte_Reader in(c.stream);
  Allocation_Probe probe;
  EXPECT_FALSE(p.read(in));
  EXPECT_EQ(p.component_count(), c.components);
  // A component is about 2 KB (its 50 slots); no single allocation may follow
  // a stored count or length.
  EXPECT_LT(probe.largest(), 64u * 1024);
}

std::string texts_form() {
  std::string s;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) s += text_form("t");
  return s;
}

std::string component_head(uint32_t area_count) {
  std::string s;
  for (int i = 0; i < 9; ++i) s += text_form("c");
  return s + std::string(16, '\0') + le32(0) + le32(area_count) + bytes({1});
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Hostile_Project,
    ::testing::Values(
        Hostile_Case{"huge_count", texts_form() + le32(0xFFFFFFFF) + component_head(0), 2},
        Hostile_Case{"count_past_the_end", texts_form() + le32(1000000), 1},
        Hostile_Case{"negative_text_length", text_form("a") + le32(0xFFFFFFFE) + std::string(64, 'z'), 0},
        Hostile_Case{"huge_text_length", text_form("a") + le32(0x7FFFFFFF) + std::string(64, 'z'), 0},
        Hostile_Case{"huge_name_length", texts_form() + le32(1) + le32(0x7FFFFFF0) + std::string(64, 'z'), 1},
        Hostile_Case{"area_count_51",
                     texts_form() + le32(1) + component_head(51) + std::string(51 * 24, '\0'), 1},
        Hostile_Case{"area_count_max", texts_form() + le32(1) + component_head(0xFFFFFFFF), 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
