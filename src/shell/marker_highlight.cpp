#include "shell/marker_highlight.h"

#include <bit>

namespace tessaro {
namespace {

MarkerPosition MarkerSpot(int marker, const MODEL_DEF& model) {
  if (marker < kModelButtonEntries) return model.button_pos[marker];
  const int side = marker - kModelButtonEntries;
  return model.tilt > 0 ? model.tilt_pos[side] : model.hid_pos[side];
}

}  // namespace

int HighlightNumber(int marker, const MODEL_DEF& model) {
  if (marker >= kModelButtonEntries) return marker;
  return std::popcount(model.button & ((1u << marker) - 1u));
}

PanelRect HighlightRect(int marker, const MODEL_DEF& model, float scale) {
  const MarkerPosition spot = MarkerSpot(marker, model);
  const float side = 52.0f * scale;
  const int left = static_cast<int>(spot.x * scale + 20.0f * scale - side / 2 - side);
  const int top = static_cast<int>(spot.y * scale + 320.0f * scale - side / 2 - side);
  const int extent = static_cast<int>(3 * side);
  return {left, top, left + extent, top + extent};
}

}  // namespace tessaro
