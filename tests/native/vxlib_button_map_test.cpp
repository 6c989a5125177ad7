// The hook's side of the real backend: which events name which button,
// which trigger takes a button over, and how presses and releases pair.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "support/vxlib_records.h"
#include "vxlib/button_triggers.h"
#include "vxlib/device_items.h"
#include "vxlib/hook_decision.h"
#include "vxlib/mouse_input.h"

namespace {

using test_support::ButtonBitTrigger;
using test_support::Filter;
using test_support::Function;
using test_support::TiltDirectionTrigger;
using vxlib::Button;
using vxlib::ButtonEvent;
using vxlib::Edge;
using vxlib::Verdict;
namespace msg = vxlib::mouse_message;

constexpr uint32_t HighWord(int16_t v) { return static_cast<uint32_t>(static_cast<uint16_t>(v)) << 16; }

TEST(MouseInput, ClassifiesTheButtonsTheLibraryTakesOver) {
  const struct {
    uint32_t message;
    uint32_t data;
    std::optional<ButtonEvent> expected;
  } cases[] = {
      {msg::kRightDown, 0, ButtonEvent{Button::kRight, Edge::kDown}},
      {msg::kRightUp, 0, ButtonEvent{Button::kRight, Edge::kUp}},
      {msg::kMiddleDown, 0, ButtonEvent{Button::kMiddle, Edge::kDown}},
      {msg::kMiddleUp, 0, ButtonEvent{Button::kMiddle, Edge::kUp}},
      {msg::kXDown, HighWord(1), ButtonEvent{Button::kBack, Edge::kDown}},
      {msg::kXUp, HighWord(1), ButtonEvent{Button::kBack, Edge::kUp}},
      {msg::kXDown, HighWord(2), ButtonEvent{Button::kForward, Edge::kDown}},
      {msg::kXUp, HighWord(2) | 0x1234, ButtonEvent{Button::kForward, Edge::kUp}},  // low word ignored
      {msg::kXDown, HighWord(3), std::nullopt},
      {msg::kHorizontalWheel, HighWord(120), ButtonEvent{Button::kTiltRight, Edge::kNotch}},
      {msg::kHorizontalWheel, HighWord(-120), ButtonEvent{Button::kTiltLeft, Edge::kNotch}},
      {msg::kHorizontalWheel, HighWord(-30), ButtonEvent{Button::kTiltLeft, Edge::kNotch}},
      {msg::kHorizontalWheel, 0, std::nullopt},
      {msg::kLeftDown, 0, std::nullopt},
      {msg::kLeftUp, 0, std::nullopt},
      {msg::kWheel, HighWord(120), std::nullopt},
      {msg::kMove, 0, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vxlib::ClassifyMouseMessage(c.message, c.data), c.expected) << std::hex << c.message << " " << c.data;
  }
}

const VX_FILTER_DEF kModel = Filter(2, 0x21, 0x2103, 0x4b, 0x1d57, 0xfa60);
const VX_FILTER_DEF kMouseButtonModel = Filter(254, 0x30, 0x3001, 0x4b, 0x1d57, 0xfa61);

TEST(ButtonTriggers, TakesOverTheButtonsOfTheServedModelOnly) {
  const VX_FUNCTION_DEF copy = Function(2, {1, 0x11, 0x43}, {0, 0x43, 0x11});
  const auto other_ids = [&](auto change) {
    VX_TRIGGER_DEF t = ButtonBitTrigger(kModel, 3, copy);
    change(t);
    return t;
  };
  VX_TRIGGER_DEF hid_code = ButtonBitTrigger(kModel, 3, copy);
  hid_code.hid_num_down = 0xFA;
  hid_code.hid_num_up = 0xFB;
  VX_TRIGGER_DEF both_masks = ButtonBitTrigger(kModel, 3, copy);
  both_masks.mouse_button = 1u << 3;
  VX_TRIGGER_DEF tilt_and_bit = TiltDirectionTrigger(kModel, 1, copy);
  tilt_and_bit.hid_button = 1u << 3;

  const struct {
    const char* name;
    VX_FILTER_DEF model;
    VX_TRIGGER_DEF trigger;
    std::optional<Button> taken;
  } cases[] = {
      {"right", kModel, ButtonBitTrigger(kModel, 1, copy), Button::kRight},
      {"middle", kModel, ButtonBitTrigger(kModel, 2, copy), Button::kMiddle},
      {"back", kModel, ButtonBitTrigger(kModel, 3, copy), Button::kBack},
      {"forward", kModel, ButtonBitTrigger(kModel, 4, copy), Button::kForward},
      {"tilt left", kModel, TiltDirectionTrigger(kModel, 1, copy), Button::kTiltLeft},
      {"tilt right", kModel, TiltDirectionTrigger(kModel, 2, copy), Button::kTiltRight},
      {"mouse-button model", kMouseButtonModel, ButtonBitTrigger(kMouseButtonModel, 2, copy), Button::kMiddle},
      {"left button is never taken", kModel, ButtonBitTrigger(kModel, 0, copy), std::nullopt},
      {"a model button beyond the mouse's", kModel, ButtonBitTrigger(kModel, 5, copy), std::nullopt},
      {"tilt mask 3", kModel, TiltDirectionTrigger(kModel, 3, copy), std::nullopt},
      {"HID code pair", kModel, hid_code, std::nullopt},
      {"mask of the other model type", kMouseButtonModel, ButtonBitTrigger(kModel, 2, copy), std::nullopt},
      {"both masks", kModel, both_masks, std::nullopt},
      {"tilt and bit", kModel, tilt_and_bit, std::nullopt},
      {"other model id", kModel, other_ids([](VX_TRIGGER_DEF& t) { t.model_id = 0x22; }), std::nullopt},
      {"other pid", kModel, other_ids([](VX_TRIGGER_DEF& t) { t.pid = 0x2104; }), std::nullopt},
      {"other vid", kModel, other_ids([](VX_TRIGGER_DEF& t) { t.vid = 0x4c; }), std::nullopt},
      {"other usb vid", kModel, other_ids([](VX_TRIGGER_DEF& t) { t.usb_vid = 0; }), std::nullopt},
      {"other usb pid", kModel, other_ids([](VX_TRIGGER_DEF& t) { t.usb_pid = 0; }), std::nullopt},
      {"default function", kModel, ButtonBitTrigger(kModel, 3, Function(255)), std::nullopt},
  };
  for (const auto& c : cases) {
    const vxlib::ButtonTriggers table(std::vector{c.trigger}, c.model);
    const uint32_t expected_mask = c.taken ? 1u << vxlib::Index(*c.taken) : 0;
    EXPECT_EQ(table.taken_mask(), expected_mask) << c.name;
    for (size_t i = 0; i < vxlib::kButtonCount; ++i) {
      const auto* f = table.Find(static_cast<Button>(i));
      EXPECT_EQ(f != nullptr, c.taken && vxlib::Index(*c.taken) == i) << c.name << " button " << i;
      if (f) {
        EXPECT_EQ(f->type, 2) << c.name;
      }
    }
  }
}

TEST(ButtonTriggers, EveryButtonGetsItsOwnActionAmongManyTriggers) {
  std::vector<VX_TRIGGER_DEF> triggers;
  // Other models' triggers around the served model's ones.
  for (uint16_t m = 1; m <= 20; ++m) {
    const VX_FILTER_DEF other = Filter(2, m, 0x1000 + m, 0x4b, 0x1d57, m);
    for (int p = 1; p <= 2; ++p) triggers.push_back(ButtonBitTrigger(other, p, Function(4)));
  }
  for (int p = 1; p <= 4; ++p) triggers.push_back(ButtonBitTrigger(kModel, p, Function(3, {1, uint8_t(0xB0 + p)})));
  triggers.push_back(TiltDirectionTrigger(kModel, 1, Function(7, {1, 255})));
  triggers.push_back(TiltDirectionTrigger(kModel, 2, Function(7, {1, 1})));

  const vxlib::ButtonTriggers table(triggers, kModel);
  EXPECT_EQ(table.taken_mask(), 0b111111u);
  for (Button b : {Button::kRight, Button::kMiddle, Button::kBack, Button::kForward}) {
    ASSERT_NE(table.Find(b), nullptr);
    EXPECT_EQ(table.Find(b)->press[1], 0xB0 + vxlib::Index(b) + 1);
  }
  EXPECT_EQ(table.Find(Button::kTiltLeft)->press[1], 255);
  EXPECT_EQ(table.Find(Button::kTiltRight)->press[1], 1);
  EXPECT_EQ(vxlib::ButtonTriggers().taken_mask(), 0u);
}

// One event given to the hook's decision, with the buttons that triggers
// take over at that moment.
struct HookStep {
  uint32_t taken_mask;
  uint32_t message;
  uint32_t data;
  Verdict verdict;
};

constexpr uint32_t kBackTaken = 1u << vxlib::Index(Button::kBack);
constexpr uint32_t kMiddleTaken = 1u << vxlib::Index(Button::kMiddle);
constexpr uint32_t kTiltLeftTaken = 1u << vxlib::Index(Button::kTiltLeft);
const uint32_t kBackData = HighWord(1);
const uint32_t kForwardData = HighWord(2);

// The snapshot of kModel's only mouse (handle 1) with a trigger for each
// button in mask.
std::shared_ptr<const vxlib::TriggerSnapshot> Taking(uint32_t mask) {
  std::vector<VX_TRIGGER_DEF> triggers;
  for (size_t i = 0; i < vxlib::kButtonCount; ++i) {
    if (!(mask & (1u << i))) continue;
    const auto b = static_cast<Button>(i);
    const VX_FUNCTION_DEF f = Function(4);
    if (b == Button::kTiltLeft || b == Button::kTiltRight) {
      triggers.push_back(TiltDirectionTrigger(kModel, b == Button::kTiltLeft ? 1 : 2, f));
    } else {
      triggers.push_back(ButtonBitTrigger(kModel, static_cast<int>(i) + 1, f));
    }
  }
  const std::vector<VX_FILTER_DEF> filters = {kModel};
  const std::vector<VX_ITEM_DEF> devices = {vxlib::DeviceItem(1, vxlib::UsbIds{0x1d57, 0xfa60}, filters)};
  return std::make_shared<const vxlib::TriggerSnapshot>(triggers, filters, devices);
}

TEST(HookDecision, PairsEachReleaseWithItsPress) {
  constexpr auto P = Verdict::kPass;
  constexpr auto S = Verdict::kSwallow;
  const struct {
    const char* name;
    std::vector<HookStep> steps;
  } cases[] = {
      {"taken press and release", {{kBackTaken, msg::kXDown, kBackData, S}, {kBackTaken, msg::kXUp, kBackData, S}}},
      {"trigger removed while held: the release stays swallowed",
       {{kBackTaken, msg::kXDown, kBackData, S}, {0, msg::kXUp, kBackData, S}}},
      {"trigger installed while held: the release still passes",
       {{0, msg::kXDown, kBackData, P}, {kBackTaken, msg::kXUp, kBackData, P}}},
      {"a release whose press was not seen passes", {{kBackTaken, msg::kXUp, kBackData, P}}},
      {"a pair is forgotten after its release",
       {{kBackTaken, msg::kXDown, kBackData, S},
        {kBackTaken, msg::kXUp, kBackData, S},
        {0, msg::kXDown, kBackData, P},
        {kBackTaken, msg::kXUp, kBackData, P}}},
      {"back and forward pair on their own",
       {{kBackTaken, msg::kXDown, kBackData, S},
        {kBackTaken, msg::kXDown, kForwardData, P},
        {0, msg::kXUp, kBackData, S},
        {kBackTaken | (1u << vxlib::Index(Button::kForward)), msg::kXUp, kForwardData, P}}},
      {"middle",
       {{kMiddleTaken, msg::kMiddleDown, 0, S}, {kMiddleTaken, msg::kRightDown, 0, P}, {0, msg::kMiddleUp, 0, S}}},
      {"tilt steps follow the trigger of the moment",
       {{kTiltLeftTaken, msg::kHorizontalWheel, HighWord(-120), S},
        {kTiltLeftTaken, msg::kHorizontalWheel, HighWord(120), P},
        {0, msg::kHorizontalWheel, HighWord(-120), P}}},
      {"left button and moves always pass", {{0b111111, msg::kLeftDown, 0, P}, {0b111111, msg::kMove, 0, P}}},
  };
  for (const auto& c : cases) {
    const std::atomic<uint32_t> last_device{1};
    test_support::NoProgramInFront nothing_in_front;
    vxlib::HookDecider decider(last_device, nothing_in_front);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const HookStep& s = c.steps[i];
      EXPECT_EQ(decider.Adopt(Taking(s.taken_mask)), 0u) << c.name << " step " << i;
      const auto d = decider.Decide(s.message, s.data);
      EXPECT_EQ(d.verdict, s.verdict) << c.name << " step " << i;
      // The worker hears of exactly the swallowed events.
      const auto event = s.verdict == S ? vxlib::ClassifyMouseMessage(s.message, s.data) : std::nullopt;
      EXPECT_EQ(d.perform.has_value(), event.has_value()) << c.name << " step " << i;
      if (d.perform) {
        EXPECT_EQ(d.perform->event, *event) << c.name << " step " << i;
      }
    }
  }
}

TEST(HookDecision, AfterAReinstallAReleaseGoesWhereItsPressWent) {
  // Back was taken over when the hook was lost; the system's buttons tell
  // what happened meanwhile.
  const struct {
    const char* name;
    uint32_t system_down;
    Verdict release;
  } cases[] = {
      {"still held, unknown to the system: the release stays swallowed", 0, Verdict::kSwallow},
      {"let go and pressed again unseen: the system holds it, the release passes", kBackTaken, Verdict::kPass},
      {"another button held by the system changes nothing", kMiddleTaken, Verdict::kSwallow},
  };
  for (const auto& c : cases) {
    const std::atomic<uint32_t> last_device{1};
    test_support::NoProgramInFront nothing_in_front;
    vxlib::HookDecider decider(last_device, nothing_in_front);
    decider.Adopt(Taking(kBackTaken));
    ASSERT_EQ(decider.Decide(msg::kXDown, kBackData).verdict, Verdict::kSwallow) << c.name;
    decider.Reinstalled(c.system_down);
    EXPECT_EQ(decider.Decide(msg::kXUp, kBackData).verdict, c.release) << c.name;
  }
}

}  // namespace
