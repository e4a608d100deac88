// The toolkit's tooltip: its run-time class, and enabling its window turns the tips on and off.
#include "CMPToolTip.h"
#include "test_support.h"

namespace {

TEST(MPToolTipClassTest, RunTimeClassIsItsOwn) {
  CMPToolTip tip;
  EXPECT_STREQ("CMPToolTip", tip.GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CToolTipCtrl), tip.GetRuntimeClass()->GetBaseClass());
  EXPECT_TRUE(tip.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CMPToolTip)->CreateObject());
}

class MPToolTipTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                                 nullptr, nullptr));
    ASSERT_TRUE(button_.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &parent_, 1));
  }
  // Whether a tip shows once the pointer rests on the button (the move relayed as a dialog does).
  bool HoverShowsTip(CToolTipCtrl& tip) {
    host_.MovePointer({100 + 20, 100 + 20});
    MSG msg{button_.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), ::GetTickCount(), {120, 120}};
    tip.RelayEvent(&msg);
    host_.AdvanceClock(150);
    Pump();
    const bool shown = tip.IsWindowVisible() != FALSE;
    tip.Pop();
    host_.MovePointer({5, 5});
    MSG away{parent_.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0), ::GetTickCount(), {5, 5}};
    tip.RelayEvent(&away);
    Pump();
    return shown;
  }
  CWnd parent_;
  CButton button_;
};

TEST_F(MPToolTipTest, EnableAndDisableSwitchTheTipsOnAndOff) {
  CMPToolTip tip;
  ASSERT_TRUE(tip.Create(nullptr, 0));
  ASSERT_TRUE(tip.AddTool(&button_, L"Apply"));
  tip.SetDelayTime(TTDT_AUTOMATIC, 100);
  tip.Activate(TRUE);
  EXPECT_TRUE(HoverShowsTip(tip));

  tip.EnableWindow(FALSE);
  EXPECT_FALSE(HoverShowsTip(tip));
  tip.EnableWindow(TRUE);
  EXPECT_TRUE(HoverShowsTip(tip));
}

}  // namespace
