// A host without a display: a 1280 x 800 virtual screen in memory, a virtual clock that moves only
// when told, and input that tests and scripts inject. The program cannot tell it from a real
// screen, except that nothing happens unless someone makes it happen.
//
// Scripted runs drive the program through the idle handler: whenever the program waits for input
// and nothing is pending, WaitEvent calls the handler, which injects the next input or lets virtual
// time pass (Wait) and returns true, or returns false to end the run (WaitEvent then answers
// kQuit).
//
// The virtual screen has no task bar, yet a person must be able to bring a minimised window back.
// Each minimised application window (WindowDesc::app_window) therefore shows as a tile at the
// bottom-left corner of the desktop, its icon on a plain square, in the order the windows were
// created. A left-button press on a tile that no window covers restores and activates that window,
// as a click on its task bar button would; neither that press nor its release reaches a window.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host.h"

namespace host {

class HeadlessHost final : public Host {
 public:
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 800;
  static constexpr std::uint64_t kStartMs = 1000;
  // What shows where no window covers the screen.
  static constexpr std::uint32_t kDesktopColor = 0x3A6EA5;
  // The tiles of minimised application windows: squares along the bottom edge from the left.
  static constexpr int kTileSize = 40;
  static constexpr std::uint32_t kTileColor = 0x1E2A38;
  static constexpr std::uint32_t kTileFrameColor = 0x8FA8C8;

  HeadlessHost();
  ~HeadlessHost() override;
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  // ---- Host
  Rect ScreenRect() const override;
  NativeWindow CreateWindow(const WindowDesc& desc) override;
  void DestroyWindow(NativeWindow window) override;
  void SetWindowRect(NativeWindow window, const Rect& rect) override;
  void SetShape(NativeWindow window, const std::vector<Rect>* rects) override;
  void SetTitle(NativeWindow window, const std::string& title) override;
  void SetIcon(NativeWindow window, const std::vector<IconImage>& images) override;
  void Show(NativeWindow window, bool activate) override;
  void Hide(NativeWindow window) override;
  void Minimize(NativeWindow window) override;
  void Restore(NativeWindow window) override;
  void Raise(NativeWindow window, bool activate) override;
  bool DecoratesCaptions() const override { return false; }
  void Present(NativeWindow window, const Framebuffer& frame,
               const std::vector<Rect>& dirty) override;
  void SetCapture(NativeWindow window) override;
  Point CursorPos() const override { return cursor_; }
  bool BeginMove(NativeWindow window, Point press) override;
  std::uint64_t NowMs() const override { return now_; }
  bool PollEvent(Event* out) override;
  bool WaitEvent(std::optional<std::uint64_t> deadline_ms, Event* out) override;
  void SetMarker(NativeWindow window, const std::string& name, long value) override;
  void RemoveMarker(NativeWindow window, const std::string& name) override;
  void SetLastActivePopup(NativeWindow owner, NativeWindow popup) override;
  std::vector<ForeignWindow> ForeignWindows() override { return {}; }
  std::optional<long> ForeignMarker(NativeWindow window, const std::string& name) override;
  bool ForeignIsMinimized(NativeWindow window) override;
  void ForeignRestore(NativeWindow window) override;
  void ForeignActivate(NativeWindow window) override;
  NativeWindow ForeignLastActivePopup(NativeWindow window) override;

  // ---- Injected input: each call queues the events a person's action produces. Pointer events
  // go to the capture window, else to the top visible window whose shape holds the pointer (0 when
  // none); key events go to the active window.
  void MovePointer(Point to);
  void PressButton(int button = 1);
  void ReleaseButton(int button = 1);
  void KeyDown(unsigned vk, unsigned modifiers = 0);
  void KeyUp(unsigned vk, unsigned modifiers = 0);
  void PressKey(unsigned vk, unsigned modifiers = 0);  // down, then up
  // Queues any event as given (a close request, a window-manager move, ...).
  void PostEvent(const Event& event);
  bool HasPendingEvents() const { return !queue_.empty(); }

