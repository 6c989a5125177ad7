// The named events between starts of the program, and the watcher threads
// that wait on them in the running instance.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <atomic>
#include <string>

#include "shell/event_watcher_win.h"
#include "shell/instance_events_win.h"

namespace {

using tessaro::EventWatcher;
using tessaro::UniqueHandle;

// Waits generously: a loaded machine may start the watcher late.
bool WaitFor(const std::atomic<int>& value, int expected) {
  for (int i = 0; i < 3000 && value.load() != expected; ++i) Sleep(10);
  return value.load() == expected;
}

TEST(InstanceEvents, TheFirstClaimWinsAndLaterStartsReachIt) {
  // Names of this test's own, so that a Tessaro running in the same Wine
  // prefix is neither seen nor disturbed.
  const std::wstring suffix = L"_test_" + std::to_wstring(GetCurrentProcessId());
  const std::wstring show_name = tessaro::kShowEventName + suffix;
  const std::wstring close_name = tessaro::kCloseEventName + suffix;
  EXPECT_FALSE(tessaro::SignalRunningInstance(show_name.c_str()));
  auto first = tessaro::ClaimSingleInstance(show_name.c_str(), close_name.c_str());
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->show);
  EXPECT_TRUE(first->close);
  EXPECT_FALSE(tessaro::ClaimSingleInstance(show_name.c_str(), close_name.c_str()).has_value());

  EXPECT_TRUE(tessaro::SignalRunningInstance(close_name.c_str()));
  EXPECT_EQ(WaitForSingleObject(first->close.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(first->show.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

// A show event this start cannot make as its own means another instance,
// whatever the reason: it is held by an instance that lets this start only
// signal it (one running as administrator), or an object of another kind
// has the name. The start signals what it can and ends.
TEST(InstanceEvents, AShowEventThatCannotBeMadeIsAnotherInstance) {
  const std::wstring suffix = L"_denied_" + std::to_wstring(GetCurrentProcessId());
  const std::wstring show_name = tessaro::kShowEventName + suffix;
  const std::wstring close_name = tessaro::kCloseEventName + suffix;
  // Everyone may wait on it and signal it, nothing more.
  SECURITY_ATTRIBUTES restricted{sizeof restricted, nullptr, FALSE};
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100002;;;WD)", SDDL_REVISION_1,
                                                                   &restricted.lpSecurityDescriptor, nullptr));
  const UniqueHandle elevated(CreateEventW(&restricted, TRUE, FALSE, show_name.c_str()));
  LocalFree(restricted.lpSecurityDescriptor);
  ASSERT_TRUE(elevated);
  EXPECT_FALSE(tessaro::ClaimSingleInstance(show_name.c_str(), close_name.c_str()).has_value());
  EXPECT_TRUE(tessaro::SignalRunningInstance(show_name.c_str()));
  EXPECT_EQ(WaitForSingleObject(elevated.get(), 0), WAIT_OBJECT_0);

  const std::wstring taken_name = show_name + L"_mutex";
  const UniqueHandle mutex(CreateMutexW(nullptr, FALSE, taken_name.c_str()));
  ASSERT_TRUE(mutex);
  EXPECT_FALSE(tessaro::ClaimSingleInstance(taken_name.c_str(), close_name.c_str()).has_value());
}

TEST(EventWatcher, ARequestMadeBeforeTheWatcherWaitsIsTakenOnce) {
  const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  SetEvent(event.get());
  std::atomic<int> reactions{0};
  {
    EventWatcher watcher(event.get(), [&] {
      ++reactions;
      return true;
    });
    ASSERT_TRUE(WaitFor(reactions, 1));
    Sleep(100);
    EXPECT_EQ(reactions.load(), 1);
    EXPECT_EQ(WaitForSingleObject(event.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    SetEvent(event.get());
    EXPECT_TRUE(WaitFor(reactions, 2));
  }
  // Gone with its owner: a later signal reaches nobody.
  SetEvent(event.get());
  Sleep(100);
  EXPECT_EQ(reactions.load(), 2);
}

TEST(EventWatcher, APulseReachesAWaitingWatcherAndADecliningReactionEndsTheWatch) {
  const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> reactions{0};
  EventWatcher watcher(event.get(), [&] {
    ++reactions;
    return false;
  });
  // An older start pulses; a pulse reaches only a thread that waits at that
  // moment, so it is repeated until the watcher, once waiting, takes one.
  for (int i = 0; i < 3000 && reactions.load() == 0; ++i) {
    PulseEvent(event.get());
    Sleep(10);
  }
  EXPECT_EQ(reactions.load(), 1);
  // The reaction declined: later requests reach nobody.
  SetEvent(event.get());
  Sleep(100);
  EXPECT_EQ(reactions.load(), 1);
}

TEST(EventWatcher, OneThreadServesEachEventAndTheEarlierListedReactsFirst) {
  const UniqueHandle close(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const UniqueHandle show(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> shows{0}, closes{0};
  std::atomic<int> order{0};
  // Both signalled before the watch starts: the close, listed first, reacts
  // first and ends the watch, so the show is never taken.
  SetEvent(show.get());
  SetEvent(close.get());
  {
    EventWatcher watcher({{close.get(),
                           [&] {
                             order = order * 10 + 1;
                             ++closes;
                             return false;
                           }},
                          {nullptr, [] { return true; }},
                          {show.get(), [&] {
                             order = order * 10 + 2;
                             ++shows;
                             return true;
                           }}});
    ASSERT_TRUE(WaitFor(closes, 1));
    Sleep(100);
    EXPECT_EQ(order.load(), 1);
    EXPECT_EQ(shows.load(), 0);
  }
  ResetEvent(show.get());
  ResetEvent(close.get());
  EventWatcher watcher({{close.get(),
                         [&] {
                           ++closes;
                           return false;
                         }},
                        {show.get(), [&] {
                           ++shows;
                           return true;
                         }}});
  SetEvent(show.get());
  ASSERT_TRUE(WaitFor(shows, 1));
  SetEvent(show.get());
  ASSERT_TRUE(WaitFor(shows, 2));
  SetEvent(close.get());
  ASSERT_TRUE(WaitFor(closes, 2));
  SetEvent(show.get());
  Sleep(100);
  EXPECT_EQ(shows.load(), 2);
}

}  // namespace
