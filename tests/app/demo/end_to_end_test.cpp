// halcyra-demo on a real X server: a session's reports, and the window equal to the headless one.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "demo_desktop.h"
#include "running_app.h"

namespace app::test {
namespace {

// Points of the main window's client area.
constexpr POINT kRainbow = {100 + 30, 330 + 30};
constexpr POINT kGreenSwatch = {686 + 14, 302 + 14};
constexpr POINT kApply = {683, 498};
constexpr POINT kWheelPick = {629, 118};
constexpr POINT kRedTrack = {652, 369};
constexpr POINT kRightOfRedTrack = {770, 369};
constexpr POINT kLightsQtyArrow = {537, 48};
constexpr POINT kClose = {777, 17};
// Points of the lights-quantity dialog's client area.
constexpr POINT kQtyTrack = {170, 114};
constexpr POINT kRightOfQtyTrack = {349, 114};
constexpr POINT kConfirm = {178 + 57, 146 + 16};

// A click at `at`, or a drag from `at` to `to`, on the main window or on the dialog in front.
struct Step {
  Step(bool dialog, POINT point) : on_dialog(dialog), at(point) {}
  Step(bool dialog, POINT from, POINT until) : on_dialog(dialog), at(from), to(until) {}
  bool on_dialog = false;
  POINT at{};
  std::optional<POINT> to;
};

class EndToEnd : public DemoDesktop {
 protected:
  void SetUp() override {
    DemoDesktop::SetUp();
    if (!Ready()) return;
    model_ = std::make_unique<RunningApp>();
    model_->Start();
    ASSERT_NE(nullptr, model_->MainDialog());
  }
  void TearDown() override {
    model_.reset();
    DemoDesktop::TearDown();
  }

  // What the main window shows on the headless host now, with the pointer away from it.
  ScreenPicture ModelPicture() {
    model_->MoveTo({0, 0});
    model_->Wait(10000);  // a tooltip still up goes
    const std::optional<host::Rect> rect = model_->Host().WindowRect(model_->MainNative());
    const std::vector<std::uint32_t> screen = model_->Host().ComposeScreen();
    const int screen_width = model_->Host().ScreenRect().Width();
    ScreenPicture picture;
    if (!rect) return picture;
    picture.width = rect->Width();
    picture.height = rect->Height();
    for (int y = rect->top; y < rect->bottom; ++y) {
      for (int x = rect->left; x < rect->right; ++x) {
        picture.pixels.push_back(screen[static_cast<std::size_t>(y) * screen_width + x]);
      }
    }
    return picture;
  }

  // Until the desktop shows the model's picture of the main window; the differences when not.
  std::string ShowsTheModel() {
    MovePointer({0, 0});
    const ScreenPicture expected = ModelPicture();
    std::string differences;
    WaitUntil([&] {
      differences = Differences(main_, expected);
      return differences.empty();
    });
    return differences;
  }

  // Runs `steps` on the desktop and on the model.
  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      host::Point at{}, to{};
      POINT model_at{}, model_to{};
      if (step.on_dialog) {
        // Up, placed and active: a person sees it before reaching for it.
        std::optional<DesktopWindow> dialog;
        ASSERT_TRUE(WaitUntil([&] {
          dialog = DialogOf(demo_->pid());
          return dialog && Focus() == dialog->id;
        })) << "no dialog";
        at = On(*dialog, {step.at.x, step.at.y});
        if (step.to) to = On(*dialog, {step.to->x, step.to->y});
        const HWND model_dialog = model_->TopWindowOfClass(L"#32770");
        ASSERT_NE(nullptr, model_dialog);
        model_at = RunningApp::OnWindow(model_dialog, step.at);
        if (step.to) model_to = RunningApp::OnWindow(model_dialog, *step.to);
      } else {
        at = On(main_, {step.at.x, step.at.y});
        if (step.to) to = On(main_, {step.to->x, step.to->y});
        model_at = model_->OnMain(step.at);
        if (step.to) model_to = model_->OnMain(*step.to);
      }
      if (step.to) {
        Drag(at, to);
        model_->Drag(model_at, model_to);
      } else {
        Click(at);
        model_->Click(model_at);
      }
      // A person moves on between steps; a window manager that holds a click to focus the window
      // would otherwise replay it after the next move, and a button left behind keeps the pointer.
      ASSERT_TRUE(MoveAway()) << "the pointer stays held";
      model_->MoveTo({0, 0});
    }
  }

