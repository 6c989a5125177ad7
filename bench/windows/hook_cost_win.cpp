// What the low-level mouse hook adds to every mouse event of the session:
// its decision (classify the event, read the device of the latest Raw
// Input report, find that device's view in the trigger snapshot, pair
// presses and releases) with 50 triggers installed and three mice listed,
// the one in hand last, against an empty decision that only passes the
// event on; and the same decision with 20 programs' profiles of 10
// assignments each, a program with a profile in front, which asks at every
// press of a button a profile assigns which program is in front: from a
// stand-in that answers at once, and (as the library does) from the
// system's foreground window and the cache of process names. 100,000
// events of a hand at work, each call timed on its own (mean, percentiles,
// slowest); the whole stream is also timed in one piece, where the clock's
// own cost does not count.
//
//   scripts/wine-run.sh build/windows/hook_cost_win.exe
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "program_name.h"
#include "vxlib.h"
#include "vxlib/app_profiles.h"
#include "vxlib/device_items.h"
#include "vxlib/hook_decision.h"
#include "vxlib/system_foreground_win.h"
#include "vxlib/trigger_snapshot.h"
#include "vxlib/trigger_table.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace msg = vxlib::mouse_message;

constexpr size_t kEvents = 100'000;
constexpr int kRounds = 5;

struct Event {
  uint32_t message;
  uint32_t data;
};

VX_FILTER_DEF Model(uint16_t model_id) {
  VX_FILTER_DEF f{};
  f.type = 2;
  f.model_id = model_id;
  f.pid = static_cast<uint16_t>(0x2100 + model_id);
  f.vid = 0x4b;
  f.usb_vid = 0x1d57;
  f.usb_pid = 0xfa00u + model_id;
  return f;
}

VX_TRIGGER_DEF Trigger(const VX_FILTER_DEF& model, uint32_t hid_button, uint8_t tilt_mask) {
  VX_TRIGGER_DEF t{};
  t.hid_button = hid_button;
  t.tilt_mask = tilt_mask;
  t.model_id = model.model_id;
  t.pid = model.pid;
  t.vid = model.vid;
  t.usb_vid = model.usb_vid;
  t.usb_pid = model.usb_pid;
  t.function.type = 2;
  t.function.press[0] = 1;
  t.function.press[1] = 0x11;
  t.function.press[2] = 0x43;
  return t;
}

// 50 triggers: every button and tilt of the served model (6), and 44 of
// eleven other models, as a program with a long history installs them.
vxlib::TriggerTable FiftyTriggers(const VX_FILTER_DEF& served) {
  vxlib::TriggerTable table;
  for (uint16_t m = 1; m <= 11; ++m) {
    for (uint32_t p = 1; p <= 4; ++p) table.Set(Trigger(Model(m), 1u << p, 0));
  }
  for (uint32_t p = 1; p <= 4; ++p) table.Set(Trigger(served, 1u << p, 0));
  table.Set(Trigger(served, 0, 1));
  table.Set(Trigger(served, 0, 2));
  return table;
}

// 20 programs with 10 assignments each: back, forward and the tilts of
// the served model, and six buttons of two other models.
vxlib::AppProfiles TwentyProfiles(const VX_FILTER_DEF& served) {
  vxlib::AppProfiles profiles;
  for (int p = 0; p < 20; ++p) {
    std::vector<VX_TRIGGER_DEF> triggers = {Trigger(served, 1u << 3, 0), Trigger(served, 1u << 4, 0),
                                            Trigger(served, 0, 1), Trigger(served, 0, 2)};
    for (uint16_t m = 1; m <= 2; ++m) {
      for (uint32_t b = 1; b <= 3; ++b) triggers.push_back(Trigger(Model(m), 1u << b, 0));
    }
    const std::string name = "program" + std::to_string(p) + ".exe";
    profiles.Set(std::u16string(name.begin(), name.end()), triggers);
  }
  return profiles;
}

// The program in front as a cache hit gives it: the same program each time.
class ProgramInFront final : public vxlib::ForegroundProgram {
 public:
  vxlib::ForegroundKey Current() override { return {1, key_}; }

 private:
  const std::u16string key_ = FoldProgramName(u"program7.exe");
};

// Counts how often the decision asks which program is in front.
class Counted final : public vxlib::ForegroundProgram {
 public:
  explicit Counted(vxlib::ForegroundProgram& source) : source_(source) {}
  vxlib::ForegroundKey Current() override {
    ++asked;
    return source_.Current();
  }
  uint64_t asked = 0;

 private:
  vxlib::ForegroundProgram& source_;
};

// Mostly moves; now and then the wheel, a left click, a click of a
// taken-over button, a tilt step.
std::vector<Event> HandAtWork() {
  std::vector<Event> events;
  uint32_t state = 12345;
  const auto next = [&] { return state = state * 1103515245u + 12345u; };
  while (events.size() < kEvents) {
    const uint32_t r = (next() >> 16) % 100;
    if (r < 90) {
      events.push_back({msg::kMove, 0});
    } else if (r < 94) {
      events.push_back({msg::kWheel, 120u << 16});
    } else if (r < 96) {
      events.push_back({msg::kLeftDown, 0});
      events.push_back({msg::kLeftUp, 0});
    } else if (r < 98) {
      const uint32_t x = 1u + (next() >> 16) % 2;
      events.push_back({msg::kXDown, x << 16});
      events.push_back({msg::kXUp, x << 16});
    } else {
      events.push_back({msg::kHorizontalWheel, static_cast<uint32_t>(static_cast<uint16_t>(-120)) << 16});
    }
  }
  events.resize(kEvents);
  return events;
}

