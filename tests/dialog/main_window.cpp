#include "main_window.h"

#include <sstream>

namespace dialog::test {

hid::SimulatedSetup Controller(BYTE red, BYTE green, BYTE blue, BYTE leds) {
  hid::SimulatedSetup setup;
  setup.red = red;
  setup.green = green;
  setup.blue = blue;
  setup.led_count = leds;
  return setup;
}

POINT Swatch(int color) {
  // The swatches by preset: white, red, orange, yellow, green, blue, pink, purple.
  constexpr POINT kTopLeft[] = {{653, 302}, {719, 273}, {686, 273}, {653, 273},
                                {686, 302}, {719, 302}, {752, 273}, {752, 302}};
  const POINT at = kTopLeft[color - 1];
  return {at.x + 14, at.y + 14};
}

hid::Report ReportOf(const std::string& hex) {
  hid::Report report{};
  std::istringstream in(hex);
  unsigned value = 0;
  for (std::size_t i = 0; i < report.size() && in >> std::hex >> value; ++i) {
    report[i] = static_cast<BYTE>(value);
  }
  return report;
}

CNumDlg* OpenLightsQty(app::test::RunningApp& app) {
  app.Click(app.OnMain(kLightsQtyArrow));
  return dynamic_cast<CNumDlg*>(CWnd::FromHandlePermanent(app.TopWindowOfClass(L"#32770")));
}

std::uint32_t PictureColor(app::test::RunningApp& app, UINT id, int x, int y) {
  std::uint32_t color = 0;
  app.OnProgramThread([&] {
    HBITMAP bitmap = ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(id));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    color = (GetRValue(pixel) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
  });
  return color;
}

}  // namespace dialog::test
