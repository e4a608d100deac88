// The Windows-named HID calls over the simulated backend: the enumeration protocol, the detail
// record's size rules, capabilities, transfers, and handles that are stale or were never valid.
#include "platform/hid/winhid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/simulated/simulated_backend.h"

namespace {

class WinHid : public ::testing::Test {
 protected:
  void Install(std::vector<hid::SimulatedInterface> interfaces) {
    sim_ = std::make_shared<hid::SimulatedBackend>(std::move(interfaces));
    hid::SetBackend(sim_);
  }
  void SetUp() override { Install({{}}); }
  void TearDown() override { hid::SetBackend(nullptr); }

  static GUID HidGuid() {
    GUID guid{};
    HidD_GetHidGuid(&guid);
    return guid;
  }

  static HDEVINFO OpenSet() {
    const GUID guid = HidGuid();
    return SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  }

  // The device path of the set's index-th interface, through the two-step detail protocol.
  static std::wstring PathAt(HDEVINFO set, DWORD index) {
    const GUID guid = HidGuid();
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &data)) return L"";
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
    std::vector<std::uint64_t> block((required + 7) / 8);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(block.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) {
      return L"";
    }
    return detail->DevicePath;
  }

  static HANDLE Open(const std::wstring& path, DWORD access = GENERIC_READ | GENERIC_WRITE) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  }

  static std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

  std::shared_ptr<hid::SimulatedBackend> sim_;
};

TEST_F(WinHid, RecordSizesMatchSixtyFourBitWindows) {
  EXPECT_EQ(sizeof(SP_DEVICE_INTERFACE_DATA), 32u);
  EXPECT_EQ(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W), 8u);
  EXPECT_EQ(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, 0x12u);
  EXPECT_EQ(GENERIC_READ | GENERIC_WRITE, 0xC0000000u);
  const GUID guid = HidGuid();
  EXPECT_EQ(guid.Data1, 0x4D1E55B2u);
  EXPECT_EQ(guid.Data4[7], 0x30);
}

TEST_F(WinHid, EnumerationListsInterfacesInOrderAndFailsPastTheLast) {
  Install({{0x1111, 0x2222}, {}, {0x3333, 0x4444}});
  HDEVINFO set = OpenSet();
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  const GUID guid = HidGuid();
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data);
  for (DWORD i = 0; i < 3; ++i) {
    ASSERT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, i, &data)) << i;
    EXPECT_TRUE(data.InterfaceClassGuid == guid);
    EXPECT_EQ(PathAt(set, i), Wide(hid::SimulatedBackend::PathOf(i)));
  }
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 3, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  // Later indices fail the same way; they do not wrap or crash.
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 127, &data));
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0xFFFFFFFF, &data));

  data.cbSize = 28;
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);

  GUID other = guid;
  other.Data1 ^= 1;
  data.cbSize = sizeof(data);
  EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &other, 0, &data));
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
}

TEST_F(WinHid, SetIsASnapshot) {
  HDEVINFO set = OpenSet();
  sim_->Unplug();
  EXPECT_EQ(PathAt(set, 0), Wide(hid::SimulatedBackend::PathOf(0)));
  HDEVINFO after = OpenSet();
  EXPECT_EQ(PathAt(after, 0), L"");
  SetupDiDestroyDeviceInfoList(set);
  SetupDiDestroyDeviceInfoList(after);
}

