// Command dispatch: every click of a skinned button arrives here as WM_COMMAND with the button's
// window as its source, and the slider notifications repaint the value that moved.
#include "CHalcyraDlg.h"
#include "CNumDlg.h"
#include "language.h"
#include "window_areas.h"

BYTE g_bSync = 0;

namespace {

constexpr int kArgbPage = 1;
constexpr int kVrgbPage = 2;
// Effects 1..7 exist on both pages; the buttons from 8 on belong to the ARGB page only.
constexpr int kFirstArgbOnlyEffect = 8;

constexpr UINT kSyncOff = 204;
constexpr UINT kSyncOn = 205;

}  // namespace

BOOL CHalcyraDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (wParam == ID_HELP) return FALSE;
  // Escape and the system menu's close (Alt+F4) arrive as a cancel that names no control; they
  // never end the window.
  if (wParam == IDCANCEL && lParam == 0) return FALSE;

  const HWND from = reinterpret_cast<HWND>(lParam);
  const auto is = [from](const CWnd& control) { return from != nullptr && from == control.m_hWnd; };

  if (is(m_btnMinimize)) {
    ShowWindow(SW_MINIMIZE);
  } else if (is(m_btnClose)) {
    OnOK();
  } else if (is(m_btnApply)) {
    OnApply();
  } else if (is(m_btnLanguage)) {
    ToggleLanguage();
  } else if (is(m_btnColorWheel)) {
    PickWheelColor();
    return FALSE;
  } else {
    const std::array<CMPButton*, 8> swatches = ColorButtons();
    for (std::size_t i = 0; i < swatches.size(); ++i) {
      if (is(*swatches[i])) {
        SelectPresetColor(static_cast<int>(i));
        return FALSE;
      }
    }
    const std::array<CMPButton*, 24> effects = EffectButtons();
    for (std::size_t i = 0; i < effects.size(); ++i) {
      if (is(*effects[i])) {
        SelectEffect(static_cast<int>(i) + 1);
        return FALSE;
      }
    }
    if (is(m_btnArgbPage)) {
      ShowArgbPage();
    } else if (is(m_btnVrgbPage)) {
      ShowVrgbPage();
    } else if (is(m_btnLightsQty)) {
      OpenLightsQty();
    } else if (is(m_btnSync)) {
      ToggleSync();
    }
  }
  return CDialogEx::OnCommand(wParam, lParam);
}

void CHalcyraDlg::OnApply() {
  if (g_bSync != 0) {
    ApplyArgbSettings();
    ApplyVrgbSettings();
  } else if (m_nPage == kArgbPage) {
    ApplyArgbSettings();
  } else if (m_nPage == kVrgbPage) {
    ApplyVrgbSettings();
  }
}

void CHalcyraDlg::ToggleLanguage() {
  if (m_nLanguage == kEnglish) {
    m_nLanguage = kChinese;
  } else if (m_nLanguage == kChinese) {
    m_nLanguage = kEnglish;
  }
  if (m_nLanguage == kEnglish || m_nLanguage == kChinese) {
    m_stLanguage.SetWindowTextW(LanguageName(m_nLanguage));
    m_stLightsQtyLabel.SetWindowTextW(LightsQtyCaption(m_nLanguage));
  }
  SetLanguage(m_nLanguage);
}

void CHalcyraDlg::ShowArgbPage() {
  m_btnArgbPage.SetBitmaps(201, 201, 0);
  m_btnVrgbPage.SetBitmaps(202, 202, 0);
  if (g_bSync == 0) {
    const std::array<CMPButton*, 24> effects = EffectButtons();
    for (int effect = kFirstArgbOnlyEffect; effect <= 24; ++effect) {
      effects[effect - 1]->ShowWindow(SW_SHOWNORMAL);
    }
  }
  m_nPage = kArgbPage;
}

void CHalcyraDlg::ShowVrgbPage() {
  m_btnArgbPage.SetBitmaps(200, 200, 0);
  m_btnVrgbPage.SetBitmaps(203, 203, 0);
  if (g_bSync == 0) {
    const std::array<CMPButton*, 24> effects = EffectButtons();
    for (int effect = kFirstArgbOnlyEffect; effect <= 24; ++effect) {
      effects[effect - 1]->ShowWindow(SW_HIDE);
    }
  }
  m_nPage = kVrgbPage;
}

void CHalcyraDlg::ToggleSync() {
  // The switch's own picture says whether it is on.
  const UINT picture = m_btnSync.m_nBmpNormal == kSyncOff ? kSyncOn : kSyncOff;
  m_btnSync.SetBitmaps(picture, picture, 0);
  g_bSync = picture != kSyncOff ? 1 : 0;
  const int show = g_bSync == 0 ? SW_SHOWNORMAL : SW_HIDE;
  const std::array<CMPButton*, 24> effects = EffectButtons();
  for (int effect = kFirstArgbOnlyEffect; effect <= 24; ++effect) {
    effects[effect - 1]->ShowWindow(show);
  }
  m_btnArgbPage.ShowWindow(show);
  m_btnVrgbPage.ShowWindow(show);
}

void CHalcyraDlg::OpenLightsQty() {
  // The dialog writes its result into this window itself.
  CNumDlg dialog;
  dialog.DoModal();
}

LRESULT CHalcyraDlg::OnSliderNotify(WPARAM wParam, LPARAM /*lParam*/) {
  const struct {
    CBitmapSlider& slider;
    const RECT& valueRect;
  } values[] = {
      {m_sliderRed, kRedValueRect},
      {m_sliderGreen, kGreenValueRect},
      {m_sliderBlue, kBlueValueRect},
  };
  for (const auto& value : values) {
    if (value.slider.m_hWnd == nullptr) break;
    if (static_cast<WPARAM>(value.slider.GetDlgCtrlID()) == wParam) {
      InvalidateRect(&value.valueRect, TRUE);
      break;
    }
  }
  return 0;
}
