// Which mouse a button event belongs to, and whose assignments it acts
// with: the hook's decision, the worker's performing and the snapshot of
// the devices, run together over sequences of Raw Input reports, hook
// events, unplugged mice, programs coming to the front and their profiles
// changing.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "program_name.h"
#include "support/recording_action_output.h"
#include "support/vxlib_records.h"
#include "vxlib/app_profiles.h"
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
// with the verdict expected, a device that leaves, a program that comes to
// the front, or a program's profile set anew (no triggers: removed).
struct Step {
  enum Kind { kReport, kEvent, kUnplug, kFront, kProfile } kind;
  uint32_t device_or_message;
  uint32_t data = 0;
  Verdict verdict = Verdict::kPass;
  std::u16string program = {};
  std::vector<VX_TRIGGER_DEF> profile = {};
};
Step Report(uint32_t device) { return {Step::kReport, device}; }
Step Unplug(uint32_t device) { return {Step::kUnplug, device}; }
Step Front(std::u16string program) { return {Step::kFront, 0, 0, Verdict::kPass, std::move(program)}; }
Step Profile(std::u16string program, std::vector<VX_TRIGGER_DEF> triggers) {
  return {Step::kProfile, 0, 0, Verdict::kPass, std::move(program), std::move(triggers)};
}
constexpr auto P = Verdict::kPass;
constexpr auto S = Verdict::kSwallow;
constexpr uint32_t kBack = 1u << 16;
Step BackDown(Verdict v) { return {Step::kEvent, msg::kXDown, kBack, v}; }
Step BackUp(Verdict v) { return {Step::kEvent, msg::kXUp, kBack, v}; }
Step RightDown(Verdict v) { return {Step::kEvent, msg::kRightDown, 0, v}; }
Step RightUp(Verdict v) { return {Step::kEvent, msg::kRightUp, 0, v}; }

// The program in front, by name; counts how often the hook asked.
class FakeForeground final : public vxlib::ForegroundProgram {
 public:
  vxlib::ForegroundKey Current() override {
    ++asked;
    return {serial, key};
  }
  void Bring(std::u16string_view program) {
    key = FoldProgramName(program);
    ++serial;
  }
  uint32_t serial = 0;
  std::u16string key;
  int asked = 0;
};

// The hook's thread and the action worker, as the real backend joins them.
class Pipeline {
 public:
  Pipeline() : decider_(last_device_, foreground_), runner_(output_) { Publish(kDevices); }

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
      case Step::kFront:
        foreground_.Bring(s.program);
        break;
      case Step::kProfile:
        ASSERT_TRUE(profiles_.Set(s.program, s.profile)) << where;
        Publish(devices_);
        break;
    }
  }

  int asked() const { return foreground_.asked; }

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
    snapshot_ = std::make_shared<const vxlib::TriggerSnapshot>(kTriggers, kFilters, devices_, profiles_.profiles());
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
  FakeForeground foreground_;
  vxlib::AppProfiles profiles_;
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

TEST(Attribution, TheProgramInFrontActsWhereItsProfileAssignsTheButton) {
  const auto editor = [](std::vector<VX_TRIGGER_DEF> triggers) { return Profile(u"editor.exe", std::move(triggers)); };
  const VX_TRIGGER_DEF back = ButtonBitTrigger(kModelA, 3, Letter('E'));
  const VX_TRIGGER_DEF right = ButtonBitTrigger(kModelA, 1, Letter('R'));
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::string typed;
  } cases[] = {
      {"the profile assigns the button",
       {editor({back}), Report(kMouseA), Front(u"Editor.EXE"), BackDown(S), BackUp(S)},
       "+E-E"},
      {"the profile is silent on a button another profile assigns",
       {editor({back}), Profile(u"viewer.exe", {ButtonBitTrigger(kModelA, 4, Letter('V'))}), Report(kMouseA),
        Front(u"viewer.exe"), BackDown(S), BackUp(S)},
       "+A-A"},
      {"a program without a profile",
       {editor({back}), Report(kMouseA), Front(u"shell.exe"), BackDown(S), BackUp(S)},
       "+A-A"},
      {"a program whose file name is unknown",
       {editor({back}), Report(kMouseA), Front(u""), BackDown(S), BackUp(S)},
       "+A-A"},
      {"a profile of another mouse's model",
       {editor({back}), Report(kMouseB), Front(u"editor.exe"), BackDown(S), BackUp(S)},
       "+B-B"},
      {"type 255 assigns nothing",
       {editor({ButtonBitTrigger(kModelA, 3, Function(255))}), Report(kMouseA), Front(u"editor.exe"), BackDown(S),
        BackUp(S)},
       "+A-A"},
      {"the profile removed while its program is in front",
       {editor({back}), Report(kMouseA), Front(u"editor.exe"), BackDown(S), BackUp(S), editor({}), BackDown(S),
        BackUp(S)},
       "+E-E+A-A"},
      {"the release follows its press taken by the profile",
       {editor({right}), Report(kMouseA), Front(u"editor.exe"), RightDown(S), Front(u"shell.exe"), RightUp(S)},
       "+R-R"},
      {"the release follows its press passed on",
       {editor({right}), Report(kMouseA), Front(u"shell.exe"), RightDown(P), Front(u"editor.exe"), RightUp(P)},
       ""},
      {"the profile removed while its button is held",
       {editor({right}), Report(kMouseA), Front(u"editor.exe"), RightDown(S), editor({}), RightUp(S)},
       "+R-R"},
  };
  for (const auto& c : cases) {
    Pipeline pipeline;
    for (size_t i = 0; i < c.steps.size(); ++i)
      pipeline.Run(c.steps[i], std::string(c.name) + ", step " + std::to_string(i));
    EXPECT_EQ(pipeline.Typed(), c.typed) << c.name;
  }

  // Only a press of a button some profile assigns asks what is in front;
  // moves, the left button and the others never do.
  Pipeline pipeline;
  for (const Step& s : {editor({back}), Report(kMouseA), RightDown(P), RightUp(P), Step{Step::kEvent, msg::kMove},
                        Step{Step::kEvent, msg::kLeftDown}, BackDown(S), BackUp(S)})
    pipeline.Run(s, "asked");
  EXPECT_EQ(pipeline.asked(), 1);
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
