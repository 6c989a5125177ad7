#include "ui/item_list_win.h"

#include <windowsx.h>

#include <utility>

#include "catalog/function_image_cache.h"
#include "catalog/utf.h"
#include "ui/dialog_ids.h"
#include "ui/panel_render_win.h"
#include "vxlib.h"

namespace tessaro {
namespace {

// Timers of the list window.
constexpr UINT_PTR kShowTimer = 1;              // shows a list prepared by 12180
constexpr UINT_PTR kRepaintWhenShownTimer = 2;  // repaints once it shows
constexpr UINT_PTR kWheelTimer = 3;
constexpr UINT_PTR kFadeTimer = 4;
// The scrolling thread's news, posted to the window's own thread.
constexpr UINT kScrolledMessage = WM_APP + 1;

constexpr uint32_t kSeparatorLight = 0x7A7A7A7A;
constexpr uint32_t kSeparatorDark = 0x7A202020;

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

MONITORINFO MonitorAtCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  MONITORINFO info{sizeof info};
  GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info);
  return info;
}

void AddRoundRect(Gdiplus::GraphicsPath& path, float left, float top, float right, float bottom, int radius) {
  VX_MISC_CreateRoundPath(&path, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                          static_cast<int>(bottom - top), radius, 0);
}

void FillRoundRect(Gdiplus::Graphics& g, uint32_t color, float left, float top, float right, float bottom, int radius) {
  Gdiplus::GraphicsPath path;
  AddRoundRect(path, left, top, right, bottom, radius);
  const Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  g.FillPath(&brush, &path);
}

void FillRect(Gdiplus::Graphics& g, uint32_t color, float left, float top, float right, float bottom) {
  const Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  g.FillRectangle(&brush, left, top, right - left, bottom - top);
}

std::wstring Wide(const char16_t* field, size_t capacity) {
  return std::wstring(field, field + FieldLength(field, capacity));
}

}  // namespace

QnItemList::QnItemList(ChoiceThreadStarter start_thread, int32_t context)
    : Dialog(IDD_ITEM_LIST), start_thread_(std::move(start_thread)), context_(context), scroller_([this] {
        if (HWND w = window()) PostMessageW(w, kScrolledMessage, 0, 0);
      }) {}

QnItemList::~QnItemList() {
  child_.reset();
  scroller_.Stop();
  Destroy();
}

BOOL QnItemList::OnInitDialog() {
  parent_ = GetWindow(window(), GW_OWNER);
  return FALSE;
}

void QnItemList::SetRows(const RowArray& rows, int32_t parent, int32_t excluded_type, int32_t exclusion_mask) {
  all_ = rows;
  filter_parent_ = parent;
  exclusion_mask_ = exclusion_mask;
  visible_ = VisibleRows(all_, parent, excluded_type, exclusion_mask);
  heights_ = RowHeights(visible_, metrics_);
  scroller_.SetHeights(heights_);
  hot_ = -1;
}

