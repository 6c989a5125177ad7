#include "shell/controls_slowdown.h"

#include "catalog/settings_store.h"
#include "vxlib.h"

namespace tessaro {
namespace {

constexpr int32_t kSlowdownKeyCount = 8;

void SendSlowdown() { VX_SetSlowdoenModifier(SlowdownEnabled ? SlowdownModifier.load() : 0, kSlowdownKeyCount); }

}  // namespace

void SetSlowdownEnabled(bool enabled) {
  const SettingsChange change;
  SlowdownEnabled = enabled ? 1 : 0;
  SendSlowdown();
  SaveButtonSettings();
}

int32_t SetSlowdownKeys(int32_t captured_bits) {
  const SettingsChange change;
  SlowdownModifier = FoldModifiers(captured_bits);
  SendSlowdown();
  SaveButtonSettings();
  return SlowdownModifier;
}

}  // namespace tessaro
