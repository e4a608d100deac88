// Named semaphores: the single-instance marker.
#include <fcntl.h>
#include <semaphore.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "utf8.h"
#include "winbase.h"

namespace base {
namespace {

struct Semaphore {
  sem_t* sem = nullptr;
  std::string name;  // empty for an unnamed semaphore
  bool creator = false;
  std::unique_ptr<sem_t> unnamed;

  Semaphore() = default;
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;
  ~Semaphore() {
    if (unnamed) {
      sem_destroy(unnamed.get());
      return;
    }
    if (sem) sem_close(sem);
    // The process that created the name takes it away again, so a later start finds no marker.
    if (creator && !name.empty()) sem_unlink(name.c_str());
  }
};

// Every semaphore this process holds; closing them at exit removes the names it created.
std::map<std::uintptr_t, std::unique_ptr<Semaphore>>& Semaphores() {
  static std::map<std::uintptr_t, std::unique_ptr<Semaphore>> table;
  return table;
}

bool CloseSemaphore(HANDLE handle) {
  return Semaphores().erase(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

// POSIX names start with one slash and hold no other.
std::string PosixName(const std::wstring& name) {
  std::string out = "/";
  for (char c : ToUtf8(name)) out += (c == '/') ? '_' : c;
  if (out.size() > 250) out.resize(250);
  return out;
}

}  // namespace
}  // namespace base

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCWSTR name) {
  if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto s = std::make_unique<base::Semaphore>();
  if (!name || !*name) {
    s->unnamed = std::make_unique<sem_t>();
    if (sem_init(s->unnamed.get(), 0, static_cast<unsigned>(initialCount)) != 0) {
      s->unnamed.reset();
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    s->sem = s->unnamed.get();
    SetLastError(ERROR_SUCCESS);
  } else {
    s->name = base::PosixName(name);
    s->sem = sem_open(s->name.c_str(), O_CREAT | O_EXCL, 0600, static_cast<unsigned>(initialCount));
    DWORD error = ERROR_SUCCESS;
    if (s->sem == SEM_FAILED && errno == EEXIST) {
      s->sem = sem_open(s->name.c_str(), 0);
      error = ERROR_ALREADY_EXISTS;
    } else if (s->sem != SEM_FAILED) {
      s->creator = true;
    }
    if (s->sem == SEM_FAILED) {
      s->sem = nullptr;
      s->name.clear();
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    SetLastError(error);
  }
  base::AddCloseHandler(&base::CloseSemaphore);
  auto handle = base::NewKernelHandleValue();
  base::Semaphores()[handle] = std::move(s);
  return reinterpret_cast<HANDLE>(handle);
}
