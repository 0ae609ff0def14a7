// The batch procedure through a scripted dialogue, and the texts of the four
// batch boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <limits>

#include "evaluation/caculate2.h"
#include "model/rebound_project.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

// Records what the procedure said and asked, and answers from a script.
class Scripted_Dialogue : public Batch_Dialogue {
 public:
  explicit Scripted_Dialogue(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}
  void inform(const std::string& message) override { log.push_back("inform: " + message); }
  bool ask_yes_no(const std::string& question) override {
    log.push_back("ask: " + question);
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected question " << question;
      return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
  }
  std::vector<std::string> log;

 private:
  std::deque<bool> answers_;
};

const std::string no_valid = "inform: 没有有效的测区数据，或者测试数据少于2条！";
const std::string few_areas = "ask: 测区数不足5个, 是否计算？";
const std::string no_data = "inform: 无测区数据";

// Appends a component of n areas, area i with all readings first + i,
// calculated, and ticked or not.
R_Component* add_component(Rebound_Project& p, uint32_t n, int first, bool checked) {
  R_Component* c = p.new_component();
  c->set_area_count(n);
  for (uint32_t i = 0; i < n; ++i) std::memset(c->areas[i].readings, first + static_cast<int>(i), 16);
  if (n > 0) {
    EXPECT_EQ(calculate_component(*c), nullptr);
  }
  c->set_checked(checked ? 1 : 0);
  return c;
}

// The statistics over the stored strengths of the given components' areas,
// in project order.
Strength_Statistics expected_over(std::initializer_list<const R_Component*> components) {
  std::vector<_TESTAREA> areas;
  for (const R_Component* c : components) {
    for (uint32_t i = 0; i < c->area_count; ++i) {
      _TESTAREA a{};
      a.strength = c->areas[i].strength;
      areas.push_back(a);
    }
  }
  Strength_Statistics s;
  EXPECT_EQ(strength_statistics(areas.data(), static_cast<uint32_t>(areas.size()), s), nullptr);
  return s;
}

void expect_same(const Strength_Statistics& a, const Strength_Statistics& b) {
  EXPECT_EQ(bits_of(a.mean), bits_of(b.mean));
  EXPECT_EQ(bits_of(a.min), bits_of(b.min));
  EXPECT_EQ(bits_of(a.sd), bits_of(b.sd));
  EXPECT_EQ(bits_of(a.e), bits_of(b.e));
}

TEST(Batch_Statistics, NothingTicked) {
  Rebound_Project p;
  add_component(p, 10, 30, false);
  Scripted_Dialogue d;
  EXPECT_FALSE(batch_statistics(p, d));
  EXPECT_EQ(d.log, std::vector<std::string>{no_valid});

  Rebound_Project empty;
  Scripted_Dialogue d2;
  EXPECT_FALSE(batch_statistics(empty, d2));
  EXPECT_EQ(d2.log, std::vector<std::string>{no_valid});
}

TEST(Batch_Statistics, FewerThanFiveAreasAsks) {
  for (bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    Rebound_Project p;
    const R_Component* a = add_component(p, 1, 30, true);
    add_component(p, 1, 50, false);
    const R_Component* b = add_component(p, 1, 33, true);
    const R_Component* c = add_component(p, 1, 36, true);
    Scripted_Dialogue d({yes});
    const std::optional<Batch_Result> r = batch_statistics(p, d);
    EXPECT_EQ(d.log, std::vector<std::string>{few_areas});
    ASSERT_EQ(r.has_value(), yes);
    if (yes) {
      EXPECT_EQ(r->n, 3u);
      expect_same(r->statistics, expected_over({a, b, c}));
      // Fewer than ten areas: the estimate is the minimum.
      EXPECT_EQ(bits_of(r->statistics.e), bits_of(a->areas[0].strength));
    }
  }
}

TEST(Batch_Statistics, FiveAreasAskNothing) {
  Rebound_Project p;
  const R_Component* a = add_component(p, 5, 30, true);
  Scripted_Dialogue d;
  const std::optional<Batch_Result> r = batch_statistics(p, d);
  ASSERT_TRUE(r);
  EXPECT_TRUE(d.log.empty());
  EXPECT_EQ(r->n, 5u);
  expect_same(r->statistics, expected_over({a}));
}

TEST(Batch_Statistics, TickedComponentsWithoutAreas) {
  Rebound_Project p;
  add_component(p, 0, 30, true);
  add_component(p, 0, 30, true);
  Scripted_Dialogue d({true});
  EXPECT_FALSE(batch_statistics(p, d));
  EXPECT_EQ(d.log, (std::vector<std::string>{few_areas, no_data}));
}

TEST(Batch_Statistics, OneComponentEqualsItsOwnCalculation) {
  Rebound_Project p;
  add_component(p, 3, 60, false);
  const R_Component* c = add_component(p, 12, 30, true);
  Scripted_Dialogue d;
  const std::optional<Batch_Result> r = batch_statistics(p, d);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->n, 12u);
  EXPECT_EQ(bits_of(r->statistics.mean), bits_of(c->strength_avg));
  EXPECT_EQ(bits_of(r->statistics.min), bits_of(c->strength_min));
  EXPECT_EQ(bits_of(r->statistics.sd), bits_of(c->strength_sd));
  // Twelve areas: the 1.645 rule, as for the component (independently
  // computed: 0x41A88CAC, 21.07).
  EXPECT_EQ(bits_of(r->statistics.e), 0x41A88CACu);
  EXPECT_EQ(bits_of(r->statistics.e), bits_of(c->strength_e));
}

