// Loading damaged project files: cut at every byte and with every length
// field set to a hostile value, a load never reads past the end, never asks
// for more memory than the file holds, and fails as the load rules say: the
// texts read before the failure are kept, the components appended before it
// stay, the last one holding the fields read so far and its defaults for the
// rest.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>

#include "fault_support.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "tests/model/allocation_probe.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

bool same_bits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

// One field of a component record: where it ends in the record, and whether
// two components agree on it.
struct Field {
  std::string name;
  size_t end;
  std::function<bool(const R_Component&, const R_Component&)> same;
};

// The fields of a component record in file order, with the offsets of the
// record that c writes.
std::vector<Field> record_fields(const R_Component& c) {
  std::vector<Field> fields;
  size_t at = 0;
  const auto add = [&](std::string name, size_t width, auto same) {
    at += width;
    fields.push_back({std::move(name), at, same});
  };
  const std::pair<const char*, S_String R_Component::*> texts[] = {
      {"component_name", &R_Component::component_name},
      {"component_date", &R_Component::component_date},
      {"produced_date", &R_Component::produced_date},
      {"bak_info", &R_Component::bak_info},
      {"device_type", &R_Component::device_type},
      {"device_num", &R_Component::device_num},
      {"tester", &R_Component::tester},
      {"certificate_serial", &R_Component::certificate_serial},
      {"examine_basis", &R_Component::examine_basis}};
  for (const auto& [name, member] : texts) {
    add(name, 4 + (c.*member).length(),
        [m = member](const R_Component& a, const R_Component& b) { return a.*m == b.*m; });
  }
  const std::pair<const char*, float R_Component::*> results[] = {
      {"strength_avg", &R_Component::strength_avg},
      {"strength_sd", &R_Component::strength_sd},
      {"strength_e", &R_Component::strength_e},
      {"strength_min", &R_Component::strength_min}};
  for (const auto& [name, member] : results) {
    add(name, 4, [m = member](const R_Component& a, const R_Component& b) { return same_bits(a.*m, b.*m); });
  }
  add("strength_grade", 4,
      [](const R_Component& a, const R_Component& b) { return a.strength_grade == b.strength_grade; });
  add("area_count", 4,
      [](const R_Component& a, const R_Component& b) { return a.get_area_count() == b.get_area_count(); });
  add("checked", 1,
      [](const R_Component& a, const R_Component& b) { return a.is_checked() == b.is_checked(); });
  // An area a component does not hold reads as a fresh one.
  const auto area = [](const R_Component& x, uint32_t i) -> const R_Area& {
    static const R_Area fresh;
    return i < x.areas.size() ? x.areas[i] : fresh;
  };
  for (uint32_t i = 0; i < c.get_area_count(); ++i) {
    const std::string name = "area " + std::to_string(i) + " ";
    add(name + "avg_rebound", 4, [i, area](const R_Component& a, const R_Component& b) {
      return same_bits(area(a, i).avg_rebound, area(b, i).avg_rebound);
    });
    add(name + "strength", 4, [i, area](const R_Component& a, const R_Component& b) {
      return same_bits(area(a, i).strength, area(b, i).strength);
    });
    // The readings are read one byte at a time: a cut among them keeps
    // those before it.
    for (int r = 0; r < READINGS_PER_AREA; ++r) {
      add(name + "reading " + std::to_string(r), 1, [i, r, area](const R_Component& a, const R_Component& b) {
        return area(a, i).readings[r] == area(b, i).readings[r];
      });
    }
  }
  // A component holds the areas it counts, and no more.
  fields.push_back({"areas held", 0, [](const R_Component& a, const R_Component&) {
                      return a.areas.size() == a.get_area_count();
                    }});
  return fields;
}

// The project a damaged file is loaded into: texts of its own and one
// component, which a load must keep.
void make_open_project(Rebound_Project& p) {
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) p.text(i).assign("old " + std::to_string(i));
  p.new_component()->component_name.assign("OLD");
}

