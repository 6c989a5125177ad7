// The mouse buttons the library can take over, and how a low-level mouse
// event names them. Left button and vertical wheel are never taken over:
// a user who assigns them badly could no longer reach the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vxlib {

// In the order of their trigger bits 1 to 4, then the tilt directions.
enum class Button : uint8_t { kRight, kMiddle, kBack, kForward, kTiltLeft, kTiltRight };
inline constexpr size_t kButtonCount = 6;

inline constexpr size_t Index(Button b) { return static_cast<size_t>(b); }
inline constexpr bool IsTilt(Button b) { return b == Button::kTiltLeft || b == Button::kTiltRight; }

// kNotch: one step of the horizontal wheel, which has no up event.
enum class Edge : uint8_t { kDown, kUp, kNotch };

struct ButtonEvent {
  Button button;
  Edge edge;
  bool operator==(const ButtonEvent&) const = default;
};

// Messages of a low-level mouse hook: the window message numbers.
namespace mouse_message {
inline constexpr uint32_t kMove = 0x0200;
inline constexpr uint32_t kLeftDown = 0x0201;
inline constexpr uint32_t kLeftUp = 0x0202;
inline constexpr uint32_t kRightDown = 0x0204;
inline constexpr uint32_t kRightUp = 0x0205;
inline constexpr uint32_t kMiddleDown = 0x0207;
inline constexpr uint32_t kMiddleUp = 0x0208;
inline constexpr uint32_t kWheel = 0x020A;
inline constexpr uint32_t kXDown = 0x020B;
inline constexpr uint32_t kXUp = 0x020C;
inline constexpr uint32_t kHorizontalWheel = 0x020E;
// High word of mouse_data for kXDown and kXUp.
inline constexpr uint16_t kXButton1 = 1;
inline constexpr uint16_t kXButton2 = 2;
}  // namespace mouse_message

// The button event of a hook message; nullopt for everything the hook
// passes on without a look (moves, left button, vertical wheel, unknown
// extra buttons, a horizontal wheel step of size 0). Inline: it runs for
// every mouse event of the session.
inline std::optional<ButtonEvent> ClassifyMouseMessage(uint32_t message, uint32_t mouse_data) {
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
