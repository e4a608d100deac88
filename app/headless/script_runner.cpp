#include "script_runner.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "user.h"
#include "winuser.h"

namespace script {

Runner::Runner(host::HeadlessHost& host, std::FILE* out, std::FILE* err, std::string program_name)
    : host_(host), out_(out), transcript_(out), err_(err), program_name_(std::move(program_name)) {}

Runner::~Runner() {
  Detach();
}

void Runner::ReportError(std::string_view message) const {
  if (err_ == nullptr) return;
  const std::string line = program_name_ + ": " + std::string(message) + "\n";
  std::fputs(line.c_str(), err_);
  std::fflush(err_);
}

int Runner::Run(std::string_view script_text, const Program& program, const StateProvider& state) {
  const ParseResult parsed = ParseScript(script_text);
  if (parsed.error) {
    ReportError("line " + std::to_string(parsed.error->line) + ": " + parsed.error->message);
    return kExitBadScript;
  }
  // Without `start` there is no program to run: the device lines alone do nothing.
  if (!parsed.script.start) return kExitOk;

  transcript_ = Transcript(out_);
  script_ = &parsed.script;
  state_ = &state;
  next_ = 0;
  steps_.clear();
  failed_ = false;

  backend_ = hid::MakeSimulatedBackend(parsed.script.device);
  // A controller that is slow to answer costs the program virtual time, as it would real time.
  backend_->SetClock(
      {[this] { return host_.NowMs(); }, [this](std::uint64_t ms) { host_.AdvanceClock(ms); }});
  backend_->SetObserver(
      [this](const hid::Report& report) { transcript_.Write(ReportLine(report)); });
  hid::SetBackend(backend_);
  user::SetTopLevelObserver([this](const user::TopLevelEvent& event) {
    transcript_.Write(WindowLine(event));
    if (event.kind == user::TopLevelEvent::Kind::kShown && event.message_box) {
      transcript_.Write(MessageBoxLine(event.message));
    }
  });
  host_.SetIdleHandler([this] { return OnIdle(); });

  int code = 0;
  bool threw = false;
  try {
    code = program();
  } catch (const std::exception& e) {
    threw = true;
    ReportError(std::string("the program failed: ") + e.what());
  } catch (...) {
    threw = true;
    ReportError("the program failed");
  }
  Detach();
  script_ = nullptr;
  state_ = nullptr;
  if (failed_) return kExitBadScript;
  if (threw) code = kExitProgramFailed;
  transcript_.Write(ExitLine(code));
  return code == 0 ? kExitOk : kExitProgramFailed;
}

void Runner::Detach() {
  // The program's remaining windows are torn down after this; that is no longer the script's
  // business, and neither is anything the device hears from now on.
  user::SetTopLevelObserver(nullptr);
  host_.SetIdleHandler(nullptr);
  if (backend_) {
    backend_->SetObserver(nullptr);
    backend_.reset();
    hid::SetBackend(nullptr);
  }
}

bool Runner::OnIdle() {
  if (script_ == nullptr || failed_) return false;
  if (!steps_.empty()) {
    std::function<void()> step = std::move(steps_.front());
    steps_.pop_front();
    step();
    return true;
  }
  if (next_ >= script_->commands.size()) return false;
  return Execute(script_->commands[next_++]);
}

bool Runner::Fail(int line, std::string_view message) {
  ReportError("line " + std::to_string(line) + ": " + std::string(message));
  failed_ = true;
  transcript_.Stop();
  return false;
}

bool Runner::Execute(const Command& c) {
  const auto& a = c.args;
  switch (c.verb) {
    case Verb::kMove:
      host_.MovePointer({a[0], a[1]});
      return true;
    case Verb::kDown:
      host_.PressButton(1);
      return true;
    case Verb::kUp:
      host_.ReleaseButton(1);
      return true;
    case Verb::kClick:
      host_.MovePointer({a[0], a[1]});
      host_.PressButton(1);
      host_.ReleaseButton(1);
      return true;
    case Verb::kDrag:
      Drag(c);
      return true;
    case Verb::kKey:
      host_.PressKey(c.key);
      return true;
    case Verb::kWait:
      host_.Wait(static_cast<std::uint64_t>(a[0]));
      return true;
    case Verb::kState: {
      const std::optional<LightingState> s =
          (state_ != nullptr && *state_) ? (*state_)() : std::nullopt;
      if (!s) return Fail(c.line, "state: the program has no main window to read it from");
      transcript_.Write(StateLine(*s));
      return true;
    }
    case Verb::kPixel:
      transcript_.Write(PixelLine(a[0], a[1], host_.PixelAt(a[0], a[1])));
      return true;
    case Verb::kWindows:
      PrintWindows();
      return true;
    case Verb::kScreenshot: {
      std::string error;
      if (!host_.Screenshot(c.file, &error)) {
        return Fail(c.line, "screenshot: cannot write \"" + c.file + "\" (" + error + ")");
      }
      return true;
    }
  }
  return true;
}

void Runner::Drag(const Command& c) {
  const int x1 = c.args[0], y1 = c.args[1], x2 = c.args[2], y2 = c.args[3];
  host_.MovePointer({x1, y1});
  host_.PressButton(1);
  // Along the straight line, each step one pixel on the longer axis and at most one on the other.
  const int n = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int i = 1; i <= n; ++i) {
    const int x = x1 + static_cast<int>(std::lround(static_cast<double>(x2 - x1) * i / n));
    const int y = y1 + static_cast<int>(std::lround(static_cast<double>(y2 - y1) * i / n));
    steps_.push_back([this, x, y] { host_.MovePointer({x, y}); });
  }
  steps_.push_back([this] { host_.ReleaseButton(1); });
}

void Runner::PrintWindows() {
  for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != nullptr;
       h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(h) || ::IsIconic(h)) continue;
    std::vector<WCHAR> cls(256, 0);
    const int cls_len = ::GetClassNameW(h, cls.data(), static_cast<int>(cls.size()));
    std::vector<WCHAR> text(static_cast<std::size_t>(::GetWindowTextLengthW(h)) + 1, 0);
    const int text_len = ::GetWindowTextW(h, text.data(), static_cast<int>(text.size()));
    RECT rect{};
    ::GetWindowRect(h, &rect);
    transcript_.Write(
        VisibleWindowLine(std::wstring_view(cls.data(), static_cast<std::size_t>(cls_len)), rect,
                          std::wstring_view(text.data(), static_cast<std::size_t>(text_len))));
  }
}

}  // namespace script