void QnItemList::OpenAt(int x, int y, int32_t context, float scale, int width) {
  HWND w = window();
  if (!w) return;
  KillTimer(w, kFadeTimer);
  if (IsWindowVisible(w)) ShowWindow(w, SW_HIDE);
  scale_ = scale;
  metrics_ = MetricsFor(scale, width);
  context_ = context;
  CloseChild();

  if (!made_cursor_visible_) {
    // Keep the increase only when the cursor was hidden; CloseList undoes it.
    if (ShowCursor(TRUE) > 0) {
      ShowCursor(FALSE);
    } else {
      made_cursor_visible_ = true;
    }
  }

  hot_ = -1;
  heights_ = RowHeights(visible_, metrics_);
  scroller_.SetHeights(heights_);
  opacity_ = FadeStartOpacity(context);
  const LONG_PTR ex_style = GetWindowLongPtrW(w, GWL_EXSTYLE);
  if (!(ex_style & WS_EX_LAYERED)) SetWindowLongPtrW(w, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  scroller_.Start();

  const MONITORINFO monitor = MonitorAtCursor();
  const ListPlacement p =
      FitToWorkArea(x, y, metrics_.width, ListHeight(heights_, metrics_), ToScreenRect(monitor.rcWork), metrics_);
  SetWindowPos(w, HWND_TOPMOST, p.x, p.y, metrics_.width, p.height, SWP_NOACTIVATE);
  BringWindowToTop(w);
  Render();
  ShowWindow(w, SW_SHOW);
  // Like a menu it has the activation while it shows, also when opened
  // for the tray icon while another program was in front, so that losing
  // the activation closes it.
  SetForegroundWindow(w);
  SetTimer(w, kFadeTimer, 5, nullptr);
}

void QnItemList::CloseList() {
  if (made_cursor_visible_) {
    ShowCursor(FALSE);
    made_cursor_visible_ = false;
  }
  CloseChild();
  scroller_.Stop();
  HWND w = window();
  if (!w) return;
  KillTimer(w, kFadeTimer);
  if (IsWindowVisible(w)) ShowWindow(w, SW_HIDE);
  // The list took the foreground; let the parent's process take it back.
  DWORD parent_process = 0;
  const DWORD parent_thread = GetWindowThreadProcessId(parent_, &parent_process);
  const DWORD own_thread = GetCurrentThreadId();
  const bool attach = parent_thread != 0 && parent_thread != own_thread;
  if (attach) AttachThreadInput(own_thread, parent_thread, TRUE);
  AllowSetForegroundWindow(parent_process);
  if (attach) AttachThreadInput(own_thread, parent_thread, FALSE);
}

bool QnItemList::IsOpen() const {
  HWND w = window();
  return w && IsWindowVisible(w);
}

QnItemList& QnItemList::Root() {
  QnItemList* list = this;
  while (list->parent_list_) list = list->parent_list_;
  return *list;
}

bool QnItemList::InMenu(HWND other) {
  for (const QnItemList* list = &Root(); list; list = list->child_.get())
    if (other && list->window() == other) return true;
  return false;
}

void QnItemList::OnDeactivated(HWND next) {
  // The activation moving between the lists of one menu keeps it open; to
  // any other window, the owner's included, it closes the whole menu.
  if (!IsOpen() || InMenu(next)) return;
  Root().CloseList();
}

LRESULT QnItemList::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnPointer(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      OnButton(message, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wparam) < 0);
      return 0;
    case kItemListShowMessage:
      SetTimer(window(), kShowTimer, 10, nullptr);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) OnDeactivated(reinterpret_cast<HWND>(lparam));
      break;
    case WM_ACTIVATEAPP:
      // Another program took the activation: every list of the thread
      // hears it, so each closes itself.
      if (!wparam && IsOpen()) CloseList();
      break;
    case WM_TIMER:
      OnTimer(wparam);
      return 0;
    case kScrolledMessage:
      Render();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window(), &ps);
      EndPaint(window(), &ps);
      Render();
      return 0;
    }
  }
  return Dialog::WindowProc(message, wparam, lparam);
}

void QnItemList::OnPointer(int x, int y) {
  RECT client;
  GetClientRect(window(), &client);
  const int row = HitRow(heights_, scroller_.State().first, client.right, client.bottom, x, y);
  if (row >= 0 && row != hot_) MakeHot(row);
}

void QnItemList::OnButton(UINT message, int x, int y) {
  if (message == WM_LBUTTONUP && hot_ >= 0 && visible_[hot_].kind == kRowItem) {
    Deliver(visible_[hot_]);
    return;
  }
  CloseChild();
  hot_ = -1;
  OnPointer(x, y);
}

void QnItemList::OnWheel(bool down) {
  RECT client;
  GetClientRect(window(), &client);
  scroller_.Wheel(down, metrics_, client.bottom);
  Render();
  SetTimer(window(), kWheelTimer, 10, nullptr);
}

