// The safe replacing write behind every save, and the whole-file read.
#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "model/rebound_project.h"
#include "model/s_file.h"
#include "test_support.h"

using namespace test_support;

namespace {

// Fails the n-th write (counting from 1) or the flush.
class Failing_Writer : public S_File_Writer {
 public:
  Failing_Writer(int fail_write, bool fail_sync) : fail_write_(fail_write), fail_sync_(fail_sync) {}
  bool write(s_platform::File fd, const char* data, size_t n) override {
    if (++writes_ == fail_write_) {
      // Part of the data reaches the temporary file before the failure.
      S_File_Writer::write(fd, data, n / 2);
      return false;
    }
    return S_File_Writer::write(fd, data, n);
  }
  bool sync(s_platform::File fd) override { return !fail_sync_ && S_File_Writer::sync(fd); }

 private:
  int fail_write_;
  bool fail_sync_;
  int writes_ = 0;
};

const std::string old_content = "the previous project file\n";

// Gives a file something of its own that a replacement has to keep: a mode
// other than the default on POSIX, the hidden attribute on Windows.
void mark_file(const std::filesystem::path& path) {
#ifdef _WIN32
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
#endif
}
bool is_marked(const std::filesystem::path& path) {
#ifdef _WIN32
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
#else
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640;
#endif
}

TEST(Safe_Save, ReplacesTheFileAndKeepsItsMode) {
  Temp_Dir dir;
  put_file(dir / "a.prj", old_content);
  mark_file(dir / "a.prj");
  ASSERT_TRUE(write_file_replacing(dir / "a.prj", "new"));
  EXPECT_EQ(file_bytes(dir / "a.prj"), "new");
  EXPECT_TRUE(is_marked(dir / "a.prj"));
  EXPECT_EQ(dir.listing(), "a.prj");
}

TEST(Safe_Save, CreatesANewFile) {
  Temp_Dir dir;
  ASSERT_TRUE(write_file_replacing(dir / "n.prj", std::string("a\0b", 3)));
  EXPECT_EQ(file_bytes(dir / "n.prj"), std::string("a\0b", 3));
  EXPECT_EQ(dir.listing(), "n.prj");
}

TEST(Safe_Save, FailedWritesLeaveTheOldFileAndNoTemporary) {
  struct Case {
    const char* what;
    int fail_write;
    bool fail_sync;
  };
  const Case cases[] = {{"first write", 1, false}, {"flush", 0, true}};
  Rebound_Project project;
  project.new_component();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    put_file(dir / "p.prj", old_content);
    Failing_Writer writer(c.fail_write, c.fail_sync);
    EXPECT_FALSE(project.save(dir / "p.prj", writer));
    EXPECT_EQ(file_bytes(dir / "p.prj"), old_content);
    EXPECT_EQ(dir.listing(), "p.prj");
  }
}

TEST(Safe_Save, LaterChunkFailingLeavesTheOldFile) {
  // More than one chunk of the writer, so that the failure comes after a
  // first chunk was written in full.
  Temp_Dir dir;
  put_file(dir / "big", old_content);
  Failing_Writer writer(2, false);
  EXPECT_FALSE(write_file_replacing(dir / "big", std::string(3u << 20, 'x'), writer));
  EXPECT_EQ(file_bytes(dir / "big"), old_content);
  EXPECT_EQ(dir.listing(), "big");
}

// Runs the save as an unprivileged user when the suite runs as root (root
// may write into any folder). Windows has no such user: the read-only
// attribute holds for every process.
bool save_as_unprivileged(const Rebound_Project& project, const std::filesystem::path& path) {
#ifdef _WIN32
  return project.save(path);
#else
  if (::geteuid() != 0) return project.save(path);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(project.save(path) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 2) << "could not drop privileges";
  return WEXITSTATUS(status) != 0;
#endif
}

// Not on Windows: there neither the read-only attribute of a folder nor (under
// Wine) its access list keeps a process from creating files in it.
#ifndef _WIN32
TEST(Safe_Save, ReadOnlyFolderLeavesTheOldFile) {
  Temp_Dir dir;
  put_file(dir / "p.prj", old_content);
  ::chmod((dir / "p.prj").c_str(), 0666);
  ::chmod(dir.path().c_str(), 0555);
  Rebound_Project project;
  project.new_component();
  EXPECT_FALSE(save_as_unprivileged(project, dir / "p.prj"));
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(file_bytes(dir / "p.prj"), old_content);
  EXPECT_EQ(dir.listing(), "p.prj");
}
#endif

TEST(Safe_Save, ReadOnlyFileIsNotReplaced) {
  namespace fs = std::filesystem;
  Temp_Dir dir;
  put_file(dir / "p.prj", old_content);
  // Mode 0444 on POSIX, the read-only attribute on Windows; the folder is
  // open to everyone.
  fs::permissions(dir / "p.prj", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(dir.path(), fs::perms::all);
  Rebound_Project project;
  project.new_component();
  EXPECT_FALSE(save_as_unprivileged(project, dir / "p.prj"));
  EXPECT_EQ(file_bytes(dir / "p.prj"), old_content);
  EXPECT_EQ(dir.listing(), "p.prj");
  // Windows removes no read-only file with its folder.
  fs::permissions(dir / "p.prj", fs::perms::owner_write, fs::perm_options::add);
}

// Not on Windows: MinGW's std::filesystem makes no links there, and Wine's
// CreateSymbolicLinkW reports success without making one.
#ifndef _WIN32
TEST(Safe_Save, FollowsASymbolicLink) {
  Temp_Dir dir;
  std::filesystem::create_directory(dir / "real");
  put_file(dir / "real" / "p.prj", old_content);
  std::filesystem::create_symlink(dir / "real" / "p.prj", dir / "link.prj");
  ASSERT_TRUE(write_file_replacing(dir / "link.prj", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.prj"));
  EXPECT_EQ(file_bytes(dir / "real" / "p.prj"), "new");
  EXPECT_EQ(dir.listing(), "link.prj real");
}
#endif

TEST(Safe_Save, RefusesAFolderAsTarget) {
  Temp_Dir dir;
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(write_file_replacing(dir / "sub", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
  EXPECT_EQ(dir.listing(), "sub");
}

TEST(Read_File, ReadsAllOrAtMostTheLimit) {
  Temp_Dir dir;
  const std::string content = std::string("ab\0\xFF", 4) + std::string(100000, 'z');
  put_file(dir / "f", content);
  std::string out = "stale";
  ASSERT_TRUE(read_file(dir / "f", out));
  EXPECT_EQ(out, content);
  ASSERT_TRUE(read_file(dir / "f", out, 3));
  EXPECT_EQ(out, content.substr(0, 3));
}

TEST(Read_File, RefusesWhatIsNotARegularFile) {
  Temp_Dir dir;
  std::string out;
  EXPECT_FALSE(read_file(dir / "missing", out));
  EXPECT_FALSE(read_file(dir.path(), out));
#ifdef _WIN32
  // A device reads like a file but is none.
  EXPECT_FALSE(read_file(L"NUL", out));
#else
  // A FIFO with no writer would block a plain open for ever.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(read_file(dir / "fifo", out));
#endif
}

}  // namespace
