// The texts of the main window that follow the language (0 English, 1 Chinese), besides the
// tooltips, which SetLanguage sets.
#pragma once

#include "windef.h"

constexpr int kEnglish = 0;
constexpr int kChinese = 1;

// The language label: the name of the language in use, in that language.
LPCWSTR LanguageName(int language);
// The caption beside the lights quantity.
LPCWSTR LightsQtyCaption(int language);
// The message shown when Apply would send the VRGB channel an effect it does not have.
LPCWSTR SelectEffectMessage(int language);
