// Where a person finds the main window's controls, and what the tests compare the program with.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CHalcyraDlg.h"
#include "CNumDlg.h"
#include "report_text.h"
#include "running_app.h"
#include "simulated_backend.h"

namespace dialog::test {

// Centres of controls in the main window's client area.
constexpr POINT kApply = {683, 498};
constexpr POINT kColorWheel = {669, 130};
constexpr POINT kLightsQtyArrow = {537, 48};
constexpr POINT kLanguageArrow = {718, 15};
// A point of the skin's background between the controls.
constexpr POINT kBackground = {300, 150};
// Centres of the lights-quantity dialog's buttons, in its client area.
constexpr POINT kQtyReset = {49 + 57, 146 + 16};
constexpr POINT kQtyConfirm = {178 + 57, 146 + 16};

// The centre of effect button `effect` (1..24): eight columns, three rows.
constexpr POINT EffectButton(int effect) {
  return {37 + 63 * ((effect - 1) % 8) + 30, (effect <= 8 ? 330 : effect <= 16 ? 392 : 455) + 30};
}

// The centre of the swatch of preset `color` (1..8).
POINT Swatch(int color);

// A report written as hex bytes ("00 80 0B ..."), the rest zero.
hid::Report ReportOf(const std::string& hex);

// The report's bytes as the simulated controller prints them, for readable failures.
inline std::string Hex(const hid::Report& report) {
  return hid::FormatReport(report);
}

// The colour of pixel (x, y) of bitmap resource `id`, 0x00RRGGBB.
std::uint32_t PictureColor(app::test::RunningApp& app, UINT id, int x, int y);

// Opens the lights-quantity dialog by its arrow; null when it does not show.
CNumDlg* OpenLightsQty(app::test::RunningApp& app);

// A controller that reports the colour 10, 20, 30 and 30 LEDs.
hid::SimulatedSetup Controller(BYTE red = 10, BYTE green = 20, BYTE blue = 30, BYTE leds = 30);

// The application started with Controller(), its main window waiting for input.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Start();
    dlg_ = app_.MainDialog();
    ASSERT_NE(nullptr, dlg_);
  }

  // A person's click at a point of the main window.
  void Click(POINT client) { app_.Click(app_.OnMain(client)); }
  std::uint32_t PixelAt(POINT client) const { return app_.Pixel(app_.OnMain(client)); }
  std::string LastReport() const {
    return app_.Reports().empty() ? std::string() : Hex(app_.Reports().back());
  }
  // Shows a control that the window keeps hidden, so that a person can reach it.
  void Reveal(CWnd& control) {
    app_.OnProgramThread([&] { control.ShowWindow(SW_SHOWNORMAL); });
  }

  app::test::RunningApp app_{Controller()};
  CHalcyraDlg* dlg_ = nullptr;
};

}  // namespace dialog::test
