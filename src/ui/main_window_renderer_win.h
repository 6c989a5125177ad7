// The main window's paint: the panel, the model picture with its markers
// (a cached layer blended over it), the lit marker and the bottom bar
// texts, composed off screen and copied to the window. Until the dialog is
// ready the window is plain grey.
//
// The main dialog owns one renderer for the window's life, calls Paint from
// WM_PAINT with the paint DC and the area to paint, and invalidates the
// whole window again when Paint returns true. GDI+ must be started for the
// renderer's whole life: it keeps the decoded model picture.
#pragma once

#include <atomic>

#include "ui/gdi_raii_win.h"
#include "ui/main_window_model_layer_win.h"
#include "ui/main_window_view.h"

namespace tessaro {

class MainWindowRenderer {
 public:
  // User-interface thread. Composes the whole client area and copies area
  // of it into dc at the same place. True when the window must be painted
  // again: a widget changed its size, or the update link was just placed.
  bool Paint(HDC dc, const RECT& area, const MainWindowView& view);

  // Any thread: the next paint draws the model layer again. For changes
  // the view does not show, such as the assignments or the language.
  void InvalidateModelLayer() { model_layer_stale_ = true; }

  // User-interface thread. Frees what only a shown window needs: the
  // composition, the model layer with its decoded picture and the panel's
  // background layer. The next paint makes them again and draws the same
  // pixels.
  void Release(SkinPanel& panel);
  // Bytes of the bitmaps the renderer keeps between paints.
  size_t BitmapBytes() const;

  // The client area the lit marker covers in the layer as last drawn,
  // empty when no marker has that number. For invalidating a highlight.
  PanelRect LitMarkerBounds(int highlighted, float scale) const;

 private:
  DibSection composition_;
  ModelLayer model_layer_;
  std::atomic<bool> model_layer_stale_{true};
};

}  // namespace tessaro
