// Real pointer and keyboard input (XTEST) as the window system receives it.
// gtest before Xlib: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include "x11_fixture.h"

namespace host::test {
namespace {

bool Is(const Event& e, EventType t) {
  return e.type == t;
}

TEST_F(X11Test, DraggingMovesTheWindowByExactlyThePointerTravel) {
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 300, 250}), 0x808080);
  probe_->MovePointer(150, 150);
  probe_->Button(true);
  auto down = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kButtonDown); });
  ASSERT_TRUE(down);
  ASSERT_EQ(down->window, w);
  EXPECT_EQ(down->screen.x, 150);
  EXPECT_EQ(down->screen.y, 150);
  ASSERT_FALSE(host_->BeginMove(w, down->screen)) << "nothing moves windows without a manager";

  // The window system's move loop: the window follows the pointer's root position.
  const Point press = down->screen;
  const Point origin{100, 100};
  const Point path[] = {{151, 150}, {160, 155}, {200, 190}, {140, 120}, {260, 230}};
  for (Point p : path) probe_->MovePointer(p.x, p.y);
  probe_->Button(false);
  int moves = 0;
  bool moved_event = false;
  for (;;) {
    auto e = WaitFor(*host_, [](const Event&) { return true; });
    ASSERT_TRUE(e) << "the release never came";
    if (e->type == EventType::kWindowMoved) moved_event = true;
    if (e->type == EventType::kPointerMove && (e->modifiers & kModLeftButton)) {
      ++moves;
      const int x = origin.x + e->screen.x - press.x, y = origin.y + e->screen.y - press.y;
      host_->SetWindowRect(w, Rect{x, y, x + 200, y + 150});
    }
    if (e->type == EventType::kButtonUp) {
      EXPECT_EQ(e->window, w);
      EXPECT_EQ(e->modifiers & kModLeftButton, 0u);
      break;
    }
  }
  EXPECT_EQ(moves, 5);
  EXPECT_FALSE(moved_event) << "our own moves must not come back as window-manager moves";
  host_->CursorPos();
  auto at = probe_->Origin(w);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->x, 100 + 260 - 150);
  EXPECT_EQ(at->y, 100 + 230 - 150);
  EXPECT_EQ(host_->CursorPos().x, 260);
}

TEST_F(X11Test, ACapturedWindowGetsTheMoveAndReleaseOutsideIt) {
  NativeWindow a = ShowSolid(*host_, Desc({400, 400, 500, 500}), 0xFF0000);
  NativeWindow b = ShowSolid(*host_, Desc({600, 400, 700, 500}), 0x00FF00);
  probe_->MovePointer(450, 450);
  probe_->Button(true);
  auto down = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kButtonDown); });
  ASSERT_TRUE(down);
  EXPECT_EQ(down->window, a);
  host_->SetCapture(a);
  host_->CursorPos();
  probe_->MovePointer(650, 450);  // over b
  probe_->MovePointer(900, 700);  // over the root
  probe_->Button(false);
  std::vector<Event> seen;
  for (;;) {
    auto e = WaitFor(*host_, [](const Event& ev) {
      return Is(ev, EventType::kPointerMove) || Is(ev, EventType::kButtonUp);
    });
    ASSERT_TRUE(e);
    seen.push_back(*e);
    if (e->type == EventType::kButtonUp) break;
  }
  ASSERT_GE(seen.size(), 3u);
  for (const Event& e : seen) EXPECT_EQ(e.window, a);
  EXPECT_EQ(seen.back().screen.x, 900);
  EXPECT_EQ(seen.back().screen.y, 700);
  EXPECT_EQ(seen[seen.size() - 2].screen.x, 900);

  // The capture holds without a button too, until released.
  probe_->MovePointer(660, 460);
  auto over_b = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(over_b);
  EXPECT_EQ(over_b->window, a);
  // Released over b, which saw none of the moves that brought the pointer there: it learns now.
  host_->SetCapture(0);
  over_b = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(over_b);
  EXPECT_EQ(over_b->window, b);
  EXPECT_EQ(over_b->screen.x, 660);
  probe_->MovePointer(670, 470);
  over_b = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(over_b);
  EXPECT_EQ(over_b->window, b);
  EXPECT_EQ(over_b->screen.x, 670);

  // Released over another program's window: none of ours is under the pointer.
  host_->SetCapture(a);
  Display* dpy = probe_->dpy();
  const Window other = XCreateSimpleWindow(dpy, probe_->root(), 550, 350, 300, 300, 0, 0, 0);
  XMapRaised(dpy, other);
  XSync(dpy, False);
  host_->SetCapture(0);
  auto over_other = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(over_other);
  EXPECT_EQ(over_other->window, 0u);
  EXPECT_EQ(over_other->screen.x, 670);
  XDestroyWindow(dpy, other);
  XSync(dpy, False);
}

