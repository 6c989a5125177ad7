#include "ui/key_input_dlg_win.h"

#include <windowsx.h>

#include <memory>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "ui/dialog_ids.h"
#include "ui/gdi_raii_win.h"
#include "ui/key_input_geometry.h"
#include "ui/panel_render_win.h"

namespace tessaro {
namespace {

// A key the driver library reported: virtual key in wparam, scan code and
// the down flag in lparam.
constexpr UINT kDriverKeyMessage = WM_APP + 1;

constexpr int32_t kOkWidget = 1;
constexpr int32_t kCancelWidget = 2;

// Raw input of the keyboard (usage page 1, usage 6), also while another
// window has the focus, with the system's hotkeys off.
constexpr USHORT kUsagePageGeneric = 1;
constexpr USHORT kUsageKeyboard = 6;
constexpr DWORD kRawInputFlags = RIDEV_INPUTSINK | RIDEV_NOHOTKEYS;
constexpr UINT kMaxRawInputSize = 1000;

WidgetStyle Style(uint32_t outline, uint32_t glyph, uint32_t fill, uint32_t text) {
  WidgetStyle style;
  style.outline = outline;
  style.glyph = glyph;
  style.fill = fill;
  style.fill2 = 0;
  style.text = text;
  style.text_bg = 0;
  return style;
}

void SetAllStyles(PanelWidget& widget, const WidgetStyle& normal, const WidgetStyle& active) {
  widget.style_normal = widget.style_disabled = normal;
  widget.style_hover = widget.style_pressed = active;
}

void SetFontSize(PanelWidget& widget, float size) {
  for (WidgetStyle* s : {&widget.style_normal, &widget.style_hover, &widget.style_disabled, &widget.style_pressed})
    s->font_size = size;
}

// The work area of the monitor that shows the dialog's owner (the main
// window), or without an owner the one under the cursor.
PixelRect OwnersWorkArea(HWND dialog) {
  HMONITOR monitor = nullptr;
  if (HWND owner = GetWindow(dialog, GW_OWNER)) {
    monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT cursor{};
    GetCursorPos(&cursor);
    monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

}  // namespace

KeyInputDlg::KeyInputDlg() : Dialog(IDD_KEY_INPUT) {}

KeyInputDlg::~KeyInputDlg() { Destroy(); }

std::optional<CapturedKeys> KeyInputDlg::Capture(HWND parent, CaptureMode mode) {
  const std::unique_lock use(in_use_, std::try_to_lock);
  if (!use || window() || closed_) return std::nullopt;
  SetCaptureMode(mode);
  if (RunModal(parent) != kOk) return std::nullopt;
  return CapturedKeys{captured_key(), captured_modifiers(), display_text()};
}

void KeyInputDlg::SetScale(float ui_scale) { ui_scale_ = ui_scale; }

void KeyInputDlg::PostKey(int32_t virtual_key, int32_t scan_code, bool down) {
  HWND w = window();
  if (w && IsWindowVisible(w))
    PostMessageW(w, kDriverKeyMessage, static_cast<WPARAM>(virtual_key), MAKELPARAM(scan_code, down ? 1 : 0));
}

void KeyInputDlg::RequestClose() {
  end_allowed_ = true;
  if (HWND w = window()) PostMessageW(w, WM_CLOSE, 0, 0);
}

void KeyInputDlg::Close() {
  closed_ = true;
  RequestClose();
}

BOOL KeyInputDlg::OnInitDialog() {
  end_allowed_ = false;
  capture_.Reset(mode_);
  const PixelRect place = KeyInputRect(OwnersWorkArea(window()));
  SetWindowPos(window(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window(), &client);
  LayoutPanel(client.right, client.bottom);

  const RAWINPUTDEVICE device{kUsagePageGeneric, kUsageKeyboard, kRawInputFlags, window()};
  raw_input_registered_ = RegisterRawInputDevices(&device, 1, sizeof device);
  SetForegroundWindow(window());
  // Closed while the window was being made: Close saw no window to end.
  if (closed_) PostMessageW(window(), WM_CLOSE, 0, 0);
  return TRUE;
}

void KeyInputDlg::LayoutPanel(int w, int h) {
  panel_ = SkinPanel{};
  panel_.client = {0, 0, w, h};
  panel_.scale = ui_scale_;
  InitPanel(panel_);
  const float f = panel_.caption_style.font_size;
  const float s = ui_scale_;
  panel_.title_bar = {0, 1, w - 1, static_cast<int32_t>(f * 1.8f + 1)};
  panel_.bottom_bar = {1, static_cast<int32_t>(h - f * 1.3f - 4), w - 1, h - 1};
  CopyToField(LanguageText(u"custom key"), panel_.caption, kCaptionLength);

  close_ = PanelWidget{};
  close_.kind = WidgetKind::kClose;
  close_.no_outline = true;
  close_.visible = true;
  close_.rect = {w - 4 - f * 1.4f, f * 0.3f, f * 1.2f, f * 1.2f};
  SetAllStyles(close_, Style(0, 0xFFFFFFFF, 0, 0), Style(0x00FFFFFF, 0xFFFFFFFF, 0xFF808080, 0xFFFFFFFF));

  const PanelRect& bar = panel_.bottom_bar;
  const float bar_height = static_cast<float>(bar.bottom - bar.top);
  const float bh = bar_height * 0.7f;
  const float bw = 4 * bh + 40 * s;
  const float y = bar.top + (bar_height - bh) / 2;
  const WidgetStyle normal = Style(0xC8101010, 0xFFFFFFFF, 0x96808080, 0xFFDEDEDE);
  const WidgetStyle active = Style(0x80FFFFFF, 0xFFFFFFFF, 0xC8808080, 0xFFFFFFFF);
  const struct {
    PanelWidget& widget;
    int32_t id;
    float x;
    const char16_t* text_key;
  } buttons[] = {{ok_, kOkWidget, bar.right - 20 * s - bw, u"ok"}, {cancel_, kCancelWidget, 20 * s, u"cancel"}};
  for (const auto& b : buttons) {
    b.widget = PanelWidget{};
    b.widget.user_ints[0] = b.id;
    b.widget.visible = true;
    b.widget.align = TextAlign::kCenter;
    b.widget.rect = {b.x, y, bw, bh};
    SetAllStyles(b.widget, normal, active);
    SetFontSize(b.widget, 0.6f * bh);
    CopyToField(LanguageText(b.text_key), b.widget.text, kWidgetTextLength);
  }
  ok_.disabled = true;
  ok_.style_disabled.outline = 0x80101010;
  ok_.style_disabled.fill = 0x60808080;
  ok_.style_disabled.text = 0x60C8C8C8;

  for (PanelWidget* widget : {&close_, &ok_, &cancel_}) {
    widget->callback = OnWidget;
    widget->user_value = reinterpret_cast<intptr_t>(this);
    AddWidget(panel_, *widget);
  }
}

void KeyInputDlg::OnWidget(PanelWidget& widget) {
  auto* self = reinterpret_cast<KeyInputDlg*>(widget.user_value);
  self->end_allowed_ = true;
  if (widget.kind != WidgetKind::kClose && widget.user_ints[0] == kOkWidget) {
    self->EndDialog(kOk);
  } else {
    PostMessageW(self->window(), WM_CLOSE, 0, 0);  // ends it through Cancel
  }
}

void KeyInputDlg::OnOK() {
  if (end_allowed_) EndDialog(kOk);
}

void KeyInputDlg::OnCancel() {
  // OnInitDialog clears end_allowed_, also after a Close.
  if (end_allowed_ || closed_) EndDialog(kCancel);
}

bool KeyInputDlg::PreTranslateMessage(MSG& msg) {
  if (msg.hwnd != window()) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return true;  // raw input has them; the dialog manager must not
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      OnPointer(msg.message, msg.lParam);
      return false;
    case WM_LBUTTONDOWN:
      OnPointer(msg.message, msg.lParam);
      if (panel_.pointer_over_widget) return false;
      // Anywhere else the dialog moves as if its caption were grabbed.
      ReleaseCapture();
      PostMessageW(window(), WM_NCLBUTTONDOWN, HTCAPTION, msg.lParam);
      return true;
  }
  return false;
}

void KeyInputDlg::OnPointer(UINT message, LPARAM lparam) {
  PanelHitTest(panel_, message, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
  if (!panel_.repaint_pending || !window()) return;
  const RECT area{panel_.repaint.left, panel_.repaint.top, panel_.repaint.right, panel_.repaint.bottom};
  InvalidateRect(window(), &area, FALSE);
  panel_.repaint_pending = false;
  panel_.repaint = {};
}

LRESULT KeyInputDlg::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INPUT:
      OnRawInput(reinterpret_cast<HRAWINPUT>(lparam));
      break;  // the default processing frees the input
    case kDriverKeyMessage:
      OnKey(static_cast<int32_t>(wparam), LOWORD(lparam), HIWORD(lparam) != 0);
      return 0;
    case WM_SETCURSOR:
      if (panel_.pointer_over_widget) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DESTROY:
      if (raw_input_registered_) {
        const RAWINPUTDEVICE device{kUsagePageGeneric, kUsageKeyboard, RIDEV_REMOVE, nullptr};
        RegisterRawInputDevices(&device, 1, sizeof device);
        raw_input_registered_ = false;
      }
      break;
  }
  return Dialog::WindowProc(message, wparam, lparam);
}

void KeyInputDlg::OnRawInput(HRAWINPUT input) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0) return;
  if (size == 0 || size >= kMaxRawInputSize) return;
  alignas(RAWINPUT) BYTE buffer[kMaxRawInputSize];
  UINT read_size = size;
  if (GetRawInputData(input, RID_INPUT, buffer, &read_size, sizeof(RAWINPUTHEADER)) != size) return;
  const RAWINPUT& raw = *reinterpret_cast<const RAWINPUT*>(buffer);
  if (raw.header.dwType != RIM_TYPEKEYBOARD) return;
  const RAWKEYBOARD& key = raw.data.keyboard;
  const bool prefixed = key.Flags & (RI_KEY_E0 | RI_KEY_E1);
  const int32_t scan = key.MakeCode + (prefixed ? kExtendedScanBase : 0);
  switch (key.Message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      OnKey(key.VKey, scan, true);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      OnKey(key.VKey, scan, false);
      break;
  }
}

