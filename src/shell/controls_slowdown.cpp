#include "shell/controls_slowdown.h"

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "ui/key_capture_logic.h"
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

void ShowStoredSlowdown(MainPanelWidgets& main) {
  main.slowdown.checked = SlowdownEnabled != 0;
  CopyToField(ModifierText(SlowdownModifier), main.modifier.text, kWidgetTextLength);
  main.modifier.visible = main.slowdown.visible;
  main.modifier.remeasure = true;
}

}  // namespace tessaro
