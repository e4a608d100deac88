// Start-up services: the named semaphore that marks a running instance, the module, the common
// controls initialisation, and the case-insensitive comparison the program uses on class names.
#include <fcntl.h>
#include <semaphore.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cwctype>
#include <map>
#include <memory>

#include "internal.h"
#include "kernel_handle.h"

namespace user {
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

// Every handle this process holds; closing them at exit removes the names it created.
struct HandleTable {
  std::map<std::uintptr_t, std::unique_ptr<Semaphore>> handles;
};

HandleTable& Handles() {
  static HandleTable table;
  return table;
}

bool CloseSemaphore(HANDLE handle) {
  return Handles().handles.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

std::string PosixName(const std::wstring& name) {
  std::string utf8 = base::ToUtf8(name);
  std::string out = "/";
  for (char c : utf8) out += (c == '/') ? '_' : c;
  if (out.size() > 250) out.resize(250);
  return out;
}

}  // namespace
}  // namespace user

using namespace user;

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCWSTR name) {
  if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto s = std::make_unique<Semaphore>();
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
    s->name = PosixName(name);
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
  base::AddCloseHandler(&CloseSemaphore);
  auto handle = base::NewKernelHandleValue();
  Handles().handles[handle] = std::move(s);
  return reinterpret_cast<HANDLE>(handle);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName) return nullptr;
  return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) {
    buffer[0] = 0;
    return 0;
  }
  std::wstring w = base::FromUtf8(std::string(path, static_cast<std::size_t>(n)));
  DWORD count = std::min<DWORD>(size - 1, static_cast<DWORD>(w.size()));
  std::copy_n(w.c_str(), count, buffer);
  buffer[count] = 0;
  return count;
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return (a ? 1 : 0) - (b ? 1 : 0);
  for (;; ++a, ++b) {
    const wint_t ca = std::towlower(static_cast<wint_t>(*a));
    const wint_t cb = std::towlower(static_cast<wint_t>(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(syscall(SYS_gettid));
}
DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(getpid());
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  WNDCLASSW probe;
  GetClassInfoW(nullptr, TRACKBAR_CLASSW, &probe);  // the classes exist from the first use on
  return TRUE;
}

void InitCommonControls() {}
