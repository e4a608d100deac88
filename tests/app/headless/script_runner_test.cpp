// The runner against a tiny dialog of its own (two buttons, a timer, a tooltip, a message box,
// requests to the controller): the transcript's order, exits, waits and timers, and run-time
// errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "script_runner.h"
#include "test_support.h"
#include "transcript.h"

namespace {

constexpr UINT kTemplate = 640;
constexpr UINT kHelloId = 100;
constexpr UINT kTimerId = 1;
constexpr UINT kTimerMs = 500;
// Where the captionless dialog sits (client and window coordinates agree) and its buttons.
constexpr RECT kDialog = {100, 100, 400, 300};
constexpr RECT kHello = {10, 10, 90, 40};  // client coordinates
constexpr RECT kClose = {110, 10, 190, 40};
constexpr COLORREF kBackground = RGB(0x12, 0x34, 0x56);

// Sends one report to the first controller, as the application's requests do.
class Link {
 public:
  // The interfaces found; 0 without a controller.
  int Open() {
    const std::shared_ptr<hid::Backend> backend = hid::InstalledBackend();
    if (!backend) return 0;
    const std::vector<hid::InterfaceInfo> list = backend->Enumerate();
    if (list.empty()) return 0;
    device_ = backend->Open(list[0].path);
    return static_cast<int>(list.size());
  }
  // Writes 00 80 GROUP COMMAND; returns the answer when one came.
  std::optional<hid::Report> Request(BYTE marker, BYTE group, BYTE command) {
    if (!device_) return std::nullopt;
    hid::Report r{};
    r[1] = marker;
    r[2] = group;
    r[3] = command;
    device_->Write(r);
    if (marker != 0x80 || command != 0x01) return std::nullopt;
    if (device_->Read(r) != hid::ReadResult::kOk) return std::nullopt;
    return r;
  }

 private:
  std::unique_ptr<hid::Device> device_;
};

class CTinyDlg : public CDialogEx {
 public:
  CTinyDlg() : CDialogEx(kTemplate) {}

  int exitCode = 0;
  script::LightingState state;
  std::vector<CPoint> moves;  // client points of the pointer moves, in order
  int paintsAfterMove = 0;    // moves that were painted before the next one arrived
  bool movePainted = true;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    SetWindowPos(nullptr, kDialog.left, kDialog.top, kDialog.right - kDialog.left,
                 kDialog.bottom - kDialog.top, SWP_NOZORDER);
    m_btnHello.Create(L"Hello", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kHello, this, kHelloId);
    m_btnClose.Create(L"Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kClose, this, IDOK);
    m_tip.Create(this);
    m_tip.AddTool(&m_btnHello, L"Say \"hello\"");
    // Read back what the controller holds, as the application does at start.
    state.qty = m_link.Open();
    if (state.qty > 0) {
      const auto qty = m_link.Request(0x80, 0x0D, 0x01);
      state.qty = qty ? (*qty)[4] : -1;
      if (const auto colour = m_link.Request(0x80, 0x0B, 0x01)) {
        state.red = (*colour)[9];
        state.green = (*colour)[10];
        state.blue = (*colour)[11];
      }
    }
    SetTimer(kTimerId, kTimerMs);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message >= WM_MOUSEMOVE && msg->message <= WM_LBUTTONUP) m_tip.RelayEvent(msg);
    return CDialogEx::PreTranslateMessage(msg);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == kHelloId) {
      ++state.effect;
      ::MessageBoxW(m_hWnd, L"Hello \"you\"\nthere", L"Note", MB_OK);
      m_link.Request(0x42, 0, 0);  // after the box is closed
      return TRUE;
    }
    if (LOWORD(wParam) == IDOK) exitCode = 5;
    return CDialogEx::OnCommand(wParam, lParam);
  }

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kBackground);
    if (!movePainted) {
      movePainted = true;
      ++paintsAfterMove;
    }
  }
  afx_msg void OnTimer(UINT_PTR id) {
    if (id != kTimerId) return;
    KillTimer(kTimerId);
    ++state.color;
    m_link.Request(0x77, 0, 0);
  }
  afx_msg void OnMouseMove(UINT, CPoint point) {
    moves.push_back(point);
    movePainted = false;
    Invalidate(FALSE);
  }
  DECLARE_MESSAGE_MAP()

 private:
  CButton m_btnHello;
  CButton m_btnClose;
  CToolTipCtrl m_tip;
  Link m_link;
};
BEGIN_MESSAGE_MAP(CTinyDlg, CDialogEx)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// Everything written to a stream, read back after the run.
class Captured {
 public:
  Captured() : file_(std::tmpfile()) {}
  ~Captured() { std::fclose(file_); }
  std::FILE* get() const { return file_; }
  std::vector<std::string> Lines() const {
    std::fflush(file_);
    std::rewind(file_);
    std::vector<std::string> lines;
    std::string line;
    for (int c; (c = std::fgetc(file_)) != EOF;) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += static_cast<char>(c);
      }
    }
    if (!line.empty()) lines.push_back(line + "<no line feed>");
    return lines;
  }

 private:
  std::FILE* file_;
};

