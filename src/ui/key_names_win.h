// Key names as the keyboard layout gives them.
#pragma once

#include "ui/key_capture_logic.h"

namespace tessaro {

class SystemKeyNames final : public KeyNameSource {
 public:
  int32_t ScanCodeOf(int32_t virtual_key) const override;
  std::u16string NameOf(int32_t key_parameter) const override;
};

}  // namespace tessaro
