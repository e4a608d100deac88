// Modal dialogs from the templates, the dialog manager's keys, message boxes and the system menu.
#include "user_test_support.h"

namespace usertest {
namespace {

struct DialogLog {
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  std::vector<WPARAM> syscommands;
  bool visible_at_init = true;
  HWND hwnd = nullptr;
  INT_PTR end_on_ok = 5;
  bool append_about = false;
};
DialogLog* g_log = nullptr;

INT_PTR LoggingDialog(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      g_log->hwnd = h;
      g_log->visible_at_init = IsWindowVisible(h) != FALSE;
      if (g_log->append_about) {
        HMENU menu = GetSystemMenu(h, FALSE);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, 16, L"About");
      }
      return TRUE;
    case WM_COMMAND:
      g_log->commands.push_back({wp, lp});
      if (LOWORD(wp) == IDOK) EndDialog(h, g_log->end_on_ok);
      if (LOWORD(wp) == IDCANCEL && lp == 0 && g_log->commands.size() > 8) EndDialog(h, IDCANCEL);
      return TRUE;
    case WM_SYSCOMMAND:
      g_log->syscommands.push_back(wp);
      if ((wp & 0xFFF0) == 16) {
        EndDialog(h, 16);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

class DialogTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    g_log = &log_;
  }
  // Each step runs when the program next waits for input; after the last the run ends.
  void Script(std::vector<std::function<void()>> steps) {
    auto shared = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::size_t>(0);
    host_->SetIdleHandler([shared, next]() {
      if (*next >= shared->size()) return false;
      (*shared)[(*next)++]();
      return true;
    });
  }
  std::vector<user::TopLevelEvent> Observe() {
    events_.clear();
    user::SetTopLevelObserver([this](const user::TopLevelEvent& e) { events_.push_back(e); });
    return {};
  }
  void TearDown() override {
    user::SetTopLevelObserver(nullptr);
    UserTest::TearDown();
  }
  DialogLog log_;
  std::vector<user::TopLevelEvent> events_;
};

TEST_F(DialogTest, EscapeAndEnterInADialogWithoutButtons) {
  HWND owner = TopLevel(0, 0, 400, 300);
  Pump();
  bool owner_enabled_in_loop = true;
  bool dialog_visible_when_owner_came_back = false;
  J().handlers[WM_ENABLE] = [&](HWND, WPARAM enable, LPARAM) -> LRESULT {
    if (enable) dialog_visible_when_owner_came_back = IsWindowVisible(log_.hwnd) != FALSE;
    return 0;
  };
  Script({[&] {
            owner_enabled_in_loop = IsWindowEnabled(owner) != FALSE;
            host_->PressKey(VK_ESCAPE);
          },
          [&] { host_->PressKey(VK_RETURN); }});
  INT_PTR r =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(238), owner, LoggingDialog, 0);
  EXPECT_EQ(r, 5);
  EXPECT_FALSE(log_.visible_at_init);  // shown only once the queue ran empty
  EXPECT_FALSE(owner_enabled_in_loop);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(dialog_visible_when_owner_came_back);  // re-enabled before the dialog went away
  ASSERT_EQ(log_.commands.size(), 2u);
  EXPECT_EQ(log_.commands[0].first, static_cast<WPARAM>(IDCANCEL));
  EXPECT_EQ(log_.commands[0].second, 0);  // no control has the id 2
  EXPECT_EQ(log_.commands[1].first, static_cast<WPARAM>(IDOK));
  EXPECT_EQ(log_.commands[1].second, 0);
  EXPECT_FALSE(IsWindow(log_.hwnd));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOfTheAboutBox) {
  HWND owner = TopLevel(0, 0, 600, 400);
  Pump();
  HWND button = nullptr;
  std::wstring label;
  Script({[&] {
    button = GetDlgItem(log_.hwnd, IDOK);
    wchar_t buf[16];
    GetWindowTextW(button, buf, 16);
    label = buf;
    host_->PressKey(VK_RETURN);
  }});
  INT_PTR r = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(100), owner, LoggingDialog, 0);
  EXPECT_EQ(r, 5);
  EXPECT_EQ(label, L"确定");
  ASSERT_EQ(log_.commands.size(), 1u);
  EXPECT_EQ(log_.commands[0].first, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(log_.commands[0].second), button);
}

