// The main dialog's initialisation, in its order: folders, language,
// watchers, locks, window size, panel and skin, widgets, catalogues (read
// on a second thread while the skin loads), the window's first paint, then
// the popup list, driver library, tray icon, and last the first-show
// timer.
#include <shlobj.h>

#include <cstdlib>
#include <ctime>
#include <future>
#include <string>

#include "catalog/function_catalogue.h"
#include "catalog/language_table.h"
#include "catalog/model_catalogue.h"
#include "catalog/package.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"
#include "shell/main_window_state.h"
#include "shell/popup_font.h"
#include "shell/resource_ids.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/panel_layout.h"
#include "ui/skin.h"

namespace tessaro {
namespace {

// The cursors the driver library shows while it performs actions.
constexpr int kLibraryCursor = 146;
constexpr int kLibraryCursors[] = {153, 149, 150, 151, 152, 147};

std::u16string ModuleFileName() {
  std::u16string name(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(name.data()), static_cast<DWORD>(name.size()));
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

std::u16string WithTrailingSlash(std::u16string folder) {
  if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
  return folder;
}

// The program's own temporary folder; created for helpers of the driver
// library, the program itself keeps nothing there.
void CreateTempFolder() {
  wchar_t buffer[1024];
  const DWORD length = GetTempPathW(1024, buffer);
  if (length == 0 || length >= 1024) return;
  const std::u16string folder =
      WithTrailingSlash(std::u16string(reinterpret_cast<const char16_t*>(buffer), length)) + u"Vornel\\";
  CreateDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()), nullptr);
}

// Created for other software that checks whether the program runs; never
// taken. Windows reads the namespace prefix without regard to case, Wine
// creates only the "Local\" spelling: both name the same object.
UniqueHandle CreateMarkerMutex() {
  for (const wchar_t* name : {L"LOCAL\\bumd2dutex_RVNLIB", L"Local\\bumd2dutex_RVNLIB"}) {
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name));
    if (mutex) return mutex;
  }
  return {};
}

// The model and function catalogues, read on a thread of their own while
// the skin's pictures decode: the model documents alone take about as long
// as the skin. Both only need the language, which is loaded before. No
// picture is decoded here: function icons wait for their first drawing.
std::future<void> StartCatalogueLoad() {
  return std::async(std::launch::async, [] {
    const std::unique_ptr<Package> models = OpenPackage(u"model.pkg", kModelResourceId);
    Models().Load(*models);
    LoadFunctionCatalogue();
  });
}

WorkArea WorkAreaAtCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info);
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

BOOL CTessaroDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

  com_.emplace();
  VX_SetCutCursor(kLibraryCursor, nullptr, kLibraryCursors, nullptr);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  InitFolders();
  LanguageId = ReadStoredLanguageId(static_cast<int32_t>(GetSystemDefaultLangID()));
  SetWindowTextW(window(), L"Vornel");
  StartWatchers();

  ButtonSettingLock();
  second_mutex_ = CreateMarkerMutex();
  LoadLanguage(LanguageId);
  std::future<void> catalogues = StartCatalogueLoad();

  PlaceWindow();
  InitPanelAndSkin();
  AddMainWidgets(main_, parts_.widgets,
                 {GetSystemMetrics(SM_SWAPBUTTON) != 0, SlowdownModifier.load(), !UpdateUrl().empty()});
  catalogues.get();
  // Input waits in the queue until initialisation returns, so the panel can
  // be ready before the rest is.
  UiReady = 1;
  ShowFirstPaint();
  LoadCatalogues();
  StartDriverLibrary();
  popup_list_->look.font_name = PopupFontFamily(main_.panel.caption_style.font_name, LanguageId);

  tray_.emplace(window(), instance_, IDR_MAINFRAME, L"Vornel");
  if (parts_.build_tray_menu) parts_.build_tray_menu();
  // The first device scan waits for the driver library's first event.
  SetTimer(window(), kFirstShowTimer, 10, nullptr);
  return TRUE;
}

// The window shows and paints as soon as what it draws is ready: the popup
// list, the driver library and the tray icon are not needed to see it (the
// mouse model follows the driver library's first event anyway), and the
// tray icon waits for the shell, which is slow while the system starts. A
// start in the tray leaves the window to be shown when the dialog is, and
// hidden by the first-show timer.
void CTessaroDlg::ShowFirstPaint() {
  if (StartHidden) return;
  ShowWindow(window(), SW_SHOWNORMAL);
  UpdateWindow(window());
}

void CTessaroDlg::InitFolders() {
  SetAppFolderFromModuleName(ModuleFileName());
  CreateTempFolder();
  InitSettingsFolder();
}

void CTessaroDlg::PlaceWindow() {
  const WorkArea work = WorkAreaAtCursor();
  const MainWindowGeometry geometry = MainWindowGeometryFor(work);
  MainWindowLayout = {work, geometry};
  UiScale = geometry.ui_scale;
  key_capture_.SetScale(geometry.ui_scale);
  SetWindowPos(window(), nullptr, geometry.x, geometry.y, geometry.width, geometry.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  dpi_ = WindowDpi();
}

void CTessaroDlg::InitPanelAndSkin() {
  SkinPanel& panel = main_.panel;
  RECT client{};
  GetClientRect(window(), &client);
  panel.client = {client.left, client.top, client.right, client.bottom};
  panel.scale = UiScale;
  InitPanel(panel);
  CopyToField(u"Vornel", panel.caption, kCaptionLength);
  panel.title_bar.left = kAutoLayoutBars;
  LayoutBars(panel);
  LoadSkin(panel);
}

// After the catalogues are read: what is made from them on this thread.
void CTessaroDlg::LoadCatalogues() {
  filters_ = BuildDriverFilters(Models().models);
  popup_list_ = std::make_unique<QnItemList>([this](std::function<void()> work) { StartWindowWork(std::move(work)); });
  popup_list_->Create(window());
}

void CTessaroDlg::StartDriverLibrary() {
  VX_SetHinst(instance_);
  // Installed before the library starts, since its first event may come
  // from within VX_InitLib's own message handling.
  SetDriverEventTargets(&driver_targets_);
  VX_InitLib(DriverEventCallback, filters_.entries.data(), filters_.count);
  driver_started_ = true;
}

}  // namespace tessaro
