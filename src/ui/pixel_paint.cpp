#include "ui/pixel_paint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace tessaro {
namespace {

struct Bounds {
  float left;
  float top;
  float right;
  float bottom;
};

Bounds BoundsOf(const RectF& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

// The share of pixel p's span [p - 0.5, p + 0.5) that lies in [low, high):
// pixel centres lie on whole coordinates, as in GDI+'s default pixel
// offset mode, so a shape drawn here covers the pixels GDI+ would.
float Overlap(int p, float low, float high) {
  const auto centre = static_cast<float>(p);
  return std::clamp(std::min(centre + 0.5f, high) - std::max(centre - 0.5f, low), 0.0f, 1.0f);
}

uint32_t Byte(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

// Source over: the premultiplied colour, scaled by its coverage (0 to
// 256), onto the premultiplied pixel.
uint32_t Over(uint32_t pixel, uint32_t color, uint32_t cover) {
  if (cover >= 256 && Byte(color, 24) == 0xFF) return color;
  const uint32_t alpha = (Byte(color, 24) * cover + 128) >> 8;
  const uint32_t keep = 255 - alpha;
  uint32_t out = 0;
  for (int shift : {0, 8, 16, 24}) {
    const uint32_t source = (Byte(color, shift) * cover + 128) >> 8;
    const uint32_t value = source + (Byte(pixel, shift) * keep + 127) / 255;
    out |= std::min<uint32_t>(value, 255) << shift;
  }
  return out;
}

// A whole coordinate held to [0, limit]; none for what is not a number.
int PixelIndex(float coordinate, int limit) {
  if (!(coordinate > 0.0f)) return 0;
  if (coordinate >= static_cast<float>(limit)) return limit;
  return static_cast<int>(coordinate);
}

// Coverage as a share of 256.
uint32_t Cover(float share) { return static_cast<uint32_t>(share * 256.0f + 0.5f); }

// Blends the source's colours (premultiplied; source.Row(y) gives the
// row's colour of column x) into every pixel by how much of it lies in
// outer and not in inner (a frame when inner is given). Pixels wholly
// inside inner are not visited: a client-size frame touches its rim alone.
// The coverage of each column is worked out once.
template <class Source>
void BlendCovered(const PixelSurface& target, const Bounds& outer, const Bounds* inner, const Source& source) {
  if (!target.pixels) return;
  const int x0 = PixelIndex(std::floor(outer.left - 0.5f), target.width);
  const int x1 = PixelIndex(std::ceil(outer.right + 0.5f), target.width);
  const int y0 = PixelIndex(std::floor(outer.top - 0.5f), target.height);
  const int y1 = PixelIndex(std::ceil(outer.bottom + 0.5f), target.height);
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<uint32_t> outer_x(static_cast<size_t>(x1 - x0)), inner_x(outer_x.size());
  for (int x = x0; x < x1; ++x) {
    outer_x[x - x0] = Cover(Overlap(x, outer.left, outer.right));
    inner_x[x - x0] = inner ? Cover(Overlap(x, inner->left, inner->right)) : 0;
  }
  // The pixels whose whole span lies in inner.
  int skip_x0 = 0, skip_x1 = 0, skip_y0 = 0, skip_y1 = 0;
  if (inner) {
    skip_x0 = PixelIndex(std::ceil(inner->left + 0.5f), target.width);
    skip_x1 = PixelIndex(std::floor(inner->right + 0.5f), target.width);
    skip_y0 = PixelIndex(std::ceil(inner->top + 0.5f), target.height);
    skip_y1 = PixelIndex(std::floor(inner->bottom + 0.5f), target.height);
  }
  for (int y = y0; y < y1; ++y) {
    const uint32_t outer_y = Cover(Overlap(y, outer.top, outer.bottom));
    const uint32_t inner_y = inner ? Cover(Overlap(y, inner->top, inner->bottom)) : 0;
    const bool skips = y >= skip_y0 && y < skip_y1 && skip_x0 < skip_x1;
    uint32_t* pixels = target.pixels + static_cast<ptrdiff_t>(y) * target.stride;
    const auto row = source.Row(y);
    for (int x = x0; x < x1; ++x) {
      if (skips && x == skip_x0) {
        x = skip_x1 - 1;
        continue;
      }
      const uint32_t covered = (outer_x[x - x0] * outer_y + 128) >> 8;
      const uint32_t hidden = (inner_x[x - x0] * inner_y + 128) >> 8;
      if (covered > hidden) pixels[x] = Over(pixels[x], row(x), covered - hidden);
    }
  }
}

// One colour everywhere.
class PlainSource {
 public:
  explicit PlainSource(uint32_t argb) : color_(Premultiply(argb)) {}
  auto Row(int) const {
    return [color = color_](int) { return color; };
  }

 private:
  uint32_t color_;
};

// Straight colours between two, premultiplied, in steps fine enough that
// neighbouring steps differ by at most one level per channel.
class GradientTable {
 public:
  static constexpr int kSteps = 1024;

  explicit GradientTable(Gradient colors) {
    for (int i = 0; i <= kSteps; ++i) {
      const float t = static_cast<float>(i) / kSteps;
      uint32_t straight = 0;
      for (int shift : {0, 8, 16, 24}) {
        const float from = static_cast<float>(Byte(colors.start, shift));
        const float to = static_cast<float>(Byte(colors.end, shift));
        straight |= static_cast<uint32_t>(std::lround(from + (to - from) * t)) << shift;
      }
      colors_[i] = Premultiply(straight);
    }
  }

  // t in [0, 1]; beyond, the gradient repeats mirrored, as a brush that
  // tiles flipped does. What is not a number or endless takes the start.
  uint32_t At(float t) const {
    t = std::fabs(t);
    if (!std::isfinite(t)) t = 0.0f;
    if (t > 1.0f) t = t <= 2.0f ? 2.0f - t : 1.0f - std::fabs(std::fmod(t, 2.0f) - 1.0f);
    return colors_[static_cast<size_t>(t * kSteps + 0.5f)];
  }

 private:
  std::array<uint32_t, kSteps + 1> colors_{};
};

}  // namespace

uint32_t Premultiply(uint32_t argb) {
  const uint32_t alpha = Byte(argb, 24);
  if (alpha == 0xFF) return argb;
  uint32_t out = alpha << 24;
  for (int shift : {0, 8, 16}) out |= ((Byte(argb, shift) * alpha + 127) / 255) << shift;
  return out;
}

void FillPixels(const PixelSurface& target, uint32_t argb) {
  if (!target.pixels) return;
  const uint32_t color = Premultiply(argb);
  for (int y = 0; y < target.height; ++y) {
    uint32_t* row = target.pixels + static_cast<ptrdiff_t>(y) * target.stride;
    std::fill_n(row, target.width, color);
  }
}

void BlendRect(const PixelSurface& target, const RectF& area, uint32_t argb) {
  BlendCovered(target, BoundsOf(area), nullptr, PlainSource(argb));
}

void BlendTile(const PixelSurface& target, const PixelSurface& tile, const RectF& area) {
  if (!tile.pixels || tile.width <= 0 || tile.height <= 0) return;
  // Each column's place in the tile, worked out once.
  std::vector<int> columns(static_cast<size_t>(std::max(target.width, 0)));
  for (size_t x = 0; x < columns.size(); ++x) columns[x] = static_cast<int>(x) % tile.width;
  struct TileSource {
    const PixelSurface& tile;
    const std::vector<int>& columns;
    auto Row(int y) const {
      const uint32_t* row = tile.pixels + static_cast<ptrdiff_t>(y % tile.height) * tile.stride;
      return [row, this](int x) { return row[columns[x]]; };
    }
  };
  BlendCovered(target, BoundsOf(area), nullptr, TileSource{tile, columns});
}

void BlendLinearGradient(const PixelSurface& target, const RectF& area, Gradient colors, float angle) {
  const float radians = angle * std::numbers::pi_v<float> / 180.0f;
  const float dx = std::cos(radians);
  const float dy = std::sin(radians);
  // Where each corner lies along the direction: the first and the last
  // hold the two colours.
  const Bounds b = BoundsOf(area);
  const std::array<float, 4> along = {b.left * dx + b.top * dy, b.right * dx + b.top * dy, b.left * dx + b.bottom * dy,
                                      b.right * dx + b.bottom * dy};
  const auto [first, last] = std::minmax_element(along.begin(), along.end());
  const float length = *last - *first;
  if (!(length > 0.0f)) return;
  // Along a row the position grows by the same step from pixel to pixel.
  struct GradientSource {
    GradientTable table;
    float start, step_x, step_y;
    auto Row(int y) const {
      const float row_start = static_cast<float>(y) * step_y - start;
      return [row_start, this](int x) { return table.At(row_start + static_cast<float>(x) * step_x); };
    }
  };
  BlendCovered(target, b, nullptr, GradientSource{GradientTable(colors), *first / length, dx / length, dy / length});
}

void BlendFrame(const PixelSurface& target, const RectF& rect, float pen_width, uint32_t argb) {
  if (!(pen_width > 0.0f)) return;
  const float half = pen_width / 2;
  const Bounds r = BoundsOf(rect);
  const Bounds outer{r.left - half, r.top - half, r.right + half, r.bottom + half};
  const Bounds inner{r.left + half, r.top + half, r.right - half, r.bottom - half};
  BlendCovered(target, outer, &inner, PlainSource(argb));
}

}  // namespace tessaro