// The hook's checks before the decision: injected input passes at once.
constexpr uint32_t kInjectedFlags = 0x01 | 0x02;

__attribute__((noinline)) vxlib::Verdict EmptyDecision(vxlib::HookDecider&, const Event&, uint32_t) {
  return vxlib::Verdict::kPass;
}

__attribute__((noinline)) vxlib::Verdict HookDecision(vxlib::HookDecider& decider, const Event& e, uint32_t flags) {
  if (flags & kInjectedFlags) return vxlib::Verdict::kPass;
  return decider.Decide(e.message, e.data).verdict;
}

struct Result {
  double per_call_ns = 1e300;  // best round's mean of the calls timed one by one
  double stream_ns = 1e300;    // best round's stream timed in one piece, per event
  std::vector<double> calls;   // every call of every round, ns
  uint64_t swallowed = 0;

  double Percentile(double p) const {
    std::vector<double> sorted = calls;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(p * sorted.size()))];
  }
};

template <class Decide>
void Round(const std::vector<Event>& events, vxlib::HookDecider& decider, Decide decide, Result& r) {
  double total = 0;
  uint64_t swallowed = 0;
  for (const Event& e : events) {
    const auto start = Clock::now();
    const auto verdict = decide(decider, e, 0u);
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    total += ns;
    r.calls.push_back(ns);
    swallowed += verdict == vxlib::Verdict::kSwallow;
  }
  const auto start = Clock::now();
  for (const Event& e : events) swallowed += decide(decider, e, 0u) == vxlib::Verdict::kSwallow;
  const double stream = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  r.per_call_ns = std::min(r.per_call_ns, total / events.size());
  r.stream_ns = std::min(r.stream_ns, stream / events.size());
  r.swallowed = swallowed / 2;
}

}  // namespace

int main() {
  const VX_FILTER_DEF served = Model(20);
  const vxlib::TriggerTable triggers = FiftyTriggers(served);
  const vxlib::AppProfiles profiles = TwentyProfiles(served);
  // A touchpad and a mouse of another model listed before the one in hand.
  const std::vector<VX_FILTER_DEF> filters = {Model(1), served};
  constexpr uint32_t kInHand = 3;
  const std::vector<VX_ITEM_DEF> devices = {
      vxlib::DeviceItem(1, std::nullopt, filters),
      vxlib::DeviceItem(2, vxlib::UsbIds{0x1d57, static_cast<uint16_t>(Model(1).usb_pid)}, filters),
      vxlib::DeviceItem(kInHand, vxlib::UsbIds{0x1d57, static_cast<uint16_t>(served.usb_pid)}, filters),
  };
  const std::vector<Event> events = HandAtWork();

  const std::atomic<uint32_t> last_device{kInHand};
  ProgramInFront in_front;
  vxlib::SystemForeground system_source;
  Counted system_front(system_source);
  vxlib::HookDecider today(last_device, in_front);
  today.Adopt(std::make_shared<const vxlib::TriggerSnapshot>(triggers.triggers(), filters, devices));
  const auto with_profiles =
      std::make_shared<const vxlib::TriggerSnapshot>(triggers.triggers(), filters, devices, profiles.profiles());
  vxlib::HookDecider profiled(last_device, in_front);
  profiled.Adopt(with_profiles);
  vxlib::HookDecider profiled_system(last_device, system_front);
  profiled_system.Adopt(with_profiles);
  Result empty, hook, profile, system;
  // Taken in turns, so that all see the same load of the machine.
  for (int round = 0; round < kRounds; ++round) {
    Round(events, today, EmptyDecision, empty);
    Round(events, today, HookDecision, hook);
    Round(events, profiled, HookDecision, profile);
    Round(events, profiled_system, HookDecision, system);
  }

  std::printf("triggers installed: %zu, profiles: %zu, events: %zu, rounds: %d\n", triggers.triggers().size(),
              profiles.profiles().size(), events.size(), kRounds);
  std::printf("%-10s %12s %12s %10s %10s %12s %10s\n", "decision", "per call ns", "stream ns", "p50 ns", "p99.9 ns",
              "slowest ns", "swallowed");
  const std::pair<const char*, const Result*> rows[] = {
      {"empty", &empty}, {"hook", &hook}, {"profiles", &profile}, {"system", &system}};
  for (const auto& [name, r] : rows) {
    std::printf("%-10s %12.1f %12.2f %10.0f %10.0f %12.0f %10llu\n", name, r->per_call_ns, r->stream_ns,
                r->Percentile(0.5), r->Percentile(0.999), r->Percentile(1.0),
                static_cast<unsigned long long>(r->swallowed));
  }
  std::printf("hook / empty: per call %.2fx, stream %.2fx\n", hook.per_call_ns / empty.per_call_ns,
              hook.stream_ns / empty.stream_ns);
  std::printf("profiles / hook: per call %.2fx, stream %.2fx\n", profile.per_call_ns / hook.per_call_ns,
              profile.stream_ns / hook.stream_ns);
  std::printf("system / hook: per call %.2fx, stream %.2fx\n", system.per_call_ns / hook.per_call_ns,
              system.stream_ns / hook.stream_ns);
  // Every round decides the stream twice (timed call by call, then whole).
  const double asks_per_stream = static_cast<double>(system_front.asked) / (2.0 * kRounds);
  std::printf("asked which program is in front: %.0f times per %zu events; the system's answer %.0f ns each\n",
              asks_per_stream, events.size(),
              (system.stream_ns - profile.stream_ns) * static_cast<double>(events.size()) / asks_per_stream);
  return 0;
}
