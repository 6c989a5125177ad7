// The main window's model layer: the model picture with its markers, kept
// in a bitmap of its own that covers only their part of the client area,
// drawn again only when what it shows changed, then laid over every
// composition by its per-pixel alpha.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/gdi_raii_win.h"
#include "ui/main_window_layout.h"
#include "ui/main_window_pictures_win.h"
#include "ui/main_window_view.h"

namespace tessaro {

class ModelLayer {
 public:
  // Draws the layer again when forced, or when the client size (plus one
  // pixel each way), the model or the prepared marker pictures changed.
  // The model picture is decoded again only when the model names another.
  void Update(const MainWindowView& view, const MarkerPictureShelf& shelf, int width, int height, bool forced);
  // Blends the layer over dc's bitmap, which covers the client area.
  void BlendOnto(HDC dc) const;
  // The markers as last drawn.
  const std::vector<MarkerLayout>& markers() const { return markers_; }
  // Bytes of the layer's bitmap.
  size_t BitmapBytes() const { return static_cast<size_t>(dib_.width()) * dib_.height() * sizeof(uint32_t); }

 private:
  // What the drawn layer shows; a change draws it again.
  struct Shown {
    const MODEL_DEF* model = nullptr;
    std::u16string model_name;
    std::string picture_name;
    std::vector<const PanelImage*> prepared;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  static Shown ShownBy(const MainWindowView& view);
  void LoadPicture(const std::string& name);
  // The model picture at the size it is drawn (width x height), scaled
  // once and kept in that form: a fifth of the decoded picture's memory.
  Gdiplus::Image* PictureAt(int width, int height);
  // False when the layer's bitmap could not be made.
  bool Draw(const MainWindowView& view, const MarkerPictureShelf& shelf);

  DibSection dib_;
  PanelRect bounds_;  // where dib_ lies in the client area
  int width_ = 0;
  int height_ = 0;
  Shown shown_;
  bool drawn_ = false;
  std::string picture_name_;
  GdiplusPtr<Gdiplus::Bitmap> picture_;
  int picture_width_ = 0;  // as decoded, which the fit is made from
  int picture_height_ = 0;
  std::vector<MarkerLayout> markers_;
};

}  // namespace tessaro
