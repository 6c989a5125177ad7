// How the main window maps the model catalogue onto the driver library's
// filters and onto the lit marker of the model picture.
#include <gtest/gtest.h>

#include <vector>

#include "shell/driver_filters.h"
#include "shell/marker_highlight.h"
#include "support/setting_builders.h"

namespace tessaro {
namespace {

using test_support::TestModel;

TEST(DriverFilters, OneRecordPerModelWithADriverTypeInCatalogueOrder) {
  MODEL_DEF unwatched = TestModel(0x10, 0x2222, 0x4b, 0, 0, /*type=*/0);
  MODEL_DEF usb = TestModel(0x11, 0x3333, 0x4b, 0x3A7C, 0x7A10, /*type=*/2);
  // Wider values than the record's fields keep their low bits.
  MODEL_DEF wide = TestModel(0x1FFFF, 0x12345, 0x1004b, 0, 0, /*type=*/3);
  const DriverFilters filters = BuildDriverFilters({unwatched, usb, wide});

  ASSERT_EQ(filters.count, 2);
  const VX_FILTER_DEF& a = filters.entries[0];
  EXPECT_EQ(a.type, 2);
  EXPECT_EQ(a.model_id, 0x11);
  EXPECT_EQ(a.pid, 0x3333);
  EXPECT_EQ(a.vid, 0x4b);
  EXPECT_EQ(a.usb_vid, 0x3A7Cu);
  EXPECT_EQ(a.usb_pid, 0x7A10u);
  EXPECT_EQ(a.zero1, 0);
  EXPECT_EQ(a.zero2, 0u);
  const VX_FILTER_DEF& b = filters.entries[1];
  EXPECT_EQ(b.type, 3);
  EXPECT_EQ(b.model_id, 0xFFFF);
  EXPECT_EQ(b.pid, 0x2345);
  EXPECT_EQ(b.vid, 0x4b);
  EXPECT_EQ(filters.entries[2].type, 0);
}

TEST(DriverFilters, WithoutWatchedModelsOneZeroRecordWithAFullCatalogueAtMostTheArray) {
  const VX_FILTER_DEF zero{};
  for (const auto& models : {std::vector<MODEL_DEF>{}, std::vector<MODEL_DEF>{TestModel(1, 2, 3, 0, 0, 0)}}) {
    const DriverFilters filters = BuildDriverFilters(models);
    EXPECT_EQ(filters.count, 1);
    EXPECT_EQ(std::memcmp(&filters.entries[0], &zero, sizeof zero), 0);
  }
  std::vector<MODEL_DEF> many;
  for (int i = 0; i < kMaxDriverFilters + 5; ++i) many.push_back(TestModel(i, i, 0x4b, 0, 0, 1));
  const DriverFilters filters = BuildDriverFilters(many);
  EXPECT_EQ(filters.count, kMaxDriverFilters);
  EXPECT_EQ(filters.entries[kMaxDriverFilters - 1].model_id, kMaxDriverFilters - 1);
}

TEST(MarkerHighlight, ButtonsCountAmongTheModelsButtonsTiltAndHidKeepTheirNumber) {
  MODEL_DEF model = TestModel(1, 2);
  model.button = (1u << 1) | (1u << 2) | (1u << 5);
  const struct {
    int marker;
    int number;
  } cases[] = {{1, 0}, {2, 1}, {5, 2}, {12, 12}, {13, 13}};
  for (const auto& c : cases) EXPECT_EQ(HighlightNumber(c.marker, model), c.number) << c.marker;
}

}  // namespace
}  // namespace tessaro
