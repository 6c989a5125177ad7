#include "ui/main_window_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace tessaro {
namespace {

// Design pixels at scale 1.
constexpr float kPictureLeft = 20.0f;
constexpr float kPictureTop = 320.0f;
constexpr float kBarGap = 10.0f;
constexpr float kMarkerSide = 52.0f;

constexpr int kFirstPairMarker = 12;

// A button's marker code: two characters or more, "l" first for a left
// tilt picture and anything else for a right one, then the picture's digit.
struct MarkerCode {
  PictureSet set;
  int d;
};

std::optional<MarkerCode> ParseMarkerCode(std::u16string_view code) {
  if (code.size() < 2 || code[1] < u'0' || code[1] > u'9') return std::nullopt;
  return MarkerCode{code[0] == u'l' ? PictureSet::kTiltLeft : PictureSet::kTiltRight, code[1] - u'0'};
}

class MarkerBuilder {
 public:
  MarkerBuilder(const ModelPictureFit& fit, const PictureExists& exists) : fit_(fit), exists_(exists) {}

  // The ref when its picture exists, else none.
  PictureRef Existing(PictureSet set, bool lit, int index) const {
    const PictureRef ref{set, lit, index};
    return exists_(ref) ? ref : PictureRef{};
  }

  // The first of the candidates whose picture exists.
  PictureRef FirstExisting(std::initializer_list<PictureRef> candidates) const {
    for (const PictureRef& ref : candidates)
      if (exists_(ref)) return ref;
    return {};
  }

  MarkerLayout At(MarkerPosition spot, int highlight, int direction) const {
    MarkerLayout m;
    m.highlight = highlight;
    m.centre = fit_.At(spot);
    const auto side = static_cast<float>(fit_.marker_side);
    m.square = {m.centre.x - side / 2, m.centre.y - side / 2, side, side};
    if (direction > 0) {
      m.overlay = Existing(PictureSet::kDirection, false, direction);
      m.lit_overlay = Existing(PictureSet::kDirection, true, direction);
    }
    return m;
  }

 private:
  const ModelPictureFit& fit_;
  const PictureExists& exists_;
};

void AddButtons(const MODEL_DEF& model, const MarkerBuilder& b, std::vector<MarkerLayout>& out, int& n) {
  for (int i = 0; i < kModelButtonEntries; ++i) {
    if (!(model.button & (1u << i))) continue;
    MarkerLayout m = b.At(model.button_pos[i], n, model.image_over[i]);
    const std::optional<MarkerCode> code = ParseMarkerCode(model.image[i]);
    if (const PictureRef prepared = b.Existing(PictureSet::kPrepared, false, n)) {
      m.picture = prepared;
    } else {
      m.picture = code ? b.Existing(code->set, false, code->d) : b.Existing(PictureSet::kNumber, false, n + 1);
    }
    // A tilt picture's lit variant wins over the prepared one.
    m.lit_picture = code ? b.Existing(code->set, true, code->d)
                         : b.FirstExisting({{PictureSet::kPrepared, true, n}, {PictureSet::kNumber, true, n + 1}});
    out.push_back(m);
    ++n;
  }
}

void AddTiltPair(const MODEL_DEF& model, const MarkerBuilder& b, std::vector<MarkerLayout>& out, int& n) {
  const int t = model.tilt_image_pos;
  const bool skin_pair =
      t > 0 && b.Existing(PictureSet::kTiltLeft, false, t) && b.Existing(PictureSet::kTiltRight, false, t);
  for (int j = 0; j < kModelTiltEntries; ++j) {
    MarkerLayout m = b.At(model.tilt_pos[j], kFirstPairMarker + j, model.tilt_image_over[j]);
    if (skin_pair) {
      const PictureSet side = j == 0 ? PictureSet::kTiltLeft : PictureSet::kTiltRight;
      m.picture = {side, false, t};
      m.lit_picture = b.Existing(side, true, t);
    } else {
      m.picture = b.FirstExisting({{PictureSet::kPrepared, false, n}, {PictureSet::kNumber, false, n + 1}});
      m.lit_picture = b.Existing(PictureSet::kNumber, true, n + 1);
      ++n;
    }
    out.push_back(m);
  }
}

void AddHidPair(const MODEL_DEF& model, const MarkerBuilder& b, std::vector<MarkerLayout>& out, int& n) {
  for (int j = 0; j < kModelTiltEntries; ++j) {
    if (model.hid_down[j] == 0 || model.hid_up[j] == 0) continue;
    MarkerLayout m = b.At(model.hid_pos[j], kFirstPairMarker + j, 0);
    m.picture = b.Existing(PictureSet::kNumber, false, n + 1);
    m.lit_picture = b.Existing(PictureSet::kNumber, true, n + 1);
    out.push_back(m);
    ++n;
  }
}

}  // namespace

