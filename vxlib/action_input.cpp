#include "vxlib/action_input.h"

namespace vxlib {

bool IsExtendedKey(uint8_t key) {
  return (key >= 0x21 && key <= 0x28) || key == 0x2C || key == 0x2D || key == 0x2E || (key >= 0x5B && key <= 0x5D) ||
         key == 0x6F || key == 0x90 || key == 0xA3 || key == 0xA5 || (key >= 0xA6 && key <= 0xB7);
}

}  // namespace vxlib
