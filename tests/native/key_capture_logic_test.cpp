#include "ui/key_capture_logic.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalog/utf.h"

namespace tessaro {
namespace {

// The names a US layout gives, keyed by the key message parameter.
class UsLayoutNames : public KeyNameSource {
 public:
  int32_t ScanCodeOf(int32_t vk) const override {
    static const std::map<int32_t, int32_t> kScans = {{'A', 0x1E}, {'B', 0x30}, {44, 0x54}, {46, 0x53},
                                                      {110, 0x53}, {19, 0x45},  {13, 0x1C}, {37, 0x4B}};
    auto it = kScans.find(vk);
    return it == kScans.end() ? 0 : it->second;
  }
  std::u16string NameOf(int32_t parameter) const override {
    static const std::map<int32_t, std::u16string> kNames = {
        {0x1E << 16, u"A"},       {0x30 << 16, u"B"},       {0x54 << 16, u"Sys Req"},
        {0x53 << 16, u"Num Del"}, {0x153 << 16, u"Delete"}, {0x45 << 16, u"Num Lock"},
        {0x1C << 16, u"Enter"},   {0x4B << 16, u"Num 4"},   {0x14B << 16, u"Left"}};
    auto it = kNames.find(parameter);
    return it == kNames.end() ? u"" : it->second;
  }
};

struct Key {
  int32_t vk;
  int32_t scan;
  bool down;
};

// Virtual keys and scan codes as raw input reports them.
constexpr Key LCtrl(bool d) { return {17, 29, d}; }
constexpr Key RCtrl(bool d) { return {17, 0xE01D, d}; }
constexpr Key LShift(bool d) { return {16, 42, d}; }
constexpr Key RShift(bool d) { return {16, 54, d}; }
constexpr Key RAlt(bool d) { return {18, 0xE038, d}; }
constexpr Key LWin(bool d) { return {91, 0xE05B, d}; }
constexpr Key A(bool d) { return {'A', 0x1E, d}; }
constexpr Key B(bool d) { return {'B', 0x30, d}; }

TEST(ModifierText, NamesEachModifierOnceInAFixedOrder) {
  const std::pair<int32_t, std::u16string> cases[] = {
      {0, u""},
      {0x01, u"Ctrl"},
      {0x10, u"Ctrl"},
      {0x11, u"Ctrl"},
      {0x22, u"Shift"},
      {0x40, u"Alt"},
      {0x08, u"Win"},
      {0x81, u"Ctrl + Win"},
      {0x24, u"Shift + Alt"},
      {0xFF, u"Ctrl + Shift + Alt + Win"},
  };
  for (const auto& [bits, text] : cases) EXPECT_EQ(ModifierText(bits), text) << bits;
}

TEST(KeyName, UsesTheExtendedFlagAndRenamesThreeKeys) {
  const UsLayoutNames names;
  const std::pair<int32_t, std::u16string> cases[] = {
      {'A', u"A"},     {44, u"Print Screen"},  // Sys Req
      {110, u"Num ."},                         // keypad decimal point
      {46, u"Delete"},                         // same scan code, extended
      {37, u"Left"},                           // not "Num 4"
      {19, u"Pause"},
  };
  for (const auto& [vk, name] : cases) EXPECT_EQ(KeyName(vk, names), name) << vk;
}

TEST(KeyCapture, FollowsKeySequences) {
  const struct {
    const char* what;
    CaptureMode mode;
    std::vector<Key> keys;
    std::u16string text;
    int32_t modifiers;
    int32_t key;
    bool ok;
  } cases[] = {
      {"left Ctrl", kCaptureCombination, {LCtrl(true)}, u"Ctrl", 0x01, 0, true},
      {"left Ctrl, left Shift", kCaptureCombination, {LCtrl(true), LShift(true)}, u"Ctrl + Shift", 0x03, 0, true},
      {"left Ctrl, left Shift, A held",
       kCaptureCombination,
       {LCtrl(true), LShift(true), A(true), A(true), A(true)},
       u"Ctrl + Shift + A",
       0x03,
       'A',
       true},
      {"the combination stays after the release",
       kCaptureCombination,
       {LCtrl(true), LShift(true), A(true), A(false), LShift(false), LCtrl(false)},
       u"Ctrl + Shift + A",
       0x03,
       'A',
       true},
      {"all released, then B alone",
       kCaptureCombination,
       {LCtrl(true), LShift(true), A(true), A(false), LShift(false), LCtrl(false), B(true)},
       u"B",
       0,
       'B',
       true},
      {"right Alt alone", kCaptureCombination, {RAlt(true)}, u"Alt", 0x40, 0, true},
      {"right keys have their own bits",
       kCaptureCombination,
       {RCtrl(true), RShift(true), LWin(true)},
       u"Ctrl + Shift + Win",
       0x38,
       0,
       true},
      {"a modifier let go mid-way stays captured",
       kCaptureCombination,
       {LCtrl(true), LShift(true), LShift(false), A(true)},
       u"Ctrl + Shift + A",
       0x03,
       'A',
       true},
      {"a main key's release ends the combination",
       kCaptureCombination,
       {LCtrl(true), A(true), A(false), B(true)},
       u"B",
       0,
       'B',
       true},
      {"a new main key replaces the held one",
       kCaptureCombination,
       {LCtrl(true), A(true), B(true)},
       u"Ctrl + B",
       0x01,
       'B',
       true},
      {"Print Screen", kCaptureCombination, {{44, 0xE037, true}}, u"Print Screen", 0, 44, true},
      {"keypad decimal point", kCaptureCombination, {{110, 0x53, true}}, u"Num .", 0, 110, true},
      // Pause comes as virtual key 19 with the E1-prefixed Ctrl code, then
      // virtual key 255 with the Num Lock code.
      {"Pause", kCaptureCombination, {{19, 0xE01D, true}, {255, 69, true}}, u"Pause", 0, 19, true},
      {"Pause is no right Ctrl", kCaptureCombination, {{19, 0xE01D, true}}, u"Pause", 0, 19, true},
      {"modifiers only: A changes nothing", kCaptureModifiersOnly, {A(true)}, u"", 0, 0, false},
      {"modifiers only: Ctrl enables ok", kCaptureModifiersOnly, {A(true), LCtrl(true)}, u"Ctrl", 0x01, 0, true},
      {"modifiers only: a main key does not end the capture",
       kCaptureModifiersOnly,
       {LCtrl(true), A(true), A(false), RShift(true)},
       u"Ctrl + Shift",
       0x21,
       0,
       true},
      {"modifiers only: a later press starts over",
       kCaptureModifiersOnly,
       {LCtrl(true), LCtrl(false), A(true), A(false), RAlt(true)},
       u"Alt",
       0x40,
       0,
       true},
  };
  const UsLayoutNames names;
  for (const auto& c : cases) {
    KeyCapture capture(names);
    capture.Reset(c.mode);
    for (const Key& k : c.keys) capture.OnKey(k.vk, k.scan, k.down);
    EXPECT_EQ(Utf16ToUtf8(capture.display_text()), Utf16ToUtf8(c.text)) << c.what;
    EXPECT_EQ(capture.captured_modifiers(), c.modifiers) << c.what;
    EXPECT_EQ(capture.captured_key(), c.key) << c.what;
    EXPECT_EQ(capture.ok_enabled(), c.ok) << c.what;
  }
}

TEST(KeyCapture, ShowsThePromptUntilSomethingIsCapturedAndTheTipInModifierMode) {
  const UsLayoutNames names;
  KeyCapture capture(names);
  capture.Reset(kCaptureCombination);
  EXPECT_EQ(capture.ShownText(u"wait", u"tip"), u"wait");
  capture.OnKey(LCtrl(true).vk, LCtrl(true).scan, true);
  EXPECT_EQ(capture.ShownText(u"wait", u"tip"), u"Ctrl");

  capture.Reset(kCaptureModifiersOnly);
  EXPECT_EQ(capture.display_text(), u"");
  EXPECT_FALSE(capture.ok_enabled());
  EXPECT_EQ(capture.ShownText(u"wait", u"tip"), u"wait\r\ntip");
  capture.OnKey(RAlt(true).vk, RAlt(true).scan, true);
  EXPECT_EQ(capture.ShownText(u"wait", u"tip"), u"Alt\r\ntip");
}

}  // namespace
}  // namespace tessaro
