// The runner against a tiny dialog: pointer steps, screenshots, empty scripts, run-time errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "captured_stream.h"
#include "script_runner.h"
#include "test_support.h"

namespace {

constexpr UINT kTemplate = 640;
// Where the captionless dialog sits (client and window coordinates agree).
constexpr RECT kDialog = {100, 100, 400, 300};

class CTinyDlg : public CDialogEx {
 public:
  CTinyDlg() : CDialogEx(kTemplate) {}

  std::vector<CPoint> moves;  // client points of the pointer moves, in order
  int paintsAfterMove = 0;    // moves that were painted before the next one arrived
  bool movePainted = true;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    SetWindowPos(nullptr, kDialog.left, kDialog.top, kDialog.right - kDialog.left,
                 kDialog.bottom - kDialog.top, SWP_NOZORDER);
    return TRUE;
  }

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(0x12, 0x34, 0x56));
    if (!movePainted) {
      movePainted = true;
      ++paintsAfterMove;
    }
  }
  afx_msg void OnMouseMove(UINT, CPoint point) {
    moves.push_back(point);
    movePainted = false;
    Invalidate(FALSE);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTinyDlg, CDialogEx)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

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
    return runner.Run(text,
                      [this] {
                        ++runs_;
                        CTinyDlg dlg;
                        dlg.DoModal();
                        moves_ = dlg.moves;
                        paintsAfterMove_ = dlg.paintsAfterMove;
                        return 0;
                      },
                      {});
  }

  app::test::CapturedStream out_;
  app::test::CapturedStream err_;
  int runs_ = 0;
  std::vector<CPoint> moves_;
  int paintsAfterMove_ = 0;
};

TEST_F(RunnerTest, ADragMovesOnePixelAtATimeAndTheProgramPaintsEachStep) {
  EXPECT_EQ(script::kExitOk, Run("start\ndrag 300 250 304 252\nmove 350 250\n"));
  // The press and the release at the ends are no moves of their own.
  std::vector<std::pair<LONG, LONG>> moves;
  for (const CPoint& p : moves_) moves.emplace_back(p.x, p.y);
  EXPECT_EQ((std::vector<std::pair<LONG, LONG>>{
                {200, 150}, {201, 151}, {202, 151}, {203, 152}, {204, 152}, {250, 150}}),
            moves);
  EXPECT_EQ(static_cast<int>(moves_.size()), paintsAfterMove_);
  // The simulated controller of the run is gone with it.
  EXPECT_EQ(nullptr, hid::InstalledBackend());
}

TEST_F(RunnerTest, AScreenshotWritesThePng) {
  const std::filesystem::path shot = std::filesystem::temp_directory_path() /
                                     ("runner_test_" + std::to_string(::getpid()) + ".png");
  EXPECT_EQ(script::kExitOk, Run("start\nscreenshot " + shot.string() + "\n"));
  std::ifstream png(shot, std::ios::binary);
  char magic[4] = {};
  png.read(magic, 4);
  EXPECT_EQ(std::string("\x89PNG", 4), std::string(magic, 4));
  std::filesystem::remove(shot);
}

TEST_F(RunnerTest, AScriptWithoutStartRunsNothing) {
  EXPECT_EQ(script::kExitOk, Run("# nothing to do\ndevice qty 4\n"));
  EXPECT_EQ(0, runs_);
  EXPECT_TRUE(out_.Lines().empty());
  EXPECT_TRUE(err_.Lines().empty());
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
