#include "ui/main_window_renderer_win.h"

#include <algorithm>

#include "ui/main_window_bottom_bar_win.h"
#include "ui/main_window_highlight_win.h"
#include "ui/panel_render_win.h"

namespace tessaro {
namespace {

// What the window shows until the dialog is ready.
constexpr uint32_t kNotReady = 0xFF585858;

}  // namespace

bool MainWindowRenderer::Paint(HDC dc, const RECT& area, const MainWindowView& view) {
  const PanelRect client = view.panel ? view.panel->client : PanelRect{0, 0, area.right, area.bottom};
  // One pixel more each way, as the panel's own layers are made.
  const int width = client.right - client.left + 1;
  const int height = client.bottom - client.top + 1;
  if (composition_.width() != width || composition_.height() != height) composition_ = DibSection(width, height);
  if (!composition_) return false;
  const MemoryDc memory(dc);
  const SelectedObject selected(memory.get(), composition_.get());

  bool again = false;
  if (view.ui_ready && view.panel) {
    SkinPanel& panel = *view.panel;
    again = RenderPanel(panel, memory.get());
    const MarkerPictureShelf shelf(panel.pictures, view.marker_pictures, view.marker_lit_pictures);
    model_layer_.Update(view, shelf, width, height, model_layer_stale_.exchange(false));
    model_layer_.BlendOnto(memory.get());

    GdiFlush();
    PixelCanvas canvas(composition_);
    if (view.model)
      if (const MarkerLayout* lit = FindLitMarker(model_layer_.markers(), view.highlighted))
        DrawLitMarker(canvas.get(), *lit, shelf, panel.button_style.text, panel.scale);
    again |= DrawBottomBar(canvas.get(), view);
  } else {
    GdiFlush();
    std::fill_n(composition_.pixels(), static_cast<size_t>(width) * height, kNotReady);
  }

  GdiFlush();
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left, area.top,
         SRCCOPY);
  return again;
}

void MainWindowRenderer::Release(SkinPanel& panel) {
  composition_ = DibSection();
  model_layer_ = ModelLayer();
  model_layer_stale_ = true;
  panel.background.reset();
}

size_t MainWindowRenderer::BitmapBytes() const {
  return static_cast<size_t>(composition_.width()) * composition_.height() * sizeof(uint32_t) +
         model_layer_.BitmapBytes();
}

PanelRect MainWindowRenderer::LitMarkerBounds(int highlighted, float scale) const {
  const MarkerLayout* lit = FindLitMarker(model_layer_.markers(), highlighted);
  return lit ? LitMarkerArea(*lit, scale) : PanelRect{};
}

}  // namespace tessaro
