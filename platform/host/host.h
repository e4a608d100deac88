// The host: what shows the window system's top-level windows on a screen and feeds it input.
//
// The window system renders every top-level window into a framebuffer of its own and hands the
// changed rectangles to the host; the host reports pointer, key and window-manager events back. Two
// implementations exist: x11/ (real windows through Xlib) and headless/ (a virtual screen with a
// virtual clock for tests and scripted runs). A program picks one when it is linked and installs it
// before it creates a window. The host knows nothing of Windows messages: it speaks screen pixels,
// X-style events and Windows virtual-key codes only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

// Identifies one native top-level window of this process, or of another process for the
// cross-process calls. 0 is "none".
using NativeWindow = std::uint64_t;

struct Point {
  int x = 0;
  int y = 0;
};

// left/top inclusive, right/bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct WindowDesc {
  Rect rect;                // screen coordinates of the whole native window
  bool popup = false;       // tooltip, menu: never managed, never takes the keyboard focus
  bool captioned = false;   // has a caption (about box, message box)
  bool topmost = false;     // kept above normal windows (tooltips)
  bool app_window = false;  // shown in the task bar (the main window)
  NativeWindow owner = 0;   // the window this one belongs to (a dialog's owner)
  std::string title;        // UTF-8; empty: the host names the window after the application
  // The program the window belongs to, by its instance name ("halcyra"): how the desktop tells its
  // windows from other programs' and matches them to the program's launcher.
  std::string application;
};

// One picture of a window's icon: 0xAARRGGBB pixels (alpha not premultiplied), rows top first.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height
};

// A framebuffer: 0x00RRGGBB pixels, rows top first, `stride` pixels apart.
struct Framebuffer {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// Modifier bits of input events.
constexpr unsigned kModShift = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModAlt = 4;
constexpr unsigned kModLeftButton = 8;  // the left button is held

enum class EventType {
  kPointerMove,  // screen = pointer position
  kButtonDown,   // button 1 left, 2 middle, 3 right
  kButtonUp,
  kKeyDown,  // vk = Windows virtual-key code
  kKeyUp,
  kWindowMoved,   // the window manager moved a window: rect = its new screen rectangle
  kWindowState,   // the window manager minimised or restored a window: minimized says which
  kExpose,        // the host lost the window's pixels: present rect again
  kCloseRequest,  // the window manager asks to close a window (its close button, Alt+F4)
  kFocusIn,       // the window became the active one
  kFocusOut,
  kQuit,  // the host is shutting down (end of a script), or lost its screen (see `lost`)
};

struct Event {
  EventType type = EventType::kPointerMove;
  NativeWindow window = 0;  // the window concerned; for pointer events the window under the pointer
                            // (or the capture window), 0 when none of ours
  Point screen;             // pointer position in screen coordinates
  int button = 0;
  unsigned modifiers = 0;
  unsigned vk = 0;
  Rect rect;
  bool minimized = false;
  bool lost = false;  // kQuit: the screen went away (the display's connection broke); the run
                      // cannot go on and ends in failure
};

// A top-level window of another process, as the cross-process look-up sees it.
struct ForeignWindow {
  NativeWindow id = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // The whole screen, in screen coordinates (origin top-left).
  virtual Rect ScreenRect() const = 0;

  // ---- Native top-level windows. All start hidden.
  virtual NativeWindow CreateWindow(const WindowDesc& desc) = 0;
  virtual void DestroyWindow(NativeWindow window) = 0;
  virtual void SetWindowRect(NativeWindow window, const Rect& rect) = 0;
  // The visible shape in window coordinates; null makes the window rectangular again.
  virtual void SetShape(NativeWindow window, const std::vector<Rect>* rects) = 0;
  virtual void SetTitle(NativeWindow window, const std::string& title) = 0;
  // The pictures the desktop shows for the window (task switcher, panel), one per size; an empty
  // list takes them away.
  virtual void SetIcon(NativeWindow window, const std::vector<IconImage>& images) = 0;
  virtual void Show(NativeWindow window, bool activate) = 0;
  virtual void Hide(NativeWindow window) = 0;
  virtual void Minimize(NativeWindow window) = 0;
  virtual void Restore(NativeWindow window) = 0;
  virtual void Raise(NativeWindow window, bool activate) = 0;
  // Whether a window manager decorates captioned windows; when not, the window system draws a
  // plain title bar of its own inside the native window.
  virtual bool DecoratesCaptions() const = 0;

  // Copies the listed rectangles (window coordinates) of the window's framebuffer to the screen.
  virtual void Present(NativeWindow window, const Framebuffer& frame,
                       const std::vector<Rect>& dirty) = 0;

  // ---- Input.
  // Sends every pointer event to `window` until released (0 releases), also outside it. Releasing
  // a capture reports the pointer again with a kPointerMove where it is, for the window now under
  // it: that window saw none of the moves that brought the pointer there.
  virtual void SetCapture(NativeWindow window) = 0;
  virtual Point CursorPos() const = 0;
  // Starts a move of `window` by the pointer that was pressed at `press` (screen coordinates).
  // Returns true when the host (or its window manager) carries out the whole move and reports the
  // result as kWindowMoved; false when the caller moves the window itself from the pointer events.
  virtual bool BeginMove(NativeWindow window, Point press) = 0;

  // ---- Time and waiting.
  // Milliseconds of the host's clock (monotonic; virtual on the headless host).
  virtual std::uint64_t NowMs() const = 0;
  // Takes the next event when one is pending; never waits.
  virtual bool PollEvent(Event* out) = 0;
  // Waits for the next event, or until the clock reaches `deadline_ms`. Returns false when the
  // deadline passed without an event. Waiting costs no CPU.
  virtual bool WaitEvent(std::optional<std::uint64_t> deadline_ms, Event* out) = 0;

  // ---- Cross-process window look-up (the single-instance rule).
  // Publishes a named integer marker on one of this process's windows, or removes it.
  virtual void SetMarker(NativeWindow window, const std::string& name, long value) = 0;
  virtual void RemoveMarker(NativeWindow window, const std::string& name) = 0;
  // Records which of this process's windows was active last among those owned by `owner`, so that
  // another process can bring it to the front together with its owner.
  virtual void SetLastActivePopup(NativeWindow owner, NativeWindow popup) = 0;
  // Other processes' top-level windows, top of the stacking order first.
  virtual std::vector<ForeignWindow> ForeignWindows() = 0;
  virtual std::optional<long> ForeignMarker(NativeWindow window, const std::string& name) = 0;
  virtual bool ForeignIsMinimized(NativeWindow window) = 0;
  virtual void ForeignRestore(NativeWindow window) = 0;
  // Raises and activates the window.
  virtual void ForeignActivate(NativeWindow window) = 0;
  // The last active popup that the owning process recorded, or `window` itself.
  virtual NativeWindow ForeignLastActivePopup(NativeWindow window) = 0;
};

}  // namespace host
