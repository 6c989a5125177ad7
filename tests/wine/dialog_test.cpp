// The dialog layer under Wine: the modal loop, the order in which a message
// meets PreTranslateMessage, the dialog manager and WindowProc, and how a
// dialog ends.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ui/dialog_ids.h"
#include "ui/dialog_win.h"

namespace tessaro {
namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kFinish = WM_APP + 2;

// A dialog whose hooks the test fills in and that records what it saw.
class ProbeDialog : public Dialog {
 public:
  ProbeDialog() : Dialog(IDD_ITEM_LIST) {}
  ~ProbeDialog() override { Destroy(); }

  std::function<void(ProbeDialog&)> on_init;
  std::function<bool(MSG&)> pre_translate = [](MSG&) { return false; };
  bool ignore_cancel = false;
  std::vector<UINT> window_messages;  // kProbe, kFinish, WM_DESTROY
  std::vector<UINT> pre_translated;   // kProbe, kFinish
  bool owner_enabled_while_open = true;
  HWND owner = nullptr;

  using Dialog::EndDialog;

 protected:
  BOOL OnInitDialog() override {
    if (owner) owner_enabled_while_open = IsWindowEnabled(owner);
    if (on_init) on_init(*this);
    return TRUE;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == kProbe || msg.message == kFinish) pre_translated.push_back(msg.message);
    return pre_translate(msg);
  }
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case kProbe:
      case WM_DESTROY:
        window_messages.push_back(message);
        break;
      case kFinish:
        window_messages.push_back(message);
        EndDialog(static_cast<INT_PTR>(wparam));
        return 0;
      case WM_TIMER:
        KillTimer(window(), wparam);
        EndDialog(99);
        return 0;
    }
    return Dialog::WindowProc(message, wparam, lparam);
  }
  void OnCancel() override {
    if (!ignore_cancel) Dialog::OnCancel();
  }
};

void Post(ProbeDialog& d, UINT message, WPARAM wparam = 0) { PostMessageW(d.window(), message, wparam, 0); }

TEST(Dialog, PreTranslateSeesEachMessageFirstAndMayConsumeIt) {
  ProbeDialog d;
  d.on_init = [](ProbeDialog& self) {
    Post(self, kProbe);
    Post(self, kFinish, 42);
  };
  d.pre_translate = [](MSG& msg) { return msg.message == kProbe; };
  EXPECT_EQ(d.RunModal(nullptr), 42);
  EXPECT_EQ(d.pre_translated, (std::vector<UINT>{kProbe, kFinish}));
  EXPECT_EQ(d.window_messages, (std::vector<UINT>{kFinish, WM_DESTROY}));
  EXPECT_EQ(d.window(), nullptr);
}

TEST(Dialog, DialogKeysAndCloseReachOkAndCancel) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wparam;
    INT_PTR result;
  } cases[] = {
      {"Enter", WM_KEYDOWN, VK_RETURN, IDOK},
      {"Escape", WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
      {"WM_CLOSE", WM_CLOSE, 0, IDCANCEL},
      {"IDOK command", WM_COMMAND, IDOK, IDOK},
  };
  for (const auto& c : cases) {
    ProbeDialog d;
    d.on_init = [&](ProbeDialog& self) {
      Post(self, c.message, c.wparam);
      SetTimer(self.window(), 1, 500, nullptr);  // ends it when the message did not
    };
    EXPECT_EQ(d.RunModal(nullptr), c.result) << c.what;
  }
}

TEST(Dialog, SwallowedKeysAndAnIgnoredCancelKeepItOpen) {
  ProbeDialog d;
  d.ignore_cancel = true;
  d.on_init = [](ProbeDialog& self) {
    Post(self, WM_KEYDOWN, VK_RETURN);
    Post(self, WM_CLOSE);
    SetTimer(self.window(), 1, 300, nullptr);
  };
  d.pre_translate = [](MSG& msg) { return msg.message == WM_KEYDOWN; };
  EXPECT_EQ(d.RunModal(nullptr), 99);
}

TEST(Dialog, OwnerIsDisabledWhileTheDialogRuns) {
  ProbeDialog owner_dialog;
  ASSERT_TRUE(owner_dialog.Create(nullptr));
  ProbeDialog d;
  d.owner = owner_dialog.window();
  d.on_init = [](ProbeDialog& self) { Post(self, kFinish, 1); };
  EXPECT_EQ(d.RunModal(owner_dialog.window()), 1);
  EXPECT_FALSE(d.owner_enabled_while_open);
  EXPECT_TRUE(IsWindowEnabled(owner_dialog.window()));
}

TEST(Dialog, QuitEndsTheRunAndStaysForTheOuterLoop) {
  ProbeDialog d;
  d.on_init = [](ProbeDialog&) { PostQuitMessage(7); };
  EXPECT_EQ(d.RunModal(nullptr), -1);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(Dialog, ModelessDialogIsHiddenByEndDialogAndDestroyedOnRequest) {
  ProbeDialog d;
  ASSERT_TRUE(d.Create(nullptr));
  EXPECT_FALSE(d.Create(nullptr));  // one window per dialog
  ShowWindow(d.window(), SW_SHOWNA);
  d.EndDialog(1);
  EXPECT_FALSE(IsWindowVisible(d.window()));
  d.Destroy();
  EXPECT_EQ(d.window(), nullptr);
  EXPECT_EQ(d.window_messages, (std::vector<UINT>{WM_DESTROY}));
}

}  // namespace
}  // namespace tessaro
