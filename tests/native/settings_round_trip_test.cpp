// Whatever the list holds, saving and loading it gives the same list and
// the same triggers in the driver.
#include <gtest/gtest.h>

#include <random>

#include "catalog/language_table.h"
#include "catalog/settings_store.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::BUTTON_SETTING_DEF;
using tessaro::MODEL_DEF;
using namespace test_support;

class RandomSettings {
 public:
  explicit RandomSettings(uint32_t seed) : random_(seed) {
    for (int i = 0; i < 4; ++i) {
      MODEL_DEF model =
          TestModel(Next(0, 0xffff), Next(0, 0xffff), Next(0, 0xffff), random_(), random_(), i == 0 ? 254 : 1);
      model.swap45 = Next(0, 255);
      models_.push_back(model);
    }
  }

  // Few models and buttons, so some assignments replace earlier ones.
  BUTTON_SETTING_DEF Assignment() {
    const MODEL_DEF& model = models_[Next(0, models_.size() - 1)];
    VX_TRIGGER_DEF trigger;
    switch (Next(0, 2)) {
      case 0:
        trigger = ButtonTrigger(model, Next(1, 11));
        break;
      case 1:
        trigger = TiltTrigger(model, Next(1, 2));
        break;
      default:
        trigger = HidTrigger(model, Next(1, 255), Next(1, 255));
        break;
    }
    BUTTON_SETTING_DEF setting = Setting(trigger, Next(0, 254), Text(63));
    Bytes(setting.trigger.function.press);
    Bytes(setting.trigger.function.release);
    const std::u16string url = Text(255);
    std::copy(url.begin(), url.end(), setting.trigger.function.url);
    return setting;
  }

  int Next(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

 private:
  // Valid UTF-16 without zeros: ASCII (quotes and controls too), other BMP
  // characters, and surrogate pairs kept whole.
  std::u16string Text(size_t max_units) {
    std::u16string text;
    for (size_t length = Next(0, max_units); text.size() < length;) {
      switch (Next(0, 3)) {
        case 0:
          text += static_cast<char16_t>(Next(1, 0x7f));
          break;
        case 1:
          text += static_cast<char16_t>(Next(0x80, 0xd7ff));
          break;
        case 2:
          text += static_cast<char16_t>(Next(0xe000, 0xffff));
          break;
        default:
          if (text.size() + 2 > length) continue;
          text += static_cast<char16_t>(Next(0xd800, 0xdbff));
          text += static_cast<char16_t>(Next(0xdc00, 0xdfff));
      }
    }
    return text;
  }
  // A random stored length, zeros inside it too.
  void Bytes(uint8_t (&bytes)[256]) {
    const int length = Next(1, 256);
    for (int i = 0; i < length; ++i) bytes[i] = Next(0, 3) == 0 ? 0 : Next(0, 255);
  }

  std::mt19937 random_;
  std::vector<MODEL_DEF> models_;
};

TEST(SettingsRoundTrip, RandomListsComeBackEqual) {
  for (uint32_t seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE(seed);
    SettingsSandbox sandbox;
    tessaro::SettingsLoaded = 1;
    RandomSettings random(seed);
    for (int n = random.Next(0, 40); n > 0; --n) tessaro::ApplyButtonSetting(random.Assignment());
    tessaro::LanguageId = random.Next(1, 0xffff);
    tessaro::SlowdownEnabled = random.Next(0, 1);
    tessaro::SlowdownModifier = random.Next(1, 15);
    const auto saved = tessaro::CopyButtonSettingList();
    const int32_t enabled = tessaro::SlowdownEnabled, modifier = tessaro::SlowdownModifier;
    ASSERT_TRUE(tessaro::SaveButtonSettings());

    fake_vxlib::Reset();
    tessaro::SlowdownEnabled = 1 - enabled;
    tessaro::SlowdownModifier = 1;
    RecordingSettingsView view;
    tessaro::LoadButtonSettings(view);

    const auto loaded = tessaro::CopyButtonSettingList();
    const auto installed = fake_vxlib::InstalledTriggers();
    ASSERT_EQ(loaded.size(), saved.size());
    ASSERT_EQ(installed.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
      EXPECT_TRUE(SameApartFromSlot(loaded[i], saved[i])) << i;
      EXPECT_TRUE(SameApartFromSlot(installed[i], saved[i].trigger)) << i;
      EXPECT_EQ(loaded[i].trigger.slot, i);
    }
    EXPECT_EQ(tessaro::SlowdownEnabled.load(), enabled);
    EXPECT_EQ(tessaro::SlowdownModifier.load(), modifier);
    EXPECT_EQ(tessaro::ReadStoredLanguageId(0), tessaro::LanguageId.load());
  }
}

}  // namespace
