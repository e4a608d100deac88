// Identifiers of the program's resources and commands that the dialogs use.
#pragma once

#include "windef.h"

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDS_ABOUTBOX = 101;  // the system menu's about item
constexpr UINT IDD_HALCYRA_DIALOG = 102;
constexpr UINT IDR_MAINFRAME = 128;  // the program icon
constexpr UINT IDD_NUM_DIALOG = 238;

// The system menu command of the about item.
constexpr UINT IDM_ABOUTBOX = 0x0010;

// The main window's skin, 800 x 540; white is outside the window.
constexpr UINT IDB_SKIN = 251;
// The lights-quantity dialog's backgrounds, 340 x 195.
constexpr UINT IDB_NUM_BACK_CHINESE = 240;
constexpr UINT IDB_NUM_BACK_ENGLISH = 250;