TEST_F(WinHid, DetailRecordNeedsSizeQueryThenBigEnoughBufferWithHeaderSize) {
  HDEVINFO set = OpenSet();
  const GUID guid = HidGuid();
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data);
  ASSERT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));

  DWORD required = 0;
  EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  const std::wstring path = Wide(hid::SimulatedBackend::PathOf(0));
  // Header up to the path, then the path and its terminator in 4-byte characters.
  EXPECT_EQ(required, 4 + (path.size() + 1) * sizeof(WCHAR));

  std::vector<std::uint64_t> block(required / 8 + 2, 0xABABABABABABABABull);
  auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(block.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  EXPECT_FALSE(
      SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required - 1, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

  detail->cbSize = static_cast<DWORD>(required);  // the whole size is a classic mistake
  EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);

  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  ASSERT_TRUE(SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr));
  EXPECT_EQ(std::wstring(detail->DevicePath), path);
  // Nothing is written past the size the call asked for.
  const auto* bytes = reinterpret_cast<const BYTE*>(block.data());
  EXPECT_EQ(bytes[required], 0xAB);

  SP_DEVICE_INTERFACE_DATA never_enumerated{};
  never_enumerated.cbSize = sizeof(never_enumerated);
  EXPECT_FALSE(
      SetupDiGetDeviceInterfaceDetailW(set, &never_enumerated, nullptr, 0, &required, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetupDiDestroyDeviceInfoList(set);
}

TEST_F(WinHid, OpenReadsAttributesAndCapabilities) {
  Install({{0x1A2C, 0x1519}});
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_NE(h, nullptr);
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
  EXPECT_EQ(caps.UsagePage, 0xFF00);
  EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
  EXPECT_EQ(HidP_GetCaps(preparsed, &caps), HIDP_STATUS_INVALID_PREPARSED_DATA);
  EXPECT_FALSE(HidD_FreePreparsedData(preparsed));
  EXPECT_TRUE(CloseHandle(h));
}

TEST_F(WinHid, OpenAndCapabilityFailuresOfTheBackendShowAsWindowsFailures) {
  Install({{0x1A2C, 0x1519, /*open_fails=*/true}, {0x1A2C, 0x1519, false, /*caps_fail=*/true}});
  EXPECT_EQ(Open(Wide(hid::SimulatedBackend::PathOf(0))), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(L"/sim/hidraw9"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(L""), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(L"/sim/hidraw\u4E2D"), INVALID_HANDLE_VALUE);  // cannot name a device
  EXPECT_EQ(CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileW(Wide(hid::SimulatedBackend::PathOf(1)).c_str(), GENERIC_READ, 0, nullptr,
                        /*CREATE_ALWAYS*/ 2, 0, nullptr),
            INVALID_HANDLE_VALUE);

  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(1)));
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  EXPECT_FALSE(HidD_GetPreparsedData(h, &preparsed));
  EXPECT_EQ(preparsed, nullptr);
  CloseHandle(h);
}

TEST_F(WinHid, StaleAndForeignHandlesFailWithoutCrashing) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  ASSERT_TRUE(CloseHandle(h));
  hid::Report buffer{};
  DWORD count = 99;
  const HANDLE bad[] = {h, INVALID_HANDLE_VALUE, nullptr, reinterpret_cast<HANDLE>(0x1234)};
  for (HANDLE handle : bad) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WriteFile(handle, buffer.data(), 65, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(ReadFile(handle, buffer.data(), 65, &count, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    HIDD_ATTRIBUTES attributes{};
    EXPECT_FALSE(HidD_GetAttributes(handle, &attributes));
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    EXPECT_FALSE(HidD_GetPreparsedData(handle, &preparsed));
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(handle));
    HIDP_CAPS caps{};
    EXPECT_EQ(HidP_GetCaps(reinterpret_cast<PHIDP_PREPARSED_DATA>(handle), &caps),
              HIDP_STATUS_INVALID_PREPARSED_DATA);
  }
  EXPECT_EQ(sim_->OpenNow(0), 0);

  // A set handle is not a device handle, nor the other way round.
  HDEVINFO set = OpenSet();
  EXPECT_FALSE(CloseHandle(set));
  HANDLE device = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(device));
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_TRUE(CloseHandle(device));
}