std::string Report(std::initializer_list<BYTE> head) {
  hid::Report report{};
  std::copy(head.begin(), head.end(), report.begin());
  return script::ReportLine(report);
}

// "click X Y" at the middle of a button of the dialog.
std::string ClickOn(const RECT& button) {
  return "click " + std::to_string(kDialog.left + (button.left + button.right) / 2) + " " +
         std::to_string(kDialog.top + (button.top + button.bottom) / 2) + "\n";
}

const std::string kShown = "window shown #32770 100 100 300 200 \"Tiny\"";
const std::string kHidden = "window hidden #32770 \"Tiny\"";

class RunnerTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    resources_.AddDialog(kTemplate,
                         "STYLE 0x80000040\nEXSTYLE 0\nSIZE 150 100\nCAPTION \"Tiny\"\n"
                         "FONT 8 400 \"MS Shell Dlg\"\n");
    resources_.Install();
  }

  // Runs `text` against the tiny program; the transcript and the errors land in out_ and err_.
  int Run(const std::string& text) {
    script::Runner runner(host_, out_.get(), err_.get(), "tiny");
    return runner.Run(
        text,
        [this] {
          ++runs_;
          CTinyDlg dlg;
          dlg_ = &dlg;
          dlg.DoModal();
          dlg_ = nullptr;
          moves_ = dlg.moves;
          paintsAfterMove_ = dlg.paintsAfterMove;
          return dlg.exitCode;
        },
        [this]() -> std::optional<script::LightingState> {
          if (dlg_ == nullptr) return std::nullopt;
          return dlg_->state;
        });
  }

  Captured out_;
  Captured err_;
  CTinyDlg* dlg_ = nullptr;
  int runs_ = 0;
  std::vector<CPoint> moves_;
  int paintsAfterMove_ = 0;
};

TEST_F(RunnerTest, StartUpReportsAndWindowInOrderAndTheEndOfTheScriptEndsTheProgram) {
  EXPECT_EQ(script::kExitOk, Run("device color 1 2 3\ndevice qty 9\nstart\nstate\n"));
  EXPECT_EQ(1, runs_);
  EXPECT_EQ((std::vector<std::string>{
                Report({0x00, 0x80, 0x0D, 0x01}), Report({0x00, 0x80, 0x0B, 0x01}), kShown,
                "state page=0 effect=0 color=0 red=1 green=2 blue=3 language=0 qty=9 sync=0",
                kHidden, "exit 0"}),
            out_.Lines());
  EXPECT_TRUE(err_.Lines().empty());
  EXPECT_EQ(nullptr, hid::InstalledBackend());
}

// An absent controller is set up in the message-box test below.
TEST_F(RunnerTest, SetsUpASilentController) {
  // It takes the requests and answers neither.
  EXPECT_EQ(script::kExitOk, Run("device silent\ndevice color 9 9 9\nstart\nstate\n"));
  EXPECT_EQ((std::vector<std::string>{
                Report({0x00, 0x80, 0x0D, 0x01}), Report({0x00, 0x80, 0x0B, 0x01}), kShown,
                "state page=0 effect=0 color=0 red=0 green=0 blue=0 language=0 qty=-1 sync=0",
                kHidden, "exit 0"}),
            out_.Lines());
}