TEST_F(DialogTest, AboutBoxIsLaidOutFromItsTemplateInDialogUnits) {
  HWND dlg = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(100), nullptr, LoggingDialog, 0);
  ASSERT_NE(dlg, nullptr);
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dlg, &unit);  // one base unit each way
  RECT client;
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, 181 * unit.right / 4);
  EXPECT_EQ(client.bottom, 63 * unit.bottom / 8);
  HWND ok = GetDlgItem(dlg, IDOK);
  RECT rc;
  GetWindowRect(ok, &rc);
  POINT origin{0, 0};
  ClientToScreen(dlg, &origin);
  EXPECT_EQ(rc.left - origin.x, 124 * unit.right / 4);
  EXPECT_EQ(rc.right - rc.left, 50 * unit.right / 4);
  wchar_t caption[32];
  GetWindowTextW(dlg, caption, 32);
  EXPECT_EQ(std::wstring(caption), L"关于 Halcyra");
  EXPECT_NE(SendMessageW(dlg, WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(ok, WM_GETFONT, 0, 0), SendMessageW(dlg, WM_GETFONT, 0, 0));
  EXPECT_EQ(LOWORD(static_cast<DWORD>(SendMessageW(dlg, DM_GETDEFID, 0, 0))), IDOK);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, CloseOnADialogPostsCancelInsteadOfDestroying) {
  HWND dlg = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(238), nullptr, LoggingDialog, 0);
  ASSERT_NE(dlg, nullptr);
  SendMessageW(dlg, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_TRUE(log_.commands.empty());  // posted, not sent
  Pump();
  ASSERT_EQ(log_.commands.size(), 1u);
  EXPECT_EQ(LOWORD(log_.commands[0].first), IDCANCEL);
  EXPECT_EQ(log_.commands[0].second, 0);
}

TEST_F(DialogTest, AControlThatWantsAllKeysKeepsEscapeAndACancelButtonIsNamed) {
  HWND dlg = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(238), nullptr, LoggingDialog, 0);
  ASSERT_NE(dlg, nullptr);
  HWND slider = Child(dlg, 1503, 10, 10, 100, 16);
  J().handlers[WM_GETDLGCODE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return DLGC_WANTALLKEYS; };
  SetFocus(slider);
  MSG esc{slider, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(dlg, &esc));
  EXPECT_TRUE(log_.commands.empty());
  EXPECT_EQ(Count(slider, WM_KEYDOWN), 1);

  J().handlers.erase(WM_GETDLGCODE);
  HWND cancel = Child(dlg, IDCANCEL, 10, 40, 50, 20, WS_CHILD | WS_VISIBLE, L"Button");
  EXPECT_TRUE(IsDialogMessageW(dlg, &esc));
  ASSERT_EQ(log_.commands.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(log_.commands[0].second), cancel);
  MSG elsewhere{nullptr, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_FALSE(IsDialogMessageW(dlg, &elsewhere));
  DestroyWindow(dlg);
}

TEST_F(DialogTest, MissingOrBrokenTemplatesFailCleanly) {
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(9999), nullptr, LoggingDialog, 0), -1);
  EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(101), nullptr, LoggingDialog, 0), nullptr);
  static const char kNoSize[] = "STYLE 0x80000000\nCAPTION \"x\"\n";
  static const char kCut[] = "SIZE 10 10\nCONTROL 1 \"Button\" 0x50000000 1 2 3 4 \"open\n";
  static const char kHuge[] = "SIZE 10 10\nCONTROL 1 \"Button\" 0x50000000 1 2 99999999 4 \"x\"\n";
  static const char kFine[] =
      "# comment\nSIZE 20 10\nCONTROL 7 \"Static\" 0x50000000 1 1 8 8 \"ok\"\n";
  static const gdi::ResourceEntry kTable[] = {
      {RT_DIALOG_ID, 900, reinterpret_cast<const unsigned char*>(kNoSize), sizeof kNoSize - 1},
      {RT_DIALOG_ID, 901, reinterpret_cast<const unsigned char*>(kCut), sizeof kCut - 1},
      {RT_DIALOG_ID, 902, reinterpret_cast<const unsigned char*>(kHuge), sizeof kHuge - 1},
      {RT_DIALOG_ID, 903, reinterpret_cast<const unsigned char*>(kFine), sizeof kFine - 1},
  };
  gdi::SetResourceTable(kTable);
  for (UINT id : {900u, 901u, 902u})
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(id), nullptr, LoggingDialog, 0), nullptr)
        << id;
  HWND fine = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(903), nullptr, LoggingDialog, 0);
  ASSERT_NE(fine, nullptr);
  EXPECT_NE(GetDlgItem(fine, 7), nullptr);
  DestroyWindow(fine);
  res::InstallEmbeddedResources();
}

