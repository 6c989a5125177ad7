// What the key capture dialog records from the keys that come in: at most
// one main key and any number of modifier keys, left and right told apart,
// or with capture mode 1 the modifier keys alone (the slowdown hotkey).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Modifier bits of a captured combination.
enum ModifierBits : int32_t {
  kModLeftCtrl = 0x01,
  kModLeftShift = 0x02,
  kModLeftAlt = 0x04,
  kModLeftWin = 0x08,
  kModRightCtrl = 0x10,
  kModRightShift = 0x20,
  kModRightAlt = 0x40,
  kModRightWin = 0x80,
};

// Scan codes are set 1 make codes; E0- and E1-prefixed keys have 0xE000 added.
inline constexpr int32_t kExtendedScanBase = 0xE000;

enum CaptureMode : int32_t {
  kCaptureCombination = 0,
  kCaptureModifiersOnly = 1,
};

// What the key capture dialog recorded.
struct CapturedKeys {
  int32_t key = 0;        // virtual key, 0 for none
  int32_t modifiers = 0;  // ModifierBits
  std::u16string text;    // the combination as shown
};

// "Ctrl", "Shift", "Alt", "Win" (left or right), in this order, joined by " + ".
std::u16string ModifierText(int32_t modifiers);

// The system's key names, behind a seam so that the state machine runs
// without a keyboard layout.
class KeyNameSource {
 public:
  virtual ~KeyNameSource() = default;
  // The scan code the layout gives a virtual key.
  virtual int32_t ScanCodeOf(int32_t virtual_key) const = 0;
  // The name of a key given as a key message's parameter (scan code in
  // bits 16-23, extended flag in bit 24); empty when the system has none.
  virtual std::u16string NameOf(int32_t key_parameter) const = 0;
};

// The shown name of a main key.
std::u16string KeyName(int32_t virtual_key, const KeyNameSource& names);

class KeyCapture {
 public:
  explicit KeyCapture(const KeyNameSource& names) : names_(names) {}

  // Forgets everything; the next keys start a new combination.
  void Reset(CaptureMode mode);

  // One key event, as raw input or the driver library reports it.
  void OnKey(int32_t virtual_key, int32_t scan_code, bool down);

  CaptureMode mode() const { return mode_; }
  int32_t captured_key() const { return captured_key_; }         // virtual key, 0 for none
  int32_t captured_modifiers() const { return captured_mods_; }  // ModifierBits
  const std::u16string& key_name() const { return key_name_; }
  const std::u16string& display_text() const { return display_text_; }
  bool ok_enabled() const { return ok_enabled_; }
  bool captured_anything() const { return captured_key_ != 0 || captured_mods_ != 0; }

  // The dialog's line: the combination, or `waiting` while nothing is
  // captured; in modifier mode followed by `modifier_tip` on a new line.
  std::u16string ShownText(std::u16string_view waiting, std::u16string_view modifier_tip) const;

 private:
  const KeyNameSource& names_;
  CaptureMode mode_ = kCaptureCombination;
  int32_t held_mods_ = 0;
  int32_t held_key_ = 0;
  int32_t captured_key_ = 0;
  int32_t captured_mods_ = 0;
  std::u16string key_name_;
  std::u16string display_text_;
  bool ok_enabled_ = false;
};

}  // namespace tessaro
