// Benchmarks of the core against baselines in the same run: saving and loading
// a large project against writing and reading the same bytes raw, importing
// instrument files against reading them raw, and the area evaluation.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_goals.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "tools/device_file_writer.h"

namespace {

const std::filesystem::path& bench_dir() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path d =
        std::filesystem::temp_directory_path() / ("rv820-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

// 10,000 components of 50 calculated areas each.
Rebound_Project& large_project() {
  static Rebound_Project* project = [] {
    auto* p = new Rebound_Project;
    const std::string bytes = device_file_bytes(sample_device("KZ-1", 50, 36));
    for (int i = 0; i < 10000; ++i) {
      R_Component* c = p->new_component();
      S_Byte_Reader in(bytes);
      import_device_file(*c, in);
      calculate_component(*c);
    }
    return p;
  }();
  return *project;
}

std::string project_bytes() {
  S_Byte_Writer out;
  large_project().write(out);
  return out.bytes();
}

void raw_write(const std::filesystem::path& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::fsync(fd) != 0) {
    std::abort();
  }
  ::close(fd);
}

void BM_save_raw_baseline(benchmark::State& state) {
  const std::string bytes = project_bytes();
  const auto path = bench_dir() / "raw.prj";
  for (auto _ : state) raw_write(path, bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_save_project(benchmark::State& state) {
  Rebound_Project& project = large_project();
  const auto path = bench_dir() / "saved.prj";
  for (auto _ : state) {
    if (!project.save(path)) state.SkipWithError("save failed");
  }
}

void BM_load_raw_baseline(benchmark::State& state) {
  const auto path = bench_dir() / "load.prj";
  raw_write(path, project_bytes());
  for (auto _ : state) {
    std::string bytes;
    if (!read_file(path, bytes)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(bytes.data());
  }
}

void BM_load_project(benchmark::State& state) {
  const auto path = bench_dir() / "load.prj";
  raw_write(path, project_bytes());
  for (auto _ : state) {
    // The project of the last load goes outside the timing: dropping it is
    // not part of a load.
    state.PauseTiming();
    auto project = std::make_unique<Rebound_Project>();
    state.ResumeTiming();
    if (!project->load(path) || project->component_count() != 10000) state.SkipWithError("load failed");
    state.PauseTiming();
    project.reset();
    state.ResumeTiming();
  }
}

const std::vector<std::filesystem::path>& instrument_files() {
  static const std::vector<std::filesystem::path> files = [] {
    std::vector<std::filesystem::path> v;
    const auto dir = bench_dir() / "r82";
    std::filesystem::create_directories(dir);
    for (int i = 0; i < 1000; ++i) {
      const std::string name = std::string("C").append(std::to_string(i));
      v.push_back(dir / (name + ".R82"));
      write_file_replacing(v.back(), device_file_bytes(sample_device(name, 50, 30 + i % 20)));
    }
    return v;
  }();
  return files;
}

void BM_import_raw_baseline(benchmark::State& state) {
  const auto& files = instrument_files();
  for (auto _ : state) {
    for (const auto& f : files) {
      std::string bytes;
      read_file(f, bytes, DEVICE_FILE_MAX_BYTES);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
}

void BM_import_files(benchmark::State& state) {
  const auto& files = instrument_files();
  for (auto _ : state) {
    Rebound_Project project;
    for (const auto& f : files) {
      std::string bytes;
      if (!read_file(f, bytes, DEVICE_FILE_MAX_BYTES)) state.SkipWithError("open failed");
      S_Byte_Reader in(bytes);
      if (!import_device_file(*project.new_component(), in)) state.SkipWithError("import failed");
    }
  }
}

void BM_evaluate_million_areas(benchmark::State& state) {
  std::vector<_TESTAREA> areas(1000000);
  for (size_t i = 0; i < areas.size(); ++i) {
    for (int r = 0; r < 16; ++r) areas[i].readings[r] = static_cast<uint8_t>(20 + (i * 7 + r * 13) % 40);
  }
  for (auto _ : state) {
    evaluate_areas(areas.data(), static_cast<uint32_t>(areas.size()));
    benchmark::DoNotOptimize(areas.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * areas.size()));
}

}  // namespace

BENCHMARK(BM_save_raw_baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_save_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_load_raw_baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_load_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_import_raw_baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_import_files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_evaluate_million_areas)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  using Kind = Bench_Goal::Kind;
  const int status = run_benchmarks_with_goals(
      argc, argv,
      {{"save 10,000 components x 50 areas", "BM_save_project", "BM_save_raw_baseline", Kind::ratio_at_most,
        2.0},
       {"load 10,000 components x 50 areas", "BM_load_project", "BM_load_raw_baseline", Kind::ratio_at_most,
        2.0},
       {"import 1,000 instrument files of 50 areas", "BM_import_files", "BM_import_raw_baseline",
        Kind::ratio_at_most, 2.0},
       {"calculate 1,000,000 test areas", "BM_evaluate_million_areas", "", Kind::rate_at_least, 5e6}});
  std::error_code ec;
  std::filesystem::remove_all(bench_dir(), ec);
  return status;
}