TEST_F(DialogTest, MessageBoxRunsANestedLoopWithItsOwnerDisabled) {
  HWND owner = TopLevel(100, 100, 400, 300);
  Pump();
  bool owner_enabled = true;
  bool box_active = false;
  Script({[&] {
    owner_enabled = IsWindowEnabled(owner) != FALSE;
    HWND active = GetActiveWindow();
    box_active = active && active != owner && GetWindow(active, GW_OWNER) == owner;
    host_->PressKey(VK_RETURN);
  }});
  EXPECT_EQ(MessageBoxW(owner, L"Hardware detection failed.", L"Halcyra", MB_OK), IDOK);
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(box_active);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(DialogTest, MessageBoxClosesWithEscapeAndWithItsButton) {
  HWND owner = TopLevel(100, 100, 400, 300);
  Pump();
  Script({[&] { host_->PressKey(VK_ESCAPE); }});
  EXPECT_EQ(MessageBoxW(owner, L"one", nullptr, MB_OK), IDOK);
  Script({[&] {
    HWND box = GetActiveWindow();
    RECT rc;
    GetWindowRect(GetDlgItem(box, IDOK), &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  }});
  EXPECT_EQ(MessageBoxW(owner, L"two", nullptr, MB_OK), IDOK);
  EXPECT_TRUE(host_->VisibleWindows().size() == 1u);
}

TEST_F(DialogTest, AltSpaceOpensTheSystemMenuAndItsItemsSendSysCommands) {
  Observe();
  log_.append_about = true;
  bool menu_seen = false;
  Script({[&] { host_->PressKey(VK_SPACE, host::kModAlt); },
          [&] {
            for (const auto& e : events_) menu_seen = menu_seen || e.class_name == L"#32768";
            host_->PressKey(VK_DOWN);  // from "Close" over the separator to "About"
            host_->PressKey(VK_RETURN);
          }});
  INT_PTR r = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(238), nullptr, LoggingDialog, 0);
  EXPECT_TRUE(menu_seen);
  EXPECT_EQ(r, 16);
  ASSERT_FALSE(log_.syscommands.empty());
  EXPECT_EQ(log_.syscommands.back(), 16u);
}

TEST_F(DialogTest, AltF4BecomesCloseAndThenAPostedCancel) {
  Script({[&] { host_->PressKey(VK_F4, host::kModAlt); }, [&] {}});
  INT_PTR r = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(238), nullptr, LoggingDialog, 0);
  (void)r;
  ASSERT_FALSE(log_.syscommands.empty());
  EXPECT_EQ(log_.syscommands[0] & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
  ASSERT_EQ(log_.commands.size(), 1u);
  EXPECT_EQ(LOWORD(log_.commands[0].first), IDCANCEL);
  EXPECT_EQ(log_.commands[0].second, 0);
}

TEST_F(DialogTest, SystemMenuOfAWindowWithoutSysMenuStyleIsNone) {
  HWND w = TopLevel(0, 0, 10, 10);
  EXPECT_EQ(GetSystemMenu(w, FALSE), nullptr);
  HWND s = TopLevel(0, 0, 10, 10, WS_POPUP | WS_SYSMENU);
  HMENU m = GetSystemMenu(s, FALSE);
  EXPECT_NE(m, nullptr);
}

}  // namespace
}  // namespace usertest