TEST_F(RunnerTest, WaitLetsDueTimersRunAtTheirTime) {
  EXPECT_EQ(script::kExitOk, Run("start\nwait 499\nstate\nwait 1\nstate\nwait 2000\nstate\n"));
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_EQ(9u, lines.size());
  EXPECT_EQ("state page=0 effect=0 color=0 red=0 green=0 blue=0 language=0 qty=8 sync=0", lines[3]);
  // The timer's report comes between the lines of the commands around it.
  EXPECT_EQ(Report({0x00, 0x77}), lines[4]);
  EXPECT_EQ("state page=0 effect=0 color=1 red=0 green=0 blue=0 language=0 qty=8 sync=0", lines[5]);
  // It ran once and was killed; waiting on changes nothing.
  EXPECT_EQ(lines[5], lines[6]);
  EXPECT_EQ(host::HeadlessHost::kStartMs + 2500, host_.NowMs());
}

TEST_F(RunnerTest, AMessageBoxOpensAndClosesLikeAnyWindow) {
  EXPECT_EQ(script::kExitOk, Run("device absent\nstart\n" + ClickOn(kHello) +
                                 "windows\nkey Enter\nwindows\nstate\n"));
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_EQ(10u, lines.size()) << ::testing::PrintToString(lines);
  EXPECT_EQ(kShown, lines[0]);
  EXPECT_EQ(0u, lines[1].find("window shown #32770 ")) << lines[1];
  EXPECT_NE(std::string::npos, lines[1].find(" \"Note\"")) << lines[1];
  EXPECT_EQ(R"(messagebox "Hello \"you\"\nthere")", lines[2]);
  // The box is on top of the dialog.
  EXPECT_EQ(lines[1].substr(13), lines[3].substr(15));
  EXPECT_EQ("window visible #32770 100 100 300 200 \"Tiny\"", lines[4]);
  EXPECT_EQ("window hidden #32770 \"Note\"", lines[5]);
  EXPECT_EQ("window visible #32770 100 100 300 200 \"Tiny\"", lines[6]);
  EXPECT_EQ("state page=0 effect=1 color=0 red=0 green=0 blue=0 language=0 qty=0 sync=0", lines[7]);
}

TEST_F(RunnerTest, TheProgramClosingItselfPrintsItsExitAndStopsTheScript) {
  EXPECT_EQ(script::kExitProgramFailed, Run("device absent\nstart\n" + ClickOn(kClose) +
                                            "state\nscreenshot /nonexistent/x.png\n"));
  EXPECT_EQ((std::vector<std::string>{kShown, kHidden, "exit 5"}), out_.Lines());
  EXPECT_TRUE(err_.Lines().empty());
}

TEST_F(RunnerTest, EscapeReachesTheProgram) {
  EXPECT_EQ(script::kExitOk, Run("device absent\nstart\nkey Escape\nstate\n"));
  EXPECT_EQ((std::vector<std::string>{kShown, kHidden, "exit 0"}), out_.Lines());
}

TEST_F(RunnerTest, ADragMovesOnePixelAtATimeAndTheProgramPaintsEachStep) {
  EXPECT_EQ(script::kExitOk, Run("device absent\nstart\ndrag 300 250 304 252\nmove 350 250\n"));
  // The press and the release at the ends are no moves of their own.
  std::vector<std::pair<LONG, LONG>> moves;
  for (const CPoint& p : moves_) moves.emplace_back(p.x, p.y);
  EXPECT_EQ((std::vector<std::pair<LONG, LONG>>{
                {200, 150}, {201, 151}, {202, 151}, {203, 152}, {204, 152}, {250, 150}}),
            moves);
  EXPECT_EQ(static_cast<int>(moves_.size()), paintsAfterMove_);
}

