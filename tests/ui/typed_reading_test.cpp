// The rule for a reading typed into the test-area grid, case by case.
#include <gtest/gtest.h>

#include "ui/s_typed_reading.h"

namespace {

using Verdict = S_Typed_Reading::Verdict;

TEST(Typed_Reading, Table) {
  const struct {
    const char* text;
    S_Typed_Reading expected;
  } cases[] = {
      {"50", {Verdict::Accepted, 50}},
      {"10", {Verdict::Accepted, 10}},
      {"98", {Verdict::Accepted, 98}},
      {"+36", {Verdict::Accepted, 36}},
      {"007", {Verdict::Not_Forced}},
      {"9", {Verdict::Not_Forced}},
      {"99", {Verdict::Not_Forced}},
      {"9n", {Verdict::Accepted, 9}},
      {"0N", {Verdict::Accepted, 0}},
      {"255n", {Verdict::Accepted, 255}},
      {"256n", {Verdict::Out_Of_Range}},
      {"300", {Verdict::Out_Of_Range}},
      {"-1", {Verdict::Out_Of_Range}},
      {"-0", {Verdict::Not_Forced}},
      {"99999999999999999999999n", {Verdict::Out_Of_Range}},
      {"-99999999999999999999999", {Verdict::Out_Of_Range}},
      {"", {Verdict::Not_A_Number}},
      {"n", {Verdict::Not_A_Number}},
      {"+", {Verdict::Not_A_Number}},
      {"abc", {Verdict::Not_A_Number}},
      {"5 0", {Verdict::Not_A_Number}},
      {" 50", {Verdict::Not_A_Number}},
      {"1e2", {Verdict::Not_A_Number}},
      {"50nn", {Verdict::Not_A_Number}},
      {"５０", {Verdict::Not_A_Number}},  // full-width digits
  };
  for (const auto& c : cases) EXPECT_EQ(typed_reading(c.text), c.expected) << c.text;
}

}  // namespace
