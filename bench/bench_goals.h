// The goals the benchmarks are held to. Each goal names a benchmark and
// either its baseline of the same run (the goal is a ratio) or an absolute
// bound. The runner prints Google Benchmark's table and then one line per
// goal with the figures, the ratio and whether the goal was met; it never
// fails on a missed goal.
#pragma once

#include <string>
#include <vector>

struct Bench_Goal {
  enum class Kind {
    ratio_at_most,    // measured time / baseline time <= bound
    time_at_most_ms,  // measured time per iteration <= bound milliseconds
    rate_at_least,    // measured items per second >= bound
  };
  std::string what;
  std::string measured;  // the benchmark's function name
  std::string baseline;  // the baseline's function name (ratio goals only)
  Kind kind;
  double bound;
};

// Runs the registered benchmarks (with the usual command-line flags) and
// then checks the goals against them. Returns the process's exit status.
int run_benchmarks_with_goals(int argc, char** argv, const std::vector<Bench_Goal>& goals);