void QnItemList::OnTimer(UINT_PTR id) {
  HWND w = window();
  switch (id) {
    case kShowTimer:
      KillTimer(w, kShowTimer);
      if (!IsWindowVisible(w)) {
        ShowWindow(w, SW_SHOWNORMAL);
        SetTimer(w, kRepaintWhenShownTimer, 100, nullptr);
      }
      break;
    case kRepaintWhenShownTimer:
      if (IsWindowVisible(w)) {
        KillTimer(w, kRepaintWhenShownTimer);
        Render();
      }
      break;
    case kWheelTimer:
      KillTimer(w, kWheelTimer);
      break;
    case kFadeTimer: {
      KillTimer(w, kFadeTimer);
      if (opacity_ >= 255) break;
      const FadeStep step = NextFadeStep(opacity_, GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
      opacity_ = step.opacity;
      if (step.again) SetTimer(w, kFadeTimer, 30, nullptr);
      Render();
      break;
    }
  }
}

void QnItemList::MakeHot(int row) {
  hot_ = row;
  Render();
  if (GetForegroundWindow() != window()) SetForegroundWindow(window());
  CloseChild();
  if (visible_[row].kind == kRowFolder) OpenChild(row);
}

void QnItemList::OpenChild(int folder_row) {
  if (!child_) {
    child_ = std::make_unique<QnItemList>(start_thread_, context_);
    child_->parent_list_ = this;
    if (!child_->Create(parent_)) {
      child_.reset();
      return;
    }
  }
  child_->look = look;
  child_->icon_column = icon_column;
  child_->on_choice = on_choice;

  RECT own;
  GetWindowRect(window(), &own);
  const ChildPlacement p = PlaceChild(ToScreenRect(own), filter_parent_ != 0, side_, metrics_.width,
                                      ToScreenRect(MonitorAtCursor().rcMonitor));
  child_->side_ = p.side;
  child_->SetRows(all_, visible_[folder_row].index, 0, exclusion_mask_);
  const int y = ChildTop(own.top, heights_, scroller_.State().first, folder_row);
  child_->OpenAt(p.x, y, context_, scale_, metrics_.width);
}

void QnItemList::CloseChild() {
  if (child_) child_->CloseList();
}

void QnItemList::Deliver(const _QnItemListDB& row) {
  if (on_choice && start_thread_) {
    // The callback may run long (it can open a modal dialog); it works on its
    // own copy of the row and never touches this list.
    start_thread_([callback = on_choice, context = context_, row] { callback(context, row); });
  }
  PostMessageW(parent_, kItemChosenMessage, static_cast<WPARAM>(row.position), static_cast<LPARAM>(context_));
}

void QnItemList::Render() {
  HWND w = window();
  if (!w) return;
  RECT client;
  GetClientRect(w, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  DibSection dib(client.right, client.bottom);
  if (!dib) return;
  {
    Gdiplus::Bitmap surface(dib.width(), dib.height(), dib.width() * 4, PixelFormat32bppPARGB,
                            reinterpret_cast<BYTE*>(dib.pixels()));
    Gdiplus::Graphics g(&surface);
    Paint(g, static_cast<float>(client.right + 1), static_cast<float>(client.bottom + 1));
  }
  MemoryDc memory;
  const SelectedObject selected(memory.get(), dib.get());
  SIZE size{client.right, client.bottom};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity_), AC_SRC_ALPHA};
  UpdateLayeredWindow(w, nullptr, nullptr, &size, memory.get(), &origin, 0, &blend, ULW_ALPHA);
}

