#include "vxlib/handover.h"

namespace vxlib {

uint64_t Pack(const Handover& h) {
  return static_cast<uint64_t>(h.profile) << 32 | static_cast<uint64_t>(h.model) << 16 |
         static_cast<uint64_t>(Index(h.event.button)) << 8 | static_cast<uint64_t>(h.event.edge);
}

std::optional<Handover> Unpack(uint64_t word) {
  const auto button = static_cast<size_t>(word >> 8 & 0xFF);
  const auto edge = static_cast<uint8_t>(word & 0xFF);
  if (button >= kButtonCount || edge > static_cast<uint8_t>(Edge::kNotch)) return std::nullopt;
  return Handover{{static_cast<Button>(button), static_cast<Edge>(edge)},
                  static_cast<ModelIndex>(word >> 16 & 0xFFFF),
                  static_cast<uint32_t>(word >> 32)};
}

void Perform(ActionRunner& runner, const TriggerSnapshot& snapshot, const Handover& h, ActionRunner::TimePoint now) {
  const Button b = h.event.button;
  if (h.event.edge == Edge::kUp) {
    runner.Up(b);
    return;
  }
  const VX_FUNCTION_DEF* f = snapshot.Find(h.model, b, h.profile);
  if (!f) return;
  if (h.event.edge == Edge::kNotch) {
    runner.Notch(b, *f, now);
  } else {
    runner.Down(b, *f, now);
  }
}

}  // namespace vxlib
