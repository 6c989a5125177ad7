#include "ui/pixel_paint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <vector>

namespace tessaro {
namespace {

class Pixels {
 public:
  Pixels(int width, int height, uint32_t fill = 0) : width_(width), pixels_(static_cast<size_t>(width) * height, fill) {
    surface_ = {pixels_.data(), width, height, width};
  }
  const PixelSurface& surface() const { return surface_; }
  uint32_t at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  uint32_t alpha(int x, int y) const { return at(x, y) >> 24; }
  uint32_t blue(int x, int y) const { return at(x, y) & 0xFF; }

 private:
  int width_;
  std::vector<uint32_t> pixels_;
  PixelSurface surface_;
};

constexpr uint32_t kWhite = 0xFFFFFFFF;

TEST(PixelPaint, FillsAndBlendsPremultiplied) {
  Pixels p(2, 1);
  FillPixels(p.surface(), 0x80FF4000);
  EXPECT_EQ(p.at(1, 0), 0x80802000u);

  Pixels black(1, 1, 0xFF000000);
  BlendRect(black.surface(), {-1, -1, 3, 3}, 0x80FFFFFF);
  EXPECT_EQ(black.at(0, 0), 0xFF808080u);
}

// Pixel centres lie on whole coordinates: pixel p spans [p - 0.5, p + 0.5).
TEST(PixelPaint, EdgesCoverByArea) {
  Pixels p(6, 1);
  BlendRect(p.surface(), {1.0f, -1.0f, 2.5f, 3.0f}, kWhite);
  const uint32_t expected[] = {0, 128, 255, 255, 0, 0};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(p.alpha(x, 0), expected[x]) << x;
}

TEST(PixelPaint, FrameIsAPenCentredOnTheOutline) {
  Pixels p(13, 13);
  // Edges at 1 and 10; a pen of 2 covers [0, 2] and [9, 11].
  BlendFrame(p.surface(), {1, 1, 9, 9}, 2.0f, kWhite);
  const uint32_t row[] = {128, 255, 128, 0, 0, 0, 0, 0, 0, 128, 255, 128, 0};
  for (int x = 0; x < 13; ++x) EXPECT_EQ(p.alpha(x, 5), row[x]) << x;
  EXPECT_EQ(p.alpha(1, 1), 255u);
  EXPECT_EQ(p.alpha(0, 0), 64u);  // a quarter at the outer corner
  EXPECT_EQ(p.alpha(12, 12), 0u);

  // A pen wider than the rectangle fills it whole.
  Pixels small(10, 10);
  BlendFrame(small.surface(), {4, 4, 1, 1}, 6.0f, kWhite);
  EXPECT_EQ(small.alpha(4, 4), 255u);
  EXPECT_EQ(small.alpha(2, 5), 255u);
  EXPECT_EQ(small.alpha(0, 0), 0u);
}

TEST(PixelPaint, GradientRunsAlongItsAngleBetweenTheCorners) {
  // Eleven whole pixels, black to white: the first and last corners along
  // the angle hold the two colours, pixel centres lie between them.
  const RectF area{-0.5f, -0.5f, 11.0f, 11.0f};
  const auto along = [](float steps) { return static_cast<int>(steps / 11.0f * 255.0f + 0.5f); };
  const struct {
    float angle;
    int x, y;
    int expected;
  } cases[] = {
      {0, 0, 5, along(0.5f)},        {0, 10, 5, along(10.5f)},     {90, 5, 0, along(0.5f)},
      {90, 5, 10, along(10.5f)},     {180, 10, 5, along(0.5f)},    {180, 0, 5, along(10.5f)},
      {-90, 5, 10, along(0.5f)},     {270, 5, 10, along(0.5f)},    {45, 0, 10, 128},
      {45, 10, 0, 128},              {45, 0, 0, along(0.5f)},      {45, 10, 10, along(10.5f)},
  };
  for (const auto& c : cases) {
    Pixels p(11, 11);
    BlendLinearGradient(p.surface(), area, {0xFF000000, kWhite}, c.angle);
    EXPECT_LE(std::abs(static_cast<int>(p.blue(c.x, c.y)) - c.expected), 1)
        << "angle " << c.angle << " at " << c.x << "," << c.y << ": " << p.blue(c.x, c.y);
    EXPECT_EQ(p.alpha(c.x, c.y), 255u);
  }
}

TEST(PixelPaint, TileRepeatsFromTheOriginInsideItsArea) {
  uint32_t tile_pixels[] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
  const PixelSurface tile{tile_pixels, 2, 2, 2};
  Pixels p(5, 3);
  BlendTile(p.surface(), tile, {1.5f, -0.5f, 3.0f, 3.0f});
  EXPECT_EQ(p.at(1, 0), 0u);
  EXPECT_EQ(p.at(2, 0), 0xFF000001u);
  EXPECT_EQ(p.at(3, 1), 0xFF000004u);
  EXPECT_EQ(p.at(4, 2), 0xFF000001u);
}

// Areas from a skin's numbers: far off, endless or not a number. Nothing
// is drawn outside the surface, what lies far off draws nothing, and what
// covers the surface and more covers it.
TEST(PixelPaint, UnboundedAreasStayOnTheSurface) {
  constexpr float kHuge = 1e30f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  uint32_t tile_pixels[] = {0xFF102030};
  const PixelSurface tile{tile_pixels, 1, 1, 1};
  enum Drawn { kNothing, kCovered, kEither };
  const struct {
    RectF area;
    Drawn drawn;
  } cases[] = {
      {{kHuge, kHuge, 10, 10}, kNothing},
      {{-kHuge, -kHuge, 10, 10}, kNothing},
      {{0, 0, -kHuge, -kHuge}, kNothing},
      {{-kHuge, -kHuge, 2 * kHuge, 2 * kHuge}, kCovered},
      {{-10, -10, kHuge, kHuge}, kCovered},
      {{-inf, -inf, inf, inf}, kEither},
      {{nan, nan, nan, nan}, kEither},
  };
  for (const auto& c : cases) {
    for (int angle : {0, 45}) {
      Pixels p(4, 4);
      BlendRect(p.surface(), c.area, kWhite);
      BlendTile(p.surface(), tile, c.area);
      BlendLinearGradient(p.surface(), c.area, {0xFF000000, kWhite}, static_cast<float>(angle));
      BlendFrame(p.surface(), c.area, 3.0f, kWhite);
      if (c.drawn != kEither) {
        EXPECT_EQ(p.alpha(1, 1), c.drawn == kCovered ? 255u : 0u) << c.area.x << " " << c.area.width;
      }
    }
  }
}

}  // namespace
}  // namespace tessaro
