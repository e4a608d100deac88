// Framework and control test helpers: a headless host per test, made resources, input steps.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"
#include "headless_host.h"
#include "resource.h"
#include "user.h"

namespace test {

// A 24-bit BMP file; colour(x, y) gives 0x00RRGGBB, rows top first.
std::vector<unsigned char> MakeBmp(int width, int height,
                                   const std::function<std::uint32_t(int, int)>& colour);

// The resources a test installs: bitmaps and dialog templates under their identifiers.
class Resources {
 public:
  ~Resources();
  void AddBitmap(UINT id, std::vector<unsigned char> bmp);
  void AddIcon(UINT id, std::vector<unsigned char> bmp);
  void AddDialog(UINT id, const std::string& text);
  void AddString(UINT id, const std::string& utf8);
  void Install();

 private:
  std::deque<std::vector<unsigned char>> data_;
  std::vector<gdi::ResourceEntry> entries_;
};

// A fresh headless host per test; its idle handler runs one queued step per idle moment.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Queues a step that runs the next time the program waits for input with nothing pending.
  void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
  // Steps: a click at a screen point, a key press.
  void ThenClick(int x, int y);
  void ThenKey(unsigned vk);
  // Runs messages until the program would wait (or the steps are used up).
  void Pump();

  host::HeadlessHost host_;
  Resources resources_;
  std::deque<std::function<void()>> steps_;
};

}  // namespace test