  // ---- Virtual clock.
  // Moves the clock at once; timers that fell due in between are simply due.
  void AdvanceClock(std::uint64_t ms);
  // Lets `ms` pass while the program waits: each later WaitEvent with a deadline inside the span
  // moves the clock to that deadline and times out, so every due timer runs at its time, until the
  // end of the span is reached. Calls add up.
  void Wait(std::uint64_t ms);
  bool WaitPending() const { return wait_until_.has_value(); }

  using IdleHandler = std::function<bool()>;
  // Called by WaitEvent when nothing is pending and no wait is in progress. Returning false ends
  // the run: WaitEvent answers kQuit from then on (until a new handler is set). Without a handler
  // an idle WaitEvent answers kQuit at once, so a test never blocks.
  void SetIdleHandler(IdleHandler handler);

  // ---- The virtual screen.
  std::uint32_t PixelAt(int x, int y) const;         // 0x00RRGGBB; the desktop colour off-screen
  std::vector<std::uint32_t> ComposeScreen() const;  // kScreenWidth x kScreenHeight, rows top first
  bool Screenshot(const std::string& path, std::string* error = nullptr) const;
  // The top visible window whose shape contains the point, 0 when none.
  NativeWindow WindowAt(Point p) const;
  // The minimised window whose tile holds the point, 0 when none (windows may cover tiles).
  NativeWindow TileAt(Point p) const;
  // The screen rectangle of a minimised window's tile; nothing when it has none.
  std::optional<Rect> TileRect(NativeWindow window) const;
  // Shown and not minimised, top of the z-order first.
  std::vector<NativeWindow> VisibleWindows() const;
  // Every window, visible or not, top of the z-order first.
  std::vector<NativeWindow> ZOrder() const { return z_order_; }

  // ---- What the host knows of each window (empty/false/0 for an unknown handle).
  bool Exists(NativeWindow window) const { return windows_.count(window) != 0; }
  std::optional<Rect> WindowRect(NativeWindow window) const;
  std::optional<WindowDesc> Description(NativeWindow window) const;  // rect and title up to date
  std::vector<IconImage> Icon(NativeWindow window) const;            // as last set; empty when none
  bool IsShown(NativeWindow window) const;
  bool IsMinimized(NativeWindow window) const;
  NativeWindow ActiveWindow() const { return active_; }
  NativeWindow Capture() const { return capture_; }
  std::optional<long> Marker(NativeWindow window, const std::string& name) const;
  // The popup recorded for `owner`, or `owner` itself.
  NativeWindow LastActivePopup(NativeWindow owner) const;

 private:
  struct Window {
    WindowDesc desc;  // desc.rect is kept current
    std::optional<std::vector<Rect>> shape;
    std::vector<std::uint32_t> pixels;  // what was last presented, desc.rect's size
    bool shown = false;
    bool minimized = false;
    std::map<std::string, long> markers;
    NativeWindow last_popup = 0;
    std::vector<IconImage> icon;
  };

  Window* Find(NativeWindow window);
  const Window* Find(NativeWindow window) const;
  bool Visible(const Window& w) const { return w.shown && !w.minimized; }
  bool Contains(const Window& w, Point p) const;
  bool HasTile(const Window& w) const { return w.desc.app_window && w.shown && w.minimized; }
  std::uint32_t TilePixel(const Window& w, int x, int y) const;  // x, y inside the tile
  void Activate(NativeWindow window);
  void RaiseInStack(NativeWindow window);
  void QueuePointer(EventType type, int button);
  void QueueKey(EventType type, unsigned vk, unsigned modifiers);
  unsigned PointerModifiers() const;
  Event QuitEvent() const;

  std::map<NativeWindow, Window> windows_;
  std::vector<NativeWindow> z_order_;  // top first
  NativeWindow next_id_ = 1;
  NativeWindow active_ = 0;
  NativeWindow capture_ = 0;

  Point cursor_;
  unsigned buttons_held_ = 0;  // bit (button - 1)
  bool tile_pressed_ = false;  // the left button went down on a tile and is still held
  unsigned keys_held_ = 0;     // kModShift, kModControl, kModAlt from KeyDown/KeyUp
  std::deque<Event> queue_;

  std::uint64_t now_ = kStartMs;
  std::optional<std::uint64_t> wait_until_;
  IdleHandler idle_handler_;
  bool in_idle_handler_ = false;
  bool ended_ = false;
};

}  // namespace host