TEST_F(X11Test, AButtonHeldWithoutCaptureNamesTheWindowReallyUnderThePointer) {
  NativeWindow a = ShowSolid(*host_, Desc({400, 100, 500, 200}), 0xFF0000);
  NativeWindow b = ShowSolid(*host_, Desc({600, 100, 700, 200}), 0x00FF00);
  probe_->MovePointer(450, 150);
  probe_->Button(true);
  probe_->MovePointer(650, 150);
  probe_->MovePointer(900, 150);
  probe_->Button(false);
  std::vector<Event> seen;
  for (;;) {
    auto e = WaitFor(*host_, [](const Event& ev) { return !Is(ev, EventType::kFocusIn); });
    ASSERT_TRUE(e);
    seen.push_back(*e);
    if (e->type == EventType::kButtonUp) break;
  }
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen[seen.size() - 4].window, a);  // the press
  EXPECT_EQ(seen[seen.size() - 3].window, b);
  EXPECT_EQ(seen[seen.size() - 2].window, 0u);
  EXPECT_EQ(seen.back().window, 0u);
}

TEST_F(X11Test, KeysArriveAsVirtualKeysAndCloseAsARequest) {
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 200, 200}), 0x123456);
  ASSERT_TRUE(Eventually(*host_, [&] { return probe_->Focus() == w; }));
  probe_->Key(XK_Escape, true);
  probe_->Key(XK_Escape, false);
  probe_->Key(XK_Alt_L, true);
  probe_->Key(XK_space, true);
  probe_->Key(XK_space, false);
  probe_->Key(XK_Alt_L, false);
  probe_->Key(XK_Down, true);
  std::vector<Event> downs;
  while (downs.size() < 4) {
    auto e = WaitFor(*host_, [](const Event& ev) { return Is(ev, EventType::kKeyDown); });
    ASSERT_TRUE(e);
    downs.push_back(*e);
  }
  EXPECT_EQ(downs[0].vk, 0x1Bu);
  EXPECT_EQ(downs[0].window, w);
  EXPECT_EQ(downs[1].vk, 0x12u);
  EXPECT_EQ(downs[2].vk, 0x20u);
  EXPECT_EQ(downs[2].modifiers & kModAlt, kModAlt);
  EXPECT_EQ(downs[3].vk, 0x28u);
  EXPECT_EQ(downs[3].modifiers & kModAlt, 0u);
  probe_->Key(XK_Down, false);

  // The window manager's close button arrives as WM_DELETE_WINDOW.
  XEvent ce{};
  ce.xclient.type = ClientMessage;
  ce.xclient.window = w;
  ce.xclient.message_type = XInternAtom(probe_->dpy(), "WM_PROTOCOLS", False);
  ce.xclient.format = 32;
  ce.xclient.data.l[0] = static_cast<long>(XInternAtom(probe_->dpy(), "WM_DELETE_WINDOW", False));
  XSendEvent(probe_->dpy(), w, False, NoEventMask, &ce);
  XSync(probe_->dpy(), False);
  auto close = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kCloseRequest); });
  ASSERT_TRUE(close);
  EXPECT_EQ(close->window, w);
}

TEST_F(X11Test, WaitingTimesOutAtTheDeadline) {
  const std::uint64_t start = host_->NowMs();
  Event e;
  EXPECT_FALSE(host_->WaitEvent(start + 30, &e));
  EXPECT_GE(host_->NowMs(), start + 30);
  EXPECT_FALSE(host_->WaitEvent(start, &e));  // already due
  EXPECT_FALSE(host_->PollEvent(&e));
}

TEST_F(X11WmTest, AWindowManagerMovesTheWindowAndReportsWhereTo) {
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 300, 250}), 0x808080);
  ASSERT_TRUE(Eventually(*host_, [&] { return probe_->Attributes(w)->map_state == IsViewable; }));
  probe_->MovePointer(150, 150);
  probe_->Button(true);
  auto down = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kButtonDown); });
  ASSERT_TRUE(down);
  ASSERT_TRUE(host_->BeginMove(w, down->screen));
  // The manager takes the pointer in its own time: nudge until the frame follows.
  bool following = false;
  for (int i = 1; i <= 40 && !following; ++i) {
    probe_->MovePointer(150 + 10 * (i % 2), 150);
    following = Eventually(
        *host_, [&] { return probe_->Origin(w)->x != 100; }, 50);
  }
  ASSERT_TRUE(following);
  probe_->MovePointer(250, 210);
  probe_->Button(false);
  auto moved = WaitFor(*host_, [](const Event& e) {
    return Is(e, EventType::kWindowMoved) && e.rect.left == 200 && e.rect.top == 160;
  });
  probe_->WaitUntilPointerFree();
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->window, w);
  EXPECT_EQ(moved->rect.Width(), 200);
}

TEST_F(X11WmTest, ReleasingTheCaptureNamesOurWindowInsideItsFrame) {
  NativeWindow a = ShowSolid(*host_, Desc({100, 400, 200, 500}), 0xFF0000);
  NativeWindow b = ShowSolid(*host_, Desc({300, 400, 400, 500}), 0x00FF00);
  ASSERT_TRUE(Eventually(*host_, [&] { return probe_->Attributes(b)->map_state == IsViewable; }));
  const std::optional<Point> at = probe_->Origin(b);
  ASSERT_TRUE(at);
  host_->SetCapture(a);
  probe_->MovePointer(at->x + 50, at->y + 50);
  auto captured = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(captured);
  EXPECT_EQ(captured->window, a);
  host_->SetCapture(0);
  auto released = WaitFor(*host_, [](const Event& e) { return Is(e, EventType::kPointerMove); });
  ASSERT_TRUE(released);
  EXPECT_EQ(released->window, b);
  EXPECT_EQ(released->screen.x, at->x + 50);
}

}  // namespace
}  // namespace host::test