// The project of the file: texts of every length (one empty), Chinese
// names, and components of 2, 0 and 3 areas with every field set.
void make_file_project(Rebound_Project& p) {
  p.clear();
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
    p.text(i).assign(i == 7 ? std::string()
                            : utf8_to_gbk("工程" + std::string(static_cast<size_t>(i % 4), 'x')));
  }
  const int area_counts[] = {2, 0, 3};
  int k = 0;
  for (int n : area_counts) {
    R_Component* c = p.new_component();
    c->component_name.assign(utf8_to_gbk("梁-" + std::to_string(k)));
    c->component_date.assign("2013-05-0" + std::to_string(k + 1));
    c->produced_date.assign("2012-01-0" + std::to_string(k + 1));
    c->bak_info.assign(k == 1 ? "" : "bak");
    c->device_num.assign("0820117");
    c->tester.assign(utf8_to_gbk("张"));
    c->certificate_serial.assign("S-" + std::to_string(k));
    c->strength_avg = 30.25f + static_cast<float>(k);
    c->strength_sd = 1.5f;
    c->strength_e = 28.125f;
    c->strength_min = 27.5f;
    c->strength_grade = k + 1;
    c->set_checked(k == 1 ? 0 : 1);
    while (c->get_area_count() > static_cast<uint32_t>(n)) c->remove_area(0);
    while (c->get_area_count() < static_cast<uint32_t>(n)) c->add_area();
    for (int a = 0; a < n; ++a) {
      c->areas[a].avg_rebound = 35.5f + static_cast<float>(a);
      c->areas[a].strength = 31.0f - static_cast<float>(a);
      for (int r = 0; r < 16; ++r) c->areas[a].readings[r] = static_cast<uint8_t>(30 + a + r + k);
    }
    ++k;
  }
}

// Where each part of the file's stream ends.
struct Layout {
  std::vector<size_t> text_end;
  size_t count_end = 0;
  std::vector<size_t> component_start;
  size_t total = 0;
};

Layout layout_of(const Rebound_Project& p) {
  Layout l;
  size_t at = 0;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) l.text_end.push_back(at += 4 + p.text(i).length());
  l.count_end = at += 4;
  for (const auto& c : p.components) {
    l.component_start.push_back(at);
    at += stream_of(*c).size();
  }
  l.total = at;
  return l;
}

#ifndef RV820_SANITIZED  // a sanitized build cannot run under a limited address space
// Runs body in a child process whose address space holds what is in use now
// and extra bytes more, and gives back what body reported (empty when all
// went well), or why the child did not finish.
std::string under_address_limit(size_t extra, const std::function<std::string()>& body) {
  int report[2];
  if (::pipe(report) != 0) return "no pipe";
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return "no child";
  if (child == 0) {
    ::close(report[0]);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t in_use = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
    const struct rlimit limit { in_use + extra, in_use + extra };
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
    const std::string failures = body();
    if (::write(report[1], failures.data(), failures.size()) < 0) ::_exit(4);
    ::_exit(0);
  }
  ::close(report[1]);
  std::string failures;
  char buf[256];
  for (ssize_t n; (n = ::read(report[0], buf, sizeof buf)) > 0;) failures.append(buf, static_cast<size_t>(n));
  ::close(report[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return "lost the child";
  if (!WIFEXITED(status)) return failures + "died under the limit (signal " + std::to_string(WTERMSIG(status)) + ")";
  if (WEXITSTATUS(status) != 0) return failures + "exit status " + std::to_string(WEXITSTATUS(status));
  return failures;
}
#endif

class Damaged_Project_File : public ::testing::Test {
 protected:
  void SetUp() override {
    make_file_project(file);
    bytes = stream_of(file);
    layout = layout_of(file);
    ASSERT_EQ(layout.total, bytes.size());
    make_open_project(before);
  }

  // One damaged stream loaded into fresh open projects three ways: from a
  // file, from bytes followed by an unmapped page, and from a source read a
  // few bytes at a time (so that the reader refills at every field boundary)
  // that says it holds size bytes (more, for a file that shrank after it was
  // opened).
  struct Loaded {
    Rebound_Project from_file, from_guarded, from_pieces;
    bool file_ok = false, guarded_ok = false, pieces_ok = false;
  };

  void load_all(const std::string& damaged, Loaded& loaded, size_t size = std::string::npos) {
    put_file(dir / "damaged.prj", damaged);
    make_open_project(loaded.from_file);
    Allocation_Probe probe;
    loaded.file_ok = loaded.from_file.load(dir / "damaged.prj");
    // A single request never exceeds the file, or one component's areas.
    EXPECT_LE(probe.largest(), std::max({damaged.size() + 1, sizeof(R_Component), MAX_AREAS * sizeof(R_Area)}));

    make_open_project(loaded.from_guarded);
    S_Byte_Reader guarded(guard.place(damaged));
    loaded.guarded_ok = loaded.from_guarded.read(guarded);

    make_open_project(loaded.from_pieces);
    size_t at = 0;
    const auto source = [&](char* dst, size_t n) {
      n = std::min({n, size_t{3}, damaged.size() - at});
      std::memcpy(dst, damaged.data() + at, n);
      at += n;
      return n;
    };
    S_Byte_Reader pieces(source, size == std::string::npos ? damaged.size() : size, 5);
    loaded.pieces_ok = loaded.from_pieces.read(pieces);
  }

  // The three loads agree with each other and succeed only as ok says.
  void expect_agreement(const Loaded& loaded, bool ok, const std::string& what) {
    EXPECT_EQ(loaded.file_ok, ok) << what;
    EXPECT_EQ(loaded.guarded_ok, ok) << what;
    EXPECT_EQ(loaded.pieces_ok, ok) << what;
    const std::string from_file = hex(stream_of(loaded.from_file));
    EXPECT_EQ(hex(stream_of(loaded.from_guarded)), from_file) << what;
    EXPECT_EQ(hex(stream_of(loaded.from_pieces)), from_file) << what;
  }

  // What the load rules leave when the stream stops being readable at stop:
  // the texts that end by then, the open project's components, then one
  // component per record reached, filled with the fields that end by then.
  // extra: one more record was announced than the file holds.
  void expect_state(const Rebound_Project& got, size_t stop, bool extra, const std::string& what) {
    SCOPED_TRACE(what);
    for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
      const S_String& want = layout.text_end[i] <= stop ? file.text(i) : before.text(i);
      EXPECT_EQ(got.text(i), want) << PROJECT_TEXTS[i].name;
    }
    size_t reached = 0;
    if (stop >= layout.count_end) {
      while (reached < layout.component_start.size() && layout.component_start[reached] <= stop) ++reached;
    }
    const size_t old = before.component_count();
    ASSERT_EQ(got.component_count(), old + reached + (extra ? 1 : 0));
    EXPECT_EQ(got.component(0)->component_name.bytes(), "OLD");
    const R_Component fresh;
    for (size_t k = 0; k < reached; ++k) {
      const R_Component& c = *got.component(static_cast<int32_t>(old + k));
      const R_Component& original = *file.component(static_cast<int32_t>(k));
      const size_t in_record = stop - layout.component_start[k];
      for (const Field& f : record_fields(original)) {
        EXPECT_TRUE(f.same(c, f.end <= in_record ? original : fresh)) << "component " << k << " " << f.name;
      }
    }
    if (extra) {
      EXPECT_EQ(stream_of(*got.components.back()), stream_of(fresh));
    }
  }

  Temp_Dir dir;
  Rebound_Project file;
  Rebound_Project before;
  std::string bytes;
  Layout layout;
  fault_support::Guarded_Bytes guard{64 * 1024};
};

TEST_F(Damaged_Project_File, CutAtEveryByte) {
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    Loaded loaded;
    load_all(bytes.substr(0, cut), loaded, bytes.size());
    const std::string what = "cut at " + std::to_string(cut);
    expect_agreement(loaded, cut == bytes.size(), what);
    expect_state(loaded.from_file, cut, false, what);
    if (HasFailure()) break;  // one cut tells the fault; the rest would repeat it
  }
}

