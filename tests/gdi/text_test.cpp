#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "gdi_test_util.h"

namespace {

using gdi_test::Dc;
using gdi_test::Font;
using gdi_test::MemSurface;
using gdi_test::Selection;

constexpr COLORREF kBack = RGB(10, 20, 64);

HFONT MakeFont(LONG height, LONG weight, const wchar_t* face, BYTE quality = DEFAULT_QUALITY) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfQuality = quality;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

// The bounding box of the pixels of rows [top, h) that differ from `back`; empty when none do.
RECT InkBox(const MemSurface& s, int w, int h, COLORREF back, int top = 0) {
  RECT box{w, h, 0, 0};
  for (int y = top; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (s.At(x, y) == back) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return box;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(Text, FreshDcUsesTheBoldSystemFont) {
  MemSurface s(4, 4);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(s.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_GE(tm.tmWeight, FW_BOLD);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf),
            static_cast<int>(sizeof lf));
  EXPECT_LT(lf.lfHeight, 0);
}

int CollectName(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM out) {
  EXPECT_EQ(type, TRUETYPE_FONTTYPE);
  *reinterpret_cast<std::wstring*>(out) = lf->lfFaceName;
  return 0;
}

TEST(Text, EnumerationReportsTheRequestedFamilyName) {
  Dc dc(CreateCompatibleDC(nullptr));
  std::wstring name;
  EXPECT_EQ(EnumFontFamiliesW(dc, L"Arial", CollectName, reinterpret_cast<LPARAM>(&name)), 0);
  EXPECT_EQ(name, L"Arial");  // compared case-sensitively by the program
  name.clear();
  EXPECT_EQ(
      EnumFontFamiliesW(dc, L"No Such Family 42", CollectName, reinterpret_cast<LPARAM>(&name)), 1);
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(EnumFontFamiliesW(nullptr, L"Arial", CollectName, 0), 0);
  EXPECT_EQ(AddFontResourceW(L"no-such-font-file.ttf"), 0);
}

TEST(Text, TextOutPutsTheCellTopLeftAtThePointAndOpaqueFillsIt) {
  Font font(MakeFont(18, FW_BOLD, L"Arial"));
  MemSurface s(80, 40);
  SelectObject(s.dc(), font);
  SIZE size{};
  GetTextExtentPoint32W(s.dc(), L"Ag", 2, &size);

  s.Fill(kBack);
  SetBkColor(s.dc(), RGB(200, 0, 0));
  SetTextColor(s.dc(), RGB(255, 255, 255));
  ASSERT_TRUE(TextOutW(s.dc(), 10, 5, L"Ag", 2));  // OPAQUE by default
  EXPECT_EQ(InkBox(s, 80, 40, kBack).left, 10);
  EXPECT_EQ(InkBox(s, 80, 40, kBack).top, 5);
  EXPECT_EQ(InkBox(s, 80, 40, kBack).right, 10 + size.cx);
  EXPECT_EQ(InkBox(s, 80, 40, kBack).bottom, 5 + 18);

  s.Fill(kBack);
  SetBkMode(s.dc(), TRANSPARENT);
  TextOutW(s.dc(), 10, 5, L"Ag", 2);
  const RECT ink = InkBox(s, 80, 40, kBack);
  EXPECT_TRUE(Inside(ink, RECT{10, 5, 10 + size.cx + 2, 5 + 18}));
  EXPECT_GT(ink.bottom - ink.top, 10);  // 'A' and 'g' reach above and below the baseline
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) EXPECT_NE(s.At(x, y), RGB(200, 0, 0));  // no background box
}

TEST(Text, AntialiasedEdgesBlendInTheTextColour) {
  Font font(MakeFont(30, FW_NORMAL, L"Arial", PROOF_QUALITY));
  MemSurface s(60, 40);
  SelectObject(s.dc(), font);
  s.Fill(RGB(0, 0, 0));
  SetBkMode(s.dc(), TRANSPARENT);
  SetTextColor(s.dc(), RGB(0, 255, 0));
  TextOutW(s.dc(), 2, 2, L"O", 1);
  int full = 0, partial = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      const COLORREF c = s.At(x, y);
      EXPECT_EQ(GetRValue(c), 0);
      EXPECT_EQ(GetBValue(c), 0);
      full += GetGValue(c) == 255;
      partial += GetGValue(c) > 0 && GetGValue(c) < 255;
    }
  }
  EXPECT_GT(full, 0);
  EXPECT_GT(partial, 0);
}

struct Placed {
  RECT ink;
  RECT cell;
  int result;
};

