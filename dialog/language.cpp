// The language tables: every tooltip of the main window and the texts that follow the language.
#include "language.h"

#include <array>

#include "CHalcyraDlg.h"
#include "effects.h"

namespace {

// Indexed by effect button 1..24 (entry 0 unused). The English names are the device's own.
constexpr std::array<LPCWSTR, device::kEffectCount + 1> kChineseEffectNames = {
    nullptr,     L"多彩呼吸", L"彩虹",       L"单色呼吸", L"灯效全灭", L"双闪",   L"单闪",
    L"灯效常亮", L"Halcyra",  L"樱花",       L"警灯",     L"激光",     L"跑马灯", L"闪烁",
    L"彩色循环", L"流星",     L"黑洞",       L"海流",     L"火焰",     L"森林",   L"星空",
    L"烟花",     L"火山",     L"俄罗斯方块", L"涟漪",
};

struct TipRow {
  CWnd* control;
  LPCWSTR text[2];  // English, Chinese
};

}  // namespace

LPCWSTR LanguageName(int language) {
  return language == kChinese ? L"中文" : L"ENGLISH";
}

LPCWSTR LightsQtyCaption(int language) {
  return language == kChinese ? L"灯数选择" : L"Lights Qty";
}

LPCWSTR SelectEffectMessage(int language) {
  return language == kChinese ? L"应用之前，请选择灯效！"
                              : L"Please select lamp effect before application!";
}

void CHalcyraDlg::SetLanguage(int language) {
  if (language != kEnglish && language != kChinese) return;

  std::array<TipRow, 7 + device::kEffectCount> tips = {{
      {&m_btnMinimize, {L"Minimize", L"最小化窗体"}},
      {&m_btnClose, {L"Exit", L"关闭窗体"}},
      {&m_btnArgbPage, {L"ARGB Setting", L"ARGB调节"}},
      {&m_btnVrgbPage, {L"VRGB Setting", L"VRGB调节"}},
      {&m_btnSync, {L"Synchronize", L"同步操作"}},
      {&m_btnApply, {L"Apply all settings to the device.", L"应用设置到设备."}},
      {&m_btnLanguage, {L"Language selection", L"语言切换"}},
  }};
  const std::array<CMPButton*, device::kEffectCount> effects = EffectButtons();
  for (int effect = 1; effect <= device::kEffectCount; ++effect) {
    tips[6 + effect] = {effects[effect - 1],
                        {device::EffectName(effect), kChineseEffectNames[effect]}};
  }

  for (const TipRow& row : tips) {
    LPCWSTR text = row.text[language];
    CToolInfo info;
    if (m_toolTip.GetToolInfo(info, row.control)) {
      m_toolTip.UpdateTipText(text, row.control);
    } else {
      m_toolTip.AddTool(row.control, text);
    }
    if (row.control == &m_btnApply) {
      m_btnApply.SetWindowTextW(language == kChinese ? L"灯效应用" : L"Apply");
    }
  }
}