TEST_F(WinHid, ChangingTheBackendMakesEveryHandleStale) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  HDEVINFO set = OpenSet();
  ASSERT_EQ(sim_->OpenNow(0), 1);
  hid::SetBackend(std::make_shared<hid::SimulatedBackend>());
  EXPECT_EQ(sim_->OpenNow(0), 0) << "the old backend's device was closed";
  hid::Report buffer = {};
  EXPECT_FALSE(WriteFile(h, buffer.data(), 65, nullptr, nullptr));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));

  hid::SetBackend(nullptr);
  EXPECT_EQ(OpenSet(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(Wide(hid::SimulatedBackend::PathOf(0))), INVALID_HANDLE_VALUE);
}

TEST_F(WinHid, WriteMovesExactlyOneReportSynchronously) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  hid::Report report{};
  report[1] = 0x80;
  report[2] = 0x0D;
  report[3] = 0x02;
  report[4] = 30;
  DWORD written = 0;
  EXPECT_FALSE(WriteFile(h, report.data(), 64, &written, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
  EXPECT_FALSE(WriteFile(h, report.data(), 66, &written, nullptr));
  EXPECT_FALSE(WriteFile(h, nullptr, 65, &written, nullptr));
  EXPECT_FALSE(WriteFile(h, report.data(), 65, &written, reinterpret_cast<LPOVERLAPPED>(&written)));
  EXPECT_TRUE(sim_->Reports().empty());

  ASSERT_TRUE(WriteFile(h, report.data(), 65, &written, nullptr));
  EXPECT_EQ(written, 65u);
  ASSERT_EQ(sim_->Reports().size(), 1u);
  EXPECT_EQ(sim_->Reports()[0], report);
  EXPECT_EQ(sim_->Controller().led_count, 30);
  CloseHandle(h);
}

TEST_F(WinHid, AccessAskedForAtOpenIsEnforced) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)), GENERIC_READ);
  hid::Report report{};
  EXPECT_FALSE(WriteFile(h, report.data(), 65, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(h);
}

TEST_F(WinHid, ReadFillsBytesOneToSixtyFourAndKeepsByteZero) {
  sim_->Controller().led_count = 42;
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  hid::Report request{};
  request[1] = 0x80;
  request[2] = 0x0D;
  request[3] = 0x01;
  request[5] = 0x03;
  ASSERT_TRUE(WriteFile(h, request.data(), 65, nullptr, nullptr));

  std::vector<BYTE> buffer(70, 0xEE);  // larger buffers are fine; only 65 bytes move
  buffer[0] = 0x5A;
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(h, buffer.data(), 70, &read, nullptr));
  EXPECT_EQ(read, 65u);
  EXPECT_EQ(buffer[0], 0x5A);
  EXPECT_EQ(buffer[1], 0x80);
  EXPECT_EQ(buffer[4], 42);
  EXPECT_EQ(buffer[64], 0x00);
  EXPECT_EQ(buffer[65], 0xEE);

  EXPECT_FALSE(ReadFile(h, buffer.data(), 64, &read, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_USER_BUFFER);
  CloseHandle(h);
}

TEST_F(WinHid, UnansweredReadTimesOutAndLeavesTheBuffer) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  hid::Report buffer;
  buffer.fill(0x77);
  const hid::Report before = buffer;
  DWORD read = 5;
  EXPECT_FALSE(ReadFile(h, buffer.data(), 65, &read, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(buffer, before);
  CloseHandle(h);
}

TEST_F(WinHid, UnpluggedDeviceFailsWritesAndReads) {
  HANDLE h = Open(Wide(hid::SimulatedBackend::PathOf(0)));
  sim_->Unplug();
  hid::Report buffer{};
  EXPECT_FALSE(WriteFile(h, buffer.data(), 65, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_FALSE(ReadFile(h, buffer.data(), 65, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_TRUE(sim_->Reports().empty());
  EXPECT_TRUE(CloseHandle(h)) << "the handle itself stays valid until closed";
}

}  // namespace
