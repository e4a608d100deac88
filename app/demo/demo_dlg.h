// The demonstration window: the product's skin, shape and chrome on the platform layer, with an
// Apply button that sends one lighting report to the controller.
//
// The window is cut from the skin picture and dragged by any point of its background; minimise
// and close are picture buttons of its own; the system menu (Alt+Space) carries the about box.
#pragma once

#include "afxwin.h"
#include "demo_button.h"
#include "discovery.h"

namespace demo {

constexpr UINT IDD_DEMO_DIALOG = 102;
constexpr UINT IDS_ABOUTBOX = 101;
constexpr UINT IDM_ABOUTBOX = 0x0010;

// Resource identifiers of the pictures the window shows.
constexpr UINT kSkinPicture = 251;
constexpr UINT kEffectTilePicture = 145;
constexpr UINT kColorWheelPicture = 227;
constexpr UINT kIconId = 128;
constexpr UINT kMinimizeNormal = 198;
constexpr UINT kMinimizeHover = 199;
constexpr UINT kCloseNormal = 196;
constexpr UINT kCloseHover = 197;
constexpr UINT kApplyNormal = 206;
constexpr UINT kApplyHover = 207;

// Where the pictures sit, client coordinates.
constexpr POINT kEffectTileAt = {478, 330};
constexpr POINT kColorWheelAt = {584, 45};
constexpr POINT kMinimizeAt = {737, 3};
constexpr POINT kCloseAt = {765, 3};
constexpr POINT kApplyAt = {586, 474};

// The control identifiers of the three buttons.
constexpr UINT IDC_DEMO_MINIMIZE = 1001;
constexpr UINT IDC_DEMO_CLOSE = 1002;
constexpr UINT IDC_DEMO_APPLY = 1003;

// What Apply sends: effect 8 in the custom colour.
constexpr int kApplyEffect = 8;
constexpr BYTE kApplyRed = 61;
constexpr BYTE kApplyGreen = 69;
constexpr BYTE kApplyBlue = 255;

class CDemoDlg : public CDialogEx {
 public:
  explicit CDemoDlg(CWnd* parent = nullptr);
  ~CDemoDlg() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg HCURSOR OnQueryDragIcon();

  DECLARE_MESSAGE_MAP()

 private:
  void AddAboutItem();
  void CreateButtons();
  void CreateToolTips();
  void ApplySkin();
  void SendApply();

  CDemoButton m_btnMinimize;
  CDemoButton m_btnClose;
  CDemoButton m_btnApply;
  CToolTipCtrl m_toolTip;
  CFont m_fontApply;
  HICON m_hIcon = nullptr;
  CBitmap m_bmpBack;  // the skin; also the window property "MPBmpProp"
  device::DeviceDiscovery m_device;
};

}  // namespace demo
