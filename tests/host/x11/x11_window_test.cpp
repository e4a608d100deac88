// Windows on a real X server: shapes, presenting, exposure, popups, a display missing or gone.
// gtest before Xlib: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <stdlib.h>

#include <cstdlib>

#include "x11_fixture.h"

namespace host::test {
namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TEST(X11Open, AMissingDisplayGivesOneClearLine) {
  std::string error;
  EXPECT_EQ(X11Host::Open(":4095", &error), nullptr);
  EXPECT_NE(error.find("\":4095\""), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);

  const char* saved = std::getenv("DISPLAY");
  std::string keep = saved ? saved : "";
  unsetenv("DISPLAY");
  error.clear();
  EXPECT_EQ(X11Host::Open("", &error), nullptr);
  EXPECT_NE(error.find("DISPLAY"), std::string::npos) << error;
  if (saved) setenv("DISPLAY", keep.c_str(), 1);
}

TEST_F(X11Test, AShapedWindowShowsTheRootInItsCutCorners) {
  probe_->SetRootColor(kGreen);
  WindowDesc d = Desc({300, 200, 400, 280});
  NativeWindow w = host_->CreateWindow(d);
  // 10 x 10 corners cut at the top left and bottom right.
  std::vector<Rect> shape{{10, 0, 100, 10}, {0, 10, 100, 70}, {0, 70, 90, 80}};
  host_->SetShape(w, &shape);
  std::vector<std::uint32_t> blue(100 * 80, kBlue);
  host_->Show(w, true);
  host_->Present(w, Framebuffer{blue.data(), 100, 80, 100}, {Rect{0, 0, 100, 80}});
  host_->CursorPos();

  EXPECT_EQ(probe_->PixelAt(300, 200), kGreen);
  EXPECT_EQ(probe_->PixelAt(309, 209), kGreen);
  EXPECT_EQ(probe_->PixelAt(310, 200), kBlue);
  EXPECT_EQ(probe_->PixelAt(300, 210), kBlue);
  EXPECT_EQ(probe_->PixelAt(350, 240), kBlue);
  EXPECT_EQ(probe_->PixelAt(399, 279), kGreen);
  EXPECT_EQ(probe_->PixelAt(389, 279), kBlue);

  host_->SetShape(w, nullptr);  // rectangular again; the corner shows what was presented
  host_->CursorPos();
  EXPECT_TRUE(Eventually(*host_, [&] { return probe_->PixelAt(300, 200) == kBlue; }));
}

TEST_F(X11Test, OnlyDirtyRectanglesChangeAndExposedPixelsComeBack) {
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 300, 250}), kRed);
  std::vector<std::uint32_t> blue(200 * 150, kBlue);
  host_->Present(w, Framebuffer{blue.data(), 200, 150, 200},
                 {Rect{10, 10, 20, 20}, Rect{-30, -30, 2, 2}, Rect{190, 140, 400, 400}});
  host_->CursorPos();
  EXPECT_EQ(probe_->PixelAt(115, 115), kBlue);
  EXPECT_EQ(probe_->PixelAt(125, 125), kRed);
  EXPECT_EQ(probe_->PixelAt(100, 100), kBlue);
  EXPECT_EQ(probe_->PixelAt(299, 249), kBlue);
  EXPECT_EQ(probe_->PixelAt(250, 200), kRed);

  // Another client's window covers ours and goes away: the host puts the pixels back itself.
  Display* other = probe_->dpy();
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.background_pixel = 0x000000;
  Window cover = XCreateWindow(other, probe_->root(), 90, 90, 150, 150, 0, CopyFromParent,
                               InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
  XMapRaised(other, cover);
  XSync(other, False);
  EXPECT_EQ(probe_->PixelAt(125, 125), 0u);
  XDestroyWindow(other, cover);
  XSync(other, False);
  bool expose_reported = false;
  EXPECT_TRUE(Eventually(*host_, [&] {
    Event e;
    while (host_->PollEvent(&e)) expose_reported |= e.type == EventType::kExpose;
    return probe_->PixelAt(125, 125) == kRed && probe_->PixelAt(115, 115) == kBlue;
  }));
  EXPECT_FALSE(expose_reported);

  // A window that was never presented asks the program for its pixels instead.
  NativeWindow blank = host_->CreateWindow(Desc({500, 100, 560, 140}));
  host_->Show(blank, false);
  auto e = WaitFor(*host_, [&](const Event& ev) { return ev.type == EventType::kExpose; });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->window, blank);
  EXPECT_EQ(e->rect.Width(), 60);
  (void)w;
}

