// The common controls the program uses: the tooltip control and the trackbar beneath the skinned
// slider, and the common-controls initialisation. Included by winuser.h.
#pragma once

#include "windef.h"
#include "winuser.h"

// ---- Initialisation ----------------------------------------------------------------------------
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;  // trackbar and tooltips among them
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;
// FALSE when the record is missing or its size is not that of the record.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);

// ---- Trackbar ("msctls_trackbar32") -------------------------------------------------------------
constexpr const wchar_t* TRACKBAR_CLASSW = L"msctls_trackbar32";
constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_HORZ = 0x0000;
constexpr DWORD TBS_NOTICKS = 0x0010;
constexpr DWORD TBS_TOOLTIPS = 0x0100;
constexpr UINT TBM_GETPOS = 0x0400;
constexpr UINT TBM_GETRANGEMIN = 0x0401;
constexpr UINT TBM_GETRANGEMAX = 0x0402;
constexpr UINT TBM_SETPOS = 0x0405;
constexpr UINT TBM_SETRANGE = 0x0406;  // lParam = MAKELONG(min, max)
constexpr UINT TBM_SETRANGEMIN = 0x0407;
constexpr UINT TBM_SETRANGEMAX = 0x0408;
constexpr UINT TBM_SETPAGESIZE = 0x0415;
constexpr UINT TBM_GETPAGESIZE = 0x0416;
constexpr UINT TBM_SETLINESIZE = 0x0417;
constexpr UINT TBM_GETLINESIZE = 0x0418;
// WM_HSCROLL notification codes (low word of wParam).
constexpr WORD TB_LINEUP = 0;
constexpr WORD TB_LINEDOWN = 1;
constexpr WORD TB_PAGEUP = 2;
constexpr WORD TB_PAGEDOWN = 3;
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_TOP = 6;
constexpr WORD TB_BOTTOM = 7;
constexpr WORD TB_ENDTRACK = 8;

// ---- Tooltip ("tooltips_class32") --------------------------------------------------------------
constexpr const wchar_t* TOOLTIPS_CLASSW = L"tooltips_class32";
constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;
constexpr DWORD TTS_NOANIMATE = 0x10;
constexpr DWORD TTS_NOFADE = 0x20;
constexpr DWORD TTS_BALLOON = 0x40;

constexpr UINT TTF_IDISHWND = 0x0001;  // uId is the tool's window handle
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_RTLREADING = 0x0004;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRACK = 0x0020;
constexpr UINT TTF_ABSOLUTE = 0x0080;
constexpr UINT TTF_TRANSPARENT = 0x0100;
constexpr UINT TTF_PARSELINKS = 0x1000;
constexpr UINT TTF_DI_SETITEM = 0x8000;

constexpr UINT TTM_ACTIVATE = 0x0401;      // wParam TRUE/FALSE
constexpr UINT TTM_SETDELAYTIME = 0x0403;  // wParam TTDT_xxx, lParam milliseconds
constexpr UINT TTM_RELAYEVENT = 0x0407;    // lParam = const MSG*
constexpr UINT TTM_GETTOOLCOUNT = 0x040D;
constexpr UINT TTM_WINDOWFROMPOINT = 0x0410;  // lParam = const POINT*; returns HWND
constexpr UINT TTM_SETTIPBKCOLOR = 0x0413;
constexpr UINT TTM_SETTIPTEXTCOLOR = 0x0414;
constexpr UINT TTM_GETDELAYTIME = 0x0415;
constexpr UINT TTM_GETTIPBKCOLOR = 0x0416;
constexpr UINT TTM_GETTIPTEXTCOLOR = 0x0417;
constexpr UINT TTM_SETMAXTIPWIDTH = 0x0418;
constexpr UINT TTM_POP = 0x041C;
constexpr UINT TTM_UPDATE = 0x041D;
constexpr UINT TTM_ADDTOOLW = 0x0432;  // lParam = const TTTOOLINFOW*
constexpr UINT TTM_DELTOOLW = 0x0433;
constexpr UINT TTM_NEWTOOLRECTW = 0x0434;
// lParam = TTTOOLINFOW*; a non-null lpszText receives the tool's text (at most
// TOOLTIP_TEXT_MAX - 1 characters and a terminator) or LPSTR_TEXTCALLBACKW.
constexpr UINT TTM_GETTOOLINFOW = 0x0435;
constexpr UINT TTM_SETTOOLINFOW = 0x0436;
constexpr UINT TTM_GETTEXTW = 0x0438;  // wParam = room in lpszText, in characters
constexpr UINT TTM_UPDATETIPTEXTW = 0x0439;
constexpr UINT TTM_GETCURRENTTOOLW = 0x043B;

// The room a tool description's text buffer is assumed to have, as with a tip-text request.
constexpr int TOOLTIP_TEXT_MAX = 80;

constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;  // 0xFDEE
constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;

// A tool whose text the tooltip asks its owner for with TTN_GETDISPINFOW.
inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(~std::uintptr_t{0});

struct TTTOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;     // the window that owns the tool
  UINT_PTR uId;  // the tool's identifier, or its window handle with TTF_IDISHWND
  RECT rect;     // the tool's area in hwnd's client coordinates (not used with TTF_IDISHWND)
  HINSTANCE hinst;
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
using TOOLINFOW = TTTOOLINFOW;
using LPTTTOOLINFOW = TTTOOLINFOW*;

struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
