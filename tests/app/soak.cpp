#include "soak.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <utility>

#include "CHalcyraDlg.h"
#include "CNumDlg.h"
#include "running_app.h"
#include "utf8.h"
#include "winuser.h"

namespace app::test {
namespace {

// A point of the main window's skin between its controls.
constexpr POINT kMainBackground = {300, 150};
// Long enough for every tooltip to pop down and every hover timer to notice the pointer left.
constexpr unsigned kRestMs = 6000;
constexpr int kWarmUpSteps = 100;  // random steps after the tour of every window

constexpr unsigned kKeys[] = {VK_ESCAPE, VK_RETURN, VK_TAB,  VK_SPACE, VK_LEFT,  VK_RIGHT,
                              VK_UP,     VK_DOWN,   VK_HOME, VK_END,   VK_PRIOR, VK_NEXT};

// The process's resident memory, in KiB.
std::size_t ResidentKib() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  unsigned long size = 0, resident = 0;
  const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
  std::fclose(statm);
  if (read != 2) return 0;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) / 1024;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT ScreenRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

class Soak {
 public:
  explicit Soak(const SoakOptions& options) : options_(options), random_(options.seed) {}

  SoakReport Run() {
    Start();
    WarmUp();
    Sample(0);
    std::size_t done = 0;
    std::size_t checkpoints = 0;
    std::size_t idle = 0;
    while (done < options_.events) {
      ChangeController(done);
      const std::size_t before = report_.events;
      Step();
      // Letting time pass, restarting and restoring the window are no events of a person's.
      const std::size_t made = report_.events - before;
      idle = made == 0 ? idle + 1 : 0;
      if (idle > 1000) {  // the program takes no input any more
        ++report_.unsettled;
        break;
      }
      if (made == 0) continue;
      done += made;
      if (done / options_.checkpoint_every > checkpoints || done >= options_.events) {
        checkpoints = done / options_.checkpoint_every;
        Sample(done);
      }
    }
    End();
    return report_;
  }

 private:
  // ---- The program's life.

  void ChangeController(std::size_t done) {
    const bool midway = options_.controller == SoakController::kUnpluggedMidway;
    const bool each = options_.controller == SoakController::kEachInTurn;
    if ((midway || each) && !unplugged_ && done >= options_.events / (midway ? 2 : 3)) {
      app_->Controller().Unplug();
      unplugged_ = true;
    }
    if (each && unplugged_ && !restarted_absent_ && done >= options_.events * 2 / 3) {
      // The person quits and starts the program again, now without the controller.
      Rest();
      if (CHalcyraDlg* main = app_->MainDialog()) ClickControl(main->m_btnClose);
      Restart();  // whatever still runs ends here
      restarted_absent_ = true;
    }
  }

  hid::SimulatedSetup Setup() const {
    hid::SimulatedSetup setup;
    setup.red = 10;
    setup.green = 20;
    setup.blue = 30;
    setup.led_count = 30;
    setup.attached = options_.controller != SoakController::kAbsent && !unplugged_;
    return setup;
  }

  void Start() {
    app_ = std::make_unique<RunningApp>(Setup());
    app_->Start();
    CHalcyraDlg* main = app_->MainDialog();
    if (main == nullptr) return;
    if (options_.reveal_hidden_pages) {
      app_->OnProgramThread([main] {
        main->m_btnArgbPage.ShowWindow(SW_SHOWNORMAL);
        main->m_btnVrgbPage.ShowWindow(SW_SHOWNORMAL);
        main->m_btnSync.ShowWindow(SW_SHOWNORMAL);
      });
    }
    tip_shown_ = false;
  }

  void Restart() {
    End();
    ++report_.restarts;
    Start();
  }

  // Ends this run of the program, keeping what it showed and the time it took.
  void End() {
    for (const user::TopLevelEvent& event : app_->TopLevelEvents()) {
      if (event.kind != user::TopLevelEvent::Kind::kShown) continue;
      report_.shown.insert(event.message_box
                               ? L"message: " + event.message
                               : event.class_name + L" \"" + event.text + L"\" " +
                                     std::to_wstring(event.rect.right - event.rect.left) + L"x" +
                                     std::to_wstring(event.rect.bottom - event.rect.top));
    }
    report_.virtual_ms += app_->Host().NowMs() - host::HeadlessHost::kStartMs;
    app_.reset();
  }

  // ---- A person's actions, counted.