void QnItemList::Paint(Gdiplus::Graphics& g, float width, float height) {
  const float s = scale_;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);

  // A soft shadow: four rings, darker inwards.
  for (int n = 0; n < 4; ++n) {
    const uint32_t alpha = 0x10u * static_cast<uint32_t>(n + 1);
    FillRoundRect(g, (alpha << 24) | 0x101010, static_cast<float>(n), static_cast<float>(n), width - 1 - n,
                  height - 1 - n, 7 - n);
  }
  Gdiplus::GraphicsPath body;
  AddRoundRect(body, 4, 4, width - 5, height - 5, 3);
  g.SetClip(&body);

  const float text_column = 12 * s + 90 * s;
  if (look.background_image) {
    const Gdiplus::TextureBrush tiles(look.background_image, Gdiplus::WrapModeTile);
    g.FillRectangle(&tiles, 0.0f, 0.0f, width, height);
    FillRect(g, look.text_background, text_column, 0, width, height);
  } else if (icon_column) {
    FillRect(g, look.background, 0, 0, width, height);
    FillRect(g, look.text_background, text_column, 0, width, height);
  } else {
    FillRect(g, look.text_background, 0, 0, width, height);
  }

  const GdiplusPtr<Gdiplus::Font> font = MakeFont(look.font_name, 0.9f * metrics_.margin, Gdiplus::FontStyleRegular);
  Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
  format.SetTrimming(Gdiplus::StringTrimmingWord);
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                        Gdiplus::StringFormatFlagsNoWrap);

  if (visible_.empty()) {
    const Gdiplus::SolidBrush text{Gdiplus::Color(look.text)};
    Gdiplus::StringFormat centred(&format);
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    g.DrawString(L"No item", -1, font.get(), Gdiplus::RectF(0, 0, width, height), &centred, &text);
    return;
  }
  for (const RowSlot& slot : RowsToPaint(heights_, scroller_.State(), height - 12 * s)) {
    const _QnItemListDB& row = visible_[slot.row];
    if (row.kind == kRowSeparator) {
      PaintSeparator(g, static_cast<float>(slot.y), width);
    } else {
      PaintRow(g, row, slot.row == hot_, static_cast<float>(slot.y), width, font.get(), format);
    }
  }
}

void QnItemList::PaintSeparator(Gdiplus::Graphics& g, float y, float width) {
  const float s = scale_;
  const float ys = y + metrics_.separator_height / 2 + 12 * s;
  const float from = icon_column ? 20 * s + 90 * s + 12 * s : 10;
  const float to = icon_column ? width - 32 * s : width - 32 * s + 8;
  const Gdiplus::Pen light{Gdiplus::Color(kSeparatorLight), 1.0f};
  const Gdiplus::Pen dark{Gdiplus::Color(kSeparatorDark), 1.0f};
  g.DrawLine(&light, from, ys - 1, to, ys - 1);
  g.DrawLine(&dark, from, ys, to, ys);
}

void QnItemList::PaintRow(Gdiplus::Graphics& g, const _QnItemListDB& row, bool hot, float y, float width,
                          const Gdiplus::Font* font, const Gdiplus::StringFormat& format) {
  const float s = scale_;
  const float m = 12 * s;
  const float h = static_cast<float>(metrics_.row_height);
  // The row's box: the highlight's, a margin below the row's top.
  const float top = y + m;
  const float centre = top + h / 2;
  if (hot) FillRoundRect(g, look.hover, m + 1, top + 1, width - m - 2, top + h - 1, 2);

  // Icons only where the column leaves them room; without it the text
  // would run over them.
  if (void* image = icon_column ? RowPicture(row) : nullptr) {
    const float column = 90 * s;
    const float side = 0.7f * column;
    g.DrawImage(static_cast<Gdiplus::Image*>(image), m + 1 + (column - side) / 2, centre - side / 2, side, side);
  }
  if (row.kind == kRowFolder) {
    // The text colour, so the arrow shows on dark and light skins alike.
    const Gdiplus::SolidBrush arrow{Gdiplus::Color((0xFAu << 24) | (look.text & 0xFFFFFF))};
    const Gdiplus::PointF corners[] = {{width - 12, centre}, {width - 20, centre + 5}, {width - 20, centre - 5}};
    g.FillPolygon(&arrow, corners, 3);
  }
  const float text_x = icon_column ? 20 * s + 90 * s + 12 * s : h / 3;
  const Gdiplus::SolidBrush text{Gdiplus::Color(look.text)};
  const std::wstring name = Wide(row.name, sizeof row.name / sizeof row.name[0]);
  g.DrawString(name.c_str(), static_cast<INT>(name.size()), font, Gdiplus::RectF(text_x, top, width - 24 - text_x, h),
               &format, &text);
}

}  // namespace tessaro
