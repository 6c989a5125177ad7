#include "ui/main_window_model_layer_win.h"

#include <cstring>

#include "catalog/package_image_win.h"
#include "catalog/utf.h"

namespace tessaro {
namespace {

// Clear, with just enough alpha that the layer's untouched pixels are told
// from black ones.
constexpr uint32_t kClear = 0x01000000;

}  // namespace

ModelLayer::Shown ModelLayer::ShownBy(const MainWindowView& view) {
  Shown shown;
  shown.model = view.model;
  if (view.model) {
    shown.model_name = view.model->model_name;
    shown.picture_name.assign(view.model->model_image, strnlen(view.model->model_image, kModelImageBytes));
  }
  shown.prepared.assign(view.marker_pictures.begin(), view.marker_pictures.end());
  shown.prepared.insert(shown.prepared.end(), view.marker_lit_pictures.begin(), view.marker_lit_pictures.end());
  return shown;
}

void ModelLayer::Update(const MainWindowView& view, const MarkerPictureShelf& shelf, int width, int height,
                        bool forced) {
  Shown shown = ShownBy(view);
  const bool resized = width_ != width || height_ != height;
  if (!forced && !resized && drawn_ && shown == shown_) return;
  width_ = width;
  height_ = height;
  if (view.model && shown.picture_name != picture_name_) LoadPicture(shown.picture_name);
  shown_ = std::move(shown);
  drawn_ = Draw(view, shelf);
  if (!drawn_) markers_.clear();
}

void ModelLayer::LoadPicture(const std::string& name) {
  picture_name_ = name;
  // An empty name would match any member.
  picture_ = name.empty() ? nullptr : LoadModelPicture(Utf8ToUtf16(name));
  picture_width_ = picture_ ? static_cast<int>(picture_->GetWidth()) : 0;
  picture_height_ = picture_ ? static_cast<int>(picture_->GetHeight()) : 0;
}

Gdiplus::Image* ModelLayer::PictureAt(int width, int height) {
  const auto size_is = [this](int w, int h) {
    return picture_ && static_cast<int>(picture_->GetWidth()) == w && static_cast<int>(picture_->GetHeight()) == h;
  };
  if (size_is(width, height)) return picture_.get();
  // Scaled for another size before: start again from the decoded picture.
  if (!size_is(picture_width_, picture_height_)) LoadPicture(picture_name_);
  if (!picture_) return nullptr;
  auto scaled = MakeGdiplus<Gdiplus::Bitmap>(width, height, PixelFormat32bppPARGB);
  if (scaled->GetLastStatus() != Gdiplus::Ok) return picture_.get();
  {
    Gdiplus::Graphics g(scaled.get());
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    g.DrawImage(picture_.get(), 0, 0, width, height);
  }
  picture_ = std::move(scaled);
  return picture_.get();
}

bool ModelLayer::Draw(const MainWindowView& view, const MarkerPictureShelf& shelf) {
  markers_.clear();
  bounds_ = {};
  if (!view.model || !view.panel) {
    dib_ = DibSection();
    return true;
  }
  const SkinPanel& panel = *view.panel;
  const ModelPictureFit fit = FitModelPicture(picture_width_, picture_height_, panel.scale, panel.bottom_bar.top);
  markers_ = LayoutMarkers(*view.model, fit, shelf.Exists());

  bounds_ = ModelLayerBounds(fit, markers_, width_, height_);
  const int width = bounds_.right - bounds_.left;
  const int height = bounds_.bottom - bounds_.top;
  if (width <= 0 || height <= 0) {
    dib_ = DibSection();
    return true;
  }
  if (dib_.width() != width || dib_.height() != height) dib_ = DibSection(width, height);
  if (!dib_) return false;

  GdiFlush();
  PixelCanvas canvas(dib_);
  Gdiplus::Graphics& g = canvas.get();
  g.Clear(Gdiplus::Color(kClear));
  // Drawn in client coordinates, as the markers are laid out.
  g.TranslateTransform(static_cast<float>(-bounds_.left), static_cast<float>(-bounds_.top));
  if (picture_ && fit.width > 0 && fit.height > 0)
    if (Gdiplus::Image* picture = PictureAt(fit.width, fit.height))
      g.DrawImage(picture, fit.x, fit.y, fit.width, fit.height);
  for (const MarkerLayout& marker : markers_) {
    DrawPicture(g, shelf.Find(marker.picture), marker.square);
    DrawPicture(g, shelf.Find(marker.overlay), marker.square);
  }
  return true;
}

void ModelLayer::BlendOnto(HDC dc) const {
  if (!dib_) return;
  const MemoryDc source(dc);
  const SelectedObject selected(source.get(), dib_.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, bounds_.left, bounds_.top, dib_.width(), dib_.height(), source.get(), 0, 0, dib_.width(),
             dib_.height(), blend);
}

}  // namespace tessaro
