#include "vxlib/action_plan.h"

#include <algorithm>
#include <initializer_list>

namespace vxlib {

namespace {

constexpr uint8_t kCtrl = 0x11;
constexpr uint8_t kShift = 0x10;
constexpr uint8_t kLeftWin = 0x5B;
constexpr uint8_t kPrintScreen = 0x2C;
constexpr uint8_t kLeft = 0x25;
constexpr uint8_t kRight = 0x27;
constexpr int32_t kNotch = 120;
constexpr size_t kKeyListEnd = 256;

// Down events in order, then up events in reverse order: one tap.
InputBatch Tap(std::initializer_list<uint8_t> keys) {
  InputBatch batch;
  for (uint8_t k : keys) batch.push_back(InputRecord::KeyDown(k));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) batch.push_back(InputRecord::KeyUp(*it));
  return batch;
}

// Bytes 1, 2, ... up to the first 0 (byte 0 is the phase marker).
InputBatch KeyList(const uint8_t* bytes, bool up) {
  InputBatch batch;
  for (size_t i = 1; i < kKeyListEnd && bytes[i] != 0; ++i)
    batch.push_back(up ? InputRecord::KeyUp(bytes[i]) : InputRecord::KeyDown(bytes[i]));
  return batch;
}

// Releases the release list, then every pressed key it did not name, in
// reverse press order: a key combination never leaves a key down.
InputBatch KeyCombinationRelease(const VX_FUNCTION_DEF& f) {
  InputBatch batch = KeyList(f.release, true);
  const InputBatch pressed = KeyList(f.press, false);
  for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) {
    const bool named = std::any_of(batch.begin(), batch.end(), [&](const InputRecord& r) { return r.key == it->key; });
    if (!named) batch.push_back(InputRecord::KeyUp(it->key));
  }
  return batch;
}

// +120 for direction byte 1, -120 for 255, 0 for anything else.
int32_t Direction(uint8_t byte) { return byte == 1 ? kNotch : byte == 255 ? -kNotch : 0; }

InputBatch Zoom(int32_t delta, const PlanContext& context) {
  InputBatch batch;
  if (!context.ctrl_down) batch.push_back(InputRecord::KeyDown(kCtrl));
  batch.push_back(InputRecord::Mouse(MouseOp::kWheel, delta));
  if (!context.ctrl_down) batch.push_back(InputRecord::KeyUp(kCtrl));
  return batch;
}

Step SystemAction(uint8_t code, const PlanContext& context) {
  switch (code) {
    case 1:
      return {Tap({kLeftWin, 'D'})};
    case 2:
      return {{}, SystemRequest::kLock};
    case 3:
      return {context.screen_clip ? Tap({kLeftWin, kShift, 'S'}) : Tap({kPrintScreen})};
    case 4:
      return {{}, SystemRequest::kDisplayOff};
    case 5:
      return {Tap({kLeftWin})};
    default:
      return {};
  }
}

InputBatch Gesture(uint8_t code, const PlanContext& context) {
  switch (code) {
    case 1:
      return Tap({kCtrl, kLeftWin, kRight});
    case 2:
      return Tap({kCtrl, kLeftWin, kLeft});
    case 3:
      return Zoom(kNotch, context);
    case 4:
      return Zoom(-kNotch, context);
    default:
      return {};
  }
}

InputBatch MouseButtonAction(const VX_FUNCTION_DEF& f, const PlanContext& context) {
  const uint8_t b = f.press[1];
  switch (f.press[2]) {
    case 0:
      return MouseButtonInput(b, false, context);
    case 1:
    case 2: {
      InputBatch click = MouseButtonInput(b, false, context);
      if (click.empty()) return {};
      const InputBatch up = MouseButtonInput(b, true, context);
      click.insert(click.end(), up.begin(), up.end());
      if (f.press[2] == 1) return click;
      InputBatch twice = click;
      twice.insert(twice.end(), click.begin(), click.end());
      return twice;
    }
    default:
      return {};
  }
}

}  // namespace

InputBatch MouseButtonInput(uint8_t b, bool up, const PlanContext& context) {
  switch (b) {
    case 0:
    case 1: {
      const bool left = (b == 0) != context.buttons_swapped;
      if (left) return {InputRecord::Mouse(up ? MouseOp::kLeftUp : MouseOp::kLeftDown)};
      return {InputRecord::Mouse(up ? MouseOp::kRightUp : MouseOp::kRightDown)};
    }
    case 2:
      return {InputRecord::Mouse(up ? MouseOp::kMiddleUp : MouseOp::kMiddleDown)};
    case 3:
    case 4:
      return {InputRecord::Mouse(up ? MouseOp::kXUp : MouseOp::kXDown, b - 2)};
    default:
      return {};
  }
}

Step PressStep(const VX_FUNCTION_DEF& f, const PlanContext& context) {
  switch (f.type) {
    case 1:
      return {MouseButtonAction(f, context)};
    case 2:
    case 20:
      return {KeyList(f.press, false)};
    case 3:
      return {f.press[1] != 0 ? Tap({f.press[1]}) : InputBatch{}};
    case 6:
    case 7: {
      const int32_t delta = Direction(f.press[1]);
      if (delta == 0) return {};
      return {{InputRecord::Mouse(f.type == 6 ? MouseOp::kWheel : MouseOp::kHorizontalWheel, delta)}};
    }
    case 8:
      return SystemAction(f.press[1], context);
    case 9:
      return {{}, f.url[0] != 0 ? SystemRequest::kOpen : SystemRequest::kNone};
    case 10:
      return {Gesture(f.press[1], context)};
    default:
      // 4, 254, 22 (timed by the runner) and undefined types.
      return {};
  }
}

InputBatch ReleaseInput(const VX_FUNCTION_DEF& f, const PlanContext& context) {
  switch (f.type) {
    case 1:
      return f.press[2] == 0 ? MouseButtonInput(f.press[1], true, context) : InputBatch{};
    case 2:
    case 20:
      return KeyCombinationRelease(f);
    default:
      return {};
  }
}

bool Repeats(const VX_FUNCTION_DEF& f) {
  const bool repeatable = f.type == 3 || f.type == 6 || f.type == 7 || f.type == 10;
  return repeatable && f.press[2] == 1;
}

std::optional<RapidFire> RapidFireOf(const VX_FUNCTION_DEF& f) {
  if (f.type != 22 || f.press[0] > 2) return std::nullopt;
  const int n = f.press[1] == 0 ? 10 : std::min<int>(f.press[1], 50);
  int d = f.press[2] == 0 ? 10 : f.press[2];
  if (d >= 1000 / n) d = 500 / n;
  return RapidFire{f.press[0], n, std::chrono::milliseconds(d)};
}

}  // namespace vxlib