// Every length field of the file: its offset, and whether it counts areas
// (the other lengths count bytes).
struct Length_Field {
  std::string name;
  size_t at;
  bool area_count;
};

std::vector<Length_Field> length_fields(const Rebound_Project& p, const Layout& l) {
  std::vector<Length_Field> v;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) {
    v.push_back({PROJECT_TEXTS[i].name, i == 0 ? 0 : l.text_end[i - 1], false});
  }
  for (size_t k = 0; k < l.component_start.size(); ++k) {
    size_t at = l.component_start[k];
    const std::vector<Field> fields = record_fields(*p.component(static_cast<int32_t>(k)));
    for (int f = 0; f < 9; ++f) {
      v.push_back({"component " + std::to_string(k) + " " + fields[f].name, at, false});
      at = l.component_start[k] + fields[f].end;
    }
    v.push_back(
        {"component " + std::to_string(k) + " area_count", l.component_start[k] + fields[14].end - 4, true});
  }
  return v;
}

void set_u32(std::string& s, size_t at, uint32_t v) {
  const std::string le = le32(v);
  s.replace(at, 4, le);
}

TEST_F(Damaged_Project_File, HostileLengthsFailWhereTheyStand) {
  std::vector<Length_Field> fields = length_fields(file, layout);
  for (const Length_Field& f : fields) {
    const uint32_t past_the_end = static_cast<uint32_t>(bytes.size() - f.at - 4 + 1);
    const std::vector<uint32_t> hostile =
        f.area_count ? std::vector<uint32_t>{MAX_AREAS + 1, 0x80000000u, 0xFFFFFFFFu}
                     : std::vector<uint32_t>{past_the_end, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    for (uint32_t value : hostile) {
      std::string damaged = bytes;
      set_u32(damaged, f.at, value);
      Loaded loaded;
      load_all(damaged, loaded);
      const std::string what = f.name + " = " + std::to_string(value);
      expect_agreement(loaded, false, what);
      // The field itself is not taken: the state is that of a stream that
      // stops where the field stands.
      expect_state(loaded.from_file, f.at, false, what);
    }
  }
}

TEST_F(Damaged_Project_File, ComponentCountBeyondTheRecords) {
  const uint32_t count = file.component_count();
  for (uint32_t value : {count + 1, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::string damaged = bytes;
    set_u32(damaged, layout.count_end - 4, value);
    Loaded loaded;
    load_all(damaged, loaded);
    expect_agreement(loaded, false, "count " + std::to_string(value));
    // Every record is read; the first one missing is appended with its defaults.
    expect_state(loaded.from_file, bytes.size(), true, "count " + std::to_string(value));
  }
}

// The same hostile files under an address space that holds the program and
// little more than the file: a load that followed a stored length, or made a
// record for every one a count announces, would run out of memory. Checked in
// a child process, which alone gets the limit.
// Sanitizers reserve far more address space than they use, so a sanitized
// build cannot run under such a limit.
TEST_F(Damaged_Project_File, HostileLengthsUnderALimitedAddressSpace) {
#ifdef RV820_SANITIZED
  GTEST_SKIP() << "a sanitized build cannot run under a limited address space";
#else
  std::vector<std::string> damaged_files;
  for (const Length_Field& f : length_fields(file, layout)) {
    for (uint32_t value : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
      std::string damaged = bytes;
      set_u32(damaged, f.at, value);
      damaged_files.push_back(damaged);
    }
  }
  std::string count_damaged = bytes;
  set_u32(count_damaged, layout.count_end - 4, 0xFFFFFFFFu);
  damaged_files.push_back(count_damaged);
  for (size_t i = 0; i < damaged_files.size(); ++i)
    put_file(dir / (std::to_string(i) + ".prj"), damaged_files[i]);

  // A load that ran out of memory would fail as well, so the child also
  // checks that no request exceeded the file and that no more records were
  // made than the file holds (and the one it announces beyond them).
  const std::string failures = under_address_limit(64u << 20, [&] {
    std::string failures;
    for (size_t i = 0; i < damaged_files.size(); ++i) {
      Rebound_Project p;
      p.clear();
      Allocation_Probe probe;
      const bool loaded = p.load(dir / (std::to_string(i) + ".prj"));
      const size_t largest = probe.largest();
      if (loaded || largest > std::max({damaged_files[i].size() + 1, sizeof(R_Component), MAX_AREAS * sizeof(R_Area)}) ||
          p.component_count() > file.component_count() + 1) {
        failures += "file " + std::to_string(i) + ": loaded " + std::to_string(loaded) +
                    ", largest request " + std::to_string(largest) + ", components " +
                    std::to_string(p.component_count()) + "\n";
      }
    }
    return failures;
  });
  EXPECT_EQ(failures, "");
#endif
}

// A sparse file of zeros that announces 0xFFFFFFFF components: every 61 bytes
// make an empty component. A component holds only the areas it has, so the
// components take memory in proportion to the bytes they were read from and
// the whole file loads under an address space of 16 times its size (with 50
// area slots each they would need 33 times).
TEST(Sparse_Project_File, LoadsUnderAnAddressSpaceThatFollowsTheFile) {
#ifdef RV820_SANITIZED
  GTEST_SKIP() << "a sanitized build cannot run under a limited address space";
#else
  constexpr size_t FILE_SIZE = 32u << 20;
  constexpr size_t RECORD = 9 * 4 + 4 * 4 + 4 + 4 + 1;
  Temp_Dir dir;
  const std::filesystem::path path = dir / "sparse.prj";
  put_file(path, std::string(Rebound_Project::TEXT_COUNT * 4, '\0') + le32(0xFFFFFFFFu));
  std::filesystem::resize_file(path, FILE_SIZE);
  const size_t records = (FILE_SIZE - Rebound_Project::TEXT_COUNT * 4 - 4) / RECORD;
  const std::string failures = under_address_limit(16 * FILE_SIZE, [&]() -> std::string {
    Rebound_Project p;
    p.clear();
    const bool loaded = p.load(path);
    // Every record is read, and the one cut by the end is appended too.
    if (loaded || p.component_count() != records + 1)
      return "loaded " + std::to_string(loaded) + ", " + std::to_string(p.component_count()) + " of " +
             std::to_string(records + 1) + " components";
    return "";
  });
  EXPECT_EQ(failures, "");
#endif
}

}  // namespace
