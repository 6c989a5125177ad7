// The model list: which rows it offers and what choosing one does.
#include "shell/controls_model_list.h"

#include <gtest/gtest.h>

#include "device/device_detection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::MODEL_DEF;
using namespace test_support;
using Strings = std::vector<std::string>;

TEST(ModelConnectionKind, MarkAfterTheThirdCharacterOnly) {
  const struct {
    std::u16string_view name, kind;
  } cases[] = {
      {u"Tolva T5 (BT)", u"BT"},  {u"Nodin XL (RF)", u"2.4G"},  {u"Kesto 8", u"USB"}, {u"abc(BT)", u"BT"},  // index 3
      {u"ab(BT)", u"USB"},                                                                                  // index 2
      {u"(BT) Tolva", u"USB"},    {u"(BT) Tolva (BT)", u"USB"},  // only the first occurrence counts
      {u"Ovra (RF) (BT)", u"BT"},                                // BT wins over RF
      {u"(RF) Ovra (BT)", u"BT"}, {u"Ovra (bt)", u"USB"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tessaro::ModelConnectionKind(c.name), c.kind) << std::string(c.name.begin(), c.name.end());
}

class ModelListTest : public ::testing::Test {
 protected:
  ModelListTest() {
    first_.model_name = u"Kesto 8";
    second_.model_name = u"Tolva T5 (BT)";
    third_.model_name = u"Nodin XL (RF)";
    tessaro::Models().models = {first_, second_, third_};
  }
  void Connect(std::initializer_list<int> indices) {
    for (auto& model : tessaro::Models().models) model.connected = 0;
    for (int i : indices) tessaro::Models().models[i].connected = 1;
  }
  // The rows as "id value text icon".
  Strings Rows(int32_t selected) {
    Strings rows;
    for (const auto& row : tessaro::BuildModelMenuRows(tessaro::Models().models, selected, [](int32_t i) {
           return reinterpret_cast<void*>(static_cast<intptr_t>(0x100 + i));
         })) {
      const std::u16string text(row.name);
      rows.push_back(std::to_string(row.id) + " " + std::to_string(row.function_index) + " " +
                     std::string(text.begin(), text.end()) + " " +
                     std::to_string(reinterpret_cast<intptr_t>(row.image)));
    }
    return rows;
  }

  // Device detection waits for a first settings load, which never comes
  // here: the connected flags stay as the test sets them.
  SettingsSandbox sandbox_;
  MODEL_DEF first_ = TestModel(0x0e, 0);
  MODEL_DEF second_ = TestModel(0x06, 0, 0x4b, 0, 0, 3);
  MODEL_DEF third_ = TestModel(0x10, 0, 0x4b, 0x3a7c, 0x7a10, 2);
};

TEST_F(ModelListTest, RowsAreTheOtherConnectedModels) {
  const struct {
    std::initializer_list<int> connected;
    int32_t selected;
    Strings rows;
  } cases[] = {
      {{0, 1}, 0, {"1 1 BT 257"}},
      {{0, 1, 2}, 1, {"0 0 USB 256", "2 2 2.4G 258"}},
      {{0}, 0, {}},  // only the shown model
      {{}, -1, {}},
      {{0, 2}, -1, {"0 0 USB 256", "2 2 2.4G 258"}},
  };
  for (const auto& c : cases) {
    Connect(c.connected);
    EXPECT_EQ(Rows(c.selected), c.rows) << "selected " << c.selected;
  }
}

TEST_F(ModelListTest, ACatalogueOfOneModelOffersNothing) {
  tessaro::Models().models = {first_};
  Connect({0});
  EXPECT_EQ(Rows(-1), Strings{});
}

TEST_F(ModelListTest, ChoosingChangesTheShownModelOnlyForAnotherConnectedOne) {
  Connect({0, 2});
  tessaro::SelectedModel = 0;
  const struct {
    int32_t chosen;
    int32_t shown_after;
    Strings window_calls;
  } cases[] = {
      {0, 0, {}},  // the shown model again: no rescan
      {1, 0, {}},  // not connected
      {3, 0, {}}, {-1, 0, {}}, {2, 2, {"RedrawModelLayer", "RebuildFunctionMenu"}}, {2, 2, {}},
  };
  for (const auto& c : cases) {
    fake_vxlib::Reset();
    FakeMainWindow window;
    const bool changed = tessaro::ChooseModel(c.chosen, window);
    EXPECT_EQ(changed, !c.window_calls.empty()) << c.chosen;
    EXPECT_EQ(tessaro::SelectedModel.load(), c.shown_after) << c.chosen;
    EXPECT_EQ(window.calls, c.window_calls) << c.chosen;
    EXPECT_EQ(fake_vxlib::CallsNamed("VX_RefreshInfo").size(), c.window_calls.empty() ? 0u : 1u) << c.chosen;
  }
}

}  // namespace
