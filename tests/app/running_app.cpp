#include "running_app.h"

#include <unistd.h>

#include "CHalcyraApp.h"
#include "CHalcyraDlg.h"
#include "embedded_resources.h"
#include "winuser.h"

namespace app::test {

RunningApp::RunningApp(const hid::SimulatedSetup& setup)
    : controller_(hid::MakeSimulatedBackend(setup)) {
  // The controller's waits pass on the program's virtual clock.
  controller_->SetClock(
      {[this] { return host_.NowMs(); }, [this](std::uint64_t ms) { host_.AdvanceClock(ms); }});
  // Side-by-side test processes each get an instance name, so none finds another's marker.
  static const bool named = [] {
    user::SetInstanceName(user::InstanceName() + L"-" + std::to_wstring(getpid()));
    return true;
  }();
  (void)named;
  hid::SetBackend(controller_);
  res::InstallEmbeddedResources();
  user::SetHost(&host_);
  user::SetTopLevelObserver([this](const user::TopLevelEvent& event) { events_.push_back(event); });
  host_.SetIdleHandler([this] { return OnIdle(); });
  // The switch is one byte per process; each run here stands for a fresh process.
  g_bSync = 0;
}

RunningApp::~RunningApp() {
  if (program_.joinable()) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      quit_ = true;
    }
    // Every wait of every loop that is still open answers "quit" now, until the program is done.
    while (Running()) Resume();
    program_.join();
  }
  user::SetTopLevelObserver(nullptr);
  user::SetHost(nullptr);
  hid::SetBackend(nullptr);
}

void RunningApp::Start() {
  if (started_) return;
  started_ = true;
  turn_ = Turn::kProgram;
  program_ = std::thread([this] {
    // The application object is the program's own global.
    const int code = AfxWinMain();
    std::lock_guard<std::mutex> lock(mutex_);
    exit_code_ = code;
    ended_ = true;
    turn_ = Turn::kTest;
    turn_changed_.notify_all();
  });
  std::unique_lock<std::mutex> lock(mutex_);
  turn_changed_.wait(lock, [this] { return turn_ == Turn::kTest; });
}

bool RunningApp::OnIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  turn_ = Turn::kTest;
  turn_changed_.notify_all();
  turn_changed_.wait(lock, [this] { return turn_ == Turn::kProgram; });
  if (quit_) return false;
  std::function<void()> step = std::move(step_);
  step_ = nullptr;
  lock.unlock();
  if (step) {
    step();
    // Wake the message loop, so that it runs the work the step queued before it waits again.
    host::Event wake;
    wake.type = host::EventType::kExpose;
    host_.PostEvent(wake);
  }
  return true;
}

void RunningApp::Resume() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (ended_) return;
  turn_ = Turn::kProgram;
  turn_changed_.notify_all();
  turn_changed_.wait(lock, [this] { return turn_ == Turn::kTest; });
}

bool RunningApp::Running() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_ && !ended_;
}

std::optional<int> RunningApp::ExitCode() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return exit_code_;
}

void RunningApp::MoveTo(POINT screen) {
  host_.MovePointer({screen.x, screen.y});
  Resume();
}

void RunningApp::Press() {
  host_.PressButton();
  Resume();
}

void RunningApp::Release() {
  host_.ReleaseButton();
  Resume();
}

void RunningApp::Click(POINT screen) {
  MoveTo(screen);
  Press();
  Release();
}

void RunningApp::Drag(POINT from, POINT to) {
  MoveTo(from);
  Press();
  POINT at = from;
  while (at.x != to.x || at.y != to.y) {
    if (at.x != to.x) at.x += to.x > at.x ? 1 : -1;
    if (at.y != to.y) at.y += to.y > at.y ? 1 : -1;
    MoveTo(at);
  }
  Release();
}

void RunningApp::Key(unsigned vk, unsigned modifiers) {
  host_.PressKey(vk, modifiers);
  Resume();
}

void RunningApp::Wait(unsigned ms) {
  host_.Wait(ms);
  Resume();
}

void RunningApp::WindowManager(const std::function<void(host::HeadlessHost&)>& action) {
  action(host_);
  Resume();
}

void RunningApp::OnProgramThread(const std::function<void()>& step) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ended_) return;
    step_ = step;
  }
  Resume();
}

const std::vector<hid::Report>& RunningApp::Reports() const {
  return controller_->Reports();
}

CHalcyraDlg* RunningApp::MainDialog() const {
  auto* dialog = dynamic_cast<CHalcyraDlg*>(theApp.m_pMainWnd);
  return dialog != nullptr && dialog->m_hWnd != nullptr ? dialog : nullptr;
}

host::NativeWindow RunningApp::MainNative() const {
  for (host::NativeWindow window : host_.ZOrder()) {
    const std::optional<host::WindowDesc> desc = host_.Description(window);
    if (desc && desc->app_window) return window;
  }
  return 0;
}

POINT RunningApp::OnMain(POINT client) const {
  CHalcyraDlg* dialog = MainDialog();
  return dialog != nullptr ? OnWindow(dialog->m_hWnd, client) : client;
}

POINT RunningApp::OnWindow(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  return client;
}

std::uint32_t RunningApp::Pixel(POINT screen) const {
  return host_.PixelAt(screen.x, screen.y);
}

std::vector<std::wstring> RunningApp::MessageBoxes() const {
  std::vector<std::wstring> texts;
  for (const user::TopLevelEvent& event : events_) {
    if (event.kind == user::TopLevelEvent::Kind::kShown && event.message_box) {
      texts.push_back(event.message);
    }
  }
  return texts;
}

HWND RunningApp::TopWindowOfClass(const std::wstring& class_name) const {
  // The latest window of that class still shown, by the observer's account.
  for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
    if (it->class_name != class_name) continue;
    const HWND window = it->hwnd;
    if (::IsWindow(window) && ::IsWindowVisible(window) && !::IsIconic(window)) return window;
  }
  return nullptr;
}

std::wstring RunningApp::TextOf(HWND window) {
  std::wstring text;
  OnProgramThread([&] {
    WCHAR buffer[256] = {};
    ::GetWindowTextW(window, buffer, 256);
    text = buffer;
  });
  return text;
}

}  // namespace app::test
