#include "bench_goals.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace {

struct Figure {
  double seconds = 0.0;  // real time per iteration
  double items_per_second = 0.0;
};

// Keeps each benchmark's figure beside the usual console table: the median
// of repetitions where there are any, else the run itself.
class Goal_Reporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as the library's own reporter does.
  Goal_Reporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool aggregate = run.run_type == Run::RT_Aggregate;
      if (aggregate && run.aggregate_name != "median") continue;
      const std::string& name = run.run_name.function_name;
      if (!aggregate && medians.count(name)) continue;
      Figure& f = figures[name];
      f.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const auto rate = run.counters.find("items_per_second");
      f.items_per_second = rate == run.counters.end() ? 0.0 : static_cast<double>(rate->second);
      if (aggregate) medians[name] = true;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::map<std::string, Figure> figures;

 private:
  std::map<std::string, bool> medians;
};

std::string milliseconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
  return text;
}

}  // namespace

int run_benchmarks_with_goals(int argc, char** argv, const std::vector<Bench_Goal>& goals) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Goal_Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%-52s %-44s %-14s %s\n", "goal", "figures", "goal", "");
  for (const Bench_Goal& goal : goals) {
    const auto measured = reporter.figures.find(goal.measured);
    const auto baseline = reporter.figures.find(goal.baseline);
    std::string figures, bound;
    bool met = false;
    char text[96];
    if (measured == reporter.figures.end() ||
        (goal.kind == Bench_Goal::Kind::ratio_at_most && baseline == reporter.figures.end())) {
      std::printf("%-52s %-44s\n", goal.what.c_str(), "not run");
      continue;
    }
    switch (goal.kind) {
      case Bench_Goal::Kind::ratio_at_most: {
        const double ratio = measured->second.seconds / baseline->second.seconds;
        std::snprintf(text, sizeof text, "%s vs %s = %.2f x", milliseconds(measured->second.seconds).c_str(),
                      milliseconds(baseline->second.seconds).c_str(), ratio);
        figures = text;
        std::snprintf(text, sizeof text, "<= %.1f x", goal.bound);
        met = ratio <= goal.bound;
        break;
      }
      case Bench_Goal::Kind::time_at_most_ms:
        figures = milliseconds(measured->second.seconds);
        std::snprintf(text, sizeof text, "<= %g ms", goal.bound);
        met = measured->second.seconds * 1e3 <= goal.bound;
        break;
      case Bench_Goal::Kind::rate_at_least:
        std::snprintf(text, sizeof text, "%.3g per second", measured->second.items_per_second);
        figures = text;
        std::snprintf(text, sizeof text, ">= %.3g/s", goal.bound);
        met = measured->second.items_per_second >= goal.bound;
        break;
    }
    bound = text;
    std::printf("%-52s %-44s %-14s %s\n", goal.what.c_str(), figures.c_str(), bound.c_str(),
                met ? "met" : "MISSED");
  }
  return 0;
}