// Draws `text` into `box`; returns the ink box and the cell DrawText's centring rule gives.
Placed DrawCentred(MemSurface& s, int w, int h, const wchar_t* text, RECT box, UINT format) {
  s.Fill(kBack);
  SetBkMode(s.dc(), TRANSPARENT);
  SetTextColor(s.dc(), RGB(255, 255, 255));
  SIZE size{};
  GetTextExtentPoint32W(s.dc(), text, static_cast<int>(std::wcslen(text)), &size);
  Placed p{};
  RECT r = box;
  p.result = DrawTextW(s.dc(), text, -1, &r, format);
  p.ink = InkBox(s, w, h, kBack);
  const LONG x = (box.left + box.right - size.cx) / 2;
  const LONG y = box.top + (box.bottom - box.top) / 2 - size.cy / 2;
  p.cell = RECT{x, y, x + size.cx, y + size.cy};
  return p;
}

TEST(Text, DrawTextCentresWithTwoSeparateTruncations) {
  Font font(MakeFont(17, FW_NORMAL, L"Arial"));  // odd cell height against an even box
  MemSurface s(120, 60);
  SelectObject(s.dc(), font);
  const RECT box{3, 2, 103, 46};
  const Placed p = DrawCentred(s, 120, 60, L"Hello", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(p.cell.top, 2 + 22 - 8);  // not 2 + (44 - 17) / 2 = 15
  EXPECT_EQ(p.result, p.cell.bottom - box.top);
  ASSERT_LT(p.ink.left, p.ink.right);
  EXPECT_TRUE(Inside(p.ink, p.cell));
  // "Hello" has ink at the cell's top part (H, l) and none below the baseline.
  EXPECT_LE(p.ink.top, p.cell.top + 6);
}

TEST(Text, DrawTextRightAlignmentCalcRectAndClipping) {
  Font font(MakeFont(18, FW_BOLD, L"Arial"));
  MemSurface s(120, 40);
  SelectObject(s.dc(), font);
  SIZE size{};
  GetTextExtentPoint32W(s.dc(), L"Apply", 5, &size);

  RECT calc{5, 6, 6, 7};
  EXPECT_EQ(DrawTextW(s.dc(), L"Apply", -1, &calc, DT_CALCRECT | DT_SINGLELINE), 18);
  EXPECT_EQ(calc.right, 5 + size.cx);
  EXPECT_EQ(calc.bottom, 6 + 18);
  RECT two{0, 0, 1, 1};
  EXPECT_EQ(DrawTextW(s.dc(), L"a\nbb", -1, &two, DT_CALCRECT), 36);

  const Placed right =
      DrawCentred(s, 120, 40, L"Apply", RECT{0, 0, 110, 30}, DT_RIGHT | DT_SINGLELINE);
  EXPECT_LE(right.ink.right, 110);
  EXPECT_GE(right.ink.left, 110 - size.cx);
  EXPECT_LT(right.ink.top, 18);
  // DT_VCENTER means nothing without DT_SINGLELINE: the text stays at the top.
  const Placed top = DrawCentred(s, 120, 40, L"Apply", RECT{0, 0, 110, 40}, DT_VCENTER);
  EXPECT_LT(top.ink.top, 18 / 2);

  // A box narrower than the text clips it, unless DT_NOCLIP.
  const RECT narrow{20, 0, 30, 30};
  const Placed clipped = DrawCentred(s, 120, 40, L"Apply", narrow, DT_CENTER | DT_SINGLELINE);
  EXPECT_TRUE(Inside(clipped.ink, narrow));
  const Placed spill =
      DrawCentred(s, 120, 40, L"Apply", narrow, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LT(spill.ink.left, narrow.left);
  EXPECT_GT(spill.ink.right, narrow.right);
}

TEST(Text, PrefixCharactersUnderlineUnlessNoPrefix) {
  Font font(MakeFont(18, FW_NORMAL, L"Arial"));
  MemSurface s(100, 30);
  SelectObject(s.dc(), font);
  RECT r{0, 0, 100, 30};
  RECT calc = r;
  DrawTextW(s.dc(), L"a&&b", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  SIZE amp{};
  GetTextExtentPoint32W(s.dc(), L"a&b", 3, &amp);
  EXPECT_EQ(calc.right, amp.cx);  // "&&" shows one '&'
  calc = r;
  DrawTextW(s.dc(), L"a&&b", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SIZE both{};
  GetTextExtentPoint32W(s.dc(), L"a&&b", 4, &both);
  EXPECT_EQ(calc.right, both.cx);

  // "&x": the 'x' is underlined, so ink reaches below the baseline where a plain 'x' has none.
  TEXTMETRICW tm{};
  GetTextMetricsW(s.dc(), &tm);
  const Placed plain = DrawCentred(s, 100, 30, L"x", r, DT_SINGLELINE);
  const Placed marked = DrawCentred(s, 100, 30, L"&x", r, DT_SINGLELINE);
  EXPECT_LE(plain.ink.bottom, tm.tmAscent);
  EXPECT_GT(marked.ink.bottom, tm.tmAscent);
  const Placed literal = DrawCentred(s, 100, 30, L"&x", r, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_GT(literal.ink.right, plain.ink.right);  // the '&' itself is drawn
}

}  // namespace
