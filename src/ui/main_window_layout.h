// Where the main window puts the model picture and its markers, and which
// picture each marker wears, normally and lit. Pure arithmetic on the model
// record and the window's scale; the Windows renderer draws what it says.
#pragma once

#include <functional>
#include <vector>

#include "catalog/model_catalogue.h"
#include "ui/panel.h"

namespace tessaro {

// The marker pictures the function menu prepares, by shown marker.
inline constexpr int kPreparedMarkerPictures = 20;

// The model the window shows: the record at index, none for -1 or an index
// outside the catalogue.
const MODEL_DEF* ModelAt(const std::vector<MODEL_DEF>& models, int index);

struct PointF {
  float x = 0.0f;
  float y = 0.0f;
};

// The model picture's box and the factor that takes picture pixels (the
// model's marker positions) to window pixels.
struct ModelPictureFit {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  float factor = 0.0f;  // the window scale, or less when the picture was shrunk
  int marker_side = 0;  // 52 picture-scale pixels

  PointF At(MarkerPosition spot) const {
    return {static_cast<float>(x) + spot.x * factor, static_cast<float>(y) + spot.y * factor};
  }
};

// The picture at its scaled size at (20, 320) design pixels; when that
// would reach within 10 design pixels of the bottom bar it is shrunk to end
// there, keeping its shape. Markers follow the picture's factor, so they
// stay on the buttons they name. A picture of no size keeps the scale.
ModelPictureFit FitModelPicture(int picture_width, int picture_height, float scale, int bottom_bar_top);

enum class PictureSet {
  kNone,
  kPrepared,   // the function menu's picture for the marker's number
  kNumber,     // "image/num%d.png"
  kTiltLeft,   // "image/tiltl%d.png"
  kTiltRight,  // "image/tiltr%d.png"
  kDirection,  // "image/dir%d.png"
};

// One picture: a set, its normal or lit variant, and an index (the
// marker's number for prepared pictures, else the skin's d from 1).
struct PictureRef {
  PictureSet set = PictureSet::kNone;
  bool lit = false;
  int index = 0;

  explicit operator bool() const { return set != PictureSet::kNone; }
  friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

// Whether a picture exists (the skin has it, or the function menu made it).
using PictureExists = std::function<bool(const PictureRef&)>;

// One marker on the model picture. Every picture named here exists; a lit
// marker without a picture is drawn as a ring.
struct MarkerLayout {
  int highlight = 0;  // the number that lights it up: n for a button, 12 or 13
  PointF centre;
  RectF square;
  PictureRef picture;
  PictureRef overlay;  // direction picture over it
  PictureRef lit_picture;
  PictureRef lit_overlay;
};

// The markers in drawing order: the buttons of the mask (numbered n from 0
// among them), then the tilt pair or the two HID entries that have both
// codes. A tilt pair drawn with the skin's tilt pictures takes no number.
std::vector<MarkerLayout> LayoutMarkers(const MODEL_DEF& model, const ModelPictureFit& fit,
                                        const PictureExists& exists);

// The marker that the number lights up, or null.
const MarkerLayout* FindLitMarker(const std::vector<MarkerLayout>& markers, int highlighted);

// The part of a width x height client area that the model layer needs: the
// picture's box and every marker's square, with a pixel of room for
// smoothing on each side, within the client area; empty for neither.
PanelRect ModelLayerBounds(const ModelPictureFit& fit, const std::vector<MarkerLayout>& markers, int width, int height);

// Pen widths of the ring drawn round a lit marker without a picture.
struct RingPens {
  float ring = 0.0f;
  float shadow = 0.0f;
};
RingPens LitRingPens(float scale);
// The client area a lit marker covers: its square, or its ring with the
// shadow, whichever is larger.
PanelRect LitMarkerArea(const MarkerLayout& marker, float scale);

}  // namespace tessaro