void KeyInputDlg::OnKey(int32_t virtual_key, int32_t scan_code, bool down) {
  capture_.OnKey(virtual_key, scan_code, down);
  ok_.disabled = !capture_.ok_enabled();
  if (window()) InvalidateRect(window(), nullptr, FALSE);
}

void KeyInputDlg::Paint() {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window(), &ps);
  const int w = panel_.client.right;
  const int h = panel_.client.bottom;
  DibSection dib(w, h);
  if (dib) {
    MemoryDc memory(target);
    const SelectedObject selected(memory.get(), dib.get());
    if (RenderPanel(panel_, memory.get())) InvalidateRect(window(), nullptr, FALSE);

    Gdiplus::Graphics g(memory.get());
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    const float bar_height = static_cast<float>(panel_.bottom_bar.bottom - panel_.bottom_bar.top);
    const GdiplusPtr<Gdiplus::Font> font =
        MakeFont(panel_.caption_style.font_name, static_cast<float>(static_cast<int>(bar_height * 0.4f)),
                 Gdiplus::FontStyleRegular);
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    const std::u16string text = capture_.ShownText(LanguageText(u"wait key"), LanguageText(u"slowdown key tip"));
    const std::wstring wide(text.begin(), text.end());
    const Gdiplus::SolidBrush brush{Gdiplus::Color(panel_.panel_style.text | 0xFF000000)};
    const float top = static_cast<float>(panel_.title_bar.bottom);
    const Gdiplus::RectF box(0, top, static_cast<float>(w), panel_.bottom_bar.top - top);
    g.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font.get(), box, &format, &brush);
    BitBlt(target, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
  }
  EndPaint(window(), &ps);
}

}  // namespace tessaro
