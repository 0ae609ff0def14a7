// Benchmarks of the main window on the offscreen platform: Show_Project with
// 10,000 components, one keystroke in the grid of a 50-area component, and
// the start of the program up to its shown main window against the start of
// an empty Qt main window.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>

#include "bench_goals.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/s_byte_stream.h"
#include "report/rebound_tester_config.h"
#include "report/report_templates.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"
#include "tools/device_file_writer.h"
#include "ui/program_windows.h"
#include "ui/s_string_grid.h"

namespace {

// Answers every question No and cancels every dialog: nothing here asks.
class Bench_UI_Services : public UI_Services {
 public:
  void information(const QString&) override {}
  Answer ask_yes_no(const QString&) override { return Answer::No; }
  Answer ask_yes_no_cancel(const QString&) override { return Answer::Cancel; }
  QStringList open_files(const QString&, bool) override { return {}; }
  QString save_file(const QString&) override { return {}; }
  int show_modal(QDialog&) override { return 0; }
};

// A start directory with the shipped templates and settings that name them,
// so that showing the main window asks nothing.
class Start_Dir {
 public:
  Start_Dir() {
    const std::filesystem::path root = path();
    for (const auto& [from, to] : {std::pair{"area", "Report/测区"}, std::pair{"component", "Report/构件"}}) {
      std::filesystem::create_directories(root / to);
      std::filesystem::copy(std::filesystem::path(RV820_TEMPLATES_DIR) / from, root / to);
    }
    Rebound_Tester_Config config;
    config.Set_Start_Dir(path());
    config.Load();
    config.area_template = first_template(config, Report_Kind::Area);
    config.component_template = first_template(config, Report_Kind::Component);
    config.Save();
  }
  std::filesystem::path path() const { return dir.path().toStdString(); }

 private:
  static S_String first_template(const Rebound_Tester_Config& config, Report_Kind kind) {
    return to_s_string(list_template_files(template_folders(config, kind)).value(0));
  }
  QTemporaryDir dir;
};

// The program's windows, shown, in a start directory of their own.
struct Shown_Windows {
  Shown_Windows() {
    Tester_Config().Set_Start_Dir(start.path());
    Tester_Config().Load();
    windows = create_program_windows(services);
    windows.main_form->show();
    QApplication::processEvents();
  }
  TMain_Form& form() { return *windows.main_form; }

  Start_Dir start;
  Bench_UI_Services services;
  Program_Windows windows;
};

void add_components(Rebound_Project& project, int count, int areas) {
  const std::string bytes = device_file_bytes(sample_device("KZ-1", areas, 36));
  for (int i = 0; i < count; ++i) {
    R_Component* c = project.new_component();
    S_Byte_Reader in(bytes);
    import_device_file(*c, in);
    calculate_component(*c);
  }
}

void BM_show_project_10000(benchmark::State& state) {
  Shown_Windows shown;
  add_components(shown.form().project, 10000, 50);
  for (auto _ : state) {
    shown.form().Show_Project();
    // The views are painted too.
    QApplication::processEvents();
  }
}

void BM_grid_keystroke_50_areas(benchmark::State& state) {
  Shown_Windows shown;
  add_components(shown.form().project, 1, 50);
  shown.form().Show_Project();
  S_String_Grid& grid = *shown.form().findChild<S_String_Grid*>("Areas_Grid");
  grid.set_current(1, 25);
  grid.edit(grid.currentIndex());
  QLineEdit* editor = grid.cell_editor();
  if (!editor) {
    state.SkipWithError("no cell editor");
    return;
  }
  editor->clear();
  QApplication::processEvents();
  // A reading typed and taken back: every keystroke stores the reading.
  bool typed = false;
  for (auto _ : state) {
    QTest::keyClick(editor, typed ? Qt::Key_Backspace : Qt::Key_4);
    QApplication::processEvents();
    typed = !typed;
  }
}

// Starts a program in the start directory and waits until it has shown its
// main window: showing it writes the settings file (the program's report
// settings are saved whenever the main window is shown; the empty window
// writes the same file the same way), which inotify reports.
double seconds_to_shown_window(const char* program, const Start_Dir& start) {
  const std::filesystem::path setting = start.path() / "Setting";
  const int watch = ::inotify_init1(IN_CLOEXEC);
  if (watch < 0 || ::inotify_add_watch(watch, setting.c_str(), IN_MOVED_TO) < 0) return -1.0;
  const auto begin = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(start.path().c_str()) != 0) ::_exit(127);
    ::execl(program, program, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  double seconds = -1.0;
  alignas(inotify_event) char events[4096];
  for (pollfd p{watch, POLLIN, 0}; child > 0 && ::poll(&p, 1, 30000) == 1;) {
    const ssize_t n = ::read(watch, events, sizeof events);
    bool shown = false;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(events + at);
      shown = shown || (e->len > 0 && std::strcmp(e->name, "Config.ini") == 0);
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
    if (shown) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
      break;
    }
  }
  if (child > 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  ::close(watch);
  return seconds;
}

void start_up(benchmark::State& state, const char* program) {
  const Start_Dir start;
  for (auto _ : state) {
    const double seconds = seconds_to_shown_window(program, start);
    if (seconds < 0) {
      state.SkipWithError("the window was not shown");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_start_up_program(benchmark::State& state) { start_up(state, RV820_PROGRAM); }
void BM_start_up_empty_window(benchmark::State& state) { start_up(state, RV820_EMPTY_WINDOW); }

}  // namespace

BENCHMARK(BM_show_project_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_grid_keystroke_50_areas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_start_up_empty_window)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_start_up_program)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  using Kind = Bench_Goal::Kind;
  return run_benchmarks_with_goals(
      argc, argv,
      {{"Show_Project with 10,000 components", "BM_show_project_10000", "", Kind::time_at_most_ms, 100.0},
       {"one keystroke in the grid of 50 areas", "BM_grid_keystroke_50_areas", "", Kind::time_at_most_ms,
        1.0},
       {"start-up to the shown main window", "BM_start_up_program", "BM_start_up_empty_window",
        Kind::ratio_at_most, 1.5}});
}