  void Move(POINT p) {
    app_->MoveTo(p);
    ++report_.events;
  }
  void Click(POINT p) {
    app_->Click(p);
    report_.events += 3;
  }
  void Key(unsigned vk, unsigned modifiers = 0) {
    app_->Key(vk, modifiers);
    ++report_.events;
  }
  void Drag(POINT from, POINT to) {
    app_->Drag(from, to);
    report_.events +=
        2 + static_cast<std::size_t>(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)));
  }
  void ClickControl(CWnd& control) { Click(Centre(ScreenRect(control.m_hWnd))); }
  void RestoreMain() {
    app_->WindowManager([this](host::HeadlessHost& host) { host.Restore(app_->MainNative()); });
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Uniform(0, 99) < percent; }
  POINT Inside(const RECT& r) {
    return {Uniform(r.left, std::max(r.left, r.right - 1)),
            Uniform(r.top, std::max(r.top, r.bottom - 1))};
  }
  static POINT OnScreen(POINT p) {
    return {std::clamp<LONG>(p.x, 0, host::HeadlessHost::kScreenWidth - 1),
            std::clamp<LONG>(p.y, 0, host::HeadlessHost::kScreenHeight - 1)};
  }
  unsigned AnyKey() { return kKeys[Uniform(0, static_cast<int>(std::size(kKeys)) - 1)]; }

  // The window that takes input now: the active one, or the main window.
  HWND Top() const {
    HWND active = ::GetActiveWindow();
    if (active != nullptr && ::IsWindowVisible(active) && !::IsIconic(active)) return active;
    CHalcyraDlg* main = app_->MainDialog();
    return main != nullptr && main->IsWindowVisible() && !main->IsIconic() ? main->m_hWnd : nullptr;
  }

  // The visible controls of `top`, by their screen rectangles.
  static std::vector<HWND> Controls(HWND top) {
    std::vector<HWND> controls;
    for (HWND child = ::GetWindow(top, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      const RECT r = ScreenRect(child);
      if (::IsWindowVisible(child) && r.right > r.left && r.bottom > r.top) {
        controls.push_back(child);
      }
    }
    return controls;
  }

  // Whether an action would end the program (such choices are mostly drawn again).
  bool Ends(HWND target, unsigned vk) const {
    CHalcyraDlg* main = app_->MainDialog();
    if (main == nullptr) return false;
    if (target != nullptr) return target == main->m_btnClose.m_hWnd;
    return vk == VK_RETURN && ::GetActiveWindow() == main->m_hWnd;
  }

  // ---- One random event.

  void Step() {
    if (!app_->Running()) return Restart();
    const HWND top = Top();
    if (top == nullptr) return RestoreMain();  // minimised: back from the task bar
    std::vector<HWND> controls = Controls(top);
    const auto pick = [&]() -> HWND {
      if (controls.empty()) return nullptr;
      const auto any = [&] {
        return controls[static_cast<std::size_t>(
            Uniform(0, static_cast<int>(controls.size()) - 1))];
      };
      HWND chosen = any();
      if (Ends(chosen, 0) && !Chance(10)) chosen = any();
      return chosen;
    };
    const int roll = Uniform(0, 99);
    if (roll < 50) {
      HWND control = pick();
      Click(Inside(ScreenRect(control != nullptr ? control : top)));
    } else if (roll < 58) {
      HWND control = pick();
      const POINT from = Inside(ScreenRect(control != nullptr ? control : top));
      Drag(from, OnScreen({from.x + Uniform(-30, 30), from.y + Uniform(-8, 8)}));
    } else if (roll < 68) {
      HWND control = pick();
      Move(Inside(ScreenRect(control != nullptr ? control : top)));
    } else if (roll < 82) {
      unsigned vk = AnyKey();
      if (Ends(nullptr, vk) && !Chance(10)) vk = AnyKey();
      Key(vk);
    } else if (roll < 84) {
      Key(VK_SPACE, host::kModAlt);
    } else if (roll < 90) {
      Click({Uniform(0, host::HeadlessHost::kScreenWidth - 1),
             Uniform(0, host::HeadlessHost::kScreenHeight - 1)});
    } else {
      app_->Wait(static_cast<unsigned>(Uniform(20, 1500)));
    }
  }

  // ---- Rest and samples.

  // Brings the program to rest: the main window alone, every tip and timer run out.
  bool Rest() {
    for (int attempt = 0; attempt < 40; ++attempt) {
      if (!app_->Running()) {
        Restart();
        continue;
      }
      CHalcyraDlg* main = app_->MainDialog();
      if (main == nullptr || main->IsIconic()) {
        RestoreMain();
        continue;
      }
      const HWND active = ::GetActiveWindow();
      if (active == nullptr) {  // a click on the desktop left no window of the program active
        Click(RunningApp::OnWindow(main->m_hWnd, kMainBackground));
        continue;
      }
      if (active != main->m_hWnd) {
        if (auto* num = dynamic_cast<CNumDlg*>(CWnd::FromHandlePermanent(active))) {
          ClickControl(num->m_btnConfirm);
        } else {
          Key(VK_RETURN);  // a message box or the about box
        }
        continue;
      }
      // A system menu may be open; Escape closes it and does nothing else here.
      Key(VK_ESCAPE);
      if (!tip_shown_) {
        // The tooltip keeps its picture from its first showing on: show it before any sample.
        Move(RunningApp::OnWindow(main->m_hWnd, kMainBackground));
        Move(Centre(ScreenRect(main->m_btnApply.m_hWnd)));
        app_->Wait(1000);
        tip_shown_ = true;
      }
      Move(RunningApp::OnWindow(main->m_hWnd, kMainBackground));
      app_->Wait(kRestMs);
      if (::GetActiveWindow() == main->m_hWnd && app_->Host().VisibleWindows().size() == 1) {
        return true;
      }
    }
    return false;
  }

  void Sample(std::size_t done) {
    if (!Rest()) ++report_.unsettled;
    report_.samples.push_back({done, user::LiveObjectCounts(), ResidentKib()});
  }

  // Every window once before the baseline, so that what the layer caches is loaded by then.
  void WarmUp() {
    // The main window may be another one after any step that could restart the program.
    const auto main = [this] { return app_->MainDialog(); };
    Rest();
    if (main() == nullptr) return;
    for (int language = 0; language < 2; ++language) {
      ClickControl(main()->m_btnLightsQty);
      Rest();  // confirms
      ClickControl(main()->m_btnLightsQty);
      Key(VK_ESCAPE);
      Rest();
      ClickControl(main()->m_btnLanguage);
    }
    Key(VK_SPACE, host::kModAlt);
    Key(VK_DOWN);
    Key(VK_RETURN);  // the about box
    Rest();
    Move(Centre(ScreenRect(main()->m_btnApply.m_hWnd)));
    app_->Wait(1000);  // its tooltip
    if (options_.reveal_hidden_pages) {
      ClickControl(main()->m_btnVrgbPage);
      ClickControl(main()->m_btnApply);  // the warning: effect 8 has no code on this page
      Rest();
      ClickControl(main()->m_btnArgbPage);
    }
    const POINT red = Centre(ScreenRect(main()->m_sliderRed.m_hWnd));
    Drag(red, {red.x + 40, red.y});
    ClickControl(main()->m_btnColorWheel);
    ClickControl(main()->m_btnApply);
    ClickControl(main()->m_btnMinimize);
    RestoreMain();
    ClickControl(main()->m_btnClose);
    if (!app_->Running()) Restart();
    for (int i = 0; i < kWarmUpSteps; ++i) Step();
  }

  SoakOptions options_;
  std::mt19937 random_;
  std::unique_ptr<RunningApp> app_;
  bool unplugged_ = false;
  bool restarted_absent_ = false;
  bool tip_shown_ = false;  // in this run of the program
  SoakReport report_;
};

