// Kernel services: the single-instance semaphore, the module's file name, the case-blind
// comparison.
#include <gtest/gtest.h>
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
  EXPECT_TRUE(CloseHandle(first));  // the creator takes the name away
  EXPECT_FALSE(CloseHandle(first));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HANDLE again = CreateSemaphoreW(nullptr, 1, 1, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(again);
  EXPECT_EQ(CreateSemaphoreW(nullptr, 2, 1, name.c_str()), nullptr);
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
