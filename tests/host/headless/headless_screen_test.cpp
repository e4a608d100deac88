// The virtual screen: what a person would see given the windows, their shapes and their order.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "headless_host.h"

namespace host {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kDesk = HeadlessHost::kDesktopColor;

// A framebuffer of one colour, kept alive by the test.
struct Solid {
  Solid(int width, int height, std::uint32_t color)
      : pixels(static_cast<size_t>(width) * height, color), w(width), h(height) {}
  Framebuffer Frame() const { return Framebuffer{pixels.data(), w, h, w}; }
  std::vector<std::uint32_t> pixels;
  int w = 0;
  int h = 0;
};

NativeWindow ShowSolid(HeadlessHost& host, Rect rect, std::uint32_t color, bool topmost = false,
                       NativeWindow owner = 0) {
  WindowDesc d;
  d.rect = rect;
  d.topmost = topmost;
  d.owner = owner;
  NativeWindow w = host.CreateWindow(d);
  Solid s(rect.Width(), rect.Height(), color);
  host.Present(w, s.Frame(), {Rect{0, 0, rect.Width(), rect.Height()}});
  host.Show(w, true);
  return w;
}

TEST(HeadlessScreen, ShapesLetTheWindowBeneathShowThrough) {
  HeadlessHost host;
  ShowSolid(host, {100, 100, 300, 300}, kRed);
  NativeWindow top = ShowSolid(host, {150, 150, 250, 250}, kBlue);
  // Everything but a 10 x 10 top-left corner, as two bands.
  std::vector<Rect> shape{{10, 0, 100, 10}, {0, 10, 100, 100}};
  host.SetShape(top, &shape);

  EXPECT_EQ(host.PixelAt(155, 155), kRed);  // cut corner: the window beneath
  EXPECT_EQ(host.PixelAt(160, 150), kBlue);
  EXPECT_EQ(host.PixelAt(150, 160), kBlue);
  EXPECT_EQ(host.PixelAt(249, 249), kBlue);
  EXPECT_EQ(host.PixelAt(250, 250), kRed);  // right/bottom are exclusive
  EXPECT_EQ(host.PixelAt(99, 100), kDesk);
  EXPECT_EQ(host.WindowAt({155, 155}), host.WindowAt({120, 120}));
  EXPECT_EQ(host.WindowAt({160, 155}), top);

  host.SetShape(top, nullptr);  // rectangular again
  EXPECT_EQ(host.PixelAt(155, 155), kBlue);

  // The composed screen agrees with the pixel queries.
  std::vector<Rect> empty;
  host.SetShape(top, &shape);
  auto screen = host.ComposeScreen();
  ASSERT_EQ(screen.size(), size_t{1280 * 800});
  for (Point p : {Point{155, 155}, Point{160, 150}, Point{0, 0}, Point{299, 299}, Point{250, 250}})
    EXPECT_EQ(screen[p.y * 1280 + p.x], host.PixelAt(p.x, p.y)) << p.x << "," << p.y;
  host.SetShape(top, &empty);  // an empty shape hides everything
  EXPECT_EQ(host.PixelAt(200, 200), kRed);
  EXPECT_EQ(host.WindowAt({200, 200}), host.WindowAt({120, 120}));
}

TEST(HeadlessScreen, ZOrderFollowsRaiseTopmostAndOwnership) {
  HeadlessHost host;
  NativeWindow a = ShowSolid(host, {0, 0, 100, 100}, kRed);
  NativeWindow b = ShowSolid(host, {50, 50, 150, 150}, kGreen);
  NativeWindow tip = ShowSolid(host, {90, 90, 120, 120}, kBlue, /*topmost=*/true);
  EXPECT_EQ(host.VisibleWindows(), (std::vector<NativeWindow>{tip, b, a}));
  EXPECT_EQ(host.PixelAt(60, 60), kGreen);

  host.Raise(a, true);
  EXPECT_EQ(host.PixelAt(60, 60), kRed);
  EXPECT_EQ(host.PixelAt(95, 95), kBlue) << "a topmost window stays above a raised one";
  EXPECT_EQ(host.ActiveWindow(), a);

  // A dialog owned by b comes up with b.
  NativeWindow dlg = ShowSolid(host, {140, 140, 200, 200}, kRed, false, b);
  host.Raise(a, false);
  host.Raise(b, false);
  EXPECT_EQ(host.VisibleWindows(), (std::vector<NativeWindow>{tip, dlg, b, a}));

  host.Hide(tip);
  host.Minimize(b);
  EXPECT_EQ(host.VisibleWindows(), (std::vector<NativeWindow>{dlg, a}));
  EXPECT_EQ(host.PixelAt(95, 95), kRed);
  EXPECT_EQ(host.PixelAt(120, 120), kDesk);
  host.Restore(b);
  EXPECT_EQ(host.PixelAt(120, 120), kGreen);
  host.DestroyWindow(b);
  EXPECT_FALSE(host.Exists(b));
  EXPECT_EQ(host.VisibleWindows(), (std::vector<NativeWindow>{dlg, a}));
}

TEST(HeadlessScreen, AMinimisedApplicationWindowShowsAsItsIconOnATile) {
  HeadlessHost host;
  WindowDesc d;
  d.rect = {0, 600, 300, 800};
  d.app_window = true;
  NativeWindow w = host.CreateWindow(d);
  Solid red(300, 200, kRed);
  host.Present(w, red.Frame(), {Rect{0, 0, 300, 200}});
  host.Show(w, true);
  // Two pictures of the icon: the larger one that fits the tile is drawn, half transparent.
  IconImage small{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFF00FF00)};
  IconImage half{32, 32, std::vector<std::uint32_t>(32 * 32, 0x80FFFFFF)};
  IconImage large{48, 48, std::vector<std::uint32_t>(48 * 48, 0xFF0000FF)};
  host.SetIcon(w, {small, half, large});
  constexpr int kTop = HeadlessHost::kScreenHeight - HeadlessHost::kTileSize;
  EXPECT_EQ(host.PixelAt(0, kTop), kRed) << "no tile while the window is shown";