TEST_F(X11Test, FramesGoThroughTheConnectionWhenMemoryIsNotShared) {
  EXPECT_TRUE(host_->UsesSharedMemory());
  std::string error;
  auto plain = X11Host::Open(server_->display(), &error, /*shared_memory=*/false);
  ASSERT_TRUE(plain) << error;
  EXPECT_FALSE(plain->UsesSharedMemory());
  NativeWindow w = ShowSolid(*plain, Desc({700, 100, 773, 151}), kRed);  // odd sizes
  std::vector<std::uint32_t> pixels(73 * 51, kGreen);
  plain->Present(w, Framebuffer{pixels.data(), 73, 51, 73}, {Rect{70, 50, 73, 51}});
  plain->CursorPos();
  EXPECT_EQ(probe_->PixelAt(700, 100), kRed);
  EXPECT_EQ(probe_->PixelAt(772, 150), kGreen);
  EXPECT_EQ(probe_->PixelAt(769, 150), kRed);
}

TEST_F(X11Test, APopupAppearsWhereAskedWithoutTakingTheFocus) {
  NativeWindow main = ShowSolid(*host_, Desc({200, 200, 600, 500}), kRed);
  ASSERT_TRUE(Eventually(*host_, [&] { return probe_->Focus() == main; }));

  WindowDesc tip = Desc({420, 330, 520, 350});
  tip.popup = true;
  tip.topmost = true;
  tip.app_window = false;
  tip.owner = main;
  NativeWindow popup = ShowSolid(*host_, tip, kBlue, /*activate=*/true);
  auto attrs = probe_->Attributes(popup);
  ASSERT_TRUE(attrs);
  EXPECT_EQ(attrs->map_state, IsViewable);
  EXPECT_TRUE(attrs->override_redirect);
  EXPECT_EQ(probe_->Origin(popup)->x, 420);
  EXPECT_EQ(probe_->Origin(popup)->y, 330);
  EXPECT_EQ(probe_->PixelAt(430, 340), kBlue);
  EXPECT_EQ(probe_->Focus(), main);

  // Raising the main window keeps the topmost popup above it.
  host_->Raise(main, true);
  host_->CursorPos();
  EXPECT_EQ(probe_->PixelAt(430, 340), kBlue);
  EXPECT_LT(probe_->StackIndex(popup), probe_->StackIndex(main));

  host_->Hide(popup);
  host_->CursorPos();
  EXPECT_TRUE(Eventually(*host_, [&] { return probe_->PixelAt(430, 340) == kRed; }));
  host_->DestroyWindow(popup);
  host_->DestroyWindow(main);
  host_->DestroyWindow(main);  // twice: a stale handle does nothing
  host_->Present(main, Framebuffer{}, {});
}

TEST(X11Gone, ADisplayThatGoesAwayEndsTheWaitWithQuit) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  std::string why;
  auto server = XvfbServer::Start(&why);
  ASSERT_TRUE(server) << why;
  auto host = X11Host::Open(server->display(), &why);
  ASSERT_TRUE(host) << why;
  WindowDesc desc;
  desc.rect = Rect{0, 0, 50, 50};
  NativeWindow w = host->CreateWindow(desc);
  host->Show(w, true);
  std::vector<std::uint32_t> px(50 * 50, kRed);
  host->Present(w, Framebuffer{px.data(), 50, 50, 50}, {Rect{0, 0, 50, 50}});
  host->CursorPos();
  server->Kill();
  Event e;
  const std::uint64_t give_up = host->NowMs() + 3000;
  do {  // what the server sent before it went (the map's expose) still comes first
    ASSERT_TRUE(host->WaitEvent(give_up, &e));
  } while (e.type != EventType::kQuit);
  EXPECT_TRUE(e.lost);
  EXPECT_TRUE(host->Disconnected());
  // Everything after that is harmless.
  host->Present(w, Framebuffer{px.data(), 50, 50, 50}, {Rect{0, 0, 50, 50}});
  host->SetWindowRect(w, Rect{5, 5, 60, 60});
  EXPECT_TRUE(host->ForeignWindows().empty());
  EXPECT_TRUE(host->WaitEvent(std::nullopt, &e));
  EXPECT_EQ(e.type, EventType::kQuit);
}

}  // namespace
}  // namespace host::test