const MODEL_DEF* ModelAt(const std::vector<MODEL_DEF>& models, int index) {
  if (index < 0 || static_cast<size_t>(index) >= models.size()) return nullptr;
  return &models[static_cast<size_t>(index)];
}

ModelPictureFit FitModelPicture(int picture_width, int picture_height, float scale, int bottom_bar_top) {
  ModelPictureFit fit;
  fit.x = static_cast<int>(kPictureLeft * scale);
  fit.y = static_cast<int>(kPictureTop * scale);
  fit.factor = scale;
  if (picture_width > 0 && picture_height > 0) {
    fit.width = static_cast<int>(picture_width * scale);
    fit.height = static_cast<int>(picture_height * scale);
    const int room = std::max(0, static_cast<int>(bottom_bar_top - fit.y - kBarGap * scale));
    if (fit.y + fit.height > bottom_bar_top - kBarGap * scale) {
      fit.height = room;
      fit.width = static_cast<int>(static_cast<int64_t>(room) * picture_width / picture_height);
      fit.factor = static_cast<float>(room) / static_cast<float>(picture_height);
    }
  }
  fit.marker_side = static_cast<int>(kMarkerSide * fit.factor);
  return fit;
}

std::vector<MarkerLayout> LayoutMarkers(const MODEL_DEF& model, const ModelPictureFit& fit,
                                        const PictureExists& exists) {
  const MarkerBuilder builder(fit, exists);
  std::vector<MarkerLayout> markers;
  int n = 0;
  AddButtons(model, builder, markers, n);
  if (model.tilt > 0) {
    AddTiltPair(model, builder, markers, n);
  } else {
    AddHidPair(model, builder, markers, n);
  }
  return markers;
}

const MarkerLayout* FindLitMarker(const std::vector<MarkerLayout>& markers, int highlighted) {
  const auto it = std::find_if(markers.begin(), markers.end(),
                               [highlighted](const MarkerLayout& m) { return m.highlight == highlighted; });
  return it == markers.end() ? nullptr : &*it;
}

RingPens LitRingPens(float scale) {
  const auto ring = static_cast<float>(static_cast<int>(4.0f * scale + 2.0f));
  return {ring, ring + 4.0f};
}

PanelRect ModelLayerBounds(const ModelPictureFit& fit, const std::vector<MarkerLayout>& markers, int width,
                           int height) {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool any = false;
  const auto add = [&](float x, float y, float w, float h) {
    if (w <= 0 || h <= 0) return;
    left = any ? std::min(left, x) : x;
    top = any ? std::min(top, y) : y;
    right = any ? std::max(right, x + w) : x + w;
    bottom = any ? std::max(bottom, y + h) : y + h;
    any = true;
  };
  add(static_cast<float>(fit.x), static_cast<float>(fit.y), static_cast<float>(fit.width),
      static_cast<float>(fit.height));
  for (const MarkerLayout& marker : markers)
    add(marker.square.x, marker.square.y, marker.square.width, marker.square.height);
  if (!any) return {};
  const PanelRect bounds{std::max(0, static_cast<int32_t>(std::floor(left)) - 1),
                         std::max(0, static_cast<int32_t>(std::floor(top)) - 1),
                         std::min(width, static_cast<int32_t>(std::ceil(right)) + 1),
                         std::min(height, static_cast<int32_t>(std::ceil(bottom)) + 1)};
  if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return {};
  return bounds;
}

PanelRect LitMarkerArea(const MarkerLayout& marker, float scale) {
  const float ring_reach = (marker.square.width + 4.0f) / 2 + LitRingPens(scale).shadow / 2;
  const float reach = std::max(marker.square.width / 2, ring_reach) + 1.0f;
  return {static_cast<int32_t>(std::floor(marker.centre.x - reach)),
          static_cast<int32_t>(std::floor(marker.centre.y - reach)),
          static_cast<int32_t>(std::ceil(marker.centre.x + reach)),
          static_cast<int32_t>(std::ceil(marker.centre.y + reach))};
}

}  // namespace tessaro
