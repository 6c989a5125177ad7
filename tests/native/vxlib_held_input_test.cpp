// What the library's own input holds down, and what a crashing process
// releases from it.
#include <gtest/gtest.h>

#include <vector>

#include "vxlib/held_input.h"

namespace {

using vxlib::InputBatch;
using vxlib::InputRecord;
using vxlib::MouseOp;

std::vector<InputRecord> Released(const vxlib::HeldInput& held) {
  std::vector<InputRecord> out;
  held.ForEachRelease([&](const InputRecord& r) { out.push_back(r); });
  return out;
}

TEST(HeldInput, ReleasesExactlyWhatIsStillDown) {
  const auto down = InputRecord::KeyDown;
  const auto up = InputRecord::KeyUp;
  const auto mouse = [](MouseOp op, int32_t data = 0) { return InputRecord::Mouse(op, data); };
  const struct {
    const char* name;
    std::vector<InputBatch> sent;
    std::vector<InputRecord> released;
  } cases[] = {
      {"nothing sent", {}, {}},
      {"a tap leaves nothing", {{down(0x11), down(0x43), up(0x43), up(0x11)}}, {}},
      {"a held combination", {{down(0x11), down(0x10), down('K')}}, {up(0x10), up(0x11), up('K')}},
      {"let go in a later batch", {{down(0x11), down('K')}, {up('K')}}, {up(0x11)}},
      {"a key pressed twice is one key", {{down(0x11)}, {down(0x11)}, {up(0x11)}}, {}},
      {"keys at both ends of the code range",
       {{down(0x01), down(0xFE), down(0x40), down(0x80)}},
       {up(0x01), up(0x40), up(0x80), up(0xFE)}},
      {"mouse buttons held",
       {{mouse(MouseOp::kLeftDown), mouse(MouseOp::kXDown, 2), mouse(MouseOp::kMiddleDown)}},
       {mouse(MouseOp::kLeftUp), mouse(MouseOp::kMiddleUp), mouse(MouseOp::kXUp, 2)}},
      {"back and forward apart",
       {{mouse(MouseOp::kXDown, 1), mouse(MouseOp::kXDown, 2), mouse(MouseOp::kXUp, 2)}},
       {mouse(MouseOp::kXUp, 1)}},
      {"a rapid-fire click between holds", {{mouse(MouseOp::kRightDown)}, {mouse(MouseOp::kRightUp)}}, {}},
      {"wheel notches hold nothing", {{mouse(MouseOp::kWheel, 120), mouse(MouseOp::kHorizontalWheel, -120)}}, {}},
  };
  for (const auto& c : cases) {
    vxlib::HeldInput held;
    for (const auto& batch : c.sent) held.Note(batch);
    EXPECT_EQ(Released(held), c.released) << c.name;
  }
}

TEST(HeldInput, TellsTheModifierKeysItHolds) {
  // Bits in the order of ModifierKeys::kKeys: left and right Ctrl, Shift,
  // Alt, Win.
  const struct {
    InputBatch sent;
    uint8_t modifiers;
  } cases[] = {
      {{InputRecord::KeyDown(0x11)}, 0b00000001},  // Ctrl is the left one
      {{InputRecord::KeyDown(0xA3)}, 0b00000010},
      {{InputRecord::KeyDown(0x10), InputRecord::KeyDown(0x12)}, 0b00010100},
      {{InputRecord::KeyDown(0x5B), InputRecord::KeyDown(0x5C)}, 0b11000000},
      {{InputRecord::KeyDown(0x43)}, 0},
      {{InputRecord::KeyDown(0x11), InputRecord::KeyUp(0x11)}, 0},
  };
  for (const auto& c : cases) {
    vxlib::HeldInput held;
    held.Note(c.sent);
    EXPECT_EQ(held.HeldModifiers(), c.modifiers) << int(c.sent.front().key);
  }
}

}  // namespace
