// The tooltip control class: tools by window handle, their texts, delays and colours.
#include "test_support.h"

namespace {

class ToolTipCtrlTest : public test::HostTest {};

TEST_F(ToolTipCtrlTest, ToolsByWindowHandleAndTheirTexts) {
  CWnd dlg;
  ASSERT_TRUE(dlg.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
  CButton apply;
  CButton other;
  ASSERT_TRUE(apply.Create(L"", WS_CHILD, CRect(0, 0, 20, 20), &dlg, 1509));
  ASSERT_TRUE(other.Create(L"", WS_CHILD, CRect(30, 0, 50, 20), &dlg, 1510));

  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&dlg));
  EXPECT_EQ(dlg.m_hWnd, ::GetParent(tip.m_hWnd));
  EXPECT_NE(0u, tip.GetStyle() & WS_POPUP);
  ASSERT_TRUE(tip.AddTool(&apply, L"Apply all settings to the device."));
  EXPECT_EQ(1, tip.GetToolCount());

  CToolInfo info;
  ASSERT_TRUE(tip.GetToolInfo(info, &apply));
  EXPECT_EQ(TTF_IDISHWND, info.uFlags & TTF_IDISHWND);
  EXPECT_EQ(0u, info.uFlags & TTF_SUBCLASS);
  EXPECT_EQ(dlg.m_hWnd, info.hwnd);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(apply.m_hWnd), info.uId);
  EXPECT_EQ(std::wstring(L"Apply all settings to the device."), info.szText);
  EXPECT_FALSE(tip.GetToolInfo(info, &other));

  tip.UpdateTipText(L"应用设置到设备.", &apply);
  ASSERT_TRUE(tip.GetToolInfo(info, &apply));
  EXPECT_EQ(std::wstring(L"应用设置到设备."), info.szText);
  EXPECT_EQ(1, tip.GetToolCount());

  // A tool that asks its owner for the text has none to copy.
  ASSERT_TRUE(tip.AddTool(&other));
  ASSERT_TRUE(tip.GetToolInfo(info, &other));
  EXPECT_EQ(LPSTR_TEXTCALLBACKW, info.lpszText);
  // Longer texts than a description carries still come back whole.
  const std::wstring longText(200, L'y');
  tip.UpdateTipText(longText.c_str(), &apply);
  ASSERT_TRUE(tip.GetToolInfo(info, &apply));
  EXPECT_EQ(longText, info.szText);

  tip.SetDelayTime(TTDT_AUTOMATIC, 200);
  EXPECT_EQ(200, tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
  tip.SetDelayTime(500);  // the automatic delay alone
  EXPECT_EQ(500, tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
  tip.SetTipTextColor(0xFF6480);
  tip.SetTipBkColor(0xFFFFFF);
  EXPECT_EQ(0xFF6480u, tip.GetTipTextColor());
  EXPECT_EQ(0xFFFFFFu, tip.GetTipBkColor());
}

}  // namespace
