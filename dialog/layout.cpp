// The main window's 47 child controls: one table, created in one pass.
#include <array>

#include "CHalcyraDlg.h"
#include "app_fonts.h"
#include "bitmap_size.h"

namespace {

// One row of the layout. Button rows give no size: a button takes the size of its normal picture.
struct ControlSpec {
  CWnd& control;
  LPCWSTR className;
  LPCWSTR text;
  UINT normal;
  int left;
  int top;
  int width;
  int height;
  UINT hover;
  UINT third;
  DWORD extraStyle;
  int font;
};

constexpr LPCWSTR kButton = L"Button";
constexpr LPCWSTR kStatic = L"static";
constexpr LPCWSTR kTrackbar = L"msctls_trackbar32";

constexpr int kNormal = CAppFonts::kNormalFont;
constexpr int kBold = CAppFonts::kBoldFont;
constexpr int kNone = CAppFonts::kNoFont;

// WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | 0x100, which a button reads as BS_LEFT, a static as
// SS_NOTIFY and a trackbar as TBS_TOOLTIPS.
constexpr DWORD kCommonStyle = 0x52000100;

}  // namespace

void CHalcyraDlg::CreateControls() {
  // clang-format off
  const std::array<ControlSpec, kControlCount> layout = {{
      // control            class      text           normal  left top  w    h   hover third style font
      {m_btnColorWheel,     kButton,   nullptr,       227,    584, 45,  0,   0,  227,  0,    0, kNone},
      {m_btnColor4,         kButton,   nullptr,       208,    653, 273, 0,   0,  209,  0,    0, kNone},
      {m_btnColor3,         kButton,   nullptr,       214,    686, 273, 0,   0,  215,  0,    0, kNone},
      {m_btnColor2,         kButton,   nullptr,       218,    719, 273, 0,   0,  219,  0,    0, kNone},
      {m_btnColor7,         kButton,   nullptr,       216,    752, 273, 0,   0,  217,  0,    0, kNone},
      {m_btnColor1,         kButton,   nullptr,       220,    653, 302, 0,   0,  221,  0,    0, kNone},
      {m_btnColor5,         kButton,   nullptr,       212,    686, 302, 0,   0,  213,  0,    0, kNone},
      {m_btnColor6,         kButton,   nullptr,       210,    719, 302, 0,   0,  211,  0,    0, kNone},
      {m_btnColor8,         kButton,   nullptr,       222,    752, 302, 0,   0,  223,  0,    0, kNone},
      {m_btnApply,          kButton,   L"灯效应用",   206,    586, 474, 0,   0,  207,  0,    0, kBold},
      {m_btnSync,           kButton,   nullptr,       204,    125, 294, 0,   0,  204,  0,    0, kNone},
      {m_btnArgbPage,       kButton,   nullptr,       201,    408, 29,  0,   0,  201,  0,    0, kNone},
      {m_btnVrgbPage,       kButton,   nullptr,       202,    483, 29,  0,   0,  203,  0,    0, kNone},
      {m_btnMinimize,       kButton,   nullptr,       198,    737, 3,   0,   0,  199,  0,    0, kNone},
      {m_btnClose,          kButton,   nullptr,       196,    765, 3,   0,   0,  197,  0,    0, kNone},
      {m_btnColorBreathe,   kButton,   nullptr,       132,    37,  330, 0,   0,  131,  0,    0, kNormal},
      {m_btnRainbow,        kButton,   nullptr,       134,    100, 330, 0,   0,  133,  0,    0, kNone},
      {m_btnBreathe,        kButton,   nullptr,       136,    163, 330, 0,   0,  135,  0,    0, kNone},
      {m_btnOff,            kButton,   nullptr,       138,    226, 330, 0,   0,  137,  0,    0, kNone},
      {m_btnTwoBlink,       kButton,   nullptr,       140,    289, 330, 0,   0,  139,  0,    0, kNormal},
      {m_btnBlink,          kButton,   nullptr,       142,    352, 330, 0,   0,  141,  0,    0, kNormal},
      {m_btnStatic,         kButton,   nullptr,       144,    415, 330, 0,   0,  143,  0,    0, kNormal},
      {m_btnHalcyra,        kButton,   nullptr,       145,    478, 330, 0,   0,  145,  146,  0, kNone},
      {m_btnSakura,         kButton,   nullptr,       150,    37,  392, 0,   0,  148,  149,  0, kNone},
      {m_btnEmergency,      kButton,   nullptr,       153,    100, 392, 0,   0,  151,  152,  0, kNone},
      {m_btnLaser,          kButton,   nullptr,       156,    163, 392, 0,   0,  154,  155,  0, kNone},
      {m_btnMarquee,        kButton,   nullptr,       159,    226, 392, 0,   0,  157,  158,  0, kNone},
      {m_btnTwinking,       kButton,   nullptr,       162,    289, 392, 0,   0,  160,  161,  0, kNormal},
      {m_btnColorCycle,     kButton,   nullptr,       165,    352, 392, 0,   0,  163,  164,  0, kNormal},
      {m_btnMeteor,         kButton,   nullptr,       168,    415, 392, 0,   0,  166,  167,  0, kNormal},
      {m_btnBlackHole,      kButton,   nullptr,       171,    478, 392, 0,   0,  169,  170,  0, kNone},
      {m_btnAqua,           kButton,   nullptr,       174,    37,  455, 0,   0,  172,  173,  0, kNone},
      {m_btnFlare,          kButton,   nullptr,       177,    100, 455, 0,   0,  175,  176,  0, kNone},
      {m_btnForest,         kButton,   nullptr,       180,    163, 455, 0,   0,  178,  179,  0, kNone},
      {m_btnStary,          kButton,   nullptr,       183,    226, 455, 0,   0,  181,  182,  0, kNone},
      {m_btnFireWork,       kButton,   nullptr,       186,    289, 455, 0,   0,  184,  185,  0, kNormal},
      {m_btnLava,           kButton,   nullptr,       189,    352, 455, 0,   0,  187,  188,  0, kNormal},
      {m_btnTetris,         kButton,   nullptr,       192,    415, 455, 0,   0,  190,  191,  0, kNormal},
      {m_btnCenterMeteor,   kButton,   nullptr,       195,    478, 455, 0,   0,  193,  194,  0, kNone},
      {m_sliderRed,         kTrackbar, nullptr,       0,      586, 363, 132, 12, 0,    0,    0, kNormal},
      {m_sliderGreen,       kTrackbar, nullptr,       0,      586, 403, 132, 12, 0,    0,    0, kNormal},
      {m_sliderBlue,        kTrackbar, nullptr,       0,      586, 443, 132, 12, 0,    0,    0, kNormal},
      {m_btnLightsQty,      kButton,   nullptr,       248,    529, 40,  0,   0,  249,  248,  0, kNormal},
      {m_stLightsQty,       kStatic,   nullptr,       0,      493, 39,  30,  18, 0,    0,    SS_CENTER, kBold},
      {m_stLightsQtyLabel,  kStatic,   nullptr,       0,      408, 34,  76,  30, 0,    0,    SS_CENTER, kBold},
      {m_btnLanguage,       kButton,   nullptr,       248,    710, 7,   0,   0,  249,  248,  0, kNormal},
      {m_stLanguage,        kStatic,   nullptr,       0,      650, 5,   50,  18, 0,    0,    SS_CENTER, kNormal},
  }};
  // clang-format on

  for (int n = 0; n < kControlCount; ++n) {
    const ControlSpec& row = layout[n];
    int width = row.width;
    int height = row.height;
    if (CString(row.className).CompareNoCase(L"Button") == 0) {
      if (auto* button = dynamic_cast<CMPButton*>(&row.control)) {
        button->SetBitmaps(row.normal, row.hover, row.third);
      }
      const SIZE size = BitmapSize(row.normal);
      width = size.cx;
      height = size.cy;
    }
    const CRect rect(row.left, row.top, row.left + width, row.top + height);
    // A control that fails to be created is left without a window; the others still come.
    row.control.Create(row.className, row.text, row.extraStyle | kCommonStyle, rect, this,
                       kFirstControlId + n);
    ::SendMessageW(row.control.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(AppFont(row.font)), 0);
  }

  m_btnColorWheel.m_bPickColor = TRUE;

  m_sliderRed.m_nTrackStyle = 0;
  m_sliderGreen.m_nTrackStyle = 2;
  m_sliderBlue.m_nTrackStyle = 1;
  m_sliderRed.LoadThumbBitmap(233);
  m_sliderGreen.LoadThumbBitmap(237);
  m_sliderBlue.LoadThumbBitmap(236);
  for (CBitmapSlider* slider : {&m_sliderRed, &m_sliderGreen, &m_sliderBlue}) {
    slider->SetRange(0, 255);
  }
  // The colour wheel's first picked colour, until the controller's colour is read.
  m_sliderRed.SetPos(61);
  m_sliderGreen.SetPos(69);
  m_sliderBlue.SetPos(255);

  CreateMediaPlayer();
  m_mpToolTip.Create(nullptr, 0);

  m_stLightsQty.m_clrBack = RGB(0x00, 0x14, 0x40);
  m_stLanguage.SetWindowTextW(L"ENGLISH");
  m_stLightsQtyLabel.m_clrBack = RGB(0x00, 0x14, 0x40);
  m_stLightsQtyLabel.SetWindowTextW(L"Lights Qty");
}
