// The paint entry: the icon while minimised, else the panel composed off
// screen and copied in, only the area that needs it.
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/panel_render_win.h"

namespace tessaro {
namespace {

// The colour the window shows until it is ready to draw its panel.
constexpr COLORREF kNotReadyColor = RGB(0x58, 0x58, 0x58);

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
  RECT client{};
  GetClientRect(w, &client);
  if (IsIconic(w)) {
    DrawIcon(paint.dc(), (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    return;
  }
  // One pixel more each way, as the panel's own layers are made.
  const int width = client.right + 1;
  const int height = client.bottom + 1;
  if (paint_buffer_.width() != width || paint_buffer_.height() != height) paint_buffer_ = DibSection(width, height);
  if (!paint_buffer_) return;
  const MemoryDc memory(paint.dc());
  const SelectedObject selected(memory.get(), paint_buffer_.get());
  bool again = false;
  if (UiReady) {
    again = RenderPanel(main_.panel, memory.get());
  } else {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(kNotReadyColor));
    FillRect(memory.get(), &client, brush.get());
  }
  const RECT& area = paint.area();
  BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
         area.top, SRCCOPY);
  if (again) InvalidateRect(w, nullptr, FALSE);
}

}  // namespace tessaro
