// The driver library's helpers that the program's drawing and data code
// uses: embedded resources, hexadecimal text, rounded-rectangle paths.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "vxlib.h"

namespace {

std::string DataFile(const char* name) {
  std::ifstream in(std::string(TESSARO_DATA_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(VxlibResources, BinaryResourcesComeWholeInAProcessHeapBuffer) {
  struct Case {
    int id;
    std::string expected;  // empty: check the package signature only
  };
  // 142 is declared with a Chinese language tag only, so it is found in
  // whatever language the module has it.
  const Case cases[] = {{136, DataFile("language.json")}, {142, DataFile("keycodes.txt")}, {130, ""}, {135, ""}};
  for (const auto& c : cases) {
    uint8_t* buffer = reinterpret_cast<uint8_t*>(1);
    const uint32_t size = VX_MISC_LoadBinaryFromID(c.id, &buffer, GetModuleHandleW(nullptr));
    ASSERT_NE(buffer, nullptr) << c.id;
    ASSERT_GT(size, 4u) << c.id;
    if (c.expected.empty()) {
      EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), std::string("PK\3\4", 4)) << c.id;
    } else {
      ASSERT_FALSE(c.expected.empty());
      EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), c.expected) << c.id;
    }
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, buffer), size) << c.id;
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, buffer)) << c.id;
  }
}

TEST(VxlibResources, MissingResourceGivesNothing) {
  uint8_t* buffer = reinterpret_cast<uint8_t*>(1);
  EXPECT_EQ(VX_MISC_LoadBinaryFromID(9999, &buffer, GetModuleHandleW(nullptr)), 0u);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(VX_MISC_LoadBinaryFromID(136, nullptr, GetModuleHandleW(nullptr)), 0u);
}

TEST(VxlibHex, HexadecimalTextToNumber) {
  const std::pair<const char16_t*, int> cases[] = {
      {u"ff", 255}, {u"1D57", 0x1d57}, {u"  2b", 0x2b}, {u"12zz", 0x12}, {u"", 0}, {u"xyz", 0}, {nullptr, 0},
  };
  for (auto [text, value] : cases) EXPECT_EQ(VX_MISC_Hex2Dec(text), value);
}

class VxlibRoundPath : public testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

  static std::vector<Gdiplus::PointF> Points(Gdiplus::GraphicsPath& path) {
    std::vector<Gdiplus::PointF> points(path.GetPointCount());
    if (!points.empty()) path.GetPathPoints(points.data(), static_cast<INT>(points.size()));
    return points;
  }

  ULONG_PTR token_ = 0;
};

TEST_F(VxlibRoundPath, RoundedCornersInsideTheRectangle) {
  Gdiplus::GraphicsPath path;
  ASSERT_EQ(VX_MISC_CreateRoundPath(&path, 10, 20, 100, 40, 8, 0), 1);
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
  EXPECT_NEAR(bounds.X, 10, 0.5);
  EXPECT_NEAR(bounds.Y, 20, 0.5);
  EXPECT_NEAR(bounds.Width, 100, 0.5);
  EXPECT_NEAR(bounds.Height, 40, 0.5);
  EXPECT_TRUE(path.IsVisible(60.0f, 40.0f)) << "centre";
  EXPECT_TRUE(path.IsVisible(10.5f, 40.0f)) << "middle of the left side";
  for (auto [x, y] : {std::pair{10.5f, 20.5f}, {109.5f, 20.5f}, {109.5f, 59.5f}, {10.5f, 59.5f}})
    EXPECT_FALSE(path.IsVisible(x, y)) << "corner " << x << "," << y << " is cut off";
  const auto points = Points(path);
  ASSERT_FALSE(points.empty());
  std::vector<BYTE> types(points.size());
  path.GetPathTypes(types.data(), static_cast<INT>(types.size()));
  EXPECT_TRUE(types.back() & Gdiplus::PathPointTypeCloseSubpath) << "one closed figure";
}

TEST_F(VxlibRoundPath, OversizedRadiusIsClampedToHalfTheShorterSide) {
  Gdiplus::GraphicsPath clamped, half;
  ASSERT_EQ(VX_MISC_CreateRoundPath(&clamped, 0, 0, 100, 40, 500, 0), 1);
  ASSERT_EQ(VX_MISC_CreateRoundPath(&half, 0, 0, 100, 40, 20, 0), 1);
  const auto a = Points(clamped);
  const auto b = Points(half);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_FLOAT_EQ(a[i].X, b[i].X) << i;
    EXPECT_FLOAT_EQ(a[i].Y, b[i].Y) << i;
  }
  Gdiplus::RectF bounds;
  clamped.GetBounds(&bounds);
  EXPECT_NEAR(bounds.Width, 100, 0.5);
  EXPECT_NEAR(bounds.Height, 40, 0.5);
}

TEST_F(VxlibRoundPath, ZeroRadiusIsThePlainRectangleAndEmptySizeAddsNothing) {
  Gdiplus::GraphicsPath square;
  ASSERT_EQ(VX_MISC_CreateRoundPath(&square, 0, 0, 50, 30, 0, 0), 1);
  EXPECT_TRUE(square.IsVisible(0.5f, 0.5f)) << "corner kept";

  for (auto [w, h] : {std::pair{0, 30}, {50, 0}, {-5, 30}}) {
    Gdiplus::GraphicsPath none;
    EXPECT_EQ(VX_MISC_CreateRoundPath(&none, 0, 0, w, h, 4, 0), 0) << w << "x" << h;
    EXPECT_EQ(none.GetPointCount(), 0) << w << "x" << h;
  }
  EXPECT_EQ(VX_MISC_CreateRoundPath(nullptr, 0, 0, 50, 30, 4, 0), 0);
}

}  // namespace
