#include "headless_host.h"

#include <algorithm>
#include <cctype>

namespace host {
namespace {

constexpr unsigned kVkShift = 0x10;
constexpr unsigned kVkControl = 0x11;
constexpr unsigned kVkMenu = 0x12;

// Marker names behave like atoms: case does not matter.
std::string AtomName(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

unsigned ModifierOfKey(unsigned vk) {
  switch (vk) {
    case kVkShift:
      return kModShift;
    case kVkControl:
      return kModControl;
    case kVkMenu:
      return kModAlt;
    default:
      return 0;
  }
}

}  // namespace

HeadlessHost::HeadlessHost() = default;
HeadlessHost::~HeadlessHost() = default;

Rect HeadlessHost::ScreenRect() const {
  return Rect{0, 0, kScreenWidth, kScreenHeight};
}

HeadlessHost::Window* HeadlessHost::Find(NativeWindow window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const HeadlessHost::Window* HeadlessHost::Find(NativeWindow window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

// ---- Windows

NativeWindow HeadlessHost::CreateWindow(const WindowDesc& desc) {
  NativeWindow id = next_id_++;
  Window w;
  w.desc = desc;
  w.desc.rect.right = std::max(desc.rect.right, desc.rect.left);
  w.desc.rect.bottom = std::max(desc.rect.bottom, desc.rect.top);
  w.pixels.assign(static_cast<size_t>(w.desc.rect.Width()) * w.desc.rect.Height(), 0);
  windows_.emplace(id, std::move(w));
  z_order_.push_back(id);
  RaiseInStack(id);  // a new window starts on top of its band, as on X
  return id;
}

void HeadlessHost::DestroyWindow(NativeWindow window) {
  if (!windows_.erase(window)) return;
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  if (active_ == window) active_ = 0;
  if (capture_ == window) capture_ = 0;
  for (auto& [id, w] : windows_) {
    if (w.last_popup == window) w.last_popup = 0;
  }
}

void HeadlessHost::SetWindowRect(NativeWindow window, const Rect& rect) {
  Window* w = Find(window);
  if (!w) return;
  Rect r = rect;
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  if (r.Width() != w->desc.rect.Width() || r.Height() != w->desc.rect.Height()) {
    // Keep what overlaps, as a real window keeps its contents until repainted.
    std::vector<std::uint32_t> pixels(static_cast<size_t>(r.Width()) * r.Height(), 0);
    int cw = std::min(r.Width(), w->desc.rect.Width());
    int ch = std::min(r.Height(), w->desc.rect.Height());
    for (int y = 0; y < ch; ++y) {
      std::copy_n(w->pixels.begin() + static_cast<size_t>(y) * w->desc.rect.Width(), cw,
                  pixels.begin() + static_cast<size_t>(y) * r.Width());
    }
    w->pixels = std::move(pixels);
  }
  w->desc.rect = r;
}

void HeadlessHost::SetShape(NativeWindow window, const std::vector<Rect>* rects) {
  Window* w = Find(window);
  if (!w) return;
  if (rects) {
    w->shape = *rects;
  } else {
    w->shape.reset();
  }
}

void HeadlessHost::SetTitle(NativeWindow window, const std::string& title) {
  if (Window* w = Find(window)) w->desc.title = title;
}

void HeadlessHost::SetIcon(NativeWindow window, const std::vector<IconImage>& images) {
  if (Window* w = Find(window)) w->icon = images;
}

void HeadlessHost::Show(NativeWindow window, bool activate) {
  Window* w = Find(window);
  if (!w) return;
  w->shown = true;
  if (activate && !w->desc.popup) {
    RaiseInStack(window);
    if (!w->minimized) active_ = window;
  }
}

void HeadlessHost::Hide(NativeWindow window) {
  Window* w = Find(window);
  if (!w) return;
  w->shown = false;
  if (active_ == window) active_ = 0;
}

void HeadlessHost::Minimize(NativeWindow window) {
  Window* w = Find(window);
  if (!w || w->minimized) return;
  w->minimized = true;
  if (active_ == window) active_ = 0;
  Event e;
  e.type = EventType::kWindowState;
  e.window = window;
  e.minimized = true;
  e.screen = cursor_;
  queue_.push_back(e);
}

void HeadlessHost::Restore(NativeWindow window) {
  Window* w = Find(window);
  if (!w || !w->minimized) return;
  w->minimized = false;
  Event e;
  e.type = EventType::kWindowState;
  e.window = window;
  e.minimized = false;
  e.screen = cursor_;
  queue_.push_back(e);
}

void HeadlessHost::Raise(NativeWindow window, bool activate) {
  Window* w = Find(window);
  if (!w) return;
  RaiseInStack(window);
  if (activate && !w->desc.popup && Visible(*w)) active_ = window;
}

// Raised and made the active window, which the window system learns from the focus event.
void HeadlessHost::Activate(NativeWindow window) {
  if (!Find(window)) return;
  Raise(window, true);
  if (active_ == window) {
    Event e;
    e.type = EventType::kFocusIn;
    e.window = window;
    e.screen = cursor_;
    queue_.push_back(e);
  }
}

// Top of its band (topmost windows stay above the others), with the windows it owns above it.
void HeadlessHost::RaiseInStack(NativeWindow window) {
  const Window* w = Find(window);
  if (!w) return;
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  auto pos = z_order_.begin();
  if (!w->desc.topmost) {
    while (pos != z_order_.end() && Find(*pos)->desc.topmost) ++pos;
  }
  z_order_.insert(pos, window);
  // Owned windows follow their owner up; collect first, the stack changes while raising.
  std::vector<NativeWindow> owned;
  for (auto it = z_order_.rbegin(); it != z_order_.rend(); ++it) {
    if (*it != window && Find(*it)->desc.owner == window) owned.push_back(*it);
  }
  for (NativeWindow o : owned) RaiseInStack(o);
}

void HeadlessHost::Present(NativeWindow window, const Framebuffer& frame,
                           const std::vector<Rect>& dirty) {
  Window* w = Find(window);
  if (!w || !frame.pixels || frame.stride < frame.width) return;
  const int ww = w->desc.rect.Width();
  const int limit_w = std::min(ww, frame.width);
  const int limit_h = std::min(w->desc.rect.Height(), frame.height);
  for (const Rect& d : dirty) {
    int left = std::max(d.left, 0), top = std::max(d.top, 0);
    int right = std::min(d.right, limit_w), bottom = std::min(d.bottom, limit_h);
    if (left >= right || top >= bottom) continue;
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* src = frame.pixels + static_cast<size_t>(y) * frame.stride + left;
      std::copy_n(src, right - left, w->pixels.begin() + static_cast<size_t>(y) * ww + left);
    }
  }
}

// ---- Input

void HeadlessHost::SetCapture(NativeWindow window) {
  const bool released = capture_ != 0 && window == 0;
  capture_ = Find(window) ? window : 0;
  if (released) QueuePointer(EventType::kPointerMove, 0);
}

bool HeadlessHost::BeginMove(NativeWindow, Point) {
  return false;
}

unsigned HeadlessHost::PointerModifiers() const {
  return keys_held_ | ((buttons_held_ & 1u) ? kModLeftButton : 0u);
}

void HeadlessHost::QueuePointer(EventType type, int button) {
  Event e;
  e.type = type;
  e.window = capture_ ? capture_ : WindowAt(cursor_);
  e.screen = cursor_;
  e.button = button;
  e.modifiers = PointerModifiers();
  queue_.push_back(e);
}

void HeadlessHost::MovePointer(Point to) {
  cursor_ = to;
  QueuePointer(EventType::kPointerMove, 0);
}

void HeadlessHost::PressButton(int button) {
  if (button < 1 || button > 3) return;
  if (button == 1 && !capture_ && !tile_pressed_ && WindowAt(cursor_) == 0) {
    if (NativeWindow tile = TileAt(cursor_)) {
      tile_pressed_ = true;
      Restore(tile);
      Activate(tile);
      return;
    }
  }
  buttons_held_ |= 1u << (button - 1);
  QueuePointer(EventType::kButtonDown, button);
}

void HeadlessHost::ReleaseButton(int button) {
  if (button < 1 || button > 3) return;
  if (button == 1 && tile_pressed_) {
    tile_pressed_ = false;
    return;
  }
  buttons_held_ &= ~(1u << (button - 1));
  QueuePointer(EventType::kButtonUp, button);
}

void HeadlessHost::QueueKey(EventType type, unsigned vk, unsigned modifiers) {
  Event e;
  e.type = type;
  e.window = active_;
  e.screen = cursor_;
  e.vk = vk;
  e.modifiers = modifiers | PointerModifiers();
  queue_.push_back(e);
}

void HeadlessHost::KeyDown(unsigned vk, unsigned modifiers) {
  QueueKey(EventType::kKeyDown, vk, modifiers);
  keys_held_ |= ModifierOfKey(vk);
}

void HeadlessHost::KeyUp(unsigned vk, unsigned modifiers) {
  keys_held_ &= ~ModifierOfKey(vk);
  QueueKey(EventType::kKeyUp, vk, modifiers);
}

void HeadlessHost::PressKey(unsigned vk, unsigned modifiers) {
  KeyDown(vk, modifiers);
  KeyUp(vk, modifiers);
}

void HeadlessHost::PostEvent(const Event& event) {
  queue_.push_back(event);
}

// ---- Clock and waiting

void HeadlessHost::AdvanceClock(std::uint64_t ms) {
  now_ += ms;
}

void HeadlessHost::Wait(std::uint64_t ms) {
  wait_until_ = wait_until_.value_or(now_) + ms;
}

void HeadlessHost::SetIdleHandler(IdleHandler handler) {
  idle_handler_ = std::move(handler);
  ended_ = false;
}

Event HeadlessHost::QuitEvent() const {
  Event e;
  e.type = EventType::kQuit;
  e.screen = cursor_;
  return e;
}

bool HeadlessHost::PollEvent(Event* out) {
  if (queue_.empty()) return false;
  Event e = queue_.front();
  queue_.pop_front();
  if (out) *out = e;
  return true;
}

bool HeadlessHost::WaitEvent(std::optional<std::uint64_t> deadline_ms, Event* out) {
  for (;;) {
    if (PollEvent(out)) return true;
    if (deadline_ms && *deadline_ms <= now_) return false;
    if (wait_until_) {
      if (*wait_until_ > now_) {
        if (deadline_ms && *deadline_ms <= *wait_until_) {
          now_ = *deadline_ms;
          return false;
        }
        now_ = *wait_until_;
      }
      // Nothing falls due before the end of the span: the wait is over, the program is idle.
      wait_until_.reset();
    }
    // A handler that waits for events itself would recurse; treat that like having none.
    if (ended_ || !idle_handler_ || in_idle_handler_) {
      if (out) *out = QuitEvent();
      return true;
    }
    in_idle_handler_ = true;
    bool go_on = idle_handler_();
    in_idle_handler_ = false;
    if (!go_on) ended_ = true;
  }
}

// ---- Markers and popups (the cross-process look-up sees only this process here)

void HeadlessHost::SetMarker(NativeWindow window, const std::string& name, long value) {
  if (Window* w = Find(window)) w->markers[AtomName(name)] = value;
}

void HeadlessHost::RemoveMarker(NativeWindow window, const std::string& name) {
  if (Window* w = Find(window)) w->markers.erase(AtomName(name));
}

std::optional<long> HeadlessHost::Marker(NativeWindow window, const std::string& name) const {
  const Window* w = Find(window);
  if (!w) return std::nullopt;
  auto it = w->markers.find(AtomName(name));
  if (it == w->markers.end()) return std::nullopt;
  return it->second;
}

void HeadlessHost::SetLastActivePopup(NativeWindow owner, NativeWindow popup) {
  Window* w = Find(owner);
  if (!w) return;
  w->last_popup = (popup == owner || !Find(popup)) ? 0 : popup;
}

NativeWindow HeadlessHost::LastActivePopup(NativeWindow owner) const {
  const Window* w = Find(owner);
  if (!w || !w->last_popup) return owner;
  return w->last_popup;
}

std::optional<long> HeadlessHost::ForeignMarker(NativeWindow window, const std::string& name) {
  return Marker(window, name);
}

bool HeadlessHost::ForeignIsMinimized(NativeWindow window) {
  return IsMinimized(window);
}

void HeadlessHost::ForeignRestore(NativeWindow window) {
  Restore(window);
}

void HeadlessHost::ForeignActivate(NativeWindow window) {
  Activate(window);
}

NativeWindow HeadlessHost::ForeignLastActivePopup(NativeWindow window) {
  return LastActivePopup(window);
}

// ---- Queries

std::optional<Rect> HeadlessHost::WindowRect(NativeWindow window) const {
  const Window* w = Find(window);
  if (!w) return std::nullopt;
  return w->desc.rect;
}

std::optional<WindowDesc> HeadlessHost::Description(NativeWindow window) const {
  const Window* w = Find(window);
  if (!w) return std::nullopt;
  return w->desc;
}

std::vector<IconImage> HeadlessHost::Icon(NativeWindow window) const {
  const Window* w = Find(window);
  return w ? w->icon : std::vector<IconImage>{};
}

bool HeadlessHost::IsShown(NativeWindow window) const {
  const Window* w = Find(window);
  return w && w->shown;
}

bool HeadlessHost::IsMinimized(NativeWindow window) const {
  const Window* w = Find(window);
  return w && w->minimized;
}

}  // namespace host
