// The graphics services of the platform layer, with Windows' names, constants and semantics.
//
// Only what the program calls is offered. Every object is reached through an opaque handle that is
// looked up in a table: a stale or foreign handle makes the call fail (FALSE, NULL, ERROR or
// CLR_INVALID, as Windows reports it), never crash.
#pragma once

#include "windef.h"

// ---- Raster operations -------------------------------------------------------------------------
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;

// ---- Stretch modes -----------------------------------------------------------------------------
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// ---- Background modes --------------------------------------------------------------------------
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// ---- Mapping modes -----------------------------------------------------------------------------
constexpr int MM_TEXT = 1;

// ---- Region results and combine modes ----------------------------------------------------------
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// ---- Polygon fill modes ------------------------------------------------------------------------
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// ---- Stock objects -----------------------------------------------------------------------------
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// ---- Object types (GetObjectType) --------------------------------------------------------------
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;

// ---- Bitmaps -----------------------------------------------------------------------------------
struct BITMAP {
  LONG bmType;  // 0
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;  // bytes per row
  WORD bmPlanes;      // 1
  WORD bmBitsPixel;   // 32 for colour bitmaps, 1 for monochrome ones
  LPVOID bmBits;      // always null: bits are read with GetBitmapBits
};

// A colour bitmap is 32 bits per pixel, stored as Windows stores a screen-compatible bitmap: rows
// top first, each pixel the bytes blue, green, red, 0. A monochrome bitmap is 1 bit per pixel, rows
// padded to 16 bits, most significant bit first, 1 = white.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
LONG GetBitmapBits(HBITMAP hbm, LONG bytes, LPVOID bits);

// ---- Device contexts ---------------------------------------------------------------------------
HDC CreateCompatibleDC(HDC hdc);  // null: compatible with the screen
BOOL DeleteDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);  // bitmaps, fonts, brushes, pens; regions set the clip
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
int SetMapMode(HDC hdc, int mode);  // MM_TEXT only
int GetMapMode(HDC hdc);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin);
BOOL SetWindowExtEx(HDC hdc, int x, int y, SIZE* old);    // ignored under MM_TEXT
BOOL SetViewportExtEx(HDC hdc, int x, int y, SIZE* old);  // ignored under MM_TEXT
BOOL GetWindowExtEx(HDC hdc, SIZE* size);
BOOL GetViewportExtEx(HDC hdc, SIZE* size);
BOOL LPtoDP(HDC hdc, LPPOINT points, int count);
BOOL DPtoLP(HDC hdc, LPPOINT points, int count);
int GetClipBox(HDC hdc, LPRECT rect);  // logical coordinates
int SelectClipRgn(HDC hdc, HRGN rgn);  // device coordinates; null removes
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
HBITMAP GetCurrentBitmap(HDC hdc);

// ---- Drawing -----------------------------------------------------------------------------------
BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1, int cx1, int cy1,
                DWORD rop);
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old);
BOOL LineTo(HDC hdc, int x, int y);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);

// ---- Brushes and pens --------------------------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
constexpr int PS_SOLID = 0;
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ obj);
DWORD GetObjectType(HGDIOBJ obj);
int GetObjectW(HGDIOBJ obj, int bytes, LPVOID out);  // BITMAP for bitmaps, LOGFONTW for fonts

// ---- Regions -----------------------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse,
                        int heightEllipse);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
int GetRgnBox(HRGN rgn, LPRECT rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);

// ---- Fonts and text ----------------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;

struct LOGFONTW {
  LONG lfHeight;  // > 0: cell height; < 0: character (em) height; 0: default
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
  LONG tmHeight;  // ascent + descent
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
};

struct ENUMLOGFONTEXW {
  LOGFONTW elfLogFont;
  WCHAR elfFullName[64];
  WCHAR elfStyle[LF_FACESIZE];
  WCHAR elfScript[LF_FACESIZE];
};
struct NEWTEXTMETRICEXW {
  TEXTMETRICW ntmTm;
};
constexpr DWORD TRUETYPE_FONTTYPE = 4;
using FONTENUMPROCW = int (*)(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD fontType,
                              LPARAM lParam);

HFONT CreateFontIndirectW(const LOGFONTW* lf);
// Calls `proc` for each installed family whose name equals `family` (null: every family) until it
// returns 0. A family that resolves to a metric-compatible substitute reports the requested name.
int EnumFontFamiliesW(HDC hdc, LPCWSTR family, FONTENUMPROCW proc, LPARAM lParam);
// Makes the font file available to this process. Relative names are looked up in the fonts folder
// of the program (next to the executable, then the system's font directories). Returns the number
// of faces added, 0 on failure.
int AddFontResourceW(LPCWSTR fileName);

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count);

constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
// count -1: the text is null-terminated. Returns the height of the drawn text.
int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);

// ---- Rectangles (user32 helpers the drawing code leans on) --------------------------------------
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT pt);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL CopyRect(LPRECT dst, const RECT* src);
