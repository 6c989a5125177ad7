// Which mouse a button event belongs to, and whose assignments it acts
// with: the hook's decision, the worker's performing and the snapshot of
// the devices, run together over sequences of Raw Input reports, hook
// events and unplugged mice.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/recording_action_output.h"
#include "support/vxlib_records.h"
#include "vxlib/device_items.h"
#include "vxlib/handover.h"
#include "vxlib/hook_decision.h"

namespace {

using test_support::ButtonBitTrigger;
using test_support::Filter;
using test_support::Function;
using vxlib::InputRecord;
using vxlib::Verdict;
namespace msg = vxlib::mouse_message;

// The catalogue in the program's order: two models and the generic one.
const VX_FILTER_DEF kModelA = Filter(2, 0x21, 0x2103, 0x4b, 0x1d57, 0xfa60);
const VX_FILTER_DEF kModelB = Filter(254, 0xc3, 0x2305, 0x4b, 0x1d57, 0xfa61);
const VX_FILTER_DEF kGeneric =
    Filter(vxlib::kGenericModelType, vxlib::kGenericModelId, vxlib::kGenericModelPid, vxlib::kGenericModelVid);
const std::vector<VX_FILTER_DEF> kFilters = {kModelA, kModelB, kGeneric};

// Three mice: one of each model, the last a touchpad without USB ids.
constexpr uint32_t kMouseA = 0x101, kMouseB = 0x102, kTouchpad = 0x103, kUnlisted = 0x999;
const std::vector<VX_ITEM_DEF> kDevices = {
    vxlib::DeviceItem(kTouchpad, std::nullopt, kFilters),
    vxlib::DeviceItem(kMouseB, vxlib::UsbIds{0x1d57, 0xfa61}, kFilters),
    vxlib::DeviceItem(kMouseA, vxlib::UsbIds{0x1d57, 0xfa60}, kFilters),
};

// Each assignment types its own letter while the button is held: the
// letters sent tell whose assignment acted.
VX_FUNCTION_DEF Letter(char c) { return Function(2, {1, uint8_t(c)}, {0, uint8_t(c)}); }
const std::vector<VX_TRIGGER_DEF> kTriggers = {
    ButtonBitTrigger(kModelA, 3, Letter('A')),   // back
    ButtonBitTrigger(kModelB, 3, Letter('B')),   // back
    ButtonBitTrigger(kGeneric, 1, Letter('G')),  // right; its back keeps its own event
};

// One thing that happens: a Raw Input report from a device, a hook event
// with the verdict expected, or a device that leaves.
struct Step {
  enum Kind { kReport, kEvent, kUnplug } kind;
  uint32_t device_or_message;
  uint32_t data = 0;
  Verdict verdict = Verdict::kPass;
};
Step Report(uint32_t device) { return {Step::kReport, device}; }
Step Unplug(uint32_t device) { return {Step::kUnplug, device}; }
constexpr auto P = Verdict::kPass;
constexpr auto S = Verdict::kSwallow;
constexpr uint32_t kBack = 1u << 16;
Step BackDown(Verdict v) { return {Step::kEvent, msg::kXDown, kBack, v}; }
Step BackUp(Verdict v) { return {Step::kEvent, msg::kXUp, kBack, v}; }
Step RightDown(Verdict v) { return {Step::kEvent, msg::kRightDown, 0, v}; }
Step RightUp(Verdict v) { return {Step::kEvent, msg::kRightUp, 0, v}; }

// The hook's thread and the action worker, as the real backend joins them.
class Pipeline {
 public:
  Pipeline() : decider_(last_device_), runner_(output_) { Publish(kDevices); }

  void Run(const Step& s, const std::string& where) {
    switch (s.kind) {
      case Step::kReport:
        last_device_ = s.device_or_message;
        break;
      case Step::kEvent: {
        const auto d = decider_.Decide(s.device_or_message, s.data);
        EXPECT_EQ(d.verdict, s.verdict) << where;
        EXPECT_EQ(d.perform.has_value(), s.verdict == S) << where;
        if (d.perform) Hand(*d.perform);
        break;
      }
      case Step::kUnplug: {
        std::vector<VX_ITEM_DEF> left = devices_;
        std::erase_if(left, [&](const VX_ITEM_DEF& d) { return d.handle() == s.device_or_message; });
        Publish(left);
        break;
      }
    }
  }

  // The letters typed, in order: "A" down and up is "+A-A".
  std::string Typed() const {
    std::string typed;
    for (const auto& batch : output_.sent) {
      for (const InputRecord& r : batch) typed += std::string(r.key_up ? "-" : "+") + char(r.key);
    }
    return typed;
  }

