// The Windows-named HID calls over the simulated backend, stale and invalid handles included.
#include "winhid.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hid_owners.h"
#include "kernel_handle.h"
#include "simulated_backend.h"

namespace {

class WinHid : public ::testing::Test {
 protected:
  void Install(std::vector<hid::SimulatedInterface> interfaces) {
    sim_ = std::make_shared<hid::SimulatedBackend>(std::move(interfaces));
    hid::SetBackend(sim_);
    HidD_GetHidGuid(&guid_);
  }
  void SetUp() override { Install({{}}); }
  void TearDown() override { hid::SetBackend(nullptr); }

  HDEVINFO OpenSet() {
    return SetupDiGetClassDevsW(&guid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  }
  static std::wstring PathOf(std::size_t i) {
    const std::string path = hid::SimulatedBackend::PathOf(i);
    return std::wstring(path.begin(), path.end());
  }
  static HANDLE Open(std::size_t i, DWORD access = GENERIC_READ | GENERIC_WRITE) {
    return CreateFileW(PathOf(i).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  }

  GUID guid_{};
  std::shared_ptr<hid::SimulatedBackend> sim_;
};

TEST_F(WinHid, EnumerationFollowsTheSetupProtocol) {
  EXPECT_EQ(sizeof(SP_DEVICE_INTERFACE_DATA), 32u);
  EXPECT_EQ(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W), 8u);
  EXPECT_EQ(guid_.Data1, 0x4D1E55B2u);
  Install({{0x1111, 0x2222}, {}, {0x3333, 0x4444}});
  HDEVINFO set = OpenSet();
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = 28;
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid_, 0, &data));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
  data.cbSize = sizeof(data);

  for (DWORD i = 0; i < 3; ++i) {
    ASSERT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid_, i, &data)) << i;
    DWORD required = 0;
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    // The header up to the path, then the path and its terminator in 4-byte characters.
    ASSERT_EQ(required, 4 + (PathOf(i).size() + 1) * sizeof(WCHAR));

    std::vector<std::uint64_t> block(required / 8 + 2, 0xABABABABABABABABull);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(block.data());
    detail->cbSize = required;  // the whole size instead of the header's: a classic mistake
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    EXPECT_FALSE(
        SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required - 1, nullptr, nullptr));
    ASSERT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(std::wstring(detail->DevicePath), PathOf(i));
    EXPECT_EQ(reinterpret_cast<const BYTE*>(block.data())[required], 0xAB) << "wrote past end";
  }
  // Past the last interface every index fails, however large.
  for (DWORD i : {3u, 127u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid_, i, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  }
  GUID other = guid_;
  other.Data4[0] ^= 1;
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &other, 0, &data));
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
}

