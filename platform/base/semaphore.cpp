// Named semaphores: the single-instance marker.
//
// A name must live exactly as long as some process holds a handle to it, as a named kernel object
// does, also when a holder crashes or is killed. POSIX named semaphores outlive their processes, so
// a crashed instance would leave the name behind for good. Here each name is a file whose open
// handles hold a shared lock on it: the kernel drops the locks of a process that ends however it
// ends, and "the name exists" means "someone holds the lock". The last handle to close removes the
// file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "utf8.h"
#include "winbase.h"

namespace base {
namespace {

struct Semaphore {
  int fd = -1;       // the name's lock file (named semaphores only)
  std::string path;  // empty for an unnamed semaphore

  Semaphore() = default;
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;
  ~Semaphore() {
    if (fd < 0) return;
    // The last holder takes the name away, so that the folder does not fill with names nobody
    // holds. A newcomer that opened the file just before the removal finds, once it has its lock,
    // that its file is no longer the name, and opens the name afresh.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
    close(fd);
  }
};

// Every semaphore this process holds.
std::map<std::uintptr_t, std::unique_ptr<Semaphore>>& Semaphores() {
  static std::map<std::uintptr_t, std::unique_ptr<Semaphore>> table;
  return table;
}

bool CloseSemaphore(HANDLE handle) {
  return Semaphores().erase(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

// Names belong to the user's session, as they do on the desktop the program comes from: the
// user's runtime folder, or a folder of the shared-memory file system named after the user.
std::string NamesFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime != nullptr && *runtime == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode))
    return runtime;
  return "/dev/shm";
}

// One file name per object name: the name's UTF-8 with slashes replaced, after a prefix that says
// what the file is and whose it is.
std::string NamePath(const std::wstring& name) {
  std::string file = "named-semaphore." + std::to_string(getuid()) + ".";
  for (char c : ToUtf8(name)) file += (c == '/') ? '_' : c;
  if (file.size() > 250) file.resize(250);
  return NamesFolder() + "/" + file;
}

// Opens the name's file with a shared lock held, and says whether another handle held it already.
// -1 when the file cannot be had.
int OpenName(const std::string& path, bool* existed) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    // Nobody else holds the name when an exclusive lock is free; a lock is then converted to the
    // shared lock every holder keeps.
    *existed = flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (flock(fd, LOCK_SH) != 0) {
      close(fd);
      return -1;
    }
    // The last holder may have removed the file between the open and the lock: then this file is
    // no longer the name.
    struct stat held {};
    struct stat named {};
    if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return fd;
    close(fd);
  }
  return -1;
}

}  // namespace
}  // namespace base

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCWSTR name) {
  if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto s = std::make_unique<base::Semaphore>();
  DWORD error = ERROR_SUCCESS;
  if (name != nullptr && *name != 0) {
    s->path = base::NamePath(name);
    bool existed = false;
    s->fd = base::OpenName(s->path, &existed);
    if (s->fd < 0) {
      SetLastError(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    if (existed) error = ERROR_ALREADY_EXISTS;
  }
  base::AddCloseHandler(&base::CloseSemaphore);
  auto handle = base::NewKernelHandleValue();
  base::Semaphores()[handle] = std::move(s);
  SetLastError(error);
  return reinterpret_cast<HANDLE>(handle);
}
