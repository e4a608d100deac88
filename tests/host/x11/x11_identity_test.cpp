// A window's properties as any other client reads them (xprop): owner, name, icon, kind.
// gtest before Xlib: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "x11_fixture.h"

namespace host::test {
namespace {

// xprop's `NAME = value` lines for the listed properties of `window` (all when none).
std::string Xprop(const std::string& display, NativeWindow window,
                  const std::vector<std::string>& properties = {}) {
  std::string command = "xprop -display " + display + " -notype -id " + std::to_string(window);
  for (const std::string& p : properties) command += " -f " + p + " 32c ' = $0+\\n' " + p;
  command += " 2>&1";
  std::string out;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

bool Has(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

IconImage Solid(int size, std::uint32_t argb) {
  return IconImage{size, size,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, argb)};
}

class X11Identity : public X11WmTest {
 protected:
  // An untitled main window of "halcyra", shown and taken in by the window manager.
  NativeWindow ShowMainWindow() {
    WindowDesc d = Desc({200, 150, 440, 330});
    d.application = "halcyra";
    NativeWindow w = ShowSolid(*host_, d, 0x203040);
    // Openbox has taken it in once it has written everything it writes on a client.
    const bool managed = Eventually(*host_, [&] {
      const std::string props = Xprop(server_->display(), w);
      for (const char* written : {"_NET_FRAME_EXTENTS", "_NET_WM_ALLOWED_ACTIONS", "_OB_APP_TYPE"})
        if (props.find(written) == std::string::npos) return false;
      return true;
    });
    EXPECT_TRUE(managed) << "the window manager never took the window in";
    return w;
  }
};

TEST_F(X11Identity, TheDesktopKnowsWhoseWindowItIsAndWhatToCallIt) {
  if (!Ready()) return;
  NativeWindow w = ShowMainWindow();
  const std::string props = Xprop(server_->display(), w);
  // The launcher claims the window by this class (its StartupWMClass).
  EXPECT_TRUE(Has(props, "WM_CLASS = \"halcyra\", \"Halcyra\"")) << props;
  // The window's own text is empty: the task switcher shows the application's name.
  EXPECT_TRUE(Has(props, "WM_NAME = \"Halcyra\"")) << props;
  EXPECT_TRUE(Has(props, "_NET_WM_NAME = \"Halcyra\"")) << props;
  char machine[256] = {};
  ASSERT_EQ(::gethostname(machine, sizeof machine - 1), 0);
  EXPECT_TRUE(Has(props, "WM_CLIENT_MACHINE = \"" + std::string(machine) + "\"")) << props;
  EXPECT_TRUE(Has(props, "_NET_WM_PID = " + std::to_string(::getpid()))) << props;

  // A text of its own replaces the name; taking the text away brings the name back.
  host_->SetTitle(w, "Lights \xE7\x81\xAF");
  host_->CursorPos();
  std::string now = Xprop(server_->display(), w);
  EXPECT_TRUE(Has(now, "_NET_WM_NAME = \"Lights \xE7\x81\xAF\"")) << now;
  EXPECT_TRUE(Has(now, "WM_NAME = \"Lights ?\"")) << now;
  host_->SetTitle(w, "");
  host_->CursorPos();
  now = Xprop(server_->display(), w);
  EXPECT_TRUE(Has(now, "_NET_WM_NAME = \"Halcyra\"")) << now;
}

TEST_F(X11Identity, TheWindowManagerKeepsItAsANormalWindowWithoutAFrame) {
  if (!Ready()) return;
  NativeWindow w = ShowMainWindow();
  const std::string props = Xprop(server_->display(), w);
  EXPECT_TRUE(Has(props, "_NET_WM_WINDOW_TYPE = _NET_WM_WINDOW_TYPE_NORMAL")) << props;
  // Openbox writes down how it sees each client it manages.
  EXPECT_TRUE(Has(props, "_OB_APP_TYPE = \"normal\"")) << props;
  EXPECT_TRUE(Has(props, "_OB_APP_CLASS = \"Halcyra\"")) << props;
  // Undecorated, yet the task switcher lists it and it can be minimised and closed.
  EXPECT_TRUE(
      Has(Xprop(server_->display(), w, {"_NET_FRAME_EXTENTS"}), "_NET_FRAME_EXTENTS = 0, 0, 0, 0"));
  const std::string actions = props.substr(props.find("_NET_WM_ALLOWED_ACTIONS"));
  EXPECT_NE(actions.find("_NET_WM_ACTION_MINIMIZE"), std::string::npos) << props;
  EXPECT_NE(actions.find("_NET_WM_ACTION_CLOSE"), std::string::npos) << props;
  const std::string clients = Xprop(server_->display(), probe_->root(), {"_NET_CLIENT_LIST"});
  EXPECT_NE(clients.find(std::to_string(w)), std::string::npos) << clients;
}

TEST_F(X11Identity, TheIconIsPublishedForTheTaskSwitcher) {
  if (!Ready()) return;
  NativeWindow w = ShowMainWindow();
  IconImage big = Solid(3, 0xFF102030);
  big.pixels[4] = 0x80FFFFFF;  // alpha passes through as given
  host_->SetIcon(w, {Solid(2, 0xFFFF0000), big});
  host_->CursorPos();
  const std::string icon = Xprop(server_->display(), w, {"_NET_WM_ICON"});
  // Width, height and the ARGB pixels of each picture, in turn.
  EXPECT_TRUE(Has(icon,
                  "_NET_WM_ICON = 2, 2, 4294901760, 4294901760, 4294901760, 4294901760, 3, 3, "
                  "4279246896, 4279246896, 4279246896, 4279246896, 2164260863, 4279246896, "
                  "4279246896, 4279246896, 4279246896"))
      << icon;
  // Taking the icon away takes ours away (openbox may then put a default icon of its own there).
  host_->SetIcon(w, {});
  host_->CursorPos();
  const std::string none = Xprop(server_->display(), w, {"_NET_WM_ICON"});
  EXPECT_EQ(none.find("_NET_WM_ICON = 2, 2, "), std::string::npos) << none;
}

}  // namespace
}  // namespace host::test