TEST(Batch_Statistics, TwoComponentsInProjectOrder) {
  Rebound_Project p;
  const R_Component* a = add_component(p, 10, 30, true);
  add_component(p, 10, 80, false);
  const R_Component* b = add_component(p, 10, 45, true);
  Scripted_Dialogue d;
  const std::optional<Batch_Result> r = batch_statistics(p, d);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->n, 20u);
  // Independently computed over the 20 strengths: mean 38.1, sd 11.65,
  // minimum 21.8, estimate 18.9.
  EXPECT_EQ(bits_of(r->statistics.mean), 0x421875EBu);
  EXPECT_EQ(bits_of(r->statistics.sd), 0x413A7385u);
  EXPECT_EQ(bits_of(r->statistics.min), 0x41AE3D74u);
  EXPECT_EQ(bits_of(r->statistics.e), 0x419790A9u);
  expect_same(r->statistics, expected_over({a, b}));
  const Statistics_Texts t = batch_texts(*r);
  EXPECT_EQ(t.avg + " " + t.sd + " " + t.min + " " + t.e, "38.1 11.65 21.8 18.9");
}

TEST(Batch_Statistics, UsesStoredStrengthsAndChangesNothing) {
  Rebound_Project p;
  add_component(p, 10, 30, true);
  R_Component* b = add_component(p, 2, 40, true);
  Scripted_Dialogue d;
  const std::optional<Batch_Result> first = batch_statistics(p, d);
  ASSERT_TRUE(first);
  // Readings edited after the calculation do not count until the component
  // is calculated again.
  std::memset(b->areas[0].readings, 90, 16);
  const std::string before = stream_of(p);
  const std::optional<Batch_Result> again = batch_statistics(p, d);
  ASSERT_TRUE(again);
  expect_same(again->statistics, first->statistics);
  EXPECT_EQ(stream_of(p), before);
  ASSERT_EQ(calculate_component(*b), nullptr);
  const std::optional<Batch_Result> recalculated = batch_statistics(p, d);
  ASSERT_TRUE(recalculated);
  EXPECT_NE(bits_of(recalculated->statistics.mean), bits_of(first->statistics.mean));
  EXPECT_TRUE(d.log.empty());
}

Batch_Result batch(uint32_t n, float mean, float min, float sd, float e) {
  Batch_Result r;
  r.n = n;
  r.statistics.mean = mean;
  r.statistics.min = min;
  r.statistics.sd = sd;
  r.statistics.e = e;
  return r;
}

TEST(Batch_Texts, EveryBranch) {
  struct Case {
    const char* what;
    Batch_Result batch;
    Statistics_Texts texts;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float above_200 = std::nextafter(200.0f, 1000.0f);
  const float zero_strength = f32_bits(0xC0FA8F54);  // all-zero readings, about -7.83
  const Case cases[] = {
      // One area: no spread; the mean and the estimate as numbers even when
      // negative, the minimum by its bounds.
      {"one negative area",
       batch(1, zero_strength, zero_strength, 0.0f, zero_strength),
       {"-7.8", "-.-", "0.0", "-7.8"}},
      {"one area", batch(1, 28.0975f, 28.0975f, 0.0f, 28.0975f), {"28.1", "-.-", "28.1", "28.1"}},
      {"one area above 200", batch(1, 282.42f, 282.42f, 0.0f, 282.42f), {"282.4", "-.-", ">100.0", "282.4"}},
      {"estimate above 200", batch(12, 250.0f, 190.0f, 2.0f, above_200), {"-.-", "-.-", "190.0", ">100.0"}},
      {"estimate negative", batch(10, 6.975f, 0.46f, 20.6f, -26.9f), {"-.-", "-.-", "0.5", "0.0"}},
      {"estimate not a number", batch(10, 6.975f, -1.0f, 20.6f, nan), {"-.-", "-.-", "0.0", "0.0"}},
      {"estimate exactly 200", batch(10, 210.0f, 201.0f, 3.0f, 200.0f), {"210.0", "3.00", ">100.0", "200.0"}},
      {"estimate 0", batch(3, 5.0f, 0.0f, 2.5f, 0.0f), {"5.0", "2.50", "0.0", "0.0"}},
      // 21.05 is held as 21.0499992: the display bias makes every box round up.
      {"display bias", batch(20, 21.05f, 21.05f, 0.005f, 21.05f), {"21.1", "0.01", "21.1", "21.1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Statistics_Texts t = batch_texts(c.batch);
    EXPECT_EQ(t.avg, c.texts.avg);
    EXPECT_EQ(t.sd, c.texts.sd);
    EXPECT_EQ(t.min, c.texts.min);
    EXPECT_EQ(t.e, c.texts.e);
  }
}

}  // namespace
