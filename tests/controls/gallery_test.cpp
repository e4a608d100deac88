// The skinned controls with the program's pictures, a screenshot in each state a person sees.
#include <filesystem>
#include <string>
#include <vector>

#include "CBitmapSlider.h"
#include "CBmpRgn.h"
#include "CMPButton.h"
#include "CMPStatic.h"
#include "control_test_support.h"
#include "embedded_resources.h"

namespace {

constexpr UINT kMainSkin = 251;
constexpr UINT kQtySkin = 250;
constexpr int kQtyLeft = 860;  // where the small window sits on the screen
constexpr int kQtyTop = 60;
constexpr DWORD kStyle = 0x52000100;

// A window painted with a skin picture, cut to its non-white pixels, publishing it for sliders.
class CSkinWnd : public CWnd {
 public:
  BOOL CreateSkinned(UINT picture, int left, int top) {
    if (!m_skin.LoadBitmap(picture)) return FALSE;
    BITMAP bm{};
    m_skin.GetBitmap(&bm);
    if (!CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top, bm.bmWidth,
                  bm.bmHeight, nullptr, nullptr))
      return FALSE;
    CBmpRgn rgn;
    rgn.m_hTargetWnd = m_hWnd;
    rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(picture));
    rgn.m_clrKey = RGB(255, 255, 255);
    rgn.m_nInsetLeft = 1;
    POINT holes[] = {{0, 0}};
    rgn.ShapeWindow(holes, 1);
    return ::SetPropW(m_hWnd, L"MPBmpProp", m_skin.GetSafeHandle());
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ERASEBKGND) return TRUE;
    if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
    CPaintDC dc(this);
    controltest::DrawBitmap(&dc, m_skin);
    return 0;
  }

 private:
  CBitmap m_skin;
};

class GalleryTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    res::InstallEmbeddedResources();
    std::filesystem::create_directories(HALCYRA_GALLERY_DIR);
  }

  void Button(CMPButton& button, UINT normal, UINT hover, int x, int y, LPCWSTR text = L"",
              HFONT font = nullptr) {
    button.SetBitmaps(normal, hover, 0);
    ASSERT_TRUE(button.Create(L"Button", text, kStyle, CRect(x, y, x + 1, y + 1), &main_,
                              static_cast<UINT>(1500 + count_++)));
    button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  }
  void Label(CMPStatic& label, LPCWSTR text, const CRect& rect, COLORREF back, HFONT font) {
    ASSERT_TRUE(label.Create(L"static", L"", kStyle | SS_CENTER, rect, &main_,
                             static_cast<UINT>(1500 + count_++)));
    label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    label.m_clrBack = back;
    label.SetWindowTextW(text);
  }
  void Slider(CBitmapSlider& slider, CWnd& parent, const CRect& rect, int style, UINT thumb,
              int min, int max, int pos) {
    ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, kStyle, rect, &parent,
                              static_cast<UINT>(1500 + count_++)));
    slider.m_nTrackStyle = style;
    slider.LoadThumbBitmap(thumb);
    slider.SetRange(min, max);
    slider.SetPos(pos);
  }
  // The whole screen in the state `name`, as a PNG to be looked at.
  void Shoot(const char* name) {
    std::string error;
    EXPECT_TRUE(
        host_.Screenshot(std::string(HALCYRA_GALLERY_DIR) + "/gallery_" + name + ".png", &error))
        << error;
  }
  std::vector<std::uint32_t> Area(const CRect& r) const {
    return controltest::ScreenPixels(host_, r);
  }

  CSkinWnd main_;
  CSkinWnd qty_;
  int count_ = 0;
};

