// The settings file's exact bytes.
#include "catalog/settings_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>

#include "catalog/language_table.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::BUTTON_SETTING_DEF;
using tessaro::ButtonSettingArray;
using tessaro::FormatSettingsDocument;
using tessaro::SettingsGlobals;
using namespace test_support;

std::string ReadGolden(const char* name) {
  std::ifstream in(std::string(TESSARO_SOURCE_DIR) + "/tests/native/golden/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A button, a tilt, a HID pair, the default function (type 255) and a
// custom key, over four models.
ButtonSettingArray SmallList() {
  const auto a = TestModel(0x0d, 0x8106);
  auto b = TestModel(0x09, 0x3408, 0x4b, 0x3a7c, 0x7a09, 2);
  b.swap45 = 1;
  const auto c = TestModel(0x0a, 0x6105, 0x4b, 0, 0, 254);
  const auto d = TestModel(0x06, 0x5105, 0x4b, 26, 0);
  return {
      Setting(ButtonTrigger(a, 3), 7, u"Zurück", {0x01, 0x00, 0x03}, {}, u"C:\\Tools\\a\"b.exe"),
      Setting(TiltTrigger(d, 1), 6, u"Scroll left", {0x01, 0xff}),
      Setting(HidTrigger(b, 35, 36), 2, u"Paste", {0x01, 0x11, 0x56}, {0x00, 0x56, 0x11}),
      Setting(ButtonTrigger(c, 4), 255, u"Default"),
      Setting(ButtonTrigger(a, 11), 2, u"Ctrl + Shift + F5", {1, 17, 16, 116}, {0, 116, 17, 16}),
  };
}

TEST(SettingsDocument, SmallListMatchesGoldenFile) {
  EXPECT_EQ(FormatSettingsDocument({1031, 1, 6}, SmallList()), ReadGolden("settings_small.json"));
}

TEST(SettingsDocument, SaveWritesTheDocumentOfListAndGlobals) {
  SettingsSandbox sandbox;
  tessaro::SettingsLoaded = 1;
  tessaro::LanguageId = 1031;
  tessaro::SlowdownEnabled = 1;
  tessaro::SlowdownModifier = 6;
  {
    std::lock_guard hold(tessaro::ButtonSettingLock());
    tessaro::ButtonSettingList() = SmallList();
  }
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(sandbox.ReadSettingsFile(), ReadGolden("settings_small.json"));
  EXPECT_EQ(sandbox.FolderEntries(), std::vector<std::string>{"buttonSetting.json"});
}

TEST(SettingsDocument, EmptyListWritesOnlyTheFourGlobals) {
  EXPECT_EQ(FormatSettingsDocument({1033, 0, 1}, {}),
            R"({"language id":"1033","setting_ver":"2","slowdown enable":"0","slowdown modifier":"1"})");
}

TEST(SettingsDocument, SequencesKeepUpToTheLastNonzeroByteAndAtLeastOne) {
  struct Case {
    std::vector<std::pair<int, uint8_t>> bytes;  // position, value; the rest 0
    size_t stored;
  };
  const Case cases[] = {
      {{}, 1},                // all zero: one element, 0x00
      {{{0, 1}}, 1},          // only the first byte
      {{{0, 1}, {2, 3}}, 3},  // zeros inside are kept
      {{{1, 9}}, 2},          // a zero first byte is kept
      {{{255, 7}}, 256},      // the last byte counts
      {{{0, 1}, {100, 2}, {101, 0}}, 101},
  };
  for (const auto& c : cases) {
    uint8_t bytes[256] = {};
    for (auto [at, value] : c.bytes) bytes[at] = value;
    EXPECT_EQ(tessaro::StoredSequenceLength(bytes), c.stored);
  }
}

// Whatever the texts hold, the document is what the JSON library itself
// would write for it: keys in byte order, compact, escaped the same way.
TEST(SettingsDocument, RandomDocumentsAreTheirOwnCanonicalDump) {
  std::mt19937 random(20240611);
  const char16_t alphabet[] = {u'a',    u'Z',    u'"', u'\\', u'/',  u'\t',  u'\n',  u'\x01',
                               u'\x1f', u'\x7f', u'é', u'€',  u'語', 0xD83D, 0xDE00, 0xDC00 /* lone low surrogate */};
  for (int round = 0; round < 200; ++round) {
    ButtonSettingArray list;
    const int count = random() % 6;
    for (int i = 0; i < count; ++i) {
      std::u16string name, url;
      for (int n = random() % 70; n > 0; --n) name += alphabet[random() % std::size(alphabet)];
      for (int n = random() % 20; n > 0; --n) url += alphabet[random() % std::size(alphabet)];
      auto model = TestModel(random() % 300, random() % 70000, random() % 300, random(), random());
      model.swap45 = random() % 256;
      BUTTON_SETTING_DEF setting = Setting(ButtonTrigger(model, random() % 12), random() % 256, name, {}, {}, url);
      setting.trigger.hid_num_down = random() % 256;
      setting.trigger.tilt_mask = random() % 3;
      for (auto& b : setting.trigger.function.press) b = random() % 4 == 0 ? random() % 256 : 0;
      list.push_back(setting);
    }
    const SettingsGlobals globals{static_cast<int32_t>(random()), static_cast<int32_t>(random() % 2),
                                  static_cast<int32_t>(random() % 16)};
    const std::string document = FormatSettingsDocument(globals, list);
    EXPECT_EQ(nlohmann::json::parse(document).dump(), document);
  }
}

}  // namespace