// Every count of `live`, by name.
std::vector<std::pair<const char*, std::size_t>> Counts(const user::LiveObjects& live) {
  const gdi::ObjectCounts& g = live.gdi;
  return {{"windows", live.windows},
          {"timers", live.timers},
          {"menus", live.menus},
          {"hooks", live.hooks},
          {"kernel handles", live.kernel_handles},
          {"bitmaps", g.bitmaps},
          {"device contexts", g.device_contexts},
          {"regions", g.regions},
          {"brushes", g.brushes},
          {"pens", g.pens},
          {"fonts", g.fonts}};
}

}  // namespace

std::size_t SoakReport::WorstGrowth() const {
  std::size_t worst = 0;
  if (samples.empty()) return worst;
  const auto base = Counts(samples.front().live);
  for (const SoakSample& sample : samples) {
    const auto now = Counts(sample.live);
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i].second > base[i].second) worst = std::max(worst, now[i].second - base[i].second);
    }
  }
  return worst;
}

std::string SoakReport::Describe() const {
  if (samples.empty()) return "no sample";
  const auto first = Counts(samples.front().live), last = Counts(samples.back().live);
  std::string text;
  for (std::size_t i = 0; i < first.size(); ++i) {
    text += std::string(first[i].first) + " " + std::to_string(first[i].second) + " -> " +
            std::to_string(last[i].second) + ", ";
  }
  return text + "resident KiB " + std::to_string(samples.front().resident_kib) + " -> " +
         std::to_string(samples.back().resident_kib);
}

SoakReport RunSoak(const SoakOptions& options) {
  return Soak(options).Run();
}

}  // namespace app::test