TEST_F(RunnerTest, PixelsAndScreenshotsShowWhatWasPainted) {
  const std::filesystem::path shot = std::filesystem::temp_directory_path() /
                                     ("runner_test_" + std::to_string(::getpid()) + ".png");
  EXPECT_EQ(script::kExitOk,
            Run("device absent\nstart\npixel 150 150\npixel 99 99\npixel 1279 799\n"
                "screenshot " +
                shot.string() + "\n"));
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_EQ(6u, lines.size());
  EXPECT_EQ("pixel 150 150 12 34 56", lines[1]);
  EXPECT_EQ("pixel 99 99 3A 6E A5", lines[2]);
  EXPECT_EQ("pixel 1279 799 3A 6E A5", lines[3]);
  std::ifstream png(shot, std::ios::binary);
  char magic[4] = {};
  png.read(magic, 4);
  EXPECT_EQ(std::string("\x89PNG", 4), std::string(magic, 4));
  std::filesystem::remove(shot);
}

TEST_F(RunnerTest, TooltipsShowTheTipTheyShow) {
  const int x = kDialog.left + 30;
  const int y = kDialog.top + 20;
  EXPECT_EQ(script::kExitOk,
            Run("device absent\nstart\nmove " + std::to_string(x) + " " + std::to_string(y) +
                "\nmove " + std::to_string(x + 1) + " " + std::to_string(y) + "\nwait 1000\n"));
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_LE(2u, lines.size());
  EXPECT_EQ(0u, lines[1].find("window shown tooltips_class32 ")) << lines[1];
  EXPECT_NE(std::string::npos, lines[1].find(R"( "Say \"hello\"")")) << lines[1];
}

TEST_F(RunnerTest, AMalformedLineStopsEverythingBeforeItStarts) {
  EXPECT_EQ(script::kExitBadScript, Run("start\nstate\nclick 1 2 3\n"));
  EXPECT_EQ(0, runs_);
  EXPECT_TRUE(out_.Lines().empty());
  EXPECT_EQ(
      (std::vector<std::string>{"tiny: line 3: click: extra argument \"3\" (usage: click X Y)"}),
      err_.Lines());
}

TEST_F(RunnerTest, AScriptWithoutStartRunsNothing) {
  EXPECT_EQ(script::kExitOk, Run("# nothing to do\ndevice qty 4\n"));
  EXPECT_EQ(0, runs_);
  EXPECT_TRUE(out_.Lines().empty());
  EXPECT_TRUE(err_.Lines().empty());
}

TEST_F(RunnerTest, ALineThatFailsWhenReachedEndsTheTranscriptThere) {
  EXPECT_EQ(script::kExitBadScript,
            Run("device absent\nstart\nstate\nscreenshot /nonexistent/dir/x.png\nstate\n"));
  EXPECT_EQ(1, runs_);
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(kShown, lines[0]);
  EXPECT_EQ(0u, lines[1].find("state "));
  EXPECT_EQ((std::vector<std::string>{"tiny: line 4: screenshot: cannot write "
                                      "\"/nonexistent/dir/x.png\" (cannot open the file for "
                                      "writing)"}),
            err_.Lines());
  EXPECT_TRUE(host_.VisibleWindows().empty());
}

TEST_F(RunnerTest, StateWithoutAMainWindowIsAnError) {
  script::Runner runner(host_, out_.get(), err_.get(), "tiny");
  EXPECT_EQ(script::kExitBadScript, runner.Run(
                                        "device absent\nstart\nstate\n",
                                        [] { return ::MessageBoxW(nullptr, L"x", L"y", MB_OK); },
                                        [] { return std::optional<script::LightingState>(); }));
  const std::vector<std::string> lines = out_.Lines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(R"(messagebox "x")", lines[1]);
  EXPECT_EQ((std::vector<std::string>{"tiny: line 3: state: the program has no main window to "
                                      "read it from"}),
            err_.Lines());
}

TEST_F(RunnerTest, AProgramThatEndsAtOnceOrFailsStillPrintsItsExit) {
  {
    script::Runner runner(host_, out_.get(), err_.get(), "tiny");
    EXPECT_EQ(script::kExitProgramFailed, runner.Run("start\nstate\n", [] { return -1; }, {}));
    EXPECT_EQ(script::kExitProgramFailed,
              runner.Run("start\n", []() -> int { throw std::runtime_error("no memory"); }, {}));
  }
  EXPECT_EQ((std::vector<std::string>{"exit -1", "exit 1"}), out_.Lines());
  EXPECT_EQ((std::vector<std::string>{"tiny: the program failed: no memory"}), err_.Lines());
}

}  // namespace
