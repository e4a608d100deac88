// Shared helpers of the framework and control tests: a headless host installed for each test,
// resources made on the fly (24-bit BMP pictures, dialog templates), and a scripted idle handler
// that feeds input whenever the program waits.
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

// Installs a fresh headless host for each test, with an idle handler that runs queued steps (one
// per idle moment) and ends the run when none is left.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Queues a step that runs the next time the program waits for input with nothing pending.
  void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
  // Convenience steps: a click at a screen point, a key press, letting time pass.
  void ThenClick(int x, int y);
  void ThenKey(unsigned vk);
  // Runs messages until the program would wait (or the steps are used up).
  void Pump();

  // The top-left corner of a window's client area on the screen.
  static POINT ScreenOrigin(HWND hwnd);

  host::HeadlessHost host_;
  Resources resources_;
  std::deque<std::function<void()>> steps_;
};

}  // namespace test
