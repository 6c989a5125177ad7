// Loading and saving a settings file of 1000 assignments, beside the JSON
// library parsing and dumping the same document.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <nlohmann/json.hpp>

#include "catalog/settings_document.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"
#include "support/fake_vxlib.h"

namespace {

using tessaro::BUTTON_SETTING_DEF;

class NullView : public tessaro::SettingsView {
 public:
  void ShowSlowdown() override {}
  void StopRepaintTimer() override {}
  void InvalidateWindow() override {}
  void ShowMessage(std::u16string_view) override {}
};

// 1000 assignments over 40 models: eleven buttons, two tilts and a dozen
// HID buttons each, functions with a few press and release bytes.
tessaro::ButtonSettingArray Assignments() {
  tessaro::ButtonSettingArray list;
  for (int m = 0; list.size() < 1000; ++m) {
    tessaro::MODEL_DEF model;
    model.model_id = m + 1;
    model.pid = 0x2100 + m;
    model.vid = 0x4b;
    model.usb_vid = m % 2 ? 0x3a7c : 0;
    model.usb_pid = m % 2 ? 0x7a00 + m : 0;
    for (int b = 0; b < 25 && list.size() < 1000; ++b) {
      BUTTON_SETTING_DEF setting{};
      setting.trigger = tessaro::ModelTrigger(model);
      if (b < 11) {
        setting.trigger.hid_button = 2u << b;
      } else if (b < 13) {
        setting.trigger.tilt_mask = static_cast<uint8_t>(b - 10);
      } else {
        setting.trigger.hid_num_down = static_cast<uint8_t>(0x20 + 2 * b);
        setting.trigger.hid_num_up = static_cast<uint8_t>(0x21 + 2 * b);
      }
      tessaro::CopyToField(u"Ctrl + Shift + F5", setting.function_name, tessaro::kFunctionNameUnits);
      VX_FUNCTION_DEF& f = setting.trigger.function;
      f.type = 2;
      const uint8_t press[] = {1, 17, 16, 116}, release[] = {0, 116, 17, 16};
      std::copy(std::begin(press), std::end(press), f.press);
      std::copy(std::begin(release), std::end(release), f.release);
      list.push_back(setting);
    }
  }
  return list;
}

struct Fixture {
  Fixture() {
    const std::string root = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    folder = root + "/tessaro-bench-" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(folder);
    tessaro::SetSettingsFolder(tessaro::Utf8ToUtf16(folder));
    tessaro::SettingsLoaded = 1;  // saves write the list, as after start-up
    {
      std::lock_guard hold(tessaro::ButtonSettingLock());
      tessaro::ButtonSettingList() = Assignments();
    }
    tessaro::SaveButtonSettings();
    text = tessaro::FormatSettingsDocument({1033, 0, 1}, tessaro::CopyButtonSettingList());
    document = nlohmann::json::parse(text);
  }
  ~Fixture() { std::filesystem::remove_all(folder); }
  std::string folder;
  std::string text;
  nlohmann::json document;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void BM_JsonParse(benchmark::State& state) {
  const std::string& text = TheFixture().text;
  for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(text));
  state.counters["file_bytes"] = static_cast<double>(text.size());
}

void BM_SettingsLoad(benchmark::State& state) {
  TheFixture();
  NullView view;
  for (auto _ : state) {
    tessaro::LoadButtonSettings(view);
    state.PauseTiming();
    fake_vxlib::Reset();  // the fake logs every call; keep the log short
    state.ResumeTiming();
  }
}

// The part of a load that is not reading: the 1000 assignments applied one
// by one to an empty list and an empty driver, found as a load finds them.
void BM_ApplyAssignments(benchmark::State& state) {
  TheFixture();
  const tessaro::ButtonSettingArray list = tessaro::CopyButtonSettingList();
  for (auto _ : state) {
    {
      std::lock_guard hold(tessaro::ButtonSettingLock());
      tessaro::ButtonSettingList().clear();
    }
    VX_ClearAllTriggerEvent();
    TriggerIdentityIndex index;
    for (const auto& setting : list) tessaro::ApplyButtonSetting(setting, &index);
    state.PauseTiming();
    fake_vxlib::Reset();
    state.ResumeTiming();
  }
}

void BM_JsonDump(benchmark::State& state) {
  const nlohmann::json& document = TheFixture().document;
  for (auto _ : state) benchmark::DoNotOptimize(document.dump());
}

void BM_SettingsDocument(benchmark::State& state) {
  TheFixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(tessaro::FormatSettingsDocument({1033, 0, 1}, tessaro::CopyButtonSettingList()));
}

// The whole save: document, comparison with the file, temporary file,
// flush and rename (the folder is in memory where the system offers it).
void BM_SettingsSave(benchmark::State& state) {
  TheFixture();
  int32_t modifier = 1;
  for (auto _ : state) {
    tessaro::SlowdownModifier = modifier = 3 - modifier;  // a change, so the file is written
    tessaro::SaveButtonSettings();
  }
}

BENCHMARK(BM_JsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyAssignments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonDump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsSave)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
