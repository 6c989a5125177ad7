#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "vxlib/trigger_table.h"

namespace {

VX_TRIGGER_DEF Trigger(uint32_t hid_button, uint8_t function_type) {
  VX_TRIGGER_DEF t{};
  t.hid_button = hid_button;
  t.model_id = 0x33;
  t.vid = 0x2b;
  t.usb_vid = 0x1d57;
  t.usb_pid = 0xfa60;
  t.function.type = function_type;
  return t;
}

struct Variation {
  const char* field;
  std::function<void(VX_TRIGGER_DEF&)> change;
};

TEST(VxlibTriggerTable, EachIdentityFieldMakesAnotherTrigger) {
  const Variation cases[] = {
      {"hid_button", [](VX_TRIGGER_DEF& t) { t.hid_button = 2; }},
      {"mouse_button", [](VX_TRIGGER_DEF& t) { t.mouse_button = 1; }},
      {"model_id", [](VX_TRIGGER_DEF& t) { t.model_id = 0x34; }},
      {"pid", [](VX_TRIGGER_DEF& t) { t.pid = 1; }},
      {"vid", [](VX_TRIGGER_DEF& t) { t.vid = 0x2c; }},
      {"usb_vid", [](VX_TRIGGER_DEF& t) { t.usb_vid = 0x1d58; }},
      {"usb_pid", [](VX_TRIGGER_DEF& t) { t.usb_pid = 0; }},
      {"hid_num_down", [](VX_TRIGGER_DEF& t) { t.hid_num_down = 0xfa; }},
      {"hid_num_up", [](VX_TRIGGER_DEF& t) { t.hid_num_up = 0xfb; }},
      {"tilt_mask", [](VX_TRIGGER_DEF& t) { t.tilt_mask = 1; }},
  };
  for (const auto& c : cases) {
    vxlib::TriggerTable table;
    const VX_TRIGGER_DEF base = Trigger(1, 2);
    VX_TRIGGER_DEF other = base;
    c.change(other);
    table.Set(base);
    table.Set(other);
    EXPECT_EQ(table.triggers().size(), 2u) << c.field;
    EXPECT_TRUE(table.Remove(other)) << c.field;
    ASSERT_EQ(table.triggers().size(), 1u) << c.field;
    EXPECT_EQ(table.triggers()[0].hid_button, base.hid_button) << c.field;
    EXPECT_EQ(table.triggers()[0].tilt_mask, base.tilt_mask) << c.field;
  }
}

TEST(VxlibTriggerTable, SlotSwapAndFunctionDoNotCount) {
  const Variation cases[] = {
      {"slot", [](VX_TRIGGER_DEF& t) { t.slot = 3012; }},
      {"swap45", [](VX_TRIGGER_DEF& t) { t.swap45 = 1; }},
      {"function type", [](VX_TRIGGER_DEF& t) { t.function.type = 6; }},
      {"press bytes", [](VX_TRIGGER_DEF& t) { t.function.press[3] = 116; }},
      {"url", [](VX_TRIGGER_DEF& t) { t.function.url[0] = u'h'; }},
  };
  for (const auto& c : cases) {
    vxlib::TriggerTable table;
    table.Set(Trigger(1, 2));
    table.Set(Trigger(4, 2));
    VX_TRIGGER_DEF replacement = Trigger(1, 2);
    c.change(replacement);
    table.Set(replacement);
    ASSERT_EQ(table.triggers().size(), 2u) << c.field;
    EXPECT_EQ(std::memcmp(&table.triggers()[0], &replacement, sizeof replacement), 0)
        << c.field << ": replaced in place, every byte of the new record";
    EXPECT_EQ(table.triggers()[1].hid_button, 4u) << c.field;

    VX_TRIGGER_DEF removal = Trigger(1, 2);
    c.change(removal);
    EXPECT_TRUE(table.Remove(removal)) << c.field;
    ASSERT_EQ(table.triggers().size(), 1u) << c.field;
    EXPECT_EQ(table.triggers()[0].hid_button, 4u) << c.field;
  }
}

TEST(VxlibTriggerTable, TiltDirectionAndHidCodesAreDifferentTriggers) {
  vxlib::TriggerTable table;
  VX_TRIGGER_DEF tilt_left = Trigger(0, 2);
  tilt_left.tilt_mask = 1;
  VX_TRIGGER_DEF hid_entry = Trigger(0, 2);
  hid_entry.hid_num_down = 0xfa;
  hid_entry.hid_num_up = 0xfb;
  table.Set(tilt_left);
  table.Set(hid_entry);
  EXPECT_EQ(table.triggers().size(), 2u);
  EXPECT_TRUE(table.Remove(hid_entry));
  ASSERT_EQ(table.triggers().size(), 1u);
  EXPECT_EQ(table.triggers()[0].tilt_mask, 1);
}

TEST(VxlibTriggerTable, RemoveAndClear) {
  vxlib::TriggerTable table;
  EXPECT_FALSE(table.Remove(Trigger(1, 2))) << "nothing installed";
  for (uint32_t bit : {1u, 2u, 4u, 8u}) table.Set(Trigger(bit, 2));
  EXPECT_TRUE(table.Remove(Trigger(2, 9)));
  EXPECT_FALSE(table.Remove(Trigger(2, 2))) << "already gone";
  ASSERT_EQ(table.triggers().size(), 3u);
  EXPECT_EQ(table.triggers()[0].hid_button, 1u);
  EXPECT_EQ(table.triggers()[1].hid_button, 4u) << "the others keep their order";
  EXPECT_EQ(table.triggers()[2].hid_button, 8u);
  // Found at their new places.
  table.Set(Trigger(8, 9));
  ASSERT_EQ(table.triggers().size(), 3u);
  EXPECT_EQ(table.triggers()[2].function.type, 9);
  table.Clear();
  EXPECT_TRUE(table.triggers().empty());
  table.Set(Trigger(2, 2));
  EXPECT_EQ(table.triggers().size(), 1u);
}

}  // namespace
