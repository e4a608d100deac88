// Message maps: derived tables first, typed unpacking, commands and notifications by id.
#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr UINT kSliderTrack = 0x28D1;
constexpr UINT kSliderSet = 0x28D2;

class CBaseProbe : public CWnd {
 public:
  std::vector<std::string> log;

 protected:
  LRESULT OnBaseTrack(WPARAM, LPARAM) {
    log.push_back("base track");
    return 1;
  }
  void OnTimer(UINT_PTR id) { log.push_back("base timer " + std::to_string(id)); }
  void OnHelpCommand() { log.push_back("base help"); }
  BOOL OnBaseNeedText(UINT id, NMHDR*, LRESULT* result) {
    log.push_back("base needtext " + std::to_string(id));
    *result = 77;
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
ON_MESSAGE(kSliderTrack, &CBaseProbe::OnBaseTrack)
ON_WM_TIMER()
ON_COMMAND(ID_HELP, &CBaseProbe::OnHelpCommand)
ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &CBaseProbe::OnBaseNeedText)
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
 public:
  CPoint lastHit;
  BOOL declineNeedText = FALSE;

 protected:
  LRESULT OnSliderNotify(WPARAM wParam, LPARAM lParam) {
    log.push_back("derived slider " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 0;
  }
  LRESULT OnNcHitTest(CPoint point) {
    lastHit = point;
    return HTCAPTION;
  }
  void OnApply() { log.push_back("derived apply"); }
  BOOL OnToolTipNeedText(UINT id, NMHDR* hdr, LRESULT*) {
    log.push_back("derived needtext " + std::to_string(id) + " " + std::to_string(hdr->code));
    return !declineNeedText;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
ON_MESSAGE(kSliderTrack, &CDerivedProbe::OnSliderNotify)
ON_MESSAGE(kSliderSet, &CDerivedProbe::OnSliderNotify)
ON_WM_NCHITTEST()
ON_COMMAND(1509, &CDerivedProbe::OnApply)
ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &CDerivedProbe::OnToolTipNeedText)
END_MESSAGE_MAP()

class MessageMapTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_TRUE(
        wnd_.CreateEx(0, nullptr, L"probe", WS_POPUP, 100, 100, 200, 150, nullptr, nullptr));
  }
  CDerivedProbe wnd_;
};

TEST_F(MessageMapTest, DerivedEntriesWinAndUnpackTheirArguments) {
  // Both messages reach the one derived handler; the base's entry for them is never consulted.
  EXPECT_EQ(0, wnd_.SendMessage(kSliderTrack, 1539, 61));
  EXPECT_EQ(0, wnd_.SendMessage(kSliderSet, 1541, -3));
  EXPECT_EQ((std::vector<std::string>{"derived slider 1539 61", "derived slider 1541 -3"}),
            wnd_.log);

  // A message only the base maps goes to the base's handler.
  wnd_.log.clear();
  wnd_.SendMessage(WM_TIMER, 3);
  EXPECT_EQ((std::vector<std::string>{"base timer 3"}), wnd_.log);

  // Screen points arrive signed.
  EXPECT_EQ(HTCAPTION, wnd_.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(-5), 300)));
  EXPECT_EQ(CPoint(-5, 300), wnd_.lastHit);
}

TEST_F(MessageMapTest, UnmappedMessagesReachTheWindowsOwnProcedure) {
  wnd_.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from the default procedure"));
  CString text;
  wnd_.GetWindowTextW(text);
  EXPECT_EQ(CString(L"from the default procedure"), text);
  EXPECT_TRUE(wnd_.log.empty());
}

TEST_F(MessageMapTest, CommandsMatchIdentifierAndCode) {
  // A menu-style command (no source window) and a button click with code BN_CLICKED match.
  wnd_.SendMessage(WM_COMMAND, 1509, 0);
  CWnd child;
  ASSERT_TRUE(child.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &wnd_, 1509));
  wnd_.SendMessage(WM_COMMAND, MAKEWPARAM(1509, BN_CLICKED),
                   reinterpret_cast<LPARAM>(child.m_hWnd));
  // Another notification code from the control does not.
  wnd_.SendMessage(WM_COMMAND, MAKEWPARAM(1509, BN_DOUBLECLICKED),
                   reinterpret_cast<LPARAM>(child.m_hWnd));
  // An accelerator (code 1, no window) counts as a plain command.
  wnd_.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 1), 0);
  EXPECT_EQ((std::vector<std::string>{"derived apply", "derived apply", "base help"}), wnd_.log);
}

TEST_F(MessageMapTest, NotificationsFromAPopupMatchIdentifierZeroAndMayBeDeclined) {
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&wnd_));
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = tip.m_hWnd;
  info.hdr.idFrom = 1234;
  info.hdr.code = TTN_NEEDTEXTW;
  EXPECT_EQ(0, wnd_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ((std::vector<std::string>{"derived needtext 0 " + std::to_string(TTN_NEEDTEXTW)}),
            wnd_.log);

  // Declining lets the search continue into the base's table.
  wnd_.log.clear();
  wnd_.declineNeedText = TRUE;
  EXPECT_EQ(77, wnd_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(2u, wnd_.log.size());
  EXPECT_EQ("base needtext 0", wnd_.log.back());

  // A notification from a control with another identifier matches nothing.
  wnd_.log.clear();
  CWnd child;
  ASSERT_TRUE(child.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &wnd_, 7));
  info.hdr.hwndFrom = child.m_hWnd;
  wnd_.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(wnd_.log.empty());
}

TEST(RuntimeClassTest, NamesAndBaseChains) {
  EXPECT_STREQ("CDialogEx", RUNTIME_CLASS(CDialogEx)->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CDialog), RUNTIME_CLASS(CDialogEx)->GetBaseClass());
  EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CButton)->GetBaseClass());
  EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CToolTipCtrl)->GetBaseClass());
  EXPECT_EQ(RUNTIME_CLASS(CCmdTarget), RUNTIME_CLASS(CWinApp)->GetBaseClass());
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->GetBaseClass());

  CStatic st;
  EXPECT_STREQ("CStatic", st.GetRuntimeClass()->m_lpszClassName);
  EXPECT_TRUE(st.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(st.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(st.IsKindOf(RUNTIME_CLASS(CButton)));

  // Only classes with dynamic creation can be made from their run-time class.
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CButton)->CreateObject());
  auto made = RUNTIME_CLASS(CMFCVisualManagerWindows)->CreateObject();
  ASSERT_NE(nullptr, made);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CMFCVisualManager)));
}

}  // namespace