 private:
  void Publish(const std::vector<VX_ITEM_DEF>& devices) {
    devices_ = devices;
    snapshot_ = std::make_shared<const vxlib::TriggerSnapshot>(kTriggers, kFilters, devices_);
    const uint32_t ended = decider_.Adopt(snapshot_);
    for (size_t i = 0; i < vxlib::kButtonCount; ++i) {
      if (ended & (1u << i)) Hand({{static_cast<vxlib::Button>(i), vxlib::Edge::kUp}});
    }
  }

  // Through the message word, as the worker receives it.
  void Hand(const vxlib::Handover& h) {
    const auto received = vxlib::Unpack(vxlib::Pack(h));
    ASSERT_EQ(received, h);
    vxlib::Perform(runner_, *snapshot_, *received, {});
  }

  std::atomic<uint32_t> last_device_{0};
  vxlib::HookDecider decider_;
  test_support::RecordingOutput output_;
  vxlib::ActionRunner runner_;
  std::vector<VX_ITEM_DEF> devices_;
  std::shared_ptr<const vxlib::TriggerSnapshot> snapshot_;
};

TEST(Attribution, EachMouseActsWithItsOwnModelsAssignments) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::string typed;
  } cases[] = {
      {"each mouse its own",
       {Report(kMouseA), BackDown(S), BackUp(S), Report(kMouseB), BackDown(S), BackUp(S)},
       "+A-A+B-B"},
      {"mouse A moves, mouse B clicks without a report of its own: A's assignment (the rule's limit)",
       {Report(kMouseA), BackDown(S), BackUp(S)},
       "+A-A"},
      {"a touchpad between two clicks",
       {Report(kMouseA), BackDown(S), Report(kTouchpad), BackUp(S), RightDown(S), RightUp(S), BackDown(P), BackUp(P),
        Report(kMouseA), BackDown(S), BackUp(S), RightDown(P), RightUp(P)},
       "+A-A+G-G+A-A"},
      {"a press and its release on two mice",
       {Report(kTouchpad), BackDown(P), Report(kMouseB), BackUp(P), BackDown(S), Report(kTouchpad), BackUp(S)},
       "+B-B"},
      {"no report yet: the model the window shows first", {BackDown(S), BackUp(S), RightDown(P)}, "+A-A"},
      {"an unlisted device: the model the window shows first",
       {Report(kMouseB), Report(kUnlisted), BackDown(S), BackUp(S)},
       "+A-A"},
      {"unplugged while its button is held: its action ends, no release is awaited",
       {Report(kMouseA), BackDown(S), Unplug(kMouseA), Report(kMouseB), BackDown(S), BackUp(S)},
       "+A-A+B-B"},
      {"unplugged while a passed button is held: nothing to end",
       {Report(kTouchpad), BackDown(P), Unplug(kTouchpad), Report(kMouseA), BackUp(P)},
       ""},
      {"another mouse leaving keeps the held button's pair",
       {Report(kMouseA), BackDown(S), Unplug(kMouseB), BackUp(S)},
       "+A-A"},
      {"after its mouse left, the first connected model acts for unlisted reports",
       {Unplug(kMouseA), Report(kMouseA), BackDown(S), BackUp(S)},
       "+B-B"},
  };
  for (const auto& c : cases) {
    Pipeline pipeline;
    for (size_t i = 0; i < c.steps.size(); ++i)
      pipeline.Run(c.steps[i], std::string(c.name) + ", step " + std::to_string(i));
    EXPECT_EQ(pipeline.Typed(), c.typed) << c.name;
  }
}

TEST(Attribution, TheSnapshotNamesEachListedDevicesModel) {
  const std::vector<VX_ITEM_DEF> two = {vxlib::DeviceItem(1, vxlib::UsbIds{0x1d57, 0xfa60}, kFilters),
                                        vxlib::DeviceItem(2, vxlib::UsbIds{0x1d57, 0xfa60}, kFilters),
                                        vxlib::DeviceItem(3, std::nullopt, kFilters)};
  const vxlib::TriggerSnapshot snapshot(kTriggers, kFilters, two);
  for (uint32_t device : {1u, 2u}) {
    EXPECT_EQ(snapshot.For(device).model, 0) << device;
    EXPECT_EQ(snapshot.For(device).device, device);
  }
  EXPECT_EQ(snapshot.For(3).model, 2);
  EXPECT_EQ(snapshot.Find(0, vxlib::Button::kBack)->press[1], 'A');
  EXPECT_EQ(snapshot.Find(2, vxlib::Button::kBack), nullptr);
  EXPECT_EQ(snapshot.Find(1, vxlib::Button::kBack), nullptr) << "no mouse of model B is listed";
  EXPECT_FALSE(snapshot.Lists(0));
  EXPECT_FALSE(snapshot.Lists(4));
  // Without a listed device nothing is taken over.
  const vxlib::TriggerSnapshot none(kTriggers, kFilters, {});
  EXPECT_EQ(none.For(1).taken_mask, 0u);
  EXPECT_EQ(none.For(1).model, vxlib::kNoModel);
}

}  // namespace
