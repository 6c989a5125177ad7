// CTessaroDlg: the program's only top-level window. Borderless and drawn
// by hand, it shows the connected mouse and its button list, lives on
// hidden behind its tray icon, and ends only when an end is requested
// (the tray menu's exit or a start with "/close").
//
// Its work is split by concern over several files:
//   tessaro_dlg_win.cpp          message map, showing the window
//   tessaro_dlg_init_win.cpp     initialisation, in its order
//   tessaro_dlg_timers_win.cpp   timers and the main window interface
//   tessaro_dlg_view_win.cpp     what a settings load shows
//   tessaro_dlg_tray_win.cpp     tray icon clicks
//   tessaro_dlg_threads_win.cpp  the request watcher and device refreshes
//   tessaro_dlg_filter_win.cpp   message filtering, cursor, highlight
//   tessaro_dlg_paint_win.cpp    the paint entry
//   tessaro_dlg_hidden_win.cpp   what the hidden window lets go of
//   tessaro_dlg_scale_win.cpp    a change of the display scale
//   tessaro_dlg_destroy_win.cpp  exit and destroy handlers
//
// Other threads reach the window only through the interfaces it
// implements, which post to the window's thread, and through RequestShow
// and RequestQuit.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "catalog/settings_view.h"
#include "catalog/unique_handle_win.h"
#include "device/driver_events.h"
#include "device/main_window.h"
#include "shell/driver_filters.h"
#include "shell/event_watcher_win.h"
#include "shell/main_dialog_parts.h"
#include "shell/main_panel.h"
#include "shell/model_pictures_win.h"
#include "shell/program_icons_win.h"
#include "shell/system_sessions_win.h"
#include "shell/tray_icon_win.h"
#include "shell/worker_threads.h"
#include "ui/dialog_win.h"
#include "ui/gdi_raii_win.h"
#include "ui/item_list_win.h"
#include "ui/key_input_dlg_win.h"
#include "ui/main_window_renderer_win.h"

namespace tessaro {

// Timers of the main window beyond those the device layer starts; all
// one-shot unless said otherwise.
enum MainDialogTimer : int {
  kFirstShowTimer = 3,        // repeats until the window is first visible
  kDeviceRecheckTimer = 5,    // a later refresh after each scan
  kLanguageLayoutTimer = 31,  // lays out again after a language or display scale change
  kTrayClickTimer = 1000,     // a single tray click, once no double click follows
};

class CTessaroDlg final : public Dialog,
                          private MainWindowControl,
                          private SettingsView,
                          private PopupListWindows,
                          private KeyCaptureInput {
 public:
  // The events are the running instance's: "show" and "end" requests.
  CTessaroDlg(HINSTANCE instance, HANDLE show_event, HANDLE close_event, const MainDialogParts& parts = {});
  ~CTessaroDlg() override;

  // User-interface thread: shows, restores or foregrounds the window.
  void ShowMainWindow();
  // Any thread: asks the window's thread to show the window.
  void RequestShow();
  // Any thread: ends the program as "/close" would.
  void RequestQuit();
  // Runs work on a thread of its own that may use the window (a popup
  // list choice, a key capture): the window joins it before it goes.
  // Nothing once the window is ending.
  void StartWindowWork(std::function<void()> work);

  // User-interface thread: the popup list of the window's menus (null
  // before initialisation and after the window is gone).
  QnItemList* popup_list() const { return popup_list_.get(); }
  // The key capture dialog, which its openers run modally on threads of
  // their own; one at a time.
  KeyInputDlg& key_capture() { return key_capture_; }
  MainPanelWidgets& main_panel() { return main_; }
  // User-interface thread: the model list's pictures.
  ModelPictures& model_pictures() { return model_pictures_; }
  // User-interface thread: the profile list's program icons.
  ProgramIcons& program_icons() { return program_icons_; }
  // Any thread: timers, repaints and the marker column of the window.
  MainWindowControl& control() { return *this; }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  // Messages the window posts to itself from other threads.
  enum PrivateMessage : UINT {
    kTimerRequestMessage = WM_APP + 1,  // wparam timer id, lparam period or -1 to stop
    kShowRequestMessage,
    kSlowdownViewMessage,  // shows the stored slowdown settings
    kMessageBoxMessage,    // shows the queued message texts
  };

  // tessaro_dlg_init_win.cpp
  void InitFolders();
  void PlaceWindow();
  void InitPanelAndSkin();
  void ShowFirstPaint();
  void LoadCatalogues();  // after StartCatalogueLoad has finished
  void StartDriverLibrary();

  // tessaro_dlg_timers_win.cpp
  void RestartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void InvalidateWindow() override;
  void RedrawModelLayer() override;
  void RebuildFunctionMenu() override;
  void OnTimerRequest(int id, int milliseconds);
  void OnTimer(UINT_PTR id);
  void OnDeviceRecheck();
  bool OnOwnThread() const;

  // tessaro_dlg_view_win.cpp
  void ShowSlowdown() override;
  void StopRepaintTimer() override;
  void ShowMessage(std::u16string_view text) override;
  void OnSlowdownView();
  void ShowQueuedMessages();

  // tessaro_dlg_tray_win.cpp
  void OnTrayNotify(UINT mouse_message);

  // tessaro_dlg_threads_win.cpp
  void StartWatchers();
  void OnCloseRequested();
  void StartDeviceRefresh();

  // tessaro_dlg_filter_win.cpp
  bool FeedPanel(const MSG& msg);
  void UpdateHighlight();
  void InvalidatePanelRect(const PanelRect& area);
  bool OnSetCursor();
  bool PopupListExists() override;
  void HidePopupList() override;
  void* MainWindow() override;
  void* ParentWindow(void* window) override;
  bool KeyCaptureVisible() override;
  void KeyCaptureKey(int32_t virtual_key, int32_t scan_code, int32_t key_down) override;

  // tessaro_dlg_paint_win.cpp
  void OnPaint();

  // tessaro_dlg_hidden_win.cpp
  void OnHidden();

  // tessaro_dlg_scale_win.cpp
  UINT WindowDpi() const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  // tessaro_dlg_destroy_win.cpp
  void OnDestroy();
  void ReleaseDevices();
  static void HideOrMinimise(PanelWidget& widget);

  const HINSTANCE instance_;
  const HANDLE show_event_;
  const HANDLE close_event_;
  MainDialogParts parts_;
  const UINT taskbar_created_message_;
  HICON icon_ = nullptr;  // shared resource icon, never destroyed

  std::optional<ComApartment> com_;
  MainPanelWidgets main_;
  UniqueHandle second_mutex_;
  DriverFilters filters_;
  DriverEventTargets driver_targets_;
  bool driver_started_ = false;
  // Before the popup list, which may paint them until it goes.
  ModelPictures model_pictures_;
  ProgramIcons program_icons_;
  std::unique_ptr<QnItemList> popup_list_;
  KeyInputDlg key_capture_;
  std::optional<TrayIcon> tray_;
  bool tray_double_click_ = false;
  int recheck_counter_ = 0;
  UINT dpi_ = 0;  // of the monitor that shows the window
  MainWindowRenderer renderer_;

  std::mutex message_mutex_;
  std::deque<std::u16string> queued_messages_;

  // Joined when the window is destroyed, before the driver library goes:
  // first the threads that act for the user (choices, key captures), then
  // the device refreshes.
  WorkerThreads window_workers_;
  WorkerThreads refresh_workers_;
  std::optional<EventWatcher> request_watcher_;
};

// The main dialog while it exists, for the shell's other parts; null
// before and after.
CTessaroDlg* MainDialog();

}  // namespace tessaro
