#include "ui/key_capture_logic.h"

#include <algorithm>
#include <iterator>

namespace tessaro {
namespace {

constexpr int32_t kVkPause = 19;
// Pause arrives as virtual key 255 with the Num Lock scan code.
constexpr int32_t kVkUnassigned = 255;
constexpr int32_t kScanNumLock = 69;

constexpr int32_t kScanLeftCtrl = 29;
constexpr int32_t kScanRightCtrl = kExtendedScanBase + 0x1D;

// Keys whose names the layout gives only with the extended flag: the
// navigation block, the Windows and menu keys, keypad divide, Num Lock,
// right Ctrl and right Alt.
bool NeedsExtendedFlag(int32_t vk) {
  static constexpr int32_t kKeys[] = {45, 46, 91, 92, 93, 111, 144, 163, 165};
  return (vk >= 33 && vk <= 40) || std::find(std::begin(kKeys), std::end(kKeys), vk) != std::end(kKeys);
}

// The modifier bit of a key, 0 for other keys. Pause shares its scan code
// with right Ctrl, so Ctrl codes count only when the key is not Pause.
int32_t ModifierBitOf(int32_t vk, int32_t scan) {
  switch (scan) {
    case kScanLeftCtrl:
      return vk == kVkPause ? 0 : kModLeftCtrl;
    case kScanRightCtrl:
      return vk == kVkPause ? 0 : kModRightCtrl;
    case 42:
      return kModLeftShift;
    case 54:
      return kModRightShift;
    case 56:
      return kModLeftAlt;
    case kExtendedScanBase + 0x38:
      return kModRightAlt;
    case kExtendedScanBase + 0x5B:
      return kModLeftWin;
    case kExtendedScanBase + 0x5C:
      return kModRightWin;
  }
  return 0;
}

}  // namespace

std::u16string ModifierText(int32_t modifiers) {
  static constexpr struct {
    int32_t bits;
    std::u16string_view name;
  } kNames[] = {{kModLeftCtrl | kModRightCtrl, u"Ctrl"},
                {kModLeftShift | kModRightShift, u"Shift"},
                {kModLeftAlt | kModRightAlt, u"Alt"},
                {kModLeftWin | kModRightWin, u"Win"}};
  std::u16string text;
  for (const auto& n : kNames) {
    if ((modifiers & n.bits) == 0) continue;
    if (!text.empty()) text += u" + ";
    text += n.name;
  }
  return text;
}

std::u16string KeyName(int32_t virtual_key, const KeyNameSource& names) {
  if (virtual_key == kVkPause) return u"Pause";
  int32_t scan = names.ScanCodeOf(virtual_key);
  if (NeedsExtendedFlag(virtual_key)) scan += 0x100;
  std::u16string name = names.NameOf(scan << 16);
  if (name == u"Sys Req") return u"Print Screen";
  if (name == u"Num Del") return u"Num .";
  return name;
}

void KeyCapture::Reset(CaptureMode mode) {
  mode_ = mode;
  held_mods_ = held_key_ = captured_key_ = captured_mods_ = 0;
  key_name_.clear();
  display_text_.clear();
  ok_enabled_ = false;
}

void KeyCapture::OnKey(int32_t virtual_key, int32_t scan_code, bool down) {
  const int32_t modifier = ModifierBitOf(virtual_key, scan_code);
  // Other keys mean nothing to a modifier-only capture, not even an end.
  if (modifier == 0 && mode_ == kCaptureModifiersOnly) return;
  if (!down) {
    if (modifier != 0) {
      held_mods_ &= ~modifier;
    } else {
      held_key_ = 0;
      held_mods_ = 0;
    }
    return;
  }

  if (held_mods_ == 0 && held_key_ == 0) {  // a new combination begins
    captured_key_ = 0;
    captured_mods_ = 0;
    key_name_.clear();
  }
  if (modifier != 0) {
    held_mods_ |= modifier;
  } else {
    const int32_t key = virtual_key == kVkUnassigned && scan_code == kScanNumLock ? kVkPause : virtual_key;
    held_key_ = captured_key_ = key;
    key_name_ = KeyName(key, names_);
  }
  captured_mods_ |= held_mods_;

  display_text_ = ModifierText(captured_mods_);
  if (captured_key_ != 0) {
    if (captured_mods_ != 0) display_text_ += u" + ";
    display_text_ += key_name_;
  }
  ok_enabled_ = mode_ == kCaptureCombination || captured_mods_ != 0;
}

std::u16string KeyCapture::ShownText(std::u16string_view waiting, std::u16string_view modifier_tip) const {
  std::u16string text(captured_anything() ? std::u16string_view(display_text_) : waiting);
  if (mode_ == kCaptureModifiersOnly) {
    text += u"\r\n";
    text += modifier_tip;
  }
  return text;
}

}  // namespace tessaro