  host.Minimize(w);
  const std::uint32_t frame = HeadlessHost::kTileFrameColor;
  const std::uint32_t tile = HeadlessHost::kTileColor;
  EXPECT_EQ(host.PixelAt(0, kTop), frame);
  EXPECT_EQ(host.PixelAt(39, 799), frame);
  EXPECT_EQ(host.PixelAt(1, kTop + 1), tile);
  EXPECT_EQ(host.PixelAt(40, 799), kDesk);
  // White at alpha 0x80 over the tile's colour, channel by channel.
  auto blend = [](std::uint32_t bg) { return (0xFF * 0x80 + bg * (255 - 0x80) + 127) / 255; };
  const std::uint32_t mixed =
      (blend((tile >> 16) & 0xFF) << 16) | (blend((tile >> 8) & 0xFF) << 8) | blend(tile & 0xFF);
  EXPECT_EQ(host.PixelAt(4, kTop + 4), mixed);
  EXPECT_EQ(host.PixelAt(35, kTop + 35), mixed);
  EXPECT_EQ(host.PixelAt(3, kTop + 3), tile);
  const std::vector<std::uint32_t> screen = host.ComposeScreen();
  for (int y = kTop; y < HeadlessHost::kScreenHeight; y += 3) {
    for (int x = 0; x < 45; x += 3) {
      ASSERT_EQ(screen[static_cast<size_t>(y) * HeadlessHost::kScreenWidth + x], host.PixelAt(x, y))
          << x << "," << y;
    }
  }

  host.Hide(w);
  EXPECT_EQ(host.PixelAt(1, kTop + 1), kDesk) << "a hidden window has no tile";
}

TEST(HeadlessScreen, PresentCopiesOnlyDirtyRectanglesAndClipsBadOnes) {
  HeadlessHost host;
  NativeWindow w = ShowSolid(host, {10, 10, 110, 60}, kRed);
  Solid blue(100, 50, kBlue);
  host.Present(
      w, blue.Frame(),
      {Rect{20, 10, 30, 20}, Rect{-50, -50, 5, 5}, Rect{95, 45, 500, 500}, Rect{60, 60, 40, 40}});
  EXPECT_EQ(host.PixelAt(10 + 20, 10 + 10), kBlue);
  EXPECT_EQ(host.PixelAt(10 + 19, 10 + 10), kRed);
  EXPECT_EQ(host.PixelAt(10 + 30, 10 + 10), kRed);
  EXPECT_EQ(host.PixelAt(10, 10), kBlue);
  EXPECT_EQ(host.PixelAt(10 + 99, 10 + 49), kBlue);
  EXPECT_EQ(host.PixelAt(10 + 50, 10 + 30), kRed);

  // A framebuffer smaller than the window only fills what it has; a null one does nothing.
  Solid small(5, 5, kGreen);
  host.Present(w, small.Frame(), {Rect{0, 0, 100, 50}});
  EXPECT_EQ(host.PixelAt(14, 14), kGreen);
  EXPECT_EQ(host.PixelAt(15, 14), kRed);
  host.Present(w, Framebuffer{}, {Rect{0, 0, 100, 50}});
  host.Present(12345, small.Frame(), {Rect{0, 0, 5, 5}});
  EXPECT_EQ(host.PixelAt(14, 14), kGreen);
}

TEST(HeadlessScreen, WindowsOffTheScreenAndResizedKeepTheirPixels) {
  HeadlessHost host;
  NativeWindow w = ShowSolid(host, {-50, -50, 50, 50}, kGreen);
  EXPECT_EQ(host.PixelAt(0, 0), kGreen);
  EXPECT_EQ(host.PixelAt(-1, 0), kDesk);
  host.SetWindowRect(w, {1250, 780, 1400, 900});  // grows: the old 100 x 100 stay, the rest black
  auto screen = host.ComposeScreen();
  EXPECT_EQ(screen[799 * 1280 + 1279], kGreen);
  EXPECT_EQ(host.PixelAt(1279, 799), kGreen);
  host.SetWindowRect(w, {1000, 600, 1200, 800});
  EXPECT_EQ(host.PixelAt(1000 + 99, 600 + 99), kGreen);
  EXPECT_EQ(host.PixelAt(1000 + 100, 600 + 99), 0u);
  EXPECT_EQ(host.WindowRect(w)->Width(), 200);
}

TEST(HeadlessScreen, ScreenshotWritesAReadablePng) {
  HeadlessHost host;
  NativeWindow w = ShowSolid(host, {0, 0, 4, 3}, kBlue);
  std::vector<Rect> shape{{1, 0, 4, 3}};
  host.SetShape(w, &shape);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("headless_shot_" + std::to_string(getpid()) + ".png"))
                               .string();
  std::string error;
  ASSERT_TRUE(host.Screenshot(path, &error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  EXPECT_EQ(image.width, 1280u);
  EXPECT_EQ(image.height, 800u);
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  auto at = [&](int x, int y) {
    const png_byte* p = &rgb[(static_cast<size_t>(y) * 1280 + x) * 3];
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  };
  EXPECT_EQ(at(0, 0), kDesk);
  EXPECT_EQ(at(1, 0), kBlue);
  EXPECT_EQ(at(3, 2), kBlue);
  EXPECT_EQ(at(4, 2), kDesk);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace host
