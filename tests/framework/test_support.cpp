#include "test_support.h"

namespace test {

namespace {

void Put16(std::vector<unsigned char>& v, std::uint32_t x) {
  v.push_back(static_cast<unsigned char>(x & 0xFF));
  v.push_back(static_cast<unsigned char>((x >> 8) & 0xFF));
}
void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

}  // namespace

std::vector<unsigned char> MakeBmp(int width, int height,
                                   const std::function<std::uint32_t(int, int)>& colour) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const auto imageSize = static_cast<std::uint32_t>(rowBytes * height);
  std::vector<unsigned char> v;
  v.push_back('B');
  v.push_back('M');
  Put32(v, 54 + imageSize);
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, static_cast<std::uint32_t>(width));
  Put32(v, static_cast<std::uint32_t>(height));  // bottom-up
  Put16(v, 1);
  Put16(v, 24);
  Put32(v, 0);
  Put32(v, imageSize);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, 0);
  Put32(v, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour(x, y);
      v.push_back(static_cast<unsigned char>(c & 0xFF));          // blue
      v.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));   // green
      v.push_back(static_cast<unsigned char>((c >> 16) & 0xFF));  // red
    }
    for (int p = width * 3; p < rowBytes; ++p) v.push_back(0);
  }
  return v;
}

Resources::~Resources() {
  gdi::SetResourceTable({});
}

void Resources::AddBitmap(UINT id, std::vector<unsigned char> bmp) {
  data_.push_back(std::move(bmp));
  entries_.push_back({RT_BITMAP_ID, id, data_.back().data(), data_.back().size()});
}

void Resources::AddIcon(UINT id, std::vector<unsigned char> bmp) {
  data_.push_back(std::move(bmp));
  entries_.push_back({RT_GROUP_ICON_ID, id, data_.back().data(), data_.back().size()});
}

void Resources::AddDialog(UINT id, const std::string& text) {
  data_.emplace_back(text.begin(), text.end());
  entries_.push_back({RT_DIALOG_ID, id, data_.back().data(), data_.back().size()});
}

void Resources::AddString(UINT id, const std::string& utf8) {
  data_.emplace_back(utf8.begin(), utf8.end());
  entries_.push_back({RT_STRING_ID, id, data_.back().data(), data_.back().size()});
}

void Resources::Install() {
  gdi::SetResourceTable(entries_);
}

void HostTest::SetUp() {
  user::SetHost(&host_);
  host_.SetIdleHandler([this] {
    if (steps_.empty()) return false;
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
    return true;
  });
}

void HostTest::TearDown() {
  user::SetHost(nullptr);
  gdi::SetResourceTable({});
}

void HostTest::ThenClick(int x, int y) {
  Then([this, x, y] {
    host_.MovePointer({x, y});
    host_.PressButton();
    host_.ReleaseButton();
  });
}

void HostTest::ThenKey(unsigned vk) {
  Then([this, vk] { host_.PressKey(vk); });
}

void HostTest::Pump() {
  MSG msg{};
  for (;;) {
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (steps_.empty()) return;
      auto step = std::move(steps_.front());
      steps_.pop_front();
      step();
      continue;
    }
    if (!::GetMessageW(&msg, nullptr, 0, 0)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace test