TEST_F(WinHid, OpenGivesAttributesAndCapabilitiesOrFailsAsTheDeviceDoes) {
  Install({{0x1A2C, 0x1519},
           {0x1A2C, 0x1519, /*open_fails=*/true},
           {0x1A2C, 0x1519, false, /*caps_fail=*/true},
           {0x1A2C, 0x1519, false, false, /*access_denied=*/true}});
  HANDLE h = Open(0);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  HIDD_ATTRIBUTES attributes{};
  ASSERT_TRUE(HidD_GetAttributes(h, &attributes));
  EXPECT_EQ(attributes.Size, sizeof(HIDD_ATTRIBUTES));
  EXPECT_EQ(attributes.VendorID, 0x1A2C);
  EXPECT_EQ(attributes.ProductID, 0x1519);
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  ASSERT_TRUE(HidD_GetPreparsedData(h, &preparsed));
  HIDP_CAPS caps{};
  ASSERT_EQ(HidP_GetCaps(preparsed, &caps), HIDP_STATUS_SUCCESS);
  EXPECT_EQ(caps.InputReportByteLength, 65);
  EXPECT_EQ(caps.OutputReportByteLength, 65);
  EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
  EXPECT_EQ(HidP_GetCaps(preparsed, &caps), HIDP_STATUS_INVALID_PREPARSED_DATA);
  EXPECT_FALSE(HidD_FreePreparsedData(preparsed));

  // The reason an open failed reaches the caller, as Windows reports it.
  EXPECT_EQ(Open(1), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
  EXPECT_EQ(Open(3), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open(4), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE no_caps = Open(2);
  preparsed = nullptr;
  EXPECT_FALSE(HidD_GetPreparsedData(no_caps, &preparsed));
  EXPECT_EQ(preparsed, nullptr);
  for (const wchar_t* path : {L"/sim/hidraw9", L"", L"/sim/hidraw\u4E2D"}) {
    EXPECT_EQ(CreateFileW(path, GENERIC_READ, 3, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
  }
  EXPECT_EQ(
      CreateFileW(PathOf(0).c_str(), GENERIC_READ, 3, nullptr, /*CREATE_ALWAYS*/ 2, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_TRUE(CloseHandle(no_caps));
}

TEST_F(WinHid, StaleForeignAndInvalidHandlesFailWithoutCrashing) {
  HANDLE closed = Open(0);
  ASSERT_TRUE(CloseHandle(closed));
  HDEVINFO set = OpenSet();
  hid::Report buffer{};
  DWORD count = 99;
  for (HANDLE h : {closed, INVALID_HANDLE_VALUE, HANDLE{}, reinterpret_cast<HANDLE>(0x1234), set}) {
    EXPECT_FALSE(WriteFile(h, buffer.data(), 65, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(ReadFile(h, buffer.data(), 65, &count, nullptr));
    HIDD_ATTRIBUTES attributes{};
    EXPECT_FALSE(HidD_GetAttributes(h, &attributes));
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    EXPECT_FALSE(HidD_GetPreparsedData(h, &preparsed));
    EXPECT_FALSE(CloseHandle(h));
  }
  HANDLE device = Open(0);
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(device)) << "a device is not a set";
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));

  // Installing another backend closes the old one's devices and invalidates every handle.
  set = OpenSet();
  hid::SetBackend(std::make_shared<hid::SimulatedBackend>());
  EXPECT_EQ(sim_->OpenNow(0), 0);
  EXPECT_FALSE(WriteFile(device, buffer.data(), 65, nullptr, nullptr));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
  hid::SetBackend(nullptr);
  EXPECT_EQ(OpenSet(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(0), INVALID_HANDLE_VALUE);
}

TEST_F(WinHid, HandlesCountAsOpenUntilReleasedOrTheirBackendGoes) {
  const std::size_t kernel = base::OpenKernelHandleCount();
  HANDLE device = Open(0);
  HDEVINFO set = OpenSet();
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  ASSERT_TRUE(HidD_GetPreparsedData(device, &preparsed));
  // Only the device is a kernel handle.
  EXPECT_EQ(base::OpenKernelHandleCount(), kernel + 1);
  EXPECT_EQ(hid::OpenDeviceInfoListCount(), 1u);
  EXPECT_EQ(hid::OpenPreparsedDataCount(), 1u);

  EXPECT_FALSE(CloseHandle(set)) << "a set is not a kernel handle";
  EXPECT_TRUE(CloseHandle(device));
  EXPECT_FALSE(CloseHandle(device));
  EXPECT_EQ(base::OpenKernelHandleCount(), kernel);
  EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_EQ(hid::OpenDeviceInfoListCount(), 0u);
  EXPECT_EQ(hid::OpenPreparsedDataCount(), 0u);

  // A backend change ends every device it opened, and they stop counting.
  Open(0);
  Open(0);
  EXPECT_EQ(base::OpenKernelHandleCount(), kernel + 2);
  hid::SetBackend(nullptr);
  EXPECT_EQ(base::OpenKernelHandleCount(), kernel);
}

TEST_F(WinHid, OwnersReleaseWhatTheyHoldAndNothingElse) {
  const std::size_t kernel = base::OpenKernelHandleCount();
  {
    base::UniqueKernelHandle device(Open(0));
    hid::UniqueDeviceInfoList set(OpenSet());
    hid::UniquePreparsedData preparsed;
    ASSERT_TRUE(HidD_GetPreparsedData(device.get(), preparsed.put()));
    EXPECT_EQ(sim_->OpenNow(0), 1);

    // Moving hands the handle on; the moved-from owner releases nothing.
    base::UniqueKernelHandle moved = std::move(device);
    EXPECT_EQ(sim_->OpenNow(0), 1);
    // Taking a new handle releases the old one; failure values are held but never released.
    moved = Open(0);
    EXPECT_EQ(sim_->OpenNow(0), 1);
    EXPECT_EQ(sim_->TimesOpened(0), 2);
    moved = INVALID_HANDLE_VALUE;
    EXPECT_EQ(moved.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(moved);
    EXPECT_EQ(sim_->OpenNow(0), 0);

    // put() releases the block it held before lending the slot.
    base::UniqueKernelHandle again(Open(0));
    ASSERT_TRUE(HidD_GetPreparsedData(again.get(), preparsed.put()));
    EXPECT_EQ(hid::OpenPreparsedDataCount(), 1u);
    hid::UniqueDeviceInfoList failed(INVALID_HANDLE_VALUE);
  }
  EXPECT_EQ(base::OpenKernelHandleCount(), kernel);
  EXPECT_EQ(hid::OpenDeviceInfoListCount(), 0u);
  EXPECT_EQ(hid::OpenPreparsedDataCount(), 0u);
}

TEST_F(WinHid, WriteMovesExactlyOneSynchronousReport) {
  HANDLE h = Open(0);
  hid::Report report{0x00, 0x80, 0x0D, 0x02, 30, 0x03};
  DWORD written = 0;
  EXPECT_FALSE(WriteFile(h, report.data(), 64, &written, nullptr));
  EXPECT_FALSE(WriteFile(h, report.data(), 66, &written, nullptr));
  EXPECT_FALSE(WriteFile(h, report.data(), 65, &written, reinterpret_cast<LPOVERLAPPED>(&written)));
  HANDLE read_only = Open(0, GENERIC_READ);
  EXPECT_FALSE(WriteFile(read_only, report.data(), 65, &written, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(sim_->Reports().empty());

  ASSERT_TRUE(WriteFile(h, report.data(), 65, &written, nullptr));
  EXPECT_EQ(written, 65u);
  ASSERT_EQ(sim_->Reports().size(), 1u);
  EXPECT_EQ(sim_->Reports()[0], report);
  CloseHandle(h);
  CloseHandle(read_only);
}

TEST_F(WinHid, ReadFillsBytesOneToSixtyFourOrLeavesTheBufferAlone) {
  sim_->Controller().led_count = 42;
  HANDLE h = Open(0);
  std::vector<BYTE> buffer(70, 0xEE);  // a larger buffer is fine; 65 bytes move
  const std::vector<BYTE> before = buffer;
  DWORD read = 5;
  EXPECT_FALSE(ReadFile(h, buffer.data(), 70, &read, nullptr)) << "nothing was asked";
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(buffer, before);

  const hid::Report request{0x00, 0x80, 0x0D, 0x01, 0x00, 0x03};
  ASSERT_TRUE(WriteFile(h, request.data(), 65, nullptr, nullptr));
  EXPECT_FALSE(ReadFile(h, buffer.data(), 64, &read, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
  buffer[0] = 0x5A;
  ASSERT_TRUE(ReadFile(h, buffer.data(), 70, &read, nullptr));
  EXPECT_EQ(read, 65u);
  EXPECT_EQ(buffer[0], 0x5A) << "byte 0 keeps the caller's report number";
  EXPECT_EQ(buffer[1], 0x80);
  EXPECT_EQ(buffer[4], 42);
  EXPECT_EQ(buffer[64], 0x00);
  EXPECT_EQ(buffer[65], 0xEE);

  sim_->Unplug();
  EXPECT_FALSE(WriteFile(h, request.data(), 65, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_FALSE(ReadFile(h, buffer.data(), 65, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_TRUE(CloseHandle(h)) << "the handle stays valid until closed";
}

}  // namespace
