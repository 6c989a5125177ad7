// The paint entry: the icon while minimised, nothing while a start in the
// tray waits to hide, else the main window's renderer over what the dialog
// shows now.
#include "catalog/model_catalogue.h"
#include "catalog/utf.h"
#include "device/device_detection.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/main_window_layout.h"

namespace tessaro {
namespace {

class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

void CTessaroDlg::OnPaint() {
  HWND w = window();
  const PaintScope paint(w);
  if (IsIconic(w)) {
    RECT client{};
    GetClientRect(w, &client);
    DrawIcon(paint.dc(), (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    return;
  }
  // A start in the tray shows the window only until the first-show timer
  // hides it: drawing it then would decode pictures and fill client-size
  // bitmaps that the hide lets go of again at once.
  if (StartHidden) return;
  const ModelItem& models = Models();
  MainWindowView view;
  view.panel = &main_.panel;
  view.ui_ready = UiReady != 0;
  view.model = ModelAt(models.models, SelectedModel);
  view.highlighted = HighlightedMarker;
  view.catalogue_version = models.ver;
  view.multiple_devices = MultipleModelsConnected != 0;
  // Shown while it has another connected model to offer; every device
  // scan repaints.
  main_.model_list.visible = view.multiple_devices;
  view.model_list = &main_.model_list;
  view.check_for_updates = main_.has_check_for_updates ? &main_.check_for_updates : nullptr;
  view.profile = {main_.profiles.text, FieldLength(main_.profiles.text, kWidgetTextLength)};
  if (renderer_.Paint(paint.dc(), paint.area(), view)) InvalidateRect(w, nullptr, FALSE);
}

}  // namespace tessaro
