// Kernel services: the single-instance semaphore, the module's file name, case-blind compare.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "winbase.h"

namespace {

TEST(KernelServicesTest, ASecondSemaphoreOfTheSameNameReportsThatItExisted) {
  std::wstring name = L"halcyra-base-test-" + std::to_wstring(getpid());
  SetLastError(12345);
  HANDLE first = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  HANDLE second = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(first));  // the last handle takes the name away
  EXPECT_FALSE(CloseHandle(first));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HANDLE again = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(again);
  EXPECT_EQ(CreateSemaphoreW(nullptr, 2, 1, name.c_str()), nullptr);
}

// Another process holds `name` (signals `ready`) until `release`, then dies without closing it.
pid_t HoldInChild(const std::wstring& name, int ready, int release) {
  const pid_t pid = fork();
  if (pid == 0) {
    HANDLE held = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
    const char byte = held != nullptr ? 1 : 0;
    char ignored = 0;
    if (write(ready, &byte, 1) != 1 || read(release, &ignored, 1) < 0) _exit(2);
    _exit(0);
  }
  return pid;
}

TEST(KernelServicesTest, ANameLivesAsLongAsSomeProcessHoldsIt) {
  const std::wstring name = L"halcyra-base-test-held-" + std::to_wstring(getpid());
  int ready[2];
  int release[2];
  ASSERT_EQ(0, pipe(ready));
  ASSERT_EQ(0, pipe(release));
  const pid_t child = HoldInChild(name, ready[1], release[0]);
  ASSERT_GT(child, 0);
  char held = 0;
  ASSERT_EQ(1, read(ready[0], &held, 1));
  ASSERT_EQ(1, held);

  HANDLE seen = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(seen);

  // The holder ends without closing: the name goes with it.
  ASSERT_EQ(1, write(release[1], "x", 1));
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  HANDLE fresh = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(fresh);
  for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST(KernelServicesTest, TheModuleFileNameIsTheExecutablesPathCutToTheBuffer) {
  wchar_t path[4096];
  DWORD n = GetModuleFileNameW(nullptr, path, 4096);
  const std::wstring full(path, n);
  EXPECT_EQ(full.substr(full.find_last_of(L'/') + 1), L"base_tests");
  wchar_t small[5];
  EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), small, 5), 4u);
  EXPECT_EQ(std::wstring(small), full.substr(0, 4));
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 0), 0u);
  EXPECT_EQ(GetModuleHandleW(L"other.dll"), nullptr);
}

TEST(KernelServicesTest, ClassNamesCompareWithoutRegardToCase) {
  EXPECT_EQ(lstrcmpiW(L"Button", L"BUTTON"), 0);
  EXPECT_EQ(lstrcmpiW(L"static", L"Static"), 0);
  EXPECT_LT(lstrcmpiW(L"Button", L"msctls_trackbar32"), 0);
  EXPECT_GT(lstrcmpiW(L"static", L"Button"), 0);
  EXPECT_LT(lstrcmpiW(L"Butto", L"button"), 0);  // a prefix sorts first
  EXPECT_GT(lstrcmpiW(L"Button", nullptr), 0);
  EXPECT_LT(lstrcmpiW(nullptr, L""), 0);
  EXPECT_EQ(lstrcmpiW(nullptr, nullptr), 0);
}

}  // namespace
