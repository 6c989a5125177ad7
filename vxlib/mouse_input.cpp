#include "vxlib/mouse_input.h"

namespace vxlib {

std::optional<ButtonEvent> ClassifyMouseMessage(uint32_t message, uint32_t mouse_data) {
  namespace m = mouse_message;
  const auto high = static_cast<uint16_t>(mouse_data >> 16);
  const auto x_button = [&](Edge edge) -> std::optional<ButtonEvent> {
    if (high == m::kXButton1) return ButtonEvent{Button::kBack, edge};
    if (high == m::kXButton2) return ButtonEvent{Button::kForward, edge};
    return std::nullopt;
  };
  switch (message) {
    case m::kRightDown:
      return ButtonEvent{Button::kRight, Edge::kDown};
    case m::kRightUp:
      return ButtonEvent{Button::kRight, Edge::kUp};
    case m::kMiddleDown:
      return ButtonEvent{Button::kMiddle, Edge::kDown};
    case m::kMiddleUp:
      return ButtonEvent{Button::kMiddle, Edge::kUp};
    case m::kXDown:
      return x_button(Edge::kDown);
    case m::kXUp:
      return x_button(Edge::kUp);
    case m::kHorizontalWheel: {
      // A signed delta: positive is a tilt to the right.
      const auto delta = static_cast<int16_t>(high);
      if (delta == 0) return std::nullopt;
      return ButtonEvent{delta > 0 ? Button::kTiltRight : Button::kTiltLeft, Edge::kNotch};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace vxlib