  // The pointer off the window until no one holds it. A program running behind may take it for a
  // move it reads late, after the pointer left; the next move gives it back, as under a hand.
  bool MoveAway() {
    for (int i = 0; i < 50; ++i) {
      MovePointer({i % 2, 0});
      if (probe_->WaitUntilPointerFree(100)) return true;
    }
    return false;
  }

  std::string NextReport() { return demo_->ReadLine(kTimeoutMs).value_or("<no report>"); }

  // A whole session, from the start to the close button.
  void Session() {
    demo_ = StartDemo();
    ASSERT_TRUE(demo_);
    const std::optional<DesktopWindow> main = WaitForMainWindow(*demo_);
    ASSERT_TRUE(main) << demo_->Errors();
    main_ = *main;
    EXPECT_EQ("", ShowsTheModel()) << "the window as it opens";

    // Start-up reads the controller's colour, then its lights quantity (0 going out).
    std::vector<std::string> printed;
    const std::vector<std::string> start_up = {ReportLine("00 80 0B 01 03 00 00 00 03"),
                                               ReportLine("00 80 0D 01 00 03")};
    for (const std::string& expected : start_up) {
      printed.push_back(NextReport());
      EXPECT_EQ(expected, printed.back());
    }

    // Rainbow in green: effect code 01, option 00, the green preset 00 FF 00.
    Run({{false, kRainbow}, {false, kGreenSwatch}, {false, kApply}});
    printed.push_back(NextReport());
    EXPECT_EQ(ReportLine("00 80 0B 02 03 01 00 00 03 00 FF 00"), printed.back());

    // A colour from the wheel, then the red slider pushed to its end: the custom colour.
    const std::uint32_t picked = model_->Pixel(model_->OnMain(kWheelPick));
    Run({{false, kWheelPick}, {false, kRedTrack, kRightOfRedTrack}, {false, kApply}});
    char custom[64];
    std::snprintf(custom, sizeof custom, "00 80 0B 02 03 01 00 00 03 FF %02X %02X",
                  (picked >> 8) & 0xFF, picked & 0xFF);
    printed.push_back(NextReport());
    EXPECT_EQ(ReportLine(custom), printed.back());

    // 64 LEDs, the most the dialog's slider goes to.
    Run({{false, kLightsQtyArrow}, {true, kQtyTrack, kRightOfQtyTrack}, {true, kConfirm}});
    printed.push_back(NextReport());
    EXPECT_EQ(ReportLine("00 80 0D 02 40 03"), printed.back());
    ASSERT_TRUE(WaitUntil([&] { return !DialogOf(demo_->pid()); })) << "the dialog stays";

    EXPECT_EQ("", ShowsTheModel()) << "the window after the session";

    Click(On(main_, {kClose.x, kClose.y}));
    EXPECT_EQ(std::optional<int>(0), demo_->WaitExit(kTimeoutMs));
    std::string all;
    for (const std::string& line : printed) all += line + "\n";
    EXPECT_EQ(all, demo_->Output()) << "a report too many";
    EXPECT_EQ("", demo_->Errors());
  }

  std::unique_ptr<RunningApp> model_;
  std::unique_ptr<ChildProcess> demo_;
  DesktopWindow main_;
};

using EndToEndTest = host::test::WithoutWindowManager<EndToEnd>;
using EndToEndWmTest = host::test::WithWindowManager<EndToEnd>;

TEST_F(EndToEndTest, ASessionFromStartToClose) {
  Session();
}

TEST_F(EndToEndWmTest, ASessionFromStartToClose) {
  Session();
}

}  // namespace
}  // namespace app::test