TEST_F(GalleryTest, EachControlInEachState) {
  CFont normalFont;
  CFont boldFont;
  controltest::MakeArial(normalFont, 14, FW_NORMAL);
  controltest::MakeArial(boldFont, 18, FW_BOLD);
  ASSERT_TRUE(main_.CreateSkinned(kMainSkin, 0, 0));
  ASSERT_TRUE(qty_.CreateSkinned(kQtySkin, kQtyLeft, kQtyTop));

  CMPButton wheel, rainbow, halcyra, sakura, yellow, red, white, apply, minimize, close, language,
      lightsQty;
  Button(wheel, 227, 227, 584, 45);
  wheel.m_bPickColor = TRUE;
  Button(rainbow, 134, 133, 100, 330);
  Button(halcyra, 145, 145, 478, 330);
  Button(sakura, 150, 148, 37, 392);
  Button(yellow, 208, 209, 653, 273);
  Button(red, 218, 219, 719, 273);
  Button(white, 221, 221, 653, 302);
  Button(apply, 206, 207, 586, 474, L"Apply", boldFont);
  Button(minimize, 198, 199, 737, 3);
  Button(close, 196, 197, 765, 3);
  Button(language, 248, 249, 710, 7, L"", normalFont);
  Button(lightsQty, 248, 249, 529, 40, L"", normalFont);

  CMPStatic languageName, qtyValue, qtyCaption;
  Label(languageName, L"ENGLISH", CRect(650, 5, 700, 23), 0x050505, normalFont);
  Label(qtyValue, L"8", CRect(493, 39, 523, 57), 0x401400, boldFont);
  Label(qtyCaption, L"Lights Qty", CRect(408, 34, 484, 64), 0x401400, boldFont);

  CBitmapSlider sliderRed, sliderGreen, sliderBlue, sliderQty;
  Slider(sliderRed, main_, CRect(586, 363, 718, 375), 0, 233, 0, 255, 61);
  Slider(sliderGreen, main_, CRect(586, 403, 718, 415), 2, 237, 0, 255, 69);
  Slider(sliderBlue, main_, CRect(586, 443, 718, 455), 1, 236, 0, 255, 255);
  Slider(sliderQty, qty_, CRect(49, 106, 292, 122), 3, 247, 4, 64, 30);
  Pump();

  const CRect applyArea(582, 470, 784, 527);
  const CRect rainbowArea(100, 330, 160, 389);
  const CRect redArea(586, 363, 718, 375);
  const CRect qtyArea(kQtyLeft + 49, kQtyTop + 106, kQtyLeft + 292, kQtyTop + 122);
  Shoot("rest");
  const auto applyAtRest = Area(applyArea);
  const auto rainbowAtRest = Area(rainbowArea);
  const auto redAtRest = Area(redArea);
  const auto qtyAtRest = Area(qtyArea);

  host_.MovePointer({680, 500});
  Pump();
  Shoot("hover");
  EXPECT_NE(applyAtRest, Area(applyArea));

  host_.MovePointer({130, 360});
  host_.PressButton();
  Pump();
  Shoot("pressed");
  EXPECT_NE(rainbowAtRest, Area(rainbowArea));
  host_.ReleaseButton();
  host_.MovePointer({300, 20});
  Pump();
  EXPECT_EQ(rainbowAtRest, Area(rainbowArea));

  host_.MovePointer({586 + 31, 369});
  host_.PressButton();
  for (int x = 586 + 31; x <= 586 + 100; x += 3) host_.MovePointer({x, 369});
  Pump();
  Shoot("dragged");
  EXPECT_NE(redAtRest, Area(redArea));
  host_.ReleaseButton();
  host_.MovePointer({300, 20});
  Pump();

  sliderRed.EnableWindow(FALSE);
  sliderQty.EnableWindow(FALSE);
  apply.EnableWindow(FALSE);
  apply.SetWindowTextW(L"灯效应用");
  languageName.SetWindowTextW(L"中文");
  qtyCaption.SetWindowTextW(L"灯数选择");
  Pump();
  Shoot("disabled_chinese");
  EXPECT_NE(qtyAtRest, Area(qtyArea));
}

}  // namespace
