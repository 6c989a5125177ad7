// A process killed at any point of a save leaves the settings file whole:
// it parses and holds every assignment saved before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <random>
#include <set>

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using namespace test_support;

// Assignment number n goes to button n % kButtons and carries n in its URL,
// so the file tells which save it came from.
constexpr int kButtons = 48;
const tessaro::MODEL_DEF kModels[] = {TestModel(1, 0x2103), TestModel(2, 0x2305), TestModel(3, 0x2315),
                                      TestModel(4, 0x4106)};

tessaro::BUTTON_SETTING_DEF Assignment(int n) {
  const int button = n % kButtons;
  return Setting(ButtonTrigger(kModels[button / 12], button % 12), 3, u"Copy", {1, 0x11, 0x43}, {},
                 tessaro::Utf8ToUtf16(std::to_string(n)));
}

// The child: carries on from the file, then saves one assignment after the
// other, reporting each number once its save has returned.
[[noreturn]] void SaveForever(int report) {
  RecordingSettingsView view;
  tessaro::LoadButtonSettings(view);
  int next = 0;
  for (const auto& setting : tessaro::CopyButtonSettingList())
    next = std::max(next, std::stoi(tessaro::Utf16ToUtf8(setting.trigger.function.url)) + 1);
  for (;; ++next) {
    tessaro::ApplyButtonSetting(Assignment(next));
    if (!tessaro::SaveButtonSettings()) _exit(2);
    if (write(report, &next, sizeof next) != sizeof next) _exit(3);
  }
}

// The numbers of the assignments in the file; fails when it does not parse.
std::vector<int> NumbersInFile(const std::string& text) {
  const auto document = nlohmann::json::parse(text);
  std::vector<int> numbers;
  for (const auto& entry : document.at("trigger_setting"))
    numbers.push_back(std::stoi(entry.at("function_define").at("url").get<std::string>()));
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

TEST(SettingsCrash, SavesKilledAtRandomPointsNeverTearTheFile) {
  SettingsSandbox sandbox;
  std::mt19937 random(7);
  int reported = -1;
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(round);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      SaveForever(fds[1]);
    }
    close(fds[1]);
    int number;
    // Let it save at least once, then kill it somewhere in a later save.
    if (read(fds[0], &number, sizeof number) == sizeof number) reported = std::max(reported, number);
    usleep(std::uniform_int_distribution<useconds_t>(0, 2000)(random));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child stopped on its own";
    while (read(fds[0], &number, sizeof number) == sizeof number) reported = std::max(reported, number);
    close(fds[0]);

    // The file is the state after one whole save: the last reported one or
    // the one after it, whose report the kill cut off.
    std::vector<int> numbers;
    ASSERT_NO_THROW(numbers = NumbersInFile(sandbox.ReadSettingsFile()));
    ASSERT_FALSE(numbers.empty());
    const int last = numbers.back();
    EXPECT_TRUE(last == reported || last == reported + 1) << last << " " << reported;
    std::vector<int> expected;
    for (int n = std::max(0, last - kButtons + 1); n <= last; ++n) expected.push_back(n);
    EXPECT_EQ(numbers, expected);
  }
  EXPECT_GE(reported, 100);
}

}  // namespace
