// The assignment lock is one named kernel object: every handle the process
// creates reaches it, and it excludes between threads.
#include "device/setting_lock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "catalog/unique_handle_win.h"

namespace {

TEST(SettingLock, IsCreatedUnderItsName) {
  const auto lock = tessaro::CreateButtonSettingLock();
  // Under Wine only the "Local\" spelling can be created; on Windows both
  // spellings open the same object.
  const tessaro::UniqueHandle opened(OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\bumutex_RVNLIB"));
  EXPECT_TRUE(opened);
}

TEST(SettingLock, TwoHandlesExcludeEachOtherBetweenThreads) {
  const auto first = tessaro::CreateButtonSettingLock();
  const auto second = tessaro::CreateButtonSettingLock();
  const tessaro::UniqueHandle by_name(OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\bumutex_RVNLIB"));
  ASSERT_TRUE(by_name);

  std::atomic<bool> released{false};
  std::atomic<bool> acquired{false};
  first->lock();
  std::thread other([&] {
    // Held by the main thread: the object found by name is taken too.
    EXPECT_EQ(WaitForSingleObject(by_name.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    second->lock();
    acquired = true;
    EXPECT_TRUE(released.load());
    second->unlock();
  });
  Sleep(200);
  EXPECT_FALSE(acquired.load());
  released = true;
  first->unlock();
  other.join();
  EXPECT_TRUE(acquired.load());
}

}  // namespace
