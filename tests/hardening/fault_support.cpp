#include "fault_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

namespace fault_support {

namespace {

constexpr long NOBODY = 65534;

// The raw system calls change the calling thread only; the C library's
// wrappers would change every thread of the process.
bool set_ids(long real, long effective, long saved) {
  return ::syscall(SYS_setresgid, real, effective, saved) == 0 &&
         ::syscall(SYS_setresuid, real, effective, saved) == 0;
}

}  // namespace

Unprivileged_Scope::Unprivileged_Scope() {
  if (::geteuid() != 0) return;
  // The saved ids stay root's, so that the scope can switch back.
  switched_ = set_ids(NOBODY, NOBODY, 0);
  if (!switched_) ADD_FAILURE() << "cannot act as an unprivileged user: " << std::strerror(errno);
}

Unprivileged_Scope::~Unprivileged_Scope() {
  if (!switched_) return;
  // The user id first: it brings back the right to change the group.
  if (::syscall(SYS_setresuid, 0, 0, 0) != 0 || ::syscall(SYS_setresgid, 0, 0, 0) != 0) {
    ADD_FAILURE() << "cannot switch back to root";
  }
}

Full_Disk_Scope::Full_Disk_Scope() {
  old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit {};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  old_soft_ = limit.rlim_cur;
  limit.rlim_cur = 0;
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ADD_FAILURE() << "cannot limit the file size";
}

Full_Disk_Scope::~Full_Disk_Scope() {
  struct rlimit limit {};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = old_soft_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, old_handler_);
}

Guarded_Bytes::Guarded_Bytes(size_t capacity) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  usable_ = (capacity + page - 1) / page * page;
  mapped_ = usable_ + page;
  void* p = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) {
    ADD_FAILURE() << "cannot map the guarded bytes";
    return;
  }
  base_ = static_cast<char*>(p);
  if (::mprotect(base_ + usable_, page, PROT_NONE) != 0) ADD_FAILURE() << "cannot guard the bytes";
}

Guarded_Bytes::~Guarded_Bytes() {
  if (base_) ::munmap(base_, mapped_);
}

std::string_view Guarded_Bytes::place(std::string_view bytes) {
  if (!base_ || bytes.size() > usable_) {
    ADD_FAILURE() << "the guarded bytes hold " << usable_ << " bytes, not " << bytes.size();
    return {};
  }
  char* start = base_ + usable_ - bytes.size();
  if (!bytes.empty()) std::memcpy(start, bytes.data(), bytes.size());
  return std::string_view(start, bytes.size());
}

void open_to_everyone(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::permissions(folder, std::filesystem::perms(0755), ec);
  if (ec) ADD_FAILURE() << "cannot open " << folder << ": " << ec.message();
}

}  // namespace fault_support
