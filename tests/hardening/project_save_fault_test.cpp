// A save that fails at any one of its writes, or at the flush, as on a full
// disk: it reports the failure, the file it was to replace is as it was byte
// for byte (with its mode), a file that did not exist still does not, and no
// temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "tests/model/test_support.h"
#include "tools/device_file_writer.h"

using namespace test_support;

namespace {

// Counts the writes of a save, or fails the n-th write (from 1; 0 fails the
// flush). A failing write either writes nothing or, as a disk that fills up
// part-way, writes half its bytes and then reports the disk full.
class Full_Disk_Writer : public S_File_Writer {
 public:
  enum class Mode { count, nothing_written, half_written };
  Full_Disk_Writer(Mode mode, int fail_at) : mode_(mode), fail_at_(fail_at) {}

  bool write(s_platform::File fd, const char* data, size_t n) override {
    ++writes;
    if (mode_ == Mode::count || writes != fail_at_) return S_File_Writer::write(fd, data, n);
    if (mode_ == Mode::half_written) S_File_Writer::write(fd, data, n / 2);
    errno = ENOSPC;
    return false;
  }
  bool sync(s_platform::File fd) override {
    if (mode_ != Mode::count && fail_at_ == 0) {
      errno = ENOSPC;
      return false;
    }
    return S_File_Writer::sync(fd);
  }

  int writes = 0;

 private:
  Mode mode_;
  int fail_at_;
};

// A project of some megabytes, so that a save takes several writes.
const Rebound_Project& large_project() {
  static const Rebound_Project* project = [] {
    auto* p = new Rebound_Project;
    const std::string bytes = device_file_bytes(sample_device("KZ-1", 50, 36));
    for (int i = 0; i < 3000; ++i) {
      S_Byte_Reader in(bytes);
      import_device_file(*p->new_component(), in);
    }
    return p;
  }();
  return *project;
}

std::string stream_of(const Rebound_Project& p) {
  S_Byte_Writer out;
  EXPECT_TRUE(p.write(out));
  return out.bytes();
}

mode_t mode_of(const std::filesystem::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(Failing_Save, EveryWriteAndTheFlush) {
  const Rebound_Project& project = large_project();
  const std::string old_content = "the project file as it was\n";
  int writes = 0;
  {
    Temp_Dir dir;
    Full_Disk_Writer counter(Full_Disk_Writer::Mode::count, 0);
    ASSERT_TRUE(project.save(dir / "p.prj", counter));
    EXPECT_EQ(file_bytes(dir / "p.prj"), stream_of(project));
    writes = counter.writes;
  }
  ASSERT_GT(writes, 2) << "the project is too small to fail between writes";

  for (const auto mode : {Full_Disk_Writer::Mode::nothing_written, Full_Disk_Writer::Mode::half_written}) {
    for (int n = 0; n <= writes; ++n) {
      for (const bool existing : {true, false}) {
        SCOPED_TRACE((n == 0 ? std::string("flush") : "write " + std::to_string(n)) +
                     (mode == Full_Disk_Writer::Mode::half_written ? ", half written" : ", nothing written") +
                     (existing ? ", replacing a file" : ", new file"));
        Temp_Dir dir;
        if (existing) {
          put_file(dir / "p.prj", old_content);
          ASSERT_EQ(::chmod((dir / "p.prj").c_str(), 0640), 0);
        }
        Full_Disk_Writer writer(mode, n);
        EXPECT_FALSE(project.save(dir / "p.prj", writer));
        EXPECT_EQ(dir.listing(), existing ? "p.prj" : "");
        if (existing) {
          EXPECT_EQ(file_bytes(dir / "p.prj"), old_content);
          EXPECT_EQ(mode_of(dir / "p.prj"), 0640u);
        }
      }
    }
  }
}

}  // namespace
