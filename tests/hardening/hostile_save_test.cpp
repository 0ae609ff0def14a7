// Saves under attack: a process killed at any moment of a large save, names
// as long as the file system allows, another user's file, and links that
// another user planted in a shared folder. The old file is never damaged,
// the new one is complete, and no temporary file accumulates.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <grp.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "tests/model/test_support.h"
#include "tools/device_file_writer.h"

using namespace test_support;

namespace {

constexpr uid_t OTHER_USER = 4321;
constexpr gid_t OTHER_GROUP = 4321;
constexpr uid_t FILE_OWNER = 1234;
constexpr gid_t SHARED_GROUP = 100;

// A project of 10,000 components of 50 areas each (13 MB).
const Rebound_Project& large_project() {
  static const Rebound_Project* project = [] {
    auto* p = new Rebound_Project;
    const std::string bytes = device_file_bytes(sample_device("KZ-1", 50, 36));
    for (int i = 0; i < 10000; ++i) {
      S_Byte_Reader in(bytes);
      import_device_file(*p->new_component(), in);
    }
    return p;
  }();
  return *project;
}

struct stat stat_of(const std::filesystem::path& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// Runs fn in a child process as another user (its own group, and the shared
// group as a supplementary one) and returns whether it returned true.
bool as_other_user(const std::function<bool()>& fn) {
  const pid_t child = ::fork();
  if (child == 0) {
    const gid_t groups[] = {SHARED_GROUP};
    if (::setgroups(1, groups) != 0 || ::setgid(OTHER_GROUP) != 0 || ::setuid(OTHER_USER) != 0) ::_exit(2);
    ::_exit(fn() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not act as another user";
  return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST(Killed_Save, LeavesTheOldOrTheNewFileAndNoStrayFile) {
  const Rebound_Project& project = large_project();
  const std::string new_content = stream_of(project);
  const std::string old_content = "the project as it was\n";
  Temp_Dir dir;
  const std::filesystem::path path = dir / "p.prj";

  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(project.save(path));
  const auto save_time = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(file_bytes(path), new_content);

  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(save_time).count() * 5 / 4);
  int killed_during_save = 0;
  for (const int signal : {SIGKILL, SIGHUP, SIGTERM}) {
    for (int round = 0; round < 12; ++round) {
      put_file(path, old_content);
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        ::signal(SIGHUP, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        ::_exit(project.save(path) ? 0 : 1);
      }
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
      ::kill(child, signal);
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      killed_during_save += WIFSIGNALED(status) ? 1 : 0;
      const std::string content = file_bytes(path);
      EXPECT_TRUE(content == old_content || content == new_content)
          << "signal " << signal << ", round " << round << ": a damaged file of " << content.size() << " bytes";
    }
  }
  EXPECT_GT(killed_during_save, 10) << "the kills came too late to test anything";
  // Whatever a kill left, the next save in the folder leaves only the file.
  ASSERT_TRUE(write_file_replacing(path, "last"));
  EXPECT_EQ(dir.listing(), "p.prj");
}

TEST(Killed_Save, NextSaveRemovesOnlyAbandonedTemporaryFiles) {
  // Where the file system cannot make unnamed files, a killed save leaves its
  // named temporary file; the next save in the folder removes it, but never a
  // file that a save at work holds, nor any other file.
  Temp_Dir dir;
  put_file(dir / ".rv820-save-abandon", "a killed save's bytes");
  put_file(dir / ".rv820-save-working", "a running save's bytes");
  put_file(dir / "p.prj.Ab12Cd", "a file of the user's own");
  const int held = ::open((dir / ".rv820-save-working").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_TRUE(write_file_replacing(dir / "p.prj", "new"));
  ::close(held);
  EXPECT_EQ(dir.listing(), ".rv820-save-working p.prj p.prj.Ab12Cd");
  EXPECT_EQ(file_bytes(dir / "p.prj"), "new");
}

TEST(Long_File_Name, UpToTheFileSystemLimitIsSavedAndReplaced) {
  Temp_Dir dir;
  for (size_t length = 249; length <= 255; ++length) {
    SCOPED_TRACE(std::to_string(length) + " bytes");
    const std::string name = std::string(length - 4, 'a') + ".prj";
    ASSERT_TRUE(write_file_replacing(dir / name, "first"));
    ASSERT_TRUE(write_file_replacing(dir / name, "second"));
    EXPECT_EQ(file_bytes(dir / name), "second");
    EXPECT_EQ(dir.listing(), name);
    std::filesystem::remove(dir / name);
  }
}

TEST(Save_Of_Another_Users_File, KeepsTheOwnerAndGroupWherePermitted) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving files to other users needs root";
  struct Case {
    const char* who;
    bool other_user;
    uid_t owner;  // expected after the save
  };
  // Root may give the file back to its owner; a member of the file's group
  // may not, but keeps the group, which is the one that may write it.
  const Case cases[] = {{"root", false, FILE_OWNER}, {"a member of the group", true, OTHER_USER}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    Temp_Dir dir;
    ::chmod(dir.path().c_str(), 0777);
    const std::filesystem::path path = dir / "p.prj";
    put_file(path, "old");
    ASSERT_EQ(::chown(path.c_str(), FILE_OWNER, SHARED_GROUP), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    const auto save = [&] { return write_file_replacing(path, "new"); };
    ASSERT_TRUE(c.other_user ? as_other_user(save) : save());
    const struct stat st = stat_of(path);
    EXPECT_EQ(file_bytes(path), "new");
    EXPECT_EQ(st.st_uid, c.owner);
    EXPECT_EQ(st.st_gid, SHARED_GROUP);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
  }
}

TEST(Planted_Link, InASharedStickyFolderIsFollowedOnlyWhereTheKernelWould) {
  if (::geteuid() != 0) GTEST_SKIP() << "planting another user's link needs root";
  struct Case {
    const char* what;
    mode_t folder_mode;
    uid_t link_owner;
    bool followed;
  };
  const Case cases[] = {
      {"another user's link in a sticky folder open to all", 01777, OTHER_USER, false},
      {"the saver's own link there", 01777, 0, true},
      {"another user's link in a folder that is not sticky", 0777, OTHER_USER, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const std::filesystem::path shared = dir / "shared";
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), c.folder_mode), 0);
    const std::filesystem::path victim = dir / "victim";
    put_file(victim, "the victim's bytes");
    std::filesystem::create_symlink(victim, shared / "p.prj");
    ASSERT_EQ(::lchown((shared / "p.prj").c_str(), c.link_owner, c.link_owner), 0);

    EXPECT_EQ(write_file_replacing(shared / "p.prj", "saved"), c.followed);
    EXPECT_EQ(file_bytes(victim), c.followed ? "saved" : "the victim's bytes");
    EXPECT_TRUE(std::filesystem::is_symlink(shared / "p.prj"));
    EXPECT_EQ(dir.listing(), "shared victim");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(shared)) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"p.prj"});
  }
}

}  // namespace
