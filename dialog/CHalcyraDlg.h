// The main window: a skinned dialog that holds every control of the user interface, the lighting
// settings (page, effect, colour, the three slider positions, language, lights quantity) and the
// controller's handle.
//
// Its sources are split by concern: construction and initialisation (CHalcyraDlg.cpp), the layout
// table (layout.cpp), the language tables (language.cpp), skin, painting and the window's chrome
// (chrome.cpp), command dispatch (commands.cpp), the effect and colour groups (selection.cpp) and
// the controller's requests (device_ops.cpp).
#pragma once

#include <array>
#include <memory>

#include "CBitmapSlider.h"
#include "CMPButton.h"
#include "CMPStatic.h"
#include "CMPToolTip.h"
#include "CWmp.h"
#include "afxwin.h"
#include "discovery.h"
#include "gdi_owners.h"

// Synchronize: when set, Apply sends the ARGB report and then the VRGB report, whatever page is
// shown. One per process; only the main dialog's command handling reads or writes it.
extern BYTE g_bSync;

class CHalcyraDlg : public CDialogEx, public device::DeviceDiscovery {
 public:
  static constexpr int kControlCount = 47;  // child controls, identifiers 1500 to 1546
  static constexpr UINT kFirstControlId = 1500;

  explicit CHalcyraDlg(CWnd* parent = nullptr);
  ~CHalcyraDlg() override;
  CHalcyraDlg(const CHalcyraDlg&) = delete;
  CHalcyraDlg& operator=(const CHalcyraDlg&) = delete;

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // Creates the 47 child controls from the layout table, then configures the sliders, the colour
  // wheel, the media player, the skin tooltip and the two captions.
  void CreateControls();
  // Language 0 (English) or 1 (Chinese): the tooltips and the Apply button's text. Any other
  // value changes nothing.
  void SetLanguage(int language);
  // Shape and background from the skin picture.
  void ApplySkin();

  // The controller's requests. Nothing is reported when they fail: without an answer the reads
  // keep what they sent (the lights quantity its own low byte, the colour black).
  void ReadLightsQty(int& lightsQty);
  void SetLightsQty(BYTE qty);
  void ReadDeviceColor(BYTE& inOut);
  void ApplyArgbSettings();
  void ApplyVrgbSettings();

  // ---- State. Public so that the programs that report the lighting state, and the tests, can
  // read it.
  HICON m_hIcon = nullptr;
  gdi::UniqueBitmap m_hBmpBack;  // the skin picture, also the window property "MPBmpProp"
  UINT m_nBackId = 0;
  int m_nColor = 0;   // 0 the custom colour (the sliders), 1..8 a preset
  int m_nEffect = 0;  // effect button 1..24, shared by both pages
  int m_nPage = 0;    // 1 the ARGB page, 2 the VRGB page
  CWmp m_wmp;
  std::unique_ptr<COleDispatchDriver> m_pWmpControls;
  CMPToolTip m_mpToolTip;
  CToolTipCtrl m_toolTip;

  CMPButton m_btnMinimize;
  CMPButton m_btnClose;
  CMPButton m_btnArgbPage;
  CMPButton m_btnVrgbPage;
  CMPButton m_btnSync;
  CMPButton m_btnApply;
  CMPButton m_btnColorWheel;
  // The swatches in their order on the window: yellow, orange, red, pink, white, green, blue,
  // purple; each is named after the preset it selects.
  CMPButton m_btnColor4;
  CMPButton m_btnColor3;
  CMPButton m_btnColor2;
  CMPButton m_btnColor7;
  CMPButton m_btnColor1;
  CMPButton m_btnColor5;
  CMPButton m_btnColor6;
  CMPButton m_btnColor8;
  // The effect buttons, effect 1 to 24.
  CMPButton m_btnColorBreathe;
  CMPButton m_btnRainbow;
  CMPButton m_btnBreathe;
  CMPButton m_btnOff;
  CMPButton m_btnTwoBlink;
  CMPButton m_btnBlink;
  CMPButton m_btnStatic;
  CMPButton m_btnHalcyra;
  CMPButton m_btnSakura;
  CMPButton m_btnEmergency;
  CMPButton m_btnLaser;
  CMPButton m_btnMarquee;
  CMPButton m_btnTwinking;
  CMPButton m_btnColorCycle;
  CMPButton m_btnMeteor;
  CMPButton m_btnBlackHole;
  CMPButton m_btnAqua;
  CMPButton m_btnFlare;
  CMPButton m_btnForest;
  CMPButton m_btnStary;
  CMPButton m_btnFireWork;
  CMPButton m_btnLava;
  CMPButton m_btnTetris;
  CMPButton m_btnCenterMeteor;
  CMPButton m_btnLightsQty;
  CMPStatic m_stLightsQty;
  int m_nLanguage = 0;  // 0 English, 1 Chinese
  CMPButton m_btnLanguage;
  CMPStatic m_stLanguage;
  CMPStatic m_stLightsQtyLabel;
  int m_nLightsQty = 0;
  CBitmapSlider m_sliderRed;
  CBitmapSlider m_sliderGreen;
  CBitmapSlider m_sliderBlue;

  // The 24 effect buttons in effect order, and the 8 swatches in the order of the window.
  std::array<CMPButton*, 24> EffectButtons();
  std::array<CMPButton*, 8> ColorButtons();

 protected:
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg LRESULT OnSliderNotify(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg BOOL OnToolTipNeedText(UINT id, NMHDR* header, LRESULT* result);
  afx_msg void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  // Command branches.
  void OnApply();
  void ToggleLanguage();
  void ShowArgbPage();
  void ShowVrgbPage();
  void ToggleSync();
  void OpenLightsQty();
  // Selection groups.
  void SelectEffect(int effect);
  void SelectPresetColor(int color);
  void PickWheelColor();

  void CreateMediaPlayer();
  void DrawColorValues(CDC* dc);
  COLORREF SampleColor() const;
  // The controller's handle as the requests take it.
  HANDLE DeviceHandle() const { return m_hDevice.get(); }
  // Whether discovery left a handle that can reach a controller.
  bool DeviceFound() const;
};
